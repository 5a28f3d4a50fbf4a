#pragma once
// Inverse problems on the plan alignment: the station and distance of a plane point's foot on the centreline,
// and where a pier axis crosses the line parallel to the centreline at a given offset.
//
// Where the searches look. Each search starts from a bracket of stations (SkewBracket.h: the skew angle
// +-kSkewBracketDegrees) joined with its anchor, the pier's station: the span is cut into at most kScanIntervals
// equal cells, none shorter than kMinScanCell unless the whole span is, and every cell whose ends show the
// answer's sign change is solved exactly. The bracket is where the search starts, not a wall: while no answer has
// been found, or an answer lies farther from the anchor than an end of the scanned span, the span grows by one
// cell at that end (the end nearer the anchor first), with cells of max(span cell, reach / kScanIntervals), until
// the answer nearest the anchor is certain or the span reaches the anchor +- reach:
//     reach = max(the bracket's farther end from the anchor, kReachFactor * r + kReachMargin),
// r being the point's distance from the centreline point at the anchor (m; for an edge crossing the straight-road
// distance along the axis, |offset| / sin(skew)). So the span never grows by more than 2 * kScanIntervals + 2
// cells, one centreline evaluation each. Why this holds the answer, and only one: on a circular curve of radius
// R > r the foot of a point at distance r from the centreline point at station S lies within R * asin(r / R) <=
// (pi/2) r of S, and the axis meets a parallel line at offset h within 2 |h| / sin(skew) of the pier's centre
// point, whose foot lies within pi |h| / sin(skew) of S: both inside 4 r. Along a stretch of road on which the point
// stays nearer the centreline than the smallest radius there, the tangent residual (C(s) - p) . t(s) grows strictly
// with the station (its slope is 1 - kappa * (p - C) . n > 0), so that stretch holds exactly one foot.
#include <optional>

#include "common/Errors.h"
#include "geometry/Lines.h"
#include "road/PlanAlignment.h"

namespace tavrel {

inline constexpr int kScanIntervals = 16;      // cells of the first scan, at most; also reach / cell while widening
inline constexpr double kMinScanCell = 1.0;    // m: a scan cell is never shorter unless the whole span is
inline constexpr double kReachFactor = 4;      // the widening stops at kReachFactor * r + kReachMargin from the anchor
inline constexpr double kReachMargin = 1.0;    // m
inline constexpr double kFootResidual = 1e-6;  // m: largest tangent residual |(C(s) - p) . t(s)| of a foot

// The search found no answer within its reach; the callers name the pier and the pedestal or edge.
struct FootNotFound : CalcError {
    using CalcError::CalcError;
};

struct FootPoint {
    Station station = 0;        // station of the foot of the perpendicular
    double distance = 0;        // m, from the point to the centreline point at the foot
    PointAtStation centreline;  // the centreline point and bearing at the foot
};

// StationOfPoint (`js_dtzh`): the foot of p on the centreline: the station whose normal passes through p (tangent
// residual below kFootResidual) and at which the distance to p has a local minimum, the one nearest to the anchor
// station (the pier's station). The search starts from the bracket [bracketFirst, bracketSecond] (either order)
// and widens as described above; the foot is solved to about 1e-11 m of station. A point on the centreline point
// at the anchor has its foot there. Throws FootNotFound when no foot lies within the reach, CalcError for
// non-finite input.
FootPoint StationOfPoint(const PlanAlignment& plan, Station anchor, Station bracketFirst, Station bracketSecond,
                         Point p);

// StationOfPointWithSide: as StationOfPoint with the distance signed: negative for a point on the left (the side
// of bearing - pi/2), positive on the right.
FootPoint StationOfPointWithSide(const PlanAlignment& plan, Station anchor, Station bracketFirst, Station bracketSecond,
                                 Point p);

// The axis of one pier on the curved skew path: its centre station and skew angle, and the segment of the axis
// from 100 m along its left half (a) to 100 m along its right half (b).
struct PierAxis {
    Station pierStation = 0;
    double pierSkewAngle = 90;  // degrees
    Point a, b;
};

inline constexpr int kMaxAxisSamples = 32767;   // the sample count is 16-bit: a bracket of about 3.3 km
inline constexpr double kAxisSampleStep = 0.1;  // m along the centreline

// AxisCrossingAtOffset (`intxy`): where the pier axis crosses the line at `offset` (m, positive to the left) from
// the centreline. Of the offset line's crossings with the axis line, the one on the axis half of the offset's side
// (the left half for a positive offset) nearest to the pier's centre point is taken; the search starts in the
// bracket the skew angle +-20 degrees gives (OffsetLineBracket), widens as described above and solves the crossing
// exactly (to about 1e-11 m of station), so that the point lies on the offset line itself, not on a chord of it.
// crossing is empty when there is none within the reach, and for offset 0 (the centreline itself, which the axis
// meets at the pier's centre point); station is the station of the offset line's point at the crossing, whose
// normal holds the crossing; samples says how many points every kAxisSampleStep of station, counted from the
// bracket's first station, the bracket holds (fewer than two: the bracket is shorter than one step). More than
// kMaxAxisSamples such points throw CalcError.
struct AxisCrossing {
    std::optional<Point> crossing;
    Station station = 0;
    int samples = 0;
};
AxisCrossing AxisCrossingAtOffset(const PlanAlignment& plan, const PierAxis& axis, double offset);

}  // namespace tavrel
