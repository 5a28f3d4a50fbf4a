// The whole pipeline on one input: the road files and the layout of one run are loaded by the initialise command
// and calculated by the calculate command, as the window and the command line do, and every output is written to
// memory (JSON, the readable table, the point file, the DXF drawing and the workbook's sheets). The input is one mode
// byte ('0' straight, '1' main line, '2' interchange, '3' LandXML; others by their value mod 4) followed by the plan
// (LandXML: the LandXML file), chain-break, profile, superelevation and layout files separated by NUL bytes.
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>

#include "FuzzSupport.h"
#include "app/AppState.h"
#include "app/CalculateCommand.h"
#include "app/InitializeCommand.h"
#include "drawing/BuildPlan.h"
#include "drawing/Dxf.h"
#include "excel/PedestalTables.h"
#include "report/PointsFile.h"
#include "report/ReadableTable.h"
#include "report/ResultJson.h"

namespace {

using namespace tavrel;

// Serves the run's files to the commands' dialogs and swallows their messages.
class FilePort : public CommandPort {
public:
    std::map<DialogId, std::filesystem::path> files;
    std::optional<std::filesystem::path> askFile(DialogId id, std::string_view, std::string_view) override {
        const auto f = files.find(id);
        if (f == files.end()) return std::nullopt;
        return f->second;
    }
    void showMessage(std::string_view, std::string_view, MessageIcon) override {}
    void showWarnings(const std::vector<std::string>&) override {}
    void deliverWorkbook(const std::filesystem::path&) override {}
};

// A folder of this process for the run's files: in memory where the system offers one.
const std::filesystem::path& RunFolder() {
    static const std::filesystem::path dir = [] {
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
        auto d = base / ("tavrel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

void AbortUnlessFiniteResult(const CalculationResult& r) {
    const auto tables = {&r.tables.pedestalNominalStation, &r.tables.deckElevation,        &r.tables.pedestalCrossSlope,
                         &r.tables.pedestalOffset,         &r.tables.pedestalTopElevation, &r.tables.capTopElevation,
                         &r.tables.pedestalHeight,         &r.tables.pedestalStation};
    for (const ResultTable* t : tables)
        for (const auto& row : *t)
            for (double v : row) fuzz::AbortUnlessFinite(v, "result table value");
    for (const auto* points : {&r.tables.pedestalX, &r.tables.pedestalY})
        for (const auto& row : *points)
            for (const auto& v : row)
                if (v) fuzz::AbortUnlessFinite(*v, "pedestal coordinate");
    for (const PierSection& s : r.sections) {
        for (int e = 0; e < 4; ++e) {
            fuzz::AbortUnlessFinite(s.edgeStation[e], "edge station");
            fuzz::AbortUnlessFinite(s.edgeNominalStation[e], "edge written station");
            fuzz::AbortUnlessFinite(s.edgeDistance[e], "edge distance");
            fuzz::AbortUnlessFinite(s.edgeElevation[e], "edge elevation");
            if (s.edgeX[e]) fuzz::AbortUnlessFinite(*s.edgeX[e], "edge x");
            if (s.edgeY[e]) fuzz::AbortUnlessFinite(*s.edgeY[e], "edge y");
        }
        fuzz::AbortUnlessFinite(s.leftAxisSlope, "axis slope");
        fuzz::AbortUnlessFinite(s.rightAxisSlope, "axis slope");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    constexpr std::array modes{RoadMode::Straight, RoadMode::MainLine, RoadMode::Interchange, RoadMode::LandXml};
    const RoadMode mode = modes[data[0] % modes.size()];
    constexpr std::array<std::pair<DialogId, const char*>, 5> parts{{{DialogId::PlanFile, "plan.jdx"},
                                                                     {DialogId::ChainBreakFile, "road.dl"},
                                                                     {DialogId::ProfileFile, "road.zdm"},
                                                                     {DialogId::SuperelevationFile, "road.cg"},
                                                                     {DialogId::LayoutFile, "bridge.txt"}}};
    FilePort port;
    std::string_view rest = fuzz::BytesOf(data + 1, size - 1);
    for (const auto& [id, name] : parts) {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        const auto path = RunFolder() / name;
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(rest.data(), static_cast<std::streamsize>(end));
        port.files[id] = path;
        if (id == DialogId::PlanFile) port.files[DialogId::LandXmlFile] = path;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }

    AppState state;
    if (!InitializeCommand(state, mode, port)) return 0;
    CalculateOptions options;
    options.writeWorkbook = false;
    const auto outcome = CalculateCommand(state, mode, port, options);
    if (!outcome) return 0;
    const CalculationResult& result = outcome->calculation;
    AbortUnlessFiniteResult(result);
    fuzz::ExpectingReportedFailures([&] {
        ResultJson("fuzz", result, outcome->warnings);
        ReadableTable(result);
        PointsFile(result);
        DxfText(BuildPlanDrawing(outcome->road(), result));
        ResultWorkbook(result, ResultSource{outcome->layoutFile, outcome->project->roadFiles});
    });
    return 0;
}
