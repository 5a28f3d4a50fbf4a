// Writes the sample workbooks that the file-level checks read back (check_workbook.py, check_shown_text.py,
// check_printed_pages.py):
//   skew.xlsx        skew 60: top elevations and heights, three pedestals, side marks ZY, Z, Y
//   square.xlsx      skew exactly 90: the square-pier table, four pedestals, whole stations
//   whole.xlsx       square piers with whole stations only, one pedestal
//   fractional.xlsx  the same with fractional stations
//   plan.xlsx        skew 60 with plane points (a stake-out sheet), edge RI without a point, long pier names
//   big.xlsx, big-square.xlsx   40 piers x 8 pedestals with plane points, skew 60 and 90, for the printed pages
//   session/         the three example projects calculated one after another in one run of the commands, as
//                    the window runs them: session/<example>/bridge.xlsx beside each copied layout
// The numbers are those of SampleResults.h; the scripts hold them too: change them together.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/CalculateCommand.h"
#include "app/FakePort.h"
#include "app/InitializeCommand.h"
#include "excel/ExcelApp.h"
#include "excel/PedestalTables.h"
#include "excel/SampleResults.h"

using namespace tavrel;
using tavrel::testing::SamplePier;
using tavrel::testing::SampleResult;
using tavrel::testing::WithPlanePoints;
namespace fs = std::filesystem;

namespace {

// The header names these files; none of them need exist.
const ResultSource kSource{"/projects/大桥/bridge.txt", {"/projects/大桥/road.zdm", "/projects/大桥/road.cg"}};

void save(const CalculationResult& r, const fs::path& path) {
    ExcelApp app;
    SaveWorkbookAs(app, ResultWorkbook(r, kSource), path);
}

CalculationResult bigResult(double skew) {
    std::vector<PierRecord> piers;
    for (int i = 0; i < 40; ++i)
        piers.push_back(SamplePier("A匝道" + std::to_string(i) + "#墩", 12000 + 30.5 * i,
                                   i % 3 == 0   ? SideMark::Both
                                   : i % 3 == 1 ? SideMark::Left
                                                : SideMark::Right));
    return WithPlanePoints(SampleResult(skew, {-10.5, -7.5, -4.5, -1.5, 1.5, 4.5, 7.5, 10.5}, piers));
}

// Initialise and calculate one example project copied to `to`, in the running program's state.
void calculateExample(AppState& state, const fs::path& examples, const std::string& name, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(examples / name))
        fs::copy_file(entry.path(), to / entry.path().filename(), fs::copy_options::overwrite_existing);
    const bool ramp = name == "interchange";
    const RoadMode mode = name == "straight" ? RoadMode::Straight : ramp ? RoadMode::Interchange : RoadMode::MainLine;
    tavrel::testing::FakePort port;
    if (ReadsPlan(mode)) port.answer(to / (ramp ? "ramp.jdx" : "road.jdx"));
    if (ReadsChainBreaks(mode)) port.answer(to / "road.dl");
    port.answer(to / (ramp ? "ramp.zdm" : "road.zdm")).answer(to / (ramp ? "ramp.cg" : "road.cg"));
    port.answer(to / "bridge.txt");
    if (!InitializeCommand(state, mode, port) || !CalculateCommand(state, mode, port))
        throw std::runtime_error("example " + name + ": " + port.messages.at(0).text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    try {
        save(SampleResult(60, {-1.5, 0, 1.5},
                          {SamplePier("0#", 12345.678, SideMark::Both), SamplePier("1号墩", 12375.5, SideMark::Left),
                           SamplePier("2#", 12405, SideMark::Right)}),
             out / "skew.xlsx");
        save(SampleResult(90, {-3, -1, 1, 3},
                          {SamplePier("A0", 500, SideMark::Both), SamplePier("P1", 530, SideMark::Right)}),
             out / "square.xlsx");
        save(SampleResult(90, {0}, {SamplePier("1#", 12345), SamplePier("2#", 12346)}), out / "whole.xlsx");
        save(SampleResult(90, {0}, {SamplePier("3#", 12345.678), SamplePier("4#", 345.5)}), out / "fractional.xlsx");
        save(WithPlanePoints(
                 SampleResult(60, {-1.5, 0, 1.5},
                              {SamplePier("A匝道0#台", 150), SamplePier("A匝道1#墩", 175.25, SideMark::Left)}),
                 {RI}),
             out / "plan.xlsx");
        save(bigResult(60), out / "big.xlsx");
        save(bigResult(90), out / "big-square.xlsx");

        AppState state;  // one run of the program
        for (const char* name : {"mainline", "interchange", "straight", "mainline"})
            calculateExample(state, TAVREL_EXAMPLES_DIR, name, out / "session" / name);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
