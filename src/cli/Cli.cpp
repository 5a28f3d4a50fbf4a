#include "cli/Cli.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/CalculateCommand.h"
#include "app/InitializeCommand.h"
#include "app/ProjectCommands.h"
#include "app/RunCommand.h"
#include "cli/CliPort.h"
#include "common/NumberText.h"
#include "common/OutputFile.h"
#include "drawing/BuildPlan.h"
#include "drawing/Dxf.h"
#include "input/ProjectFile.h"
#include "excel/ExcelApp.h"
#include "excel/ResultWorkbookFile.h"
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
    std::optional<std::string> landxml, alignment, profile, project;
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
    if (name == "landxml") return RoadMode::LandXml;
    return RoadMode::Straight;
}

std::map<DialogId, std::filesystem::path> filesOf(const Options& o) {
    std::map<DialogId, std::filesystem::path> files;
    const std::pair<const std::optional<std::string>*, DialogId> map[] = {
        {&o.jdx, DialogId::PlanFile},    {&o.cg, DialogId::SuperelevationFile}, {&o.dl, DialogId::ChainBreakFile},
        {&o.zdm, DialogId::ProfileFile}, {&o.layout, DialogId::LayoutFile},     {&o.landxml, DialogId::LandXmlFile}};
    for (const auto& [value, id] : map)
        if (*value) files[id] = **value;
    return files;
}

// No point of interest lies farther from the road's centreline; beyond, the arithmetic of offsets loses its sense.
constexpr double kMaxOffset = 10000;  // m

// An offset: a finite number of metres within kMaxOffset either side.
std::string checkOffset(const std::string& v) {
    const auto x = StrictNumber(v);
    if (!x || !(std::fabs(*x) <= kMaxOffset))
        return "must be a number of metres from " + PlainNumber(-kMaxOffset) + " to " + PlainNumber(kMaxOffset) + ": " +
               v;
    return {};
}

// A station text: a number of metres, optionally preceded by a chain mark letter.
std::string checkStationText(const std::string& v) {
    const std::string_view number =
        (!v.empty() && v[0] >= 'A' && v[0] <= 'Z') ? std::string_view(v).substr(1) : std::string_view(v);
    if (!StrictNumber(number)) return "must be a station such as 1234.5 or B1234.5: " + v;
    return {};
}

// The files a run reads: no output may be written onto one of them.
std::vector<std::filesystem::path> inputsOf(const Options& o) {
    std::vector<std::filesystem::path> inputs;
    for (const auto* f : {&o.jdx, &o.dl, &o.zdm, &o.cg, &o.layout, &o.landxml, &o.project})
        if (*f) inputs.emplace_back(**f);
    return inputs;
}

// Fills what the command line left out from the project file: the mode, the road files and (calc) the layout.
// Only the project's files that are used are looked for: those of the mode in force that no option replaces.
void applyProject(Options& o, bool readsLayout) {
    const std::filesystem::path file = *o.project;
    ProjectFile p = ReadProjectFile(file, /*checkFiles*/ false);
    InFile(file, [&] {
        if (o.mode.empty()) {
            RoadModeOf(p);  // a mode this program has not is refused here, at the project's line
            o.mode = ProjectRoadFormName(p.form);
        }
        const auto form = ProjectRoadFormNamed(o.mode);
        const std::pair<std::optional<std::string>*, std::optional<ProjectPath> ProjectFile::*> options[] = {
            {&o.jdx, &ProjectFile::plan},      {&o.dl, &ProjectFile::chainBreaks},
            {&o.zdm, &ProjectFile::profile},   {&o.cg, &ProjectFile::superelevation},
            {&o.layout, &ProjectFile::layout}, {&o.landxml, &ProjectFile::landXml}};
        for (const ProjectFileEntry& entry : ProjectFileEntries()) {
            const bool replaced = std::any_of(std::begin(options), std::end(options), [&](const auto& option) {
                return option.second == entry.member && option.first->has_value();
            });
            const bool used =
                form && ProjectFormReads(*form, entry) && (readsLayout || entry.member != &ProjectFile::layout);
            if (replaced || !used) (p.*entry.member).reset();
        }
        CheckProjectFilesExist(p);
        // The project's alignment and profile go with the project's LandXML file.
        if (p.landXml && !o.alignment && !p.alignment.empty()) o.alignment = p.alignment;
        if (p.landXml && !o.profile && !p.profAlign.empty()) o.profile = p.profAlign;
        for (const auto& [option, member] : options)
            if (p.*member) *option = (p.*member)->path.string();
    });
}

