// Benchmarks of the interchange element chain: one InterchangePointAt call on a long and on a short ramp.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "interchange/ElementChain.h"

using namespace tavrel;

namespace {

// Repeated groups, alternating sides: straight, spiral in, arc, spiral to a larger radius, arc, spiral to a
// smaller radius, arc, spiral out. Radii 150 ... 1200 m and lengths from a fixed pseudo-random sequence.
std::vector<AlignmentElement> generatedRamp(std::size_t count) {
    unsigned seed = 2024;
    const auto uniform = [&](double lo, double hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (hi - lo) * ((seed >> 8) & 0xffff) / 65535.0;
    };
    std::vector<AlignmentElement> e;
    for (double side = 1; e.size() < count; side = -side) {
        const double r1 = side * uniform(150, 400), r2 = side * uniform(600, 1200), r3 = side * uniform(200, 500);
        e.insert(e.end(), {{9999, 9999, uniform(20, 200)},
                           {9999, r1, uniform(30, 90)},
                           {r1, r1, uniform(10, 150)},
                           {r1, r2, uniform(30, 80)},
                           {r2, r2, uniform(10, 100)},
                           {r2, r3, uniform(30, 80)},
                           {r3, r3, uniform(10, 100)},
                           {r3, 9999, uniform(30, 90)}});
    }
    e.resize(count);
    return e;
}

void BM_InterchangePointAt(benchmark::State& state) {
    const ElementInput input{1000, 3346000, 512800, 135.5125 /*deg*/,
                             generatedRamp(static_cast<std::size_t>(state.range(0)))};
    const ElementChain chain = BuildElementChain(input);

    // Stations over the whole ramp, visited in a scrambled order so that consecutive calls land far apart.
    constexpr std::size_t kStations = 4096;
    const Station first = chain.nodeStation().front(), last = chain.nodeStation().back();
    std::vector<Station> stations(kStations);
    for (std::size_t i = 0; i < kStations; ++i)
        stations[i] = first + (last - first) * static_cast<double>((i * 2654435761u) % kStations) / kStations;

    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(InterchangePointAt(chain, stations[i]));
        i = (i + 1) % kStations;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InterchangePointAt)->ArgName("elements")->Arg(999)->Arg(9);

}  // namespace
