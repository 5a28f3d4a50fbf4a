#include "cli/Cli.h"

#include <map>
#include <optional>
#include <ostream>

#include <fstream>

#include "app/CalculateCommand.h"
#include "app/InitializeCommand.h"
#include "app/RunCommand.h"
#include "road/StationTable.h"
#include "cli/CliPort.h"
#include "cli/Json.h"
#include "common/NumberText.h"

namespace tavrel {

namespace {

constexpr const char* kUsage =
    "usage: tavrel-cli calc --mode straight|mainline|interchange [--jdx FILE] [--dl FILE] --zdm FILE --cg FILE\n"
    "                       --layout FILE [--json FILE|-] [--xlsx FILE]\n"
    "       tavrel-cli stations --mode ... [--jdx FILE] [--dl FILE] --zdm FILE --cg FILE\n"
    "                       --from TEXT --to TEXT --step METRES [--offset METRES] [--json FILE|-] [--csv FILE|-]\n";

struct Options {
    std::string command;
    std::map<std::string, std::string> values;
    std::optional<std::string> get(const std::string& key) const {
        const auto it = values.find(key);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
};

struct UsageError {
    std::string text;
};

Options parseArgs(const std::vector<std::string>& args) {
    static const std::map<std::string, std::vector<std::string>> known{
        {"calc", {"mode", "jdx", "dl", "zdm", "cg", "layout", "json", "xlsx"}},
        {"stations", {"mode", "jdx", "dl", "zdm", "cg", "from", "to", "step", "offset", "json", "csv"}},
    };
    if (args.empty()) throw UsageError{"no command given"};
    Options o;
    o.command = args[0];
    const auto cmd = known.find(o.command);
    if (cmd == known.end()) throw UsageError{"unknown command: " + o.command};
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) throw UsageError{"unexpected argument: " + a};
        const std::string key = a.substr(2);
        bool allowed = false;
        for (const auto& k : cmd->second) allowed = allowed || k == key;
        if (!allowed) throw UsageError{"unknown option for " + o.command + ": " + a};
        if (i + 1 >= args.size()) throw UsageError{"option " + a + " needs a value"};
        o.values[key] = args[++i];
    }
    return o;
}

Mode parseMode(const Options& o) {
    const auto m = o.get("mode");
    if (!m) throw UsageError{"--mode is required"};
    if (*m == "straight") return Mode{false, true};
    if (*m == "mainline") return Mode{true, true};
    if (*m == "interchange") return Mode{true, false};
    throw UsageError{"--mode must be straight, mainline or interchange"};
}

std::map<DialogId, std::filesystem::path> filesOf(const Options& o) {
    std::map<DialogId, std::filesystem::path> files;
    const std::pair<const char*, DialogId> map[] = {{"jdx", DialogId::CommonDialog1},
                                                    {"cg", DialogId::CommonDialog2},
                                                    {"dl", DialogId::CommonDialog3},
                                                    {"zdm", DialogId::CommonDialog4},
                                                    {"layout", DialogId::CommonDialog6}};
    for (const auto& [key, id] : map)
        if (auto v = o.get(key)) files[id] = *v;
    return files;
}

// A number option; a missing or non-numeric value is a usage error.
double numberOption(const Options& o, const std::string& key, std::optional<double> fallback = std::nullopt) {
    const auto v = o.get(key);
    if (!v) {
        if (fallback) return *fallback;
        throw UsageError{"--" + key + " is required"};
    }
    const auto n = strictNumber(*v);
    if (!n) throw UsageError{"--" + key + " must be a number: " + *v};
    return *n;
}

// A station text option: a number of metres, optionally preceded by a chain mark letter.
std::string stationOption(const Options& o, const std::string& key) {
    const auto v = o.get(key);
    if (!v) throw UsageError{"--" + key + " is required"};
    const std::string_view number = (!v->empty() && (*v)[0] >= 'A' && (*v)[0] <= 'Z') ? std::string_view(*v).substr(1)
                                                                                     : std::string_view(*v);
    if (!strictNumber(number)) throw UsageError{"--" + key + " must be a station such as 1234.5 or B1234.5: " + *v};
    return *v;
}

// Writes text to the file named by an output option ("-" = stdout).
bool writeOutput(const std::string& target, const std::string& text, std::ostream& out, std::ostream& err) {
    if (target == "-") {
        out << text;
        return true;
    }
    std::ofstream f(target, std::ios::binary);
    if (!(f << text) || !f.flush()) {
        err << "tavrel-cli: cannot write " << target << '\n';
        return false;
    }
    return true;
}

std::string stationsJson(const std::vector<StationRow>& rows) {
    std::string s = "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StationRow& r = rows[i];
        s += "  {\"station\": " + numberText(r.station) + ", \"nominalStation\": " + numberText(r.nominalStation) +
             ", \"x\": " + jsonNumber(r.x) + ", \"y\": " + jsonNumber(r.y) + ", \"bearing\": " +
             jsonNumber(r.bearing) + ", \"elevation\": " + numberText(r.elevation) + ", \"leftSlope\": " +
             numberText(r.leftSlope) + ", \"rightSlope\": " + numberText(r.rightSlope) + "}";
        s += i + 1 < rows.size() ? ",\n" : "\n";
    }
    return s + "]\n";
}