// The outputs a command line names, with their options, in the order they are written.
std::vector<std::pair<std::string, std::string>> outputsOf(const Options& o) {
    std::vector<std::pair<std::string, std::string>> outputs;
    const std::pair<const char*, const std::optional<std::string>*> named[] = {
        {"--xlsx", &o.xlsx}, {"--json", &o.json}, {"--csv", &o.csv}, {"--dxf", &o.dxf}};
    for (const auto& [option, value] : named)
        if (*value) outputs.emplace_back(option, **value);
    return outputs;
}

// Whether two output targets are one: both standard output, one path spelt two ways, or two links to one file.
bool sameTarget(const std::string& a, const std::string& b) {
    if (a == "-" || b == "-") return a == b;
    std::error_code ea, eb, same;
    const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ea), ea);
    const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, eb), eb);
    return (!ea && !eb && ca == cb) || std::filesystem::equivalent(a, b, same);
}

// Two outputs onto one target: each would replace the other.
void refuseSharedTargets(const Options& o) {
    const auto outputs = outputsOf(o);
    for (std::size_t i = 0; i < outputs.size(); ++i)
        for (std::size_t j = i + 1; j < outputs.size(); ++j)
            if (sameTarget(outputs[i].second, outputs[j].second))
                throw UsageError{outputs[i].first + " and " + outputs[j].first +
                                 " name the same output: " + ShownName(outputs[j].second)};
}

// Every output file checked before anything is read or written, as it will be written (WriteError).
void checkTargets(const Options& o) {
    const OutputRules rules{inputsOf(o), true};
    for (const auto& [option, target] : outputsOf(o)) {
        if (target == "-") continue;
        CheckOutputTarget(target, rules);
        if (option == "--xlsx") RefuseOpenWorkbook(target);
    }
}

// Writes text to standard output; a failed write (a full disk, a closed pipe) throws WriteError.
void writeStandardOutput(std::ostream& out, std::string_view text) {
    errno = 0;
    out << text;
    out.flush();
    if (!out) throw WriteError(StandardOutputFailureText(errno != 0 ? errno : EIO));
}

// The outputs of one run, published together: files staged beside their targets, standard output collected.
struct RunOutputs {
    OutputSet files;
    std::string standardOutput;
    // The text as the whole content of the output named by an option ("-" = standard output).
    void add(const std::string& target, std::string_view text) {
        if (target == "-") standardOutput += text;
        else files.add(target, text);
    }
};

// Makes every output of the run (fill(outputs)), then writes standard output and puts the files in place: a
// failure anywhere leaves no output file behind.
template <class Fill>
int publishOutputs(const Options& o, CommandPort& port, std::ostream& out, Fill fill) {
    const bool written = RunCommand(port, [&] {
        RunOutputs outputs{OutputSet(OutputRules{inputsOf(o), true}), {}};
        fill(outputs);
        if (!outputs.standardOutput.empty()) writeStandardOutput(out, outputs.standardOutput);
        outputs.files.publish();
    });
    return written ? 0 : 1;
}

int runStations(const Options& o, AppState& state, CommandPort& port, std::ostream& out) {
    return publishOutputs(o, port, out, [&](RunOutputs& outputs) {
        const ProjectData& p = state.project;
        const auto rows = StationTable(p.road(ReadsPlan(p.mode)), StationOfText(p.chainBreaks, o.from),
                                       StationOfText(p.chainBreaks, o.to), o.step, o.offset);
        if (o.json) outputs.add(*o.json, StationJson(rows));
        if (o.csv) outputs.add(*o.csv, StationCsv(rows));
    });
}

int runCalc(const Options& o, AppState& state, CommandPort& port, std::ostream& out) {
    CalculateOptions options;
    options.writeWorkbook = false;  // written with the other outputs, all or none
    const auto outcome = CalculateCommand(state, modeOf(o.mode), port, options);
    if (!outcome) return 1;
    return publishOutputs(o, port, out, [&](RunOutputs& outputs) {
        if (o.xlsx)
            AddResultWorkbook(outputs.files, outcome->calculation,
                              ResultSource{outcome->layoutFile, outcome->project->roadFiles}, *o.xlsx);
        if (o.json) outputs.add(*o.json, ResultJson(o.mode, outcome->calculation, outcome->warnings));
        if (o.dxf) outputs.add(*o.dxf, DxfText(BuildPlanDrawing(outcome->road(), outcome->calculation)));
        if (!o.json && !o.xlsx && !o.dxf) outputs.add("-", ReadableTable(outcome->calculation));
    });
}

// Usage or version text to standard output: exit status 0, or 1 with the message of a failed write.
int printInformation(std::ostream& out, std::ostream& err, std::string_view text) {
    try {
        writeStandardOutput(out, text);
        return 0;
    } catch (const WriteError& e) {
        err << kErrorTitle << ": " << e.what() << '\n';
        return 1;
    }
}

