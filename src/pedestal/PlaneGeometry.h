#pragma once
// Small plane-geometry operations of the pedestal calculation.
#include <optional>

#include "common/Plane.h"

namespace tavrel {

// pt_pt: distance between two points (m).
double pt_pt(Point p1, Point p2);

// dtjljs: distance between (xxx, yyy) and (intx, inty) (m).
double dtjljs(double xxx, double yyy, double intx, double inty);

// line_line_int: crossing of line P1P2 with line P3P4; none for parallel lines. leg: the crossing lies on the
// segment P3P4 (its distances to P3 and P4 add up to |P3P4| within 1 mm).
struct LineCrossing {
    std::optional<Point> point;
    bool leg = false;
};
LineCrossing line_line_int(Point p1, Point p2, Point p3, Point p4);

// zypsgn: side sign of the turn p1 -> p2 -> p3: -1 for a turn towards increasing bearing, +1 otherwise (a straight
// continuation included).
int zypsgn(Point p1, Point p2, Point p3);

}  // namespace tavrel