std::string stationsCsv(const std::vector<StationRow>& rows) {
    const auto field = [](std::optional<double> v) { return v ? numberText(*v) : std::string(); };
    std::string s = "station,nominalStation,x,y,bearing,elevation,leftSlope,rightSlope\n";
    for (const StationRow& r : rows) {
        s += numberText(r.station) + "," + numberText(r.nominalStation) + "," + field(r.x) + "," + field(r.y) + "," +
             field(r.bearing) + "," + numberText(r.elevation) + "," + numberText(r.leftSlope) + "," +
             numberText(r.rightSlope) + "\n";
    }
    return s;
}

int runStations(const Options& o, AppState& state, CommandPort& port, std::ostream& out, std::ostream& err) {
    const std::string from = stationOption(o, "from"), to = stationOption(o, "to");
    const double step = numberOption(o, "step");
    const double offset = numberOption(o, "offset", 0.0);
    if (!o.get("json") && !o.get("csv")) throw UsageError{"stations needs --json and/or --csv"};
    std::string json, csv;
    const bool ok = RunCommand(port, [&] {
        const ProjectData& p = state.project;
        const auto rows = StationTable(p.road(p.mode.isCurvedSkewBridge), StationOfText(p.chainBreaks, from),
                                       StationOfText(p.chainBreaks, to), step, offset);
        if (o.get("json")) json = stationsJson(rows);
        if (o.get("csv")) csv = stationsCsv(rows);
    });
    if (!ok) return 1;
    if (auto t = o.get("json"); t && !writeOutput(*t, json, out, err)) return 1;
    if (auto t = o.get("csv"); t && !writeOutput(*t, csv, out, err)) return 1;
    return 0;
}

