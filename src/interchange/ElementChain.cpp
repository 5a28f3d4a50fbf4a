#include "interchange/ElementChain.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "common/Errors.h"
#include "geometry/Clothoid.h"
#include "geometry/ClothoidBetween.h"

namespace tavrel {

namespace {

enum class ElementKind { Straight, Arc, SpiralFromStraight, SpiralToStraight, SpiralBetweenRadii };

// The kind follows from the two radii alone; 9999 is the only value meaning "no curvature". An S-shaped
// spiral that reaches this point unsplit counts as between two radii: its clothoid passes through the origin.
ElementKind kindOf(const AlignmentElement& e) {
    const bool straightStart = e.startRadius == InfiniteRadius, straightEnd = e.endRadius == InfiniteRadius;
    if (straightStart && straightEnd) return ElementKind::Straight;
    if (straightStart) return ElementKind::SpiralFromStraight;
    if (straightEnd) return ElementKind::SpiralToStraight;
    if (e.startRadius == e.endRadius) return ElementKind::Arc;
    return ElementKind::SpiralBetweenRadii;
}

bool isSShaped(const AlignmentElement& e) {
    return e.startRadius != InfiniteRadius && e.endRadius != InfiniteRadius && e.startRadius != e.endRadius &&
           e.startRadius * e.endRadius < 0;
}

// The clothoid of a spiral between two radii R1 -> R2 over L: a2 = L R1 R2 / (R1 - R2), and the signed
// distances of the element's start and end from the clothoid origin (l2 - l1 = L; both negative when the
// radius grows along the element, so that the element runs towards the origin).
struct ClothoidSpan {
    double a2 = 0, l1 = 0, l2 = 0;
};
ClothoidSpan clothoidSpan(const AlignmentElement& e) {
    const double R1 = e.startRadius, R2 = e.endRadius;
    const double a2 = CheckedDiv(e.length * R1 * R2, R1 - R2);
    return {a2, CheckedDiv(a2, R1), CheckedDiv(a2, R2)};
}

void requireUsable(const AlignmentElement& e) {
    RequireFinite(e.startRadius, "start radius");
    RequireFinite(e.endRadius, "end radius");
    RequireFinite(e.length, "element length");
    if (e.startRadius == 0 || e.endRadius == 0) throw CalcError("element radius of 0");
    const ElementKind kind = kindOf(e);
    const bool spiral = kind != ElementKind::Straight && kind != ElementKind::Arc;
    // A spiral of length 0 has a clothoid parameter of 0: its series divide 0 by 0.
    if (spiral && e.length == 0) throw CalcError("spiral of length 0");
}

// turnAngle: change of bearing over the element, the mean curvature times the length.
double turnAngleOf(const AlignmentElement& e) {
    const double R1 = e.startRadius, R2 = e.endRadius, L = e.length;
    switch (kindOf(e)) {
        case ElementKind::Straight: return 0;
        case ElementKind::Arc: return CheckedDiv(L, R1);
        case ElementKind::SpiralFromStraight: return CheckedDiv(L, 2 * R2);
        case ElementKind::SpiralToStraight: return CheckedDiv(L, 2 * R1);
        case ElementKind::SpiralBetweenRadii: return CheckedDiv((R1 + R2) * L, 2 * R1 * R2);
    }
    throw CalcError("unknown element kind");
}

// (deltaX, deltaY): vector from the start node (bearing b) to the end node (bearing bEnd) of the element.
Point deltaOf(const AlignmentElement& e, double b, double bEnd) {
    const double R1 = e.startRadius, R2 = e.endRadius, L = e.length;
    switch (kindOf(e)) {
        case ElementKind::Straight: return L * Direction(b);
        case ElementKind::Arc: {
            const double end = b + CheckedDiv(L, R1);
            return {R1 * (std::sin(end) - std::sin(b)), -R1 * (std::cos(end) - std::cos(b))};
        }
        case ElementKind::SpiralFromStraight: {
            const double a2 = L * R2;
            return Rotate(b, ClothoidX(L, a2), ClothoidY(L, a2));
        }
        case ElementKind::SpiralToStraight: {
            // The clothoid origin lies at the end: walk it backwards from the end tangent.
            const double a2 = L * R1;
            return Rotate(bEnd, ClothoidX(L, a2), -ClothoidY(L, a2));
        }
        case ElementKind::SpiralBetweenRadii: {
            const auto [a2, l1, l2] = clothoidSpan(e);
            const double originBearing = b - CheckedDiv(l1 * l1, 2 * a2);
            return Rotate(originBearing, ClothoidXBetween(l1, l2, a2), ClothoidYBetween(l1, l2, a2));
        }
    }
    throw CalcError("unknown element kind");
}

// Point and bearing at distance l into element k.
PointAtStation pointOnElement(const ElementChain& chain, std::size_t k, double l) {
    const AlignmentElement& e = chain.elements()[k];
    const double R1 = e.startRadius, R2 = e.endRadius, L = e.length;
    const Point P{chain.nodeX()[k], chain.nodeY()[k]};
    const double b = chain.nodeBearing()[k];
    switch (kindOf(e)) {
        case ElementKind::Straight: return {P + l * Direction(b), b};
        case ElementKind::Arc: {
            const double end = b + CheckedDiv(l, R1);
            return {P + Point{R1 * (std::sin(end) - std::sin(b)), -R1 * (std::cos(end) - std::cos(b))}, end};
        }
        case ElementKind::SpiralFromStraight: {
            const double a2 = L * R2;
            return {P + Rotate(b, ClothoidX(l, a2), ClothoidY(l, a2)), b + CheckedDiv(l * l, 2 * a2)};
        }
        case ElementKind::SpiralToStraight: {
            // Evaluated from the end node, where the clothoid origin lies, m before it.
            const Point E{chain.nodeX()[k + 1], chain.nodeY()[k + 1]};
            const double bEnd = chain.nodeBearing()[k + 1];
            const double a2 = L * R1, m = L - l;
            return {E - Rotate(bEnd, ClothoidX(m, a2), -ClothoidY(m, a2)), bEnd - CheckedDiv(m * m, 2 * a2)};
        }
        case ElementKind::SpiralBetweenRadii: {
            const auto [a2, l1, l2] = clothoidSpan(e);
            const double lp = l1 + l;
            const double originBearing = b - CheckedDiv(l1 * l1, 2 * a2);
            const Point p = P + Rotate(originBearing, ClothoidXBetween(l1, lp, a2), ClothoidYBetween(l1, lp, a2));
            // l times the mean of the curvatures at the element start (1/R1) and at the point (lp/a2 = 1/Rp);
            // the same as l / (2 Rm) with Rm = Rp R1 / (Rp + R1), without dividing by lp where it passes 0.
            return {p, b + l * (CheckedDiv(1, R1) + CheckedDiv(lp, a2)) / 2};
        }
    }
    throw CalcError("unknown element kind");
}

// The tangent at node k extended by d (negative: backwards).
PointAtStation alongNodeTangent(const ElementChain& chain, std::size_t k, double d) {
    const double b = chain.nodeBearing()[k];
    return {Point{chain.nodeX()[k], chain.nodeY()[k]} + d * Direction(b), b};
}

}  // namespace

ElementShape ShapeOf(const AlignmentElement& element) {
    switch (kindOf(element)) {
        case ElementKind::Straight: return ElementShape::Straight;
        case ElementKind::Arc: return ElementShape::Arc;
        default: return ElementShape::Spiral;
    }
}

std::vector<AlignmentElement> ElementChainBuild(const std::vector<AlignmentElement>& elements,
                                                std::size_t maxElements) {
    std::vector<AlignmentElement> chain;
    chain.reserve(elements.size());
    for (const AlignmentElement& e : elements) {
        if (!isSShaped(e)) {
            chain.push_back(e);
            continue;
        }
        // Split where the curvature passes 0: each part's length is in proportion to the other end's radius.
        const double R1 = std::fabs(e.startRadius), R2 = std::fabs(e.endRadius);
        chain.push_back({e.startRadius, InfiniteRadius, CheckedDiv(e.length * R2, R1 + R2), e.line});
        chain.push_back({InfiniteRadius, e.endRadius, CheckedDiv(e.length * R1, R1 + R2), e.line});
    }
    if (chain.size() > maxElements) throw CalcError("more chain elements than the chain may hold");
    return chain;
}

double DmsToDegrees(double value) {
    RequireFinite(value, "angle");
    const double sign = value > 0 ? 1 : (value < 0 ? -1 : 0);
    // The written digits as a whole number of 1e-4 seconds (d mm ss ssss): rounding removes the binary error of
    // value (under 0.001 of a unit below 100000 degrees). Splitting this integer-valued double with fmod is
    // exact, so 10.2000 is 10 deg 20 min, never 10 deg 19 min 100 s.
    const double units = std::round(std::fabs(value) * 1e8);
    const double secondUnits = std::fmod(units, 1e6);
    const double minuteUnits = std::fmod(units - secondUnits, 1e8);
    const double d = (units - secondUnits - minuteUnits) / 1e8;
    const double m = minuteUnits / 1e6;
    const double sec = secondUnits / 1e4;
    return RequireFinite((m / 60 + d + sec / 3600) * sign, "angle");
}

std::ptrdiff_t ElementIndexAtByScan(const ElementChain& chain, Station s) {
    const auto& ns = chain.nodeStation();
    for (std::size_t k = 0; k + 1 < ns.size(); ++k)
        if (ns[k] <= s && s < ns[k + 1]) return static_cast<std::ptrdiff_t>(k);
    return -1;
}

// While the node stations never decrease the element intervals are disjoint, and upper_bound with one step back
// finds the only one; otherwise the scan in order lets the first match win.
std::ptrdiff_t ElementIndexAt(const ElementChain& chain, Station s) {
    if (!chain.nodeStationsAscending()) return ElementIndexAtByScan(chain, s);
    const auto& ns = chain.nodeStation();
    const auto it = std::upper_bound(ns.begin(), ns.end(), s);
    if (it == ns.begin() || it == ns.end()) return -1;
    return (it - ns.begin()) - 1;
}

ElementChain BuildElementChain(const ElementInput& start, std::size_t maxElements) {
    const std::vector<AlignmentElement> chain = ElementChainBuild(start.elements, maxElements);
    const double startAzimuthDegrees = start.elementStartAzimuth;
    RequireFinite(start.elementStartStation, "start station");
    RequireFinite(start.elementStartX, "start x");
    RequireFinite(start.elementStartY, "start y");
    RequireFinite(startAzimuthDegrees, "start azimuth");
    for (const AlignmentElement& e : chain) AtRecord(e.line, [&] { requireUsable(e); });

    const std::size_t n = chain.size();
    ElementChain c;
    c.elements_ = chain;
    c.turnAngle_.resize(n);
    c.deltaX_.resize(n);
    c.deltaY_.resize(n);
    c.nodeStation_.resize(n + 1);
    c.nodeX_.resize(n + 1);
    c.nodeY_.resize(n + 1);
    c.nodeBearing_.resize(n + 1);

    c.nodeStation_[0] = start.elementStartStation;
    for (std::size_t k = 0; k < n; ++k)
        c.nodeStation_[k + 1] = RequireFinite(chain[k].length + c.nodeStation_[k], "node station");

    // Bearings accumulate unreduced over the whole chain; each is then reduced into [0, 2*pi).
    c.nodeBearing_[0] = DegreesToRadians(startAzimuthDegrees);
    for (std::size_t k = 0; k < n; ++k) {
        c.turnAngle_[k] = turnAngleOf(chain[k]);
        c.nodeBearing_[k + 1] = RequireFinite(c.nodeBearing_[k] + c.turnAngle_[k], "bearing");
    }
    for (double& b : c.nodeBearing_) b = NormalizedBearing(b);

    c.nodeX_[0] = start.elementStartX;
    c.nodeY_[0] = start.elementStartY;
    for (std::size_t k = 0; k < n; ++k) {
        const Point d = deltaOf(chain[k], c.nodeBearing_[k], c.nodeBearing_[k + 1]);
        c.deltaX_[k] = RequireFinite(d.x, "element delta x");
        c.deltaY_[k] = RequireFinite(d.y, "element delta y");
        c.nodeX_[k + 1] = RequireFinite(c.nodeX_[k] + c.deltaX_[k], "node x");
        c.nodeY_[k + 1] = RequireFinite(c.nodeY_[k] + c.deltaY_[k], "node y");
    }
    c.nodeStationsAscending_ = std::is_sorted(c.nodeStation_.begin(), c.nodeStation_.end());
    return c;
}

PointAtStation InterchangePointAt(const ElementChain& chain, Station station) {
    if (chain.nodeStation().empty()) throw CalcError("chain not built");
    const Station s = RequireFinite(station, "station");
    const std::size_t last = chain.nodeStation().size() - 1;
    PointAtStation r;
    // On or beyond the last node the end tangent wins, then on or before the first node the start tangent
    // (so an empty chain is the straight line through its start point).
    if (s >= chain.nodeStation()[last]) {
        r = alongNodeTangent(chain, last, s - chain.nodeStation()[last]);
    } else if (s <= chain.nodeStation()[0]) {
        r = alongNodeTangent(chain, 0, s - chain.nodeStation()[0]);
    } else {
        // Strictly between the first and the last node station an element always holds s: going from the
        // first node (<= s) to the last (> s) the node stations must step over s somewhere.
        const std::ptrdiff_t k = ElementIndexAt(chain, s);
        if (k < 0) throw CalcError("station on no element");
        const auto ku = static_cast<std::size_t>(k);
        r = pointOnElement(chain, ku, s - chain.nodeStation()[ku]);
    }
    RequireFinite(r.p.x, "x");
    RequireFinite(r.p.y, "y");
    RequireFinite(r.bearing, "bearing");
    return r;
}

}  // namespace tavrel
