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

int runStations(const Options& o, AppState& state, CommandPort& port, std::ostream& out) {
    std::string json, csv, table;
    const bool ok = RunCommand(port, [&] {
        const ProjectData& p = state.project;
        const auto rows = StationTable(p.road(ReadsPlan(p.mode)), StationOfText(p.chainBreaks, o.from),
                                       StationOfText(p.chainBreaks, o.to), o.step, o.offset);
        if (o.json) json = StationJson(rows);
        if (o.csv) csv = StationCsv(rows);
        if (!o.json && !o.csv) table = ReadableStationTable(rows, o.offset);
    });
    if (!ok) return 1;
    const bool written = RunCommand(port, [&] {
        if (o.json) writeOutput(o, *o.json, json, out);
        if (o.csv) writeOutput(o, *o.csv, csv, out);
        if (!o.json && !o.csv) writeStandardOutput(out, table);
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
        if (!o.json && !o.xlsx && !o.dxf) writeStandardOutput(out, ReadableTable(outcome->calculation));
    });
    return written ? 0 : 1;
}

// The road files and the mode, shared by both subcommands.
void addRoadOptions(CLI::App& cmd, Options& o) {
    cmd.add_option(
           "--mode", o.mode,
           "（必需）道路的形式：straight（直线桥，不读平面资料；读断链、纵断面、超高资料）、mainline（曲线斜交桥，"
           "平面资料为交点法—主线，并读断链资料）或 interchange（曲线斜交桥，平面资料为积木法—互通，不读断链资料）")
        ->check(CLI::IsMember({"straight", "mainline", "interchange"}));
    cmd.add_option("--jdx", o.jdx, "平面资料（*.jdx；mainline、interchange 需要）")->type_name("FILE");
    cmd.add_option("--dl", o.dl, "断链资料（*.dl；straight、mainline 需要）")->type_name("FILE");
    cmd.add_option("--zdm", o.zdm, "纵断面设计资料（*.zdm）")->type_name("FILE");
    cmd.add_option("--cg", o.cg, "超高资料（*.cg）")->type_name("FILE");
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
    calc->footer(
        "不给 --json、--xlsx、--dxf 时，结果以表格形式写到标准输出。\n"
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
    stations->add_option("--offset", o.offset, "偏距（米，左正右负，默认 0）")->type_name("METRES");
    stations->add_option("--json", o.json, "把各行写成 JSON（- 表示标准输出）")->type_name("FILE");
    stations->add_option("--csv", o.csv, "把各行写成 CSV（- 表示标准输出）")->type_name("FILE");
    stations->footer(
        "不给 --json、--csv 时，以表格形式写到标准输出（三位小数，方位角为度分秒）。\n"
        "例：tavrel-cli stations --mode straight --dl road.dl --zdm road.zdm --cg road.cg --from 2000 --to 2800 "
        "--step 20");
    return stations;
}

// A usage error naming every option the command needs and the command line left out: the mode, the input files
// the chosen mode (and, for calc, the calculation) reads, the stations' range and step. (The parser's own
// "required" would say so in its words, in English.)
void requireOptions(const CLI::App& command, const Options& o) {
    const bool calc = command.get_name() == "calc";
    if (command.count("--mode") == 0)
        throw UsageError{command.get_name() + " 需要 --mode（straight、mainline 或 interchange）"};
    const RoadMode mode = modeOf(o.mode);
    struct Needed {
        const char* name;
        const char* holds;
        bool needed;
    };
    const Needed options[] = {{"--jdx", "平面资料", ReadsPlan(mode)}, {"--dl", "断链资料", ReadsChainBreaks(mode)},
                              {"--zdm", "纵断面设计资料", true},      {"--cg", "超高资料", true},
                              {"--layout", "垫石设置资料", calc},     {"--from", "第一个桩号", !calc},
                              {"--to", "最后一个桩号", !calc},        {"--step", "桩距", !calc}};
    std::string missing;
    for (const Needed& n : options)
        if (n.needed && command.count(n.name) == 0)
            missing += (missing.empty() ? "" : "、") + std::string(n.name) + "（" + n.holds + "）";
    if (!missing.empty()) throw UsageError{command.get_name() + " --mode " + o.mode + " 需要 " + missing};
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
            throw UsageError{"unknown command: " + args[0]};
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // the parser takes them last first
        app.parse(reversed);
        requireOptions(calc->parsed() ? *calc : *stations, o);
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
