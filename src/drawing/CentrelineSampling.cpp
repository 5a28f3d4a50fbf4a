#include "drawing/CentrelineSampling.h"

#include <algorithm>
#include <cmath>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "geometry/Arc.h"

namespace tavrel {

namespace {

// Halving stops here whatever the chord: 5 m / 2^24 is far below any plan's precision, and a line with a gap
// (which no halving closes) must not recurse for ever.
constexpr int kMaxHalvings = 24;
// A drawn stretch is a bridge and its approaches, a few kilometres at most; 5000 km is a broken input.
constexpr double kMaxCoarsePieces = 1e6;
// Where a straight or an arc segment is checked against the centreline: fractions of its length.
constexpr double kCheckFractions[] = {0.25, 0.5, 0.75};

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
    std::size_t maxSamples;

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
            if (out.size() >= maxSamples) throw TooDetailedToDraw();
            out.push_back(s1);
        }
    }
};

// The knots strictly inside [from, to], ascending and each once.
std::vector<Station> knotsInside(const std::vector<Station>& knots, Station from, Station to) {
    std::vector<Station> inside;
    for (Station k : knots)
        if (k > from && k < to) inside.push_back(k);
    std::sort(inside.begin(), inside.end());
    inside.erase(std::unique(inside.begin(), inside.end()), inside.end());
    return inside;
}

// Whether the centreline and every offset line between the vertices a (at s0) and b (at s1) lie on the segment
// that turns through `sweep`, at the check fractions.
bool followsSegment(const CentrelineAt& at, const std::vector<double>& offsets, Station s0, const PointAtStation& a,
                    Station s1, const PointAtStation& b, double sweep) {
    for (double t : kCheckFractions) {
        const PointAtStation m = at(s0 + (s1 - s0) * t);
        if (Distance(m.p, PointAlongArc(a.p, b.p, sweep, t)) >= kChordTolerance / 2) return false;
        for (double o : offsets) {
            const Point drawn = PointAlongArc(OffsetPoint(a, o), OffsetPoint(b, o), sweep, t);
            if (Distance(OffsetPoint(m, o), drawn) >= kChordTolerance / 2) return false;
        }
    }
    return true;
}

// Appends a straight or an arc piece as segments of its own shape; false (nothing appended) when the centreline
// does not follow them.
bool appendExactly(const CentrelineAt& at, const PlanPiece& piece, const std::vector<double>& offsets,
                   DrawnCentreline& out) {
    const double turn = piece.shape == PlanPieceShape::Arc ? (piece.to - piece.from) / piece.radius : 0.0;
    if (!std::isfinite(turn)) return false;
    const double parts = std::max(1.0, std::ceil(turn / kMaxArcSweep));
    if (parts > static_cast<double>(kMaxDrawnVertices - out.stations.size())) throw TooDetailedToDraw();
    const int n = static_cast<int>(parts);
    DrawnCentreline add;
    PointAtStation a = at(piece.from);
    Station s0 = piece.from;
    for (int j = 1; j <= n; ++j) {
        const Station s1 = j == n ? piece.to : piece.from + (piece.to - piece.from) * j / n;
        const PointAtStation b = at(s1);
        // A part turns through less than a half turn, so the bearings' difference names its angle.
        const double sweep = piece.shape == PlanPieceShape::Arc ? std::remainder(b.bearing - a.bearing, 2 * kPi) : 0.0;
        if (!followsSegment(at, offsets, s0, a, s1, b, sweep)) return false;
        add.stations.push_back(s1);
        add.sweeps.push_back(sweep);
        a = b;
        s0 = s1;
    }
    out.stations.insert(out.stations.end(), add.stations.begin(), add.stations.end());
    out.sweeps.insert(out.sweeps.end(), add.sweeps.begin(), add.sweeps.end());
    return true;
}

// Appends a piece sampled as a polyline.
void appendSampled(const CentrelineAt& at, const PlanPiece& piece, const std::vector<double>& offsets,
                   DrawnCentreline& out) {
    const std::vector<Station> samples =
        SampleStations(at, piece.from, piece.to, offsets, {}, kMaxDrawnVertices - out.stations.size() + 1);
    out.stations.insert(out.stations.end(), samples.begin() + 1, samples.end());
    out.sweeps.insert(out.sweeps.end(), samples.size() - 1, 0.0);
}

}  // namespace

std::vector<Station> SampleStations(const CentrelineAt& at, Station from, Station to,
                                    const std::vector<double>& offsets, const std::vector<Station>& knots,
                                    std::size_t maxSamples) {
    RequireFinite(from, "station");
    RequireFinite(to, "station");
    if (!(from < to)) throw CalcError("empty stretch to sample");
    std::vector<Station> fixed = knotsInside(knots, from, to);
    fixed.insert(fixed.begin(), from);
    fixed.push_back(to);

    std::vector<Station> out{from};
    Sampler sampler{at, offsets, out, maxSamples};
    PointAtStation prev = at(from);
    for (std::size_t k = 0; k + 1 < fixed.size(); ++k) {
        const Station a = fixed[k], b = fixed[k + 1];
        const double n = std::ceil((b - a) / kCoarseSampleStep);
        if (n > kMaxCoarsePieces) throw TooLongToDraw(b - a);
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

DrawnCentreline CentrelineVertices(const CentrelineAt& at, const std::vector<PlanPiece>& pieces,
                                   const std::vector<double>& offsets, const std::vector<Station>& knots) {
    if (pieces.empty()) throw CalcError("no centreline to draw");
    DrawnCentreline out{{pieces.front().from}, {}};
    for (const PlanPiece& whole : pieces) {
        // The piece cut at the knots inside it, each part drawn on its own.
        std::vector<Station> cuts = knotsInside(knots, whole.from, whole.to);
        cuts.push_back(whole.to);
        Station from = whole.from;
        for (Station to : cuts) {
            const PlanPiece part{from, to, whole.shape, whole.radius};
            if (part.shape == PlanPieceShape::Spiral || !appendExactly(at, part, offsets, out))
                appendSampled(at, part, offsets, out);
            from = to;
        }
    }
    return out;
}

RejectedText TooLongToDraw(double length) {
    return RejectedText("数据有误", "平面图要绘制的路段长约 " + PlainNumber(std::round(length / 100) / 10) +
                                        " km，超过能绘制的 " + PlainNumber(kMaxDrawnLength / 1000) +
                                        " km，请检查墩台桩号！");
}

RejectedText TooDetailedToDraw() {
    return RejectedText("数据有误", "平面图的线条转折超过 " + std::to_string(kMaxDrawnVertices) +
                                        " 处，无法绘制，请检查平面资料和超高资料中的宽度！");
}

}  // namespace tavrel
