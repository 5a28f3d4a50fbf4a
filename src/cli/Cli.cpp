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
#include "excel/ExcelApp.h"
#include "excel/ResultWorkbookFile.h"
#include "input/ProjectFile.h"
#include "report/PointsFile.h"
#include "report/ReadableStationTable.h"
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
        return "偏距应为 " + PlainNumber(-kMaxOffset) + " 到 " + PlainNumber(kMaxOffset) + " 之间的米数：" + v;
    return {};
}

// A station text: a number of metres, optionally preceded by a chain mark letter.
std::string checkStationText(const std::string& v) {
    const std::string_view number =
        (!v.empty() && v[0] >= 'A' && v[0] <= 'Z') ? std::string_view(v).substr(1) : std::string_view(v);
    if (!StrictNumber(number)) return "应为桩号，如 1234.5 或 B1234.5：" + v;
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
        {"--xlsx", &o.xlsx}, {"--json", &o.json}, {"--csv", &o.csv}, {"--dxf", &o.dxf}, {"--points", &o.points}};
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
                throw UsageError{outputs[i].first + " 和 " + outputs[j].first + " 指向同一个输出文件：" +
                                 ShownName(outputs[j].second)};
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
        if (!o.json && !o.csv) outputs.add("-", ReadableStationTable(rows, o.offset));
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
        if (o.points) outputs.add(*o.points, PointsFile(outcome->calculation));
        if (!o.json && !o.xlsx && !o.dxf && !o.points) outputs.add("-", ReadableTable(outcome->calculation));
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
                   "道路的形式（不给 --project 时必需）：straight（直线桥，不读平面资料；读断链、纵断面、超高资料）、"
                   "mainline（曲线斜交桥，平面资料为交点法—主线，并读断链资料）、interchange（曲线斜交桥，平面资料为"
                   "积木法—互通，不读断链资料）或 landxml（平面、断链和纵断面取自一个 LandXML 文件）")
        ->check(CLI::IsMember({"straight", "mainline", "interchange", "landxml"}));
    cmd.add_option("--project", o.project, "项目文件（*.tavrel），给出道路形式和各资料文件；命令行上的选项优先")
        ->type_name("FILE");
    cmd.add_option("--jdx", o.jdx, "平面资料（*.jdx；mainline、interchange 需要）")->type_name("FILE");
    cmd.add_option("--dl", o.dl, "断链资料（*.dl；straight、mainline 需要）")->type_name("FILE");
    cmd.add_option("--zdm", o.zdm, "纵断面设计资料（*.zdm；landxml 以外需要）")->type_name("FILE");
    cmd.add_option("--cg", o.cg, "超高资料（*.cg）")->type_name("FILE");
    cmd.add_option("--landxml", o.landxml, "LandXML 文件（*.xml；landxml 需要）")->type_name("FILE");
    cmd.add_option("--alignment", o.alignment, "LandXML 文件中的路线名（文件中有多条路线时需要）")->type_name("NAME");
    cmd.add_option("--profile", o.profile, "该路线的纵断面名（默认为第一个）")->type_name("NAME");
}

