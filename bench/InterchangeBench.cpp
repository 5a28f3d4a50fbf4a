// Benchmarks of the interchange element chain: one InterchangePointAt call on a long and on a short ramp.
#include <benchmark/benchmark.h>

#include "GeneratedElements.h"

#include <cstddef>
#include <vector>

#include "interchange/ElementChain.h"

using namespace tavrel;

namespace {

std::vector<AlignmentElement> generatedRamp(std::size_t count) { return bench::GeneratedElements(count, 2024); }

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
