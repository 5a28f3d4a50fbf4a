#include "cli/Cli.h"

#include <map>
#include <optional>
#include <ostream>

#include "app/Initialize.h"
#include "cli/CliPort.h"

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

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    (void)out;
    Options o;
    Mode mode;
    try {
        o = parseArgs(args);
        mode = parseMode(o);
    } catch (const UsageError& e) {
        err << "tavrel-cli: " << e.text << '\n' << kUsage;
        return 2;
    }
    CliPort port(filesOf(o), err);
    AppState state;
    if (!InitializeCommand(state, mode, port)) return 1;
    err << "tavrel-cli: the road was loaded; " << o.command << " is not available in this build yet\n";
    return 3;
}

}  // namespace tavrel
