#pragma once
// The ramp of an interchange given by a chain of elements (straights, arcs, clothoid spirals).
//
// Conventions are those of the main line (mainline/Plane.h): a bearing is in radians from +x towards +y, a
// positive radius turns towards increasing bearing (right), a negative one towards decreasing bearing (left).
// Along a spiral the curvature changes linearly with length from 1/startRadius to 1/endRadius.
#include <cstddef>
#include <vector>

#include "common/Plane.h"
#include "common/Station.h"

namespace tavrel {

inline constexpr double InfiniteRadius = 9999;  // m: this exact radius value stands for a straight
inline constexpr int kMaxChainElements = 999;   // the node tables hold 1000 entries: n elements, n + 1 nodes

struct AlignmentElement {
    double startRadius = 0;  // m, signed (positive turns right)
    double endRadius = 0;    // m, signed
    double length = 0;       // m
    std::size_t line = 0;    // the line of the file it was read from (0: not read from a file)
};

// The ramp as loaded: its start and its elements in file order.
struct ElementInput {
    Station elementStartStation = 0;
    double elementStartX = 0, elementStartY = 0;  // m
    double elementStartAzimuth = 0;               // decimal degrees (the file's d.mmss, converted by its reader)
    std::vector<AlignmentElement> elements;       // as read (an element file holds at most 1000)
};

// The built chain with its node tables, made only by BuildElementChain. Indices are 0-based: element k runs
// from node k to node k + 1, so element k and node k here are element and node k + 1 of the 1-based tables, and
// nodeStation().front() / .back() are the first and last stations of the ramp.
class ElementChain {
public:
    ElementChain() = default;  // not built: every lookup throws CalcError

    const std::vector<AlignmentElement>& elements() const { return elements_; }  // S-shaped spirals split
    const std::vector<double>& turnAngle() const { return turnAngle_; }          // rad, signed, over element k
    const std::vector<double>& deltaX() const { return deltaX_; }                // m: start node -> end node of k
    const std::vector<double>& deltaY() const { return deltaY_; }
    const std::vector<Station>& nodeStation() const { return nodeStation_; }  // m, continuous; n + 1 entries
    const std::vector<double>& nodeX() const { return nodeX_; }               // m
    const std::vector<double>& nodeY() const { return nodeY_; }               // m
    const std::vector<double>& nodeBearing() const { return nodeBearing_; }   // rad, in [0, 2*pi)
    // The node stations never decrease (no element of negative length), so InterchangePointAt may find the
    // element by binary search; otherwise it scans, which gives the same element.
    bool nodeStationsAscending() const { return nodeStationsAscending_; }

private:
    friend ElementChain BuildElementChain(const ElementInput& input, std::size_t maxElements);
    std::vector<AlignmentElement> elements_;
    std::vector<double> turnAngle_, deltaX_, deltaY_;
    std::vector<Station> nodeStation_;
    std::vector<double> nodeX_, nodeY_, nodeBearing_;
    bool nodeStationsAscending_ = true;
};

// The shape of an element: a straight (both radii InfiniteRadius), an arc (equal radii) or a spiral.
enum class ElementShape { Straight, Arc, Spiral };
ElementShape ShapeOf(const AlignmentElement& element);

// ElementChainBuild: the element list with every S-shaped spiral (both radii finite, opposite signs) split at
// zero curvature into a spiral to a straight and a spiral from a straight. More than maxElements elements after
// splitting throw CalcError: the element file's ramp is held to the 999 elements of its node tables; a caller
// with no such table (a LandXML alignment) gives its own bound.
std::vector<AlignmentElement> ElementChainBuild(const std::vector<AlignmentElement>& elements,
                                                std::size_t maxElements = kMaxChainElements);

// DmsToDegrees: an angle written as d.mmss (45.3030 = 45 deg 30 min 30 s) in decimal degrees. Read exactly
// as written up to 4 decimals of seconds (8 decimal places). Throws CalcError for a non-finite value.
double DmsToDegrees(double value);

// BuildElementChain: the ramp's chain: S-shaped spirals split (ElementChainBuild), then node stations, bearings
// and coordinates from the start. Throws CalcError for more than maxElements elements after splitting, a
// radius of 0, a spiral of length 0 (no clothoid parameter) and any value or arithmetic without a finite answer.
ElementChain BuildElementChain(const ElementInput& input, std::size_t maxElements = kMaxChainElements);

// ElementIndexAt: the element k (0-based) holding station s: the first k with nodeStation[k] <= s <
// nodeStation[k + 1], or -1 for none. O(log n) while the node stations ascend, a scan otherwise.
std::ptrdiff_t ElementIndexAt(const ElementChain& chain, Station s);
// ElementIndexAtByScan: the same answer by scanning the elements in order (O(n)); the reference for the above.
std::ptrdiff_t ElementIndexAtByScan(const ElementChain& chain, Station s);

// InterchangePointAt: centreline point and tangent bearing at a continuous station (m). The bearing is as
// computed, not reduced to [0, 2*pi). Before the first node the start tangent is extended backwards, from the
// last node on the end tangent forwards. Throws CalcError for a chain not built or a non-finite station.
PointAtStation InterchangePointAt(const ElementChain& chain, Station station);

}  // namespace tavrel
