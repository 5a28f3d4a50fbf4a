#include "cli/Cli.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <ostream>

#include "app/CalculateCommand.h"
#include "app/InitializeCommand.h"
#include "app/RunCommand.h"
#include "cli/CliPort.h"
#include "cli/Json.h"
#include "common/NumberText.h"
#include "common/OutputFile.h"
#include "drawing/BuildPlan.h"
#include "drawing/DrawingFile.h"
#include "drawing/Dxf.h"
#include "road/StationTable.h"

namespace tavrel {

namespace {

// What the command line asked for, once parsed.
struct Options {
    std::string mode;
    std::optional<std::string> jdx, dl, zdm, cg, layout;
    std::optional<std::string> json, xlsx, csv, dxf;
    std::string from, to;
    double step = 0, offset = 0;
};

// A usage mistake found after parsing (the parser reports its own).
struct UsageError {
    std::string text;
};

RoadMode modeOf(const std::string& name) {
    if (name == "mainline") return RoadMode::MainLine;
    if (name == "interchange") return RoadMode::Interchange;
    return RoadMode::Straight;
}

std::map<DialogId, std::filesystem::path> filesOf(const Options& o) {
    std::map<DialogId, std::filesystem::path> files;
    const std::pair<const std::optional<std::string>*, DialogId> map[] = {{&o.jdx, DialogId::PlanFile},
                                                                          {&o.cg, DialogId::SuperelevationFile},
                                                                          {&o.dl, DialogId::ChainBreakFile},
                                                                          {&o.zdm, DialogId::ProfileFile},
                                                                          {&o.layout, DialogId::LayoutFile}};
    for (const auto& [value, id] : map)
        if (*value) files[id] = **value;
    return files;
}

// A station text: a number of metres, optionally preceded by a chain mark letter.
std::string checkStationText(const std::string& v) {
    const std::string_view number =
        (!v.empty() && v[0] >= 'A' && v[0] <= 'Z') ? std::string_view(v).substr(1) : std::string_view(v);
    if (!strictNumber(number)) return "must be a station such as 1234.5 or B1234.5: " + v;
    return {};
}

// The files a run reads: no output may be written onto one of them.
std::vector<std::filesystem::path> inputsOf(const Options& o) {
    std::vector<std::filesystem::path> inputs;
    for (const auto* f : {&o.jdx, &o.dl, &o.zdm, &o.cg, &o.layout})
        if (*f) inputs.emplace_back(**f);
    return inputs;
}

// Writes text to standard output; a failed write (a full disk, a closed pipe) throws WriteError.
void writeStandardOutput(std::ostream& out, std::string_view text) {
    errno = 0;
    out << text;
    out.flush();
    if (!out) throw WriteError(StandardOutputFailureText(errno != 0 ? errno : EIO));
}

// Writes text to the file named by an output option ("-" = standard output), completely or not at all.
void writeOutput(const Options& o, const std::string& target, std::string_view text, std::ostream& out) {
    if (target == "-") return writeStandardOutput(out, text);
    WriteOutputFile(target, text, OutputRules{inputsOf(o), true});
}

std::string stationsJson(const std::vector<StationRow>& rows) {
    std::string s = "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StationRow& r = rows[i];
        s += "  {\"station\": " + numberText(r.station) + ", \"nominalStation\": " + numberText(r.nominalStation) +
             ", \"x\": " + jsonNumber(r.x) + ", \"y\": " + jsonNumber(r.y) + ", \"bearing\": " + jsonNumber(r.bearing) +
             ", \"elevation\": " + numberText(r.elevation) + ", \"leftSlope\": " + numberText(r.leftSlope) +
             ", \"rightSlope\": " + numberText(r.rightSlope) + "}";
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

int runStations(const Options& o, AppState& state, CommandPort& port, std::ostream& out) {
    std::string json, csv;
    const bool ok = RunCommand(port, [&] {
        const ProjectData& p = state.project;
        const auto rows = StationTable(p.road(ReadsPlan(p.mode)), StationOfText(p.chainBreaks, o.from),
                                       StationOfText(p.chainBreaks, o.to), o.step, o.offset);
        if (o.json) json = stationsJson(rows);
        if (o.csv) csv = stationsCsv(rows);
    });
    if (!ok) return 1;
    const bool written = RunCommand(port, [&] {
        if (o.json) writeOutput(o, *o.json, json, out);
        if (o.csv) writeOutput(o, *o.csv, csv, out);
    });
    return written ? 0 : 1;
}

// The results as JSON; `warnings` are those of loading the road and of the calculation.
std::string calcJson(const std::string& mode, const CalculationResult& r, const std::vector<std::string>& warnings) {
    const PedestalLayout& l = r.layout;
    const PedestalResultTables& t = r.tables;
    std::string s = "{\n  \"mode\": " + jsonString(mode) + ",\n  \"warnings\": [";
    for (std::size_t k = 0; k < warnings.size(); ++k) s += (k ? ", " : "") + jsonString(warnings[k]);
    s += "],\n  \"skewAngle\": " + numberText(l.skewAngle) + ",\n  \"pedestalDistances\": [";
    for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k)
        s += (k ? ", " : "") + numberText(l.pedestalDistances[k]);
    s += "],\n  \"piers\": [";
    for (std::size_t i = 0; i < l.piers.size(); ++i) {
        const PierRecord& p = l.piers[i];
        const PierSection& sec = r.sections[i];
        s += i ? ",\n" : "\n";
        s += "    {\"pierName\": " + jsonString(p.pierName) + ", \"baseStation\": " + numberText(p.baseStation) +
             ", \"stationShift\": " + numberText(p.stationShift) +
             ", \"referenceStation\": " + numberText(p.referenceStation) +
             ", \"referenceNominalStation\": " + numberText(p.referenceNominalStation) +
             ", \"deckToTopDepth\": " + numberText(p.deckToTopDepth) +
             ", \"designPedestalHeight\": " + numberText(p.designPedestalHeight) +
             ", \"sideMark\": " + jsonString(SideMarkText(p.sideMark)) +
             ",\n     \"section\": {\"pierStation\": " + numberText(sec.pierStation) + ", \"edges\": {";
        for (int e = LO; e <= RO; ++e) {
            s += std::string(e ? ", " : "") + "\"" + kEdgeNames[e] +
                 "\": {\"nominalStation\": " + numberText(sec.edgeNominalStation[e]) +
                 ", \"station\": " + numberText(sec.edgeStation[e]) +
                 ", \"distance\": " + numberText(sec.edgeDistance[e]) +
                 ", \"elevation\": " + numberText(sec.edgeElevation[e]) + ", \"x\": " + jsonNumber(sec.edgeX[e]) +
                 ", \"y\": " + jsonNumber(sec.edgeY[e]) + "}";
        }
        s += "}, \"leftAxisSlope\": " + numberText(sec.leftAxisSlope) +
             ", \"rightAxisSlope\": " + numberText(sec.rightAxisSlope) + "},\n     \"pedestals\": [";
        for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k) {
            s += k ? ",\n       " : "\n       ";
            s += "{\"distance\": " + numberText(l.pedestalDistances[k]) +
                 ", \"station\": " + numberText(t.pedestalStation[i][k]) +
                 ", \"nominalStation\": " + numberText(t.pedestalNominalStation[i][k]) +
                 ", \"offset\": " + numberText(t.pedestalOffset[i][k]) +
                 ", \"crossSlope\": " + numberText(t.pedestalCrossSlope[i][k]) +
                 ", \"deckElevation\": " + numberText(t.deckElevation[i][k]) +
                 ", \"topElevation\": " + numberText(t.pedestalTopElevation[i][k]) +
                 ", \"capTopElevation\": " + numberText(t.capTopElevation[i][k]) +
                 ", \"height\": " + numberText(t.pedestalHeight[i][k]) + ", \"x\": " + jsonNumber(t.pedestalX[i][k]) +
                 ", \"y\": " + jsonNumber(t.pedestalY[i][k]) + "}";
        }
        s += "]}";
    }
    return s + "\n  ]\n}\n";
}

// A number with three decimals, right-aligned in `width` characters.
std::string fixed3(double v, int width) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%*.3f", width, v);
    return buf;
}