// The LandXML options go with --mode landxml and the road files of the other modes do not; calc needs the
// superelevation (the stations go without it, leaving the slopes out).
std::optional<UsageError> landXmlUsageError(const Options& o, bool calc) {
    if (o.mode != "landxml") {
        if (o.landxml || o.alignment || o.profile)
            return UsageError{"--landxml、--alignment、--profile 只用于 --mode landxml"};
        return std::nullopt;
    }
    if (o.jdx || o.dl || o.zdm)
        return UsageError{"--mode landxml 的平面、断链和纵断面都取自 --landxml 文件，不用 --jdx、--dl、--zdm"};
    if (!o.landxml) return UsageError{"--mode landxml 需要 --landxml（LandXML 文件）"};
    if (calc && !o.cg) return UsageError{"calc --mode landxml 需要 --cg（超高资料）"};
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

// The usage texts in the user's language: headings of the parser's own, the help and version flags. Set before
// the subcommands are added, which copy them.
void useChineseUsage(CLI::App& app) {
    auto formatter = app.get_formatter();
    formatter->label("Usage", "用法");
    formatter->label("OPTIONS", "选项");
    formatter->label("SUBCOMMAND", "子命令");
    app.option_defaults()->group("选项");
    app.set_help_flag("-h,--help", "显示本说明并退出");
    app.set_version_flag("--version", std::string("tavrel-cli ") + TAVREL_VERSION, "显示版本号并退出");
}

CLI::App* addCalc(CLI::App& app, Options& o) {
    CLI::App* calc = app.add_subcommand("calc", "读入道路资料，计算垫石设置资料中每个墩台的每个垫石");
    calc->group("子命令");
    calc->set_help_flag("-h,--help", "显示本说明并退出");  // made before the subcommand took the group
    addRoadOptions(*calc, o);
    calc->add_option("--layout", o.layout, "垫石设置资料（*.txt）")->type_name("FILE");
    calc->add_option("--json", o.json, "把结果写成 JSON 文件（- 表示标准输出）")->type_name("FILE");
    calc->add_option("--xlsx", o.xlsx, "把结果写成工作簿（与窗口程序写出的工作表相同）")->type_name("FILE");
    calc->add_option("--dxf", o.dxf, "把平面图写成 DXF 文件（CAD 的 x 为测量坐标 Y（东），y 为测量坐标 X（北））")
        ->type_name("FILE");
    calc->add_option("--points", o.points,
                     "把点文件写成 CSV（UTF-8，带 BOM；供全站仪和 CAD 读入）：每个列出的垫石点和断面边线点一行，"
                     "依次为点名、X、Y、Z、桩号、偏距")
        ->type_name("FILE");
    calc->footer(
        "不给 --json、--xlsx、--dxf、--points 时，结果以表格形式写到标准输出。\n"
        "例：tavrel-cli calc --mode mainline --jdx road.jdx --dl road.dl --zdm road.zdm --cg road.cg "
        "--layout bridge.txt --xlsx bridge.xlsx");
    return calc;
}

CLI::App* addStations(CLI::App& app, Options& o) {
    CLI::App* stations = app.add_subcommand("stations", "道路的逐桩坐标表：各桩号的坐标、方位角、高程和横坡");
    stations->group("子命令");
    stations->set_help_flag("-h,--help", "显示本说明并退出");  // made before the subcommand took the group
    addRoadOptions(*stations, o);
    const auto stationText = CLI::Validator(checkStationText, "STATION", "station text");
    stations->add_option("--from", o.from, "（必需）第一个桩号（可带断链字母，如 B1234.5）")->check(stationText);
    stations->add_option("--to", o.to, "（必需）最后一个桩号，总是最后一行")->check(stationText);
    stations->add_option("--step", o.step, "（必需）桩距（米，按连续桩号递增）")->type_name("METRES");
    stations->add_option("--offset", o.offset, "偏距（米，左正右负，默认 0）")
        ->check(CLI::Validator(checkOffset, "METRES", "offset"));
    stations->add_option("--json", o.json, "把各行写成 JSON（- 表示标准输出）")->type_name("FILE");
    stations->add_option("--csv", o.csv, "把各行写成 CSV（- 表示标准输出）")->type_name("FILE");
    stations->footer(
        "不给 --json、--csv 时，以表格形式写到标准输出（三位小数，方位角为度分秒）。\n"
        "例：tavrel-cli stations --mode straight --dl road.dl --zdm road.zdm --cg road.cg --from 2000 --to 2800 "
        "--step 20");
    return stations;
}

// A usage error naming every option the command needs and the command line (with the project) left out: the
// mode, the input files the chosen mode (and, for calc, the calculation) reads, the stations' range and step.
// (The parser's own "required" would say so in its words, in English.) Checked once the project has filled in
// the mode and the files.
std::optional<UsageError> missingOptions(const CLI::App& command, const Options& o) {
    const bool calc = command.get_name() == "calc";
    if (o.mode.empty())
        return UsageError{command.get_name() +
                          " 需要 --mode（straight、mainline、interchange 或 landxml）或 --project"};
    if (auto e = landXmlUsageError(o, calc)) return e;
    const RoadMode mode = modeOf(o.mode);
    const bool landXml = mode == RoadMode::LandXml;
    struct Needed {
        const char* name;
        const char* holds;
        bool needed, given;
    };
    const Needed options[] = {{"--jdx", "平面资料", ReadsPlan(mode) && !landXml, o.jdx.has_value()},
                              {"--dl", "断链资料", ReadsChainBreaks(mode), o.dl.has_value()},
                              {"--zdm", "纵断面设计资料", ReadsProfileFile(mode), o.zdm.has_value()},
                              {"--cg", "超高资料", calc || !landXml, o.cg.has_value()},
                              {"--layout", "垫石设置资料", calc, o.layout.has_value()},
                              {"--from", "第一个桩号", !calc, calc || command.count("--from") > 0},
                              {"--to", "最后一个桩号", !calc, calc || command.count("--to") > 0},
                              {"--step", "桩距", !calc, calc || command.count("--step") > 0}};
    std::string missing;
    for (const Needed& n : options)
        if (n.needed && !n.given)
            missing += (missing.empty() ? "" : "、") + std::string(n.name) + "（" + n.holds + "）";
    if (!missing.empty()) return UsageError{command.get_name() + " --mode " + o.mode + " 需要 " + missing};
    return std::nullopt;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    CLI::App app(
        "Tavrel 命令行：按道路资料计算桥梁各墩台垫石的桩号、偏距和高程（calc），或列出道路的逐桩坐标表"
        "（stations）。输入文件为 GBK（代码页 936）或 UTF-8 文本。",
        "tavrel-cli");
    useChineseUsage(app);
    app.require_subcommand(1);
    app.footer(
        "例：tavrel-cli calc --mode straight --dl road.dl --zdm road.zdm --cg road.cg --layout bridge.txt\n"
        "各子命令的选项：tavrel-cli calc --help，tavrel-cli stations --help。");
    CLI::App* calc = addCalc(app, o);
    CLI::App* stations = addStations(app, o);

    try {
        if (!args.empty() && args[0] != "calc" && args[0] != "stations" && args[0].rfind('-', 0) != 0)
            throw UsageError{"没有子命令“" + args[0] + "”（只有 calc 和 stations）"};
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // the parser takes them last first
        app.parse(reversed);
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
    if (const auto e = missingOptions(calc->parsed() ? *calc : *stations, o)) {
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
