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
#include "common/NumberText.h"
#include "common/OutputFile.h"
#include "drawing/BuildPlan.h"
#include "drawing/Dxf.h"
#include "report/PointsFile.h"
#include "report/ReadableTable.h"
#include "report/ResultJson.h"
#include "report/StationCsv.h"
#include "report/StationJson.h"
#include "road/StationTable.h"

namespace tavrel {

namespace {

// What the command line asked for, once parsed.
struct Options {
    std::string mode;
    std::optional<std::string> jdx, dl, zdm, cg, layout;
    std::optional<std::string> json, xlsx, csv, dxf, points;
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

int runStations(const Options& o, AppState& state, CommandPort& port, std::ostream& out) {
    std::string json, csv;
    const bool ok = RunCommand(port, [&] {
        const ProjectData& p = state.project;
        const auto rows = StationTable(p.road(ReadsPlan(p.mode)), StationOfText(p.chainBreaks, o.from),
                                       StationOfText(p.chainBreaks, o.to), o.step, o.offset);
        if (o.json) json = StationJson(rows);
        if (o.csv) csv = StationCsv(rows);
    });
    if (!ok) return 1;
    const bool written = RunCommand(port, [&] {
        if (o.json) writeOutput(o, *o.json, json, out);
        if (o.csv) writeOutput(o, *o.csv, csv, out);
    });
    return written ? 0 : 1;
}

int runCalc(const Options& o, AppState& state, CommandPort& port, std::ostream& out) {
    CalculateOptions options;
    options.writeWorkbook = o.xlsx.has_value();
    if (o.xlsx) options.workbookPath = *o.xlsx;
    const auto outcome = CalculateCommand(state, modeOf(o.mode), port, options);
    if (!outcome) return 1;
    const bool written = RunCommand(port, [&] {
        if (o.json) writeOutput(o, *o.json, ResultJson(o.mode, outcome->calculation, outcome->warnings), out);
        if (o.dxf) writeOutput(o, *o.dxf, DxfText(BuildPlanDrawing(outcome->road(), outcome->calculation)), out);
        if (o.points) writeOutput(o, *o.points, PointsFile(outcome->calculation), out);
        if (!o.json && !o.xlsx && !o.dxf && !o.points) writeStandardOutput(out, ReadableTable(outcome->calculation));
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
    calc->add_option("--points", o.points,
                     "write a point file for total stations and CAD: CSV (UTF-8 with BOM), one row per listed "
                     "pedestal and per section edge point: name, X, Y, Z, station, offset");
    calc->footer("Without --json, --xlsx, --dxf or --points a readable table of the results goes to standard output.");

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