// The readable table of a calculation: per pier its name and station, then one line per pedestal the pier's
// tables list (the side rule) with its offset, top elevation and height.
std::string calcTable(const CalculationResult& r) {
    const PedestalLayout& l = r.layout;
    const PedestalResultTables& t = r.tables;
    std::string s = "斜交角 " + plainNumber(l.skewAngle) + " 度，" + std::to_string(l.piers.size()) + " 个墩台，每墩 " +
                    std::to_string(l.pedestalDistances.size()) + " 个垫石\n";
    for (std::size_t i = 0; i < l.piers.size(); ++i) {
        const PierRecord& p = l.piers[i];
        s += "\n墩台 " + p.pierName + "  桩号 " + StationKText(p.referenceNominalStation) + "\n";
        // Aligned for a terminal, where a Chinese character takes two columns.
        s += "    垫石     偏距(m)   顶面高程(m)   垫石高度(m)\n";
        for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k) {
            if (!Lists(p.sideMark, l.pedestalDistances[k])) continue;
            char number[32];
            std::snprintf(number, sizeof number, "%6zu", k + 1);
            s += std::string("  ") + number + fixed3(t.pedestalOffset[i][k], 12) +
                 fixed3(t.pedestalTopElevation[i][k], 14) + fixed3(t.pedestalHeight[i][k], 14) + "\n";
        }
    }
    return s;
}

