#pragma once
// A long element chain for the benchmarks: repeated groups on alternating sides (straight, spiral in, arc, spiral
// to a larger radius, arc, spiral to a smaller radius, arc, spiral out), radii 150 ... 1200 m, lengths from a fixed
// pseudo-random sequence started at `seed`.
#include <cstddef>
#include <vector>

#include "interchange/ElementChain.h"

namespace tavrel::bench {

inline std::vector<AlignmentElement> GeneratedElements(std::size_t count, unsigned seed) {
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

}  // namespace tavrel::bench
