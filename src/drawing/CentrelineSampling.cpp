#include "drawing/CentrelineSampling.h"

#include <algorithm>
#include <cmath>

#include "common/Errors.h"

namespace tavrel {

namespace {

// Halving stops here whatever the chord: 5 m / 2^24 is far below any plan's precision, and a line with a gap
// (which no halving closes) must not recurse for ever.
constexpr int kMaxHalvings = 24;
// A drawn stretch is a bridge and its approaches, a few kilometres at most; 5000 km is a broken input.
constexpr double kMaxCoarsePieces = 1e6;

// Distance of p from the line through a and b (from a when they coincide).
double offLine(Point p, Point a, Point b) {
    const Point ab = b - a, ap = p - a;
    const double len = std::hypot(ab.x, ab.y);
    if (len == 0) return std::hypot(ap.x, ap.y);
    return std::fabs(ab.x * ap.y - ab.y * ap.x) / len;
}

struct Sampler {
    const CentrelineAt& at;
    const std::vector<double>& offsets;
    std::vector<Station>& out;

    // The chord's middle strays from one of the lines by more than half the tolerance.
    bool bends(const PointAtStation& a, const PointAtStation& m, const PointAtStation& b) const {
        if (offLine(m.p, a.p, b.p) > kChordTolerance / 2) return true;
        for (double o : offsets)
            if (offLine(OffsetPoint(m, o), OffsetPoint(a, o), OffsetPoint(b, o)) > kChordTolerance / 2) return true;
        return false;
    }

    // Samples (s0, s1]; s0 is already in the output.
    void refine(Station s0, const PointAtStation& p0, Station s1, const PointAtStation& p1, int depth) {
        const Station sm = (s0 + s1) / 2;
        const PointAtStation pm = at(sm);
        if (depth < kMaxHalvings && bends(p0, pm, p1)) {
            refine(s0, p0, sm, pm, depth + 1);
            refine(sm, pm, s1, p1, depth + 1);
        } else {
            out.push_back(s1);
        }
    }
};

}  // namespace

std::vector<Station> SampleStations(const CentrelineAt& at, Station from, Station to,
                                    const std::vector<double>& offsets, const std::vector<Station>& knots) {
    RequireFinite(from, "station");
    RequireFinite(to, "station");
    if (!(from < to)) throw CalcError("empty stretch to sample");
    std::vector<Station> fixed{from, to};
    for (Station k : knots)
        if (k > from && k < to) fixed.push_back(k);
    std::sort(fixed.begin(), fixed.end());
    fixed.erase(std::unique(fixed.begin(), fixed.end()), fixed.end());

    std::vector<Station> out{from};
    Sampler sampler{at, offsets, out};
    PointAtStation prev = at(from);
    for (std::size_t k = 0; k + 1 < fixed.size(); ++k) {
        const Station a = fixed[k], b = fixed[k + 1];
        const double n = std::ceil((b - a) / kCoarseSampleStep);
        if (n > kMaxCoarsePieces) throw CalcError("stretch too long to draw");
        const int pieces = static_cast<int>(n);
        Station s0 = a;
        for (int j = 1; j <= pieces; ++j) {
            const Station s1 = j == pieces ? b : a + (b - a) * j / pieces;
            const PointAtStation p1 = at(s1);
            sampler.refine(s0, prev, s1, p1, 0);
            s0 = s1;
            prev = p1;
        }
    }
    return out;
}

}  // namespace tavrel