int runCalc(const Options& o, AppState& state, CommandPort& port, std::ostream& out) {
    CalculateOptions options;
    options.writeWorkbook = o.xlsx.has_value();
    if (o.xlsx) options.workbookPath = *o.xlsx;
    const auto result = CalculateCommand(state, modeOf(o.mode), port, options);
    if (!result) return 1;
    const bool written = RunCommand(port, [&] {
        if (o.json) {
            std::vector<std::string> warnings = state.project.warnings;
            warnings.insert(warnings.end(), result->warnings.begin(), result->warnings.end());
            writeOutput(o, *o.json, calcJson(o.mode, *result, warnings), out);
        }
        if (o.dxf) {
            const bool curved = ReadsPlan(modeOf(o.mode));
            writeOutput(o, *o.dxf, DxfText(BuildPlanDrawing(state.project.road(curved), *result)), out);
        }
        if (!o.json && !o.xlsx && !o.dxf) writeStandardOutput(out, calcTable(*result));
    });
    return written ? 0 : 1;
}

// The road files and the mode, shared by both subcommands.
void addRoadOptions(CLI::App& cmd, Options& o) {
    cmd.add_option("--mode", o.mode,
                   "straight (no plan file), mainline (plan by intersection points, then chain breaks) or "
                   "interchange (plan by elements, no chain-break file)")
        ->required()
        ->check(CLI::IsMember({"straight", "mainline", "interchange"}));
    cmd.add_option("--jdx", o.jdx, "plan alignment (mainline, interchange)");
    cmd.add_option("--dl", o.dl, "chain breaks (straight, mainline)");
    cmd.add_option("--zdm", o.zdm, "vertical profile");
    cmd.add_option("--cg", o.cg, "superelevation");
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    CLI::App app(
        "Tavrel: bearing pedestals of a bridge on its road, and the station table of the road. Input "
        "files are GBK (code page 936) or UTF-8 text.",
        "tavrel-cli");
    app.set_version_flag("--version", std::string("tavrel-cli ") + TAVREL_VERSION);
    app.require_subcommand(1);

    CLI::App* calc = app.add_subcommand("calc", "Load the road, calculate every pedestal of the layout file");
    addRoadOptions(*calc, o);
    calc->add_option("--layout", o.layout, "pedestal layout (*.txt)");
    calc->add_option("--json", o.json, "write the results as JSON (- = standard output)");
    calc->add_option("--xlsx", o.xlsx, "write the result workbook");
    calc->add_option("--dxf", o.dxf,
                     "write the plan drawing as DXF (CAD x = east = survey Y, CAD y = north = survey X)");
    calc->footer("Without --json, --xlsx or --dxf a readable table of the results goes to standard output.");

    CLI::App* stations = app.add_subcommand("stations", "Station-by-station table of the road (逐桩坐标表)");
    addRoadOptions(*stations, o);
    const auto stationText = CLI::Validator(checkStationText, "STATION", "station text");
    stations->add_option("--from", o.from, "first station (a chain mark allowed: B1234.5)")
        ->required()
        ->check(stationText);
    stations->add_option("--to", o.to, "last station, always the last row")->required()->check(stationText);
    stations->add_option("--step", o.step, "step in metres (continuous stepping)")->required();
    stations->add_option("--offset", o.offset, "offset in metres, positive to the left (default 0)");
    stations->add_option("--json", o.json, "write the rows as JSON (- = standard output)");
    stations->add_option("--csv", o.csv, "write the rows as CSV (- = standard output)");

    try {
        if (!args.empty() && args[0] != "calc" && args[0] != "stations" && args[0].rfind('-', 0) != 0)
            throw UsageError{"unknown command: " + args[0]};
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // the parser takes them last first
        app.parse(reversed);
        if (stations->parsed() && !o.json && !o.csv) throw UsageError{"stations needs --json and/or --csv"};
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "tavrel-cli: " << e.what() << '\n' << app.help();
        return 2;
    } catch (const UsageError& e) {
        err << "tavrel-cli: " << e.text << '\n' << app.help();
        return 2;
    }

    CliPort port(filesOf(o), err);
    AppState state;
    if (!InitializeCommand(state, modeOf(o.mode), port)) return 1;
    if (stations->parsed()) return runStations(o, state, port, out);
    return runCalc(o, state, port, out);
}

}  // namespace tavrel