std::string calcJson(const std::string& mode, const CalculationResult& r) {
    const PedestalLayout& l = r.layout;
    const PedestalResultTables& t = r.tables;
    std::string s = "{\n  \"mode\": " + jsonString(mode) + ",\n  \"skewAngle\": " + numberText(l.skewAngle) +
                    ",\n  \"pedestalDistances\": [";
    for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k)
        s += (k ? ", " : "") + numberText(l.pedestalDistances[k]);
    s += "],\n  \"piers\": [";
    for (std::size_t i = 0; i < l.piers.size(); ++i) {
        const PierRecord& p = l.piers[i];
        const PierSection& sec = r.sections[i];
        s += i ? ",\n" : "\n";
        s += "    {\"pierName\": " + jsonString(p.pierName) + ", \"baseStation\": " + numberText(p.baseStation) +
             ", \"stationShift\": " + numberText(p.stationShift) + ", \"referenceStation\": " +
             numberText(p.referenceStation) + ", \"referenceNominalStation\": " +
             numberText(p.referenceNominalStation) + ", \"deckToTopDepth\": " + numberText(p.deckToTopDepth) +
             ", \"designPedestalHeight\": " + numberText(p.designPedestalHeight) + ", \"sideMark\": " +
             jsonString(SideMarkText(p.sideMark)) + ",\n     \"section\": {\"pierStation\": " + numberText(sec.pierStation) +
             ", \"edges\": {";
        for (int e = LO; e <= RO; ++e) {
            s += std::string(e ? ", " : "") + "\"" + kEdgeNames[e] + "\": {\"nominalStation\": " +
                 numberText(sec.edgeNominalStation[e]) + ", \"station\": " + numberText(sec.edgeStation[e]) +
                 ", \"distance\": " + numberText(sec.edgeDistance[e]) + ", \"elevation\": " +
                 numberText(sec.edgeElevation[e]) + ", \"x\": " + jsonNumber(sec.edgeX[e]) + ", \"y\": " +
                 jsonNumber(sec.edgeY[e]) + "}";
        }
        s += "}, \"leftAxisSlope\": " + numberText(sec.leftAxisSlope) + ", \"rightAxisSlope\": " +
             numberText(sec.rightAxisSlope) + "},\n     \"pedestals\": [";
        for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k) {
            s += k ? ",\n       " : "\n       ";
            s += "{\"distance\": " + numberText(l.pedestalDistances[k]) + ", \"station\": " +
                 numberText(t.pedestalStation[i][k]) + ", \"nominalStation\": " +
                 numberText(t.pedestalNominalStation[i][k]) + ", \"offset\": " + numberText(t.pedestalOffset[i][k]) +
                 ", \"crossSlope\": " + numberText(t.pedestalCrossSlope[i][k]) + ", \"deckElevation\": " +
                 numberText(t.deckElevation[i][k]) + ", \"topElevation\": " +
                 numberText(t.pedestalTopElevation[i][k]) + ", \"capTopElevation\": " +
                 numberText(t.capTopElevation[i][k]) + ", \"height\": " + numberText(t.pedestalHeight[i][k]) +
                 ", \"x\": " + jsonNumber(t.pedestalX[i][k]) + ", \"y\": " + jsonNumber(t.pedestalY[i][k]) + "}";
        }
        s += "]}";
    }
    return s + "\n  ]\n}\n";
}

int runCalc(const Options& o, const Mode& mode, AppState& state, CommandPort& port, std::ostream& out,
            std::ostream& err) {
    CalculateOptions options;
    options.writeWorkbook = o.get("xlsx").has_value();
    if (auto x = o.get("xlsx")) options.workbookPath = *x;
    std::string json;
    const auto result = CalculateCommand(state, mode, port, options);
    if (!result) return 1;
    if (auto t = o.get("json")) {
        if (!RunCommand(port, [&] { json = calcJson(*o.get("mode"), *result); })) return 1;
        if (!writeOutput(*t, json, out, err)) return 1;
    }
    return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const Options o = parseArgs(args);
        const Mode mode = parseMode(o);
        if (o.command == "stations") {
            // Check the options before any file is read.
            stationOption(o, "from");
            stationOption(o, "to");
            numberOption(o, "step");
            numberOption(o, "offset", 0.0);
        }
        CliPort port(filesOf(o), err);
        AppState state;
        if (!InitializeCommand(state, mode, port)) return 1;
        if (o.command == "stations") return runStations(o, state, port, out, err);
        return runCalc(o, mode, state, port, out, err);
    } catch (const UsageError& e) {
        err << "tavrel-cli: " << e.text << '\n' << kUsage;
        return 2;
    }
}

}  // namespace tavrel
