// The whole batch calculation on a long curved ramp: 1000 piers x 12 pedestals at skew 60, read from files; and
// one pier section on a tight curve at the smallest skew, where the edge searches start from the widest bracket.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/ProjectData.h"
#include "cli/Cli.h"
#include "pedestal/PierSection.h"

namespace {

struct GeneratedRamp {
    std::filesystem::path dir;
    std::vector<std::string> args;

    GeneratedRamp() {
        dir = std::filesystem::temp_directory_path() / ("tavrel-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        // 999 elements repeating: straight, spiral in, arc, spiral out, alternately to the right and the left.
        std::ostringstream jdx;
        jdx << "0,3346000.000,512800.000,45.3000\r\n";
        const char* pattern[] = {"9999 9999 40", "9999 400 40",  "400 400 60",   "400 9999 40",
                                 "9999 9999 40", "9999 -400 40", "-400 -400 60", "-400 9999 40"};
        for (int k = 0; k < 999; ++k) jdx << pattern[k % 8] << "\r\n";
        write("ramp.jdx", jdx.str());
        write("ramp.zdm", "0 250 0\r\n12000 310 20000\r\n24000 250 20000\r\n45000 300 0\r\n");
        write("ramp.cg", "7.5,0.5,-0.5,-7.5\r\n0 2 -2\r\n10000 -3 3\r\n20000 2 -2\r\n45000 2 -2\r\n");
        std::ostringstream layout;
        layout << "60\r\n-6 -5 -4 -3 -2 -1 1 2 3 4 5 6\r\n";
        for (int i = 0; i < 1000; ++i) layout << i << "#墩 " << 100 + 30 * i << " 1.8 0.3\r\n";
        write("bridge.txt", layout.str());
        const auto f = [&](const char* name) { return (dir / name).string(); };
        args = {"calc",        "--mode", "interchange", "--jdx",    f("ramp.jdx"),  "--zdm",
                f("ramp.zdm"), "--cg",   f("ramp.cg"),  "--layout", f("bridge.txt")};
    }
    ~GeneratedRamp() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    void write(const char* name, const std::string& text) const { std::ofstream(dir / name, std::ios::binary) << text; }
};

void BM_CalcCurvedRamp1000Piers(benchmark::State& state) {
    static const GeneratedRamp ramp;
    for (auto _ : state) {
        std::ostringstream out, err;
        const int status = tavrel::RunCli(ramp.args, out, err);
        if (status != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
        benchmark::DoNotOptimize(status);
    }
    state.counters["piers/s"] =
        benchmark::Counter(1000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CalcCurvedRamp1000Piers)->Unit(benchmark::kMillisecond)->UseRealTime();

// A right turn of 90 degrees on a circular curve of R = 40 m; deck edges 8 m left (outside) and 3.5 m right
// (inside, where the skew 25 axis meets the edge line twice: near the pier and past its closest approach to the
// curve's centre). The pier stands mid-curve.
void BM_BuildPierSectionSkew25OnR40(benchmark::State& state) {
    using namespace tavrel;
    const auto jd = [](const char* name, double x, double y, const char* R) {
        return IntersectionPoint{name, x, y, R, "0", 0, 0, 0};
    };
    ProjectData project;
    project.mode = RoadMode::MainLine;
    project.plan = MainLineBuild({0, {jd("JD0", 0, 0, "0"), jd("JD1", 1000, 0, "40"), jd("JD2", 1000, 1000, "0")}});
    project.profile = ProfileBuild({{"0", 0, 100, 0}, {"3000", 3000, 160, 0}});
    project.superelevation = SuperelevationBuild({7.5, 0.5, -0.5, -3.0}, {{"0", 0, 2, -2}});
    const MainLineCurve& curve = std::get<MainLine>(project.plan).curve(2);
    PierRecord pier;
    pier.pierName = "1#墩";
    pier.baseStation = pier.referenceStation = (curve.zhStation + curve.hzStation) / 2;
    const Road road = project.road(true);
    for (auto _ : state) benchmark::DoNotOptimize(BuildPierSection(road, pier, 25));
}
BENCHMARK(BM_BuildPierSectionSkew25OnR40)->Unit(benchmark::kMicrosecond);

}  // namespace