// The road files and the mode, shared by both subcommands.
void addRoadOptions(CLI::App& cmd, Options& o) {
    cmd.add_option("--mode", o.mode,
                   "straight (no plan file), mainline (plan by intersection points, then chain breaks), "
                   "interchange (plan by elements, no chain-break file) or landxml (plan, station equations and "
                   "profile from one LandXML file); required without --project")
        ->check(CLI::IsMember({"straight", "mainline", "interchange", "landxml"}));
    cmd.add_option("--project", o.project,
                   "a project file (.tavrel) naming the mode and the files; explicit options override it");
    cmd.add_option("--jdx", o.jdx, "plan alignment (mainline, interchange)");
    cmd.add_option("--dl", o.dl, "chain breaks (straight, mainline)");
    cmd.add_option("--zdm", o.zdm, "vertical profile (straight, mainline, interchange)");
    cmd.add_option("--cg", o.cg, "superelevation");
    cmd.add_option("--landxml", o.landxml, "LandXML file (landxml)");
    cmd.add_option("--alignment", o.alignment, "which Alignment of the LandXML file (needed when it holds several)");
    cmd.add_option("--profile", o.profile, "which ProfAlign of that alignment (default: its first)");
}

// The LandXML options go with --mode landxml and the road files of the other modes do not; calc needs the
// superelevation (the stations go without it, leaving the slopes out).
std::optional<UsageError> landXmlUsageError(const Options& o, bool calc) {
    if (o.mode != "landxml") {
        if (o.landxml || o.alignment || o.profile)
            return UsageError{"--landxml, --alignment and --profile go with --mode landxml"};
        return std::nullopt;
    }
    if (o.jdx || o.dl || o.zdm)
        return UsageError{
            "--mode landxml reads the plan, station equations and profile from --landxml; "
            "--jdx, --dl and --zdm are not used"};
    if (!o.landxml) return UsageError{"--mode landxml needs --landxml FILE"};
    if (calc && !o.cg) return UsageError{"calc --mode landxml needs --cg FILE (superelevation)"};
    return std::nullopt;
}

// What the initialise command takes from the command line besides the files.
LoadOptions loadOptionsOf(const Options& o, bool calc) {
    LoadOptions options;
    options.landXmlAlignment = o.alignment.value_or("");
    options.landXmlProfile = o.profile.value_or("");
    options.readSuperelevation = calc || o.cg.has_value() || o.mode != "landxml";
    return options;
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
    stations->add_option("--offset", o.offset, "offset in metres, positive to the left (default 0)")
        ->check(CLI::Validator(checkOffset, "METRES", "offset"));
    stations->add_option("--json", o.json, "write the rows as JSON (- = standard output)");
    stations->add_option("--csv", o.csv, "write the rows as CSV (- = standard output)");

    try {
        if (!args.empty() && args[0] != "calc" && args[0] != "stations" && args[0].rfind('-', 0) != 0)
            throw UsageError{"unknown command: " + args[0]};
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // the parser takes them last first
        app.parse(reversed);
        if (stations->parsed() && !o.json && !o.csv) throw UsageError{"stations needs --json and/or --csv"};
        if (o.mode.empty() && !o.project) throw UsageError{"--mode (or --project) is required"};
        refuseSharedTargets(o);
    } catch (const CLI::CallForHelp&) {
        return printInformation(out, err, app.help());
    } catch (const CLI::CallForVersion& e) {
        return printInformation(out, err, std::string(e.what()) + '\n');
    } catch (const CLI::ParseError& e) {
        err << "tavrel-cli: " << e.what() << '\n' << app.help();
        return 2;
    } catch (const UsageError& e) {
        err << "tavrel-cli: " << e.text << '\n' << app.help();
        return 2;
    }

    if (o.project) {
        CliPort projectPort({}, err);
        if (!RunCommand(projectPort, [&] { applyProject(o, calc->parsed()); })) return 1;
    }
    // Checked once the project has filled in the mode and the files.
    if (const auto e = landXmlUsageError(o, calc->parsed())) {
        err << "tavrel-cli: " << e->text << '\n' << app.help();
        return 2;
    }
    CliPort port(filesOf(o), err);
    const int status = [&] {
        if (!RunCommand(port, [&] { checkTargets(o); })) return 1;
        AppState state;
        if (!InitializeCommand(state, modeOf(o.mode), port, loadOptionsOf(o, calc->parsed()))) return 1;
        if (stations->parsed()) return runStations(o, state, port, out);
        return runCalc(o, state, port, out);
    }();
    port.showHeldWarnings();
    return status;
}

}  // namespace tavrel
