#pragma once
// The ramp of an interchange given by a chain of elements (straights, arcs, clothoid spirals).
//
// Conventions are those of the main line (mainline/Plane.h): a bearing is in radians from +x towards +y, a
// positive radius turns towards increasing bearing (right), a negative one towards decreasing bearing (left).
// Along a spiral the curvature changes linearly with length from 1/startRadius to 1/endRadius.
#include <cstdint>
#include <vector>

#include "mainline/Plane.h"
#include "station/Station.h"

namespace tavrel {

inline constexpr double InfiniteRadius = 9999;  // m: this exact radius value stands for a straight
inline constexpr int kMaxChainElements = 999;   // the node tables hold 1000 entries: n elements, n + 1 nodes

struct AlignmentElement {
    double startRadius = 0;  // m, signed (positive turns right)
    double endRadius = 0;    // m, signed
    double length = 0;       // m
};

struct ElementInput {
    Station elementStartStation = 0;
    double elementStartX = 0, elementStartY = 0;  // m
    double elementStartAzimuth = 0;               // as read: degrees written as d.mmss
    std::vector<AlignmentElement> elements;       // elementCount = elements.size() (at most 1000)
};

// The chain with its node tables (filled by ElementChainFinish). Indices are 0-based: element k runs from node
// k to node k + 1, so element k and node k here are element and node k + 1 of the 1-based tables, and
// nodeStation.front() / .back() are the first and last stations of the ramp.
struct ElementChain {
    std::vector<AlignmentElement> elements;  // after splitting S-shaped spirals; at most kMaxChainElements
    std::vector<double> turnAngle;           // rad, signed: change of bearing over element k
    std::vector<double> deltaX, deltaY;      // m: vector from the start node to the end node of element k

    std::vector<Station> nodeStation;  // m, continuous; n + 1 entries
    std::vector<double> nodeX, nodeY;  // m
    std::vector<double> nodeBearing;   // rad, in [0, 2*pi)

    // The node stations never decrease (no element of negative length), so InterchangePointAt may find the
    // element by binary search; otherwise it scans, which gives the same element.
    bool nodeStationsAscending = true;

    std::int16_t chainElementCount() const { return static_cast<std::int16_t>(elements.size()); }
};

// ElementChainBuild: the element list with every S-shaped spiral (both radii finite, opposite signs) split at
// zero curvature into a spiral to a straight and a spiral from a straight. More than kMaxChainElements
// elements after splitting throw CalcError.
std::vector<AlignmentElement> ElementChainBuild(const std::vector<AlignmentElement>& elements);

// DmsToDegrees: an angle written as d.mmss (45.3030 = 45 deg 30 min 30 s) in decimal degrees. Read exactly
// as written up to 4 decimals of seconds (8 decimal places). Throws CalcError for a non-finite value.
double DmsToDegrees(double value);

// ElementChainFinish: node stations, bearings and coordinates of the chain. startAzimuthDegrees is already in
// decimal degrees. Throws CalcError for more than kMaxChainElements elements, a radius of 0, a spiral of
// length 0 (no clothoid parameter) and any value or arithmetic without a finite answer.
ElementChain ElementChainFinish(const ElementInput& start, double startAzimuthDegrees,
                                const std::vector<AlignmentElement>& chain);

// InterchangePointAt: centreline point and tangent bearing at a continuous station (m). The bearing is as
// computed, not reduced to [0, 2*pi). Before the first node the start tangent is extended backwards, from the
// last node on the end tangent forwards. Throws CalcError for a chain not built or a non-finite station.
PointAtStation InterchangePointAt(const ElementChain& chain, Station station);

}  // namespace tavrel
