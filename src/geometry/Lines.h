#pragma once
// Straight lines in the plane: the bearing from one point to another, where two lines cross, and to which side a
// path turns. Points in metres, bearings in radians (common/Plane.h).
#include <optional>

#include "common/Plane.h"

namespace tavrel {

// Bearing of the direction P -> Q in [0, 2*pi); two coincident points give 3*pi/2.
double BearingOf(Point p, Point q);

// Where line 1 (through p1, p2) crosses line 2 (through p3, p4). Two formulas, each kept for the callers whose
// results have always been rounded by it: they agree to far below a millimetre but not in the last bits, and
// neither can replace the other without changing results.
//
// CrossLines (`line_line_int`): by the general form A x + B y + C = 0 of each line; no point for parallel lines.
// onSegment: the crossing lies on the segment P3P4 (its distances to P3 and P4 add up to |P3P4| within 1 mm). Throws
// CalcError for a crossing out of range. Used where a pier axis meets the deck's edge lines.
struct LineCrossing {
    std::optional<Point> point;
    bool onSegment = false;
};
LineCrossing CrossLines(Point p1, Point p2, Point p3, Point p4);

// CrossLinesBySlopes: by slope and intercept with exact comparisons (a line parallel to the y axis is taken
// exactly); parallel lines, or two lines both parallel to the y axis, throw CalcError. Used where the straights of
// a main-line curve meet.
Point CrossLinesBySlopes(Point p1, Point p2, Point p3, Point p4);

// TurnSideSign (`zypsgn`): side sign of the turn p1 -> p2 -> p3: -1 for a turn towards increasing bearing, +1 otherwise
// (a straight continuation included).
int TurnSideSign(Point p1, Point p2, Point p3);

}  // namespace tavrel
