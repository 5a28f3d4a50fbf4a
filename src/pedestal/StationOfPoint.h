#pragma once
// Inverse problems on the plan alignment: the station and distance of a plane point's foot on the centreline,
// and where a pier axis crosses the line parallel to the centreline at a given offset.
#include <optional>

#include "pedestal/PlaneGeometry.h"
#include "road/PlanAlignment.h"

namespace tavrel {

struct FootPoint {
    Station ptzh = 0;  // station of the foot of the perpendicular
    double ptd = 0;    // m, distance from the point to the centreline point at ptzh
};

// js_dtzh: the foot of the perpendicular from p on the centreline between the bracketing stations xyqdzh and
// xyzdzh (either order). The bracket comes from the skew angle +-20 degrees and holds one minimum of the
// distance; a coarse scan picks it, golden-section search narrows it to 1e-7 m and Newton steps on the tangent
// condition (the centreline tangent is square to the point) make it exact to far below 0.01 mm. Every loop
// has a fixed bound; a distance that is not finite throws CalcError.
FootPoint js_dtzh(const PlanAlignment& plan, Station xyqdzh, Station xyzdzh, Point p);

// js_dtzh1: as js_dtzh with the distance signed: negative for a point on the left (the side of bearing - pi/2),
// positive on the right.
FootPoint js_dtzh1(const PlanAlignment& plan, Station xyqdzh, Station xyzdzh, Point p);

// www: distance between two points (m).
double www(Point aaa, Point bbb);

// The axis of one pier on the curved skew path: its centre station and skew angle, and the segment of the axis
// from 100 m along its left half (a) to 100 m along its right half (b).
struct PierAxis {
    Station pierStation = 0;
    double pierSkewAngle = 90;  // degrees
    Point a, b;
};

inline constexpr int kMaxAxisSamples = 32767;   // the sample count is 16-bit: a bracket of about 3.3 km
inline constexpr double kAxisSampleStep = 0.1;  // m along the centreline

// intxy: where the pier axis crosses the line at offset hdmjl (m, positive to the left) from the centreline,
// by sampling the offset line every 0.1 m over the bracket given by the skew angle +-20 degrees and intersecting
// the axis with each chord. crossing is empty when no chord meets the axis; samples says how many points the
// bracket held (fewer than two: no chord at all). More than kMaxAxisSamples samples throw CalcError.
struct AxisCrossing {
    std::optional<Point> crossing;
    int samples = 0;
};
AxisCrossing intxy(const PlanAlignment& plan, const PierAxis& axis, double hdmjl);

}  // namespace tavrel
