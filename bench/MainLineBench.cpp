// Benchmarks of the main line by intersection points.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "mainline/MainLine.h"

namespace {

using namespace tavrel;

std::string curveText(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

// A road-like main line of n points: radius 300..1500 m, deflections 10..60 degrees alternately right and left,
// spirals up to 150 m that leave a real circular arc, sides 2000..3000 m so that neighbouring curves stay apart.
MainLineInput generatedLine(int n, std::uint32_t seed) {
    std::mt19937 gen(seed);
    const auto uniform = [&](double lo, double hi) { return lo + (hi - lo) * (gen() / 4294967296.0); };
    MainLineInput in;
    in.mainLineStartStation = 12000;
    Point p{3345000, 512000};
    double bearing = uniform(0, 2 * kPi);
    for (int i = 1; i <= n; ++i) {
        IntersectionPoint q;
        q.pointName = "JD" + std::to_string(i);
        q.x = p.x, q.y = p.y;
        q.radiusText = q.spiralInText = "0";
        if (i > 1 && i < n) {
            const double R = uniform(300, 1500), a = uniform(10, 60) * kPi / 180;
            const double maxLs = std::min(150.0, 0.8 * a * R);
            q.radiusText = curveText(R);
            q.spiralInText = curveText(std::floor(uniform(0, maxLs)));
            q.spiralOut = std::floor(uniform(0, maxLs));
            bearing += (i % 2 == 0 ? a : -a);
        }
        in.points.push_back(q);
        p = p + uniform(2000, 3000) * Direction(bearing);
    }
    return in;
}

// One MainLinePointAt call; the stations cover the whole line from 100 m before its start to 100 m beyond its
// end, visited in a shuffled order so that no call finds its curve where the previous one did.
void BM_MainLinePointAt(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const MainLine line = MainLineBuild(generatedLine(n, 2024));
    const Station from = line.curve(1).jdStation - 100, to = line.curve(n).jdStation + 100;
    constexpr int kStations = 4096;
    std::vector<Station> stations;
    for (int j = 0; j < kStations; ++j) stations.push_back(from + (to - from) * j / (kStations - 1));
    std::shuffle(stations.begin(), stations.end(), std::mt19937(7));

    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MainLinePointAt(line, stations[next]));
        next = (next + 1) % stations.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MainLinePointAt)->Arg(10)->Arg(1000);

}  // namespace
