#pragma once
// The ramp of an interchange given by a chain of elements (straights, arcs, clothoid spirals).
#include <vector>

#include "mainline/Plane.h"
#include "station/Station.h"

namespace tavrel {

inline constexpr double InfiniteRadius = 9999;  // m: this exact radius value stands for a straight

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

// Derived chain with its node tables (filled by ElementChainFinish).
struct ElementChain {
    std::vector<AlignmentElement> elements;
};

// ElementChainBuild: the element list with every S-shaped spiral split at zero curvature. More than 999
// elements after splitting throw CalcError.
std::vector<AlignmentElement> ElementChainBuild(const std::vector<AlignmentElement>& elements);

// DmsToDegrees: an angle written as d.mmss (45.3030 = 45 deg 30 min 30 s) in decimal degrees.
double DmsToDegrees(double value);

// ElementChainFinish: node stations, bearings and coordinates of the chain. startAzimuthDegrees is already in
// decimal degrees. Throws CalcError for a radius of 0 or any arithmetic without a finite answer.
ElementChain ElementChainFinish(const ElementInput& start, double startAzimuthDegrees,
                                const std::vector<AlignmentElement>& chain);

// InterchangePointAt: centreline point and tangent bearing at a continuous station (the bearing as computed,
// not reduced to [0, 2*pi)).
PointAtStation InterchangePointAt(const ElementChain& chain, Station station);

}  // namespace tavrel
