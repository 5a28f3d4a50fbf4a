#pragma once
// The circular arc: its points in the tangent frame at its start, the points of an arc given by its ends and the
// angle it turns through, and the tangent lengths of an arc that joins two straights through transition spirals of
// unequal shift. Pure functions; lengths in metres, angles in radians; where the arithmetic has no finite answer
// they throw CalcError.
#include "common/Plane.h"

namespace tavrel {

// Point at arc length l on a circle of signed radius R, in the tangent frame at the arc's start.
double ArcX(double l, double R);  // R sin(l/R)
double ArcY(double l, double R);  // R (1 - cos(l/R))

// The point at fraction t (0 at a, 1 at b) of the circular arc from a to b that turns through `sweep` (rad,
// positive towards increasing bearing, |sweep| < 2 pi); the chord's point for a sweep of 0. The arc's chord to
// that point has the length |ab| sin(t sweep / 2) / sin(sweep / 2) and leaves a at (1 - t) sweep / 2 before the
// chord ab's bearing, which stays exact for sweeps near 0.
Point PointAlongArc(Point a, Point b, double sweep, double t);

// Tangent lengths, from the straights' crossing to where each spiral leaves its straight, of a curve of radius R
// with spiral shifts p1, p2, tangent offsets q1, q2 (SpiralShift, SpiralTangentOffset) and deflection alpha.
double TangentLengthIn(double R, double p1, double p2, double q1, double alpha);
double TangentLengthOut(double R, double p1, double p2, double q2, double alpha);

}  // namespace tavrel
