#pragma once
// Numeric building blocks of the plan alignments: bearing of a direction, the clothoid and transition-spiral
// series, tangent lengths of a curve with unequal spirals, circular-arc points and the crossing of two lines.
// Pure functions; lengths in metres, angles in radians. Where the arithmetic has no finite answer they throw
// CalcError instead of returning inf or NaN.
#include <cstdint>

#include "common/Errors.h"
#include "common/Plane.h"

namespace tavrel {

// Bearing of the direction P -> Q in [0, 2*pi); two coincident points give 3*pi/2.
double BearingOf(Point p, Point q);

// n! as a double (n >= 0).
double Factorial(std::int16_t n);

// Sum of a series term(0) + term(1) + ..., the last term added being the first whose magnitude is below 1e-20
// (an absolute tolerance). Throws CalcError when a term is not finite or the series has not settled after
// kMaxSeriesTerms terms (lengths far beyond the clothoid's parameter).
inline constexpr int kMaxSeriesTerms = 80;
template <class Term>
double SumSeries(Term term) {
    double sum = 0;
    for (int n = 0; n < kMaxSeriesTerms; ++n) {
        const double t = term(n);
        if (!std::isfinite(t)) break;
        sum += t;
        if (std::fabs(t) < 1e-20) return sum;
    }
    throw CalcError("clothoid series does not converge");
}

// Tangent offset q of a transition spiral of length L ending at radius R: L/2 - L^3/(240 R^2) + ...
double SpiralTangentOffset(double L, double R);
// Shift p of a transition spiral of length L ending at radius R: L^2/(24 R) - L^4/(2688 R^3) + ...
double SpiralShift(double L, double R);

// Clothoid point at arc length l from its origin, in the origin's tangent frame; A2 = A^2, signed:
// positive turns right (v > 0), negative mirrors the point to the left.
double ClothoidX(double l, double A2);  // along the origin tangent: l - l^5/(40 A^4) + ...
double ClothoidY(double l, double A2);  // across it: l^3/(6 A^2) - l^7/(336 A^6) + ...

// Tangent lengths of a curve with spiral shifts p1, p2 and tangent offsets q1, q2 and deflection alpha.
double TangentLengthIn(double R, double p1, double p2, double q1, double alpha);
double TangentLengthOut(double R, double p1, double p2, double q2, double alpha);

// Point at arc length l on a circle of signed radius R, in the tangent frame at the arc's start.
double ArcX(double l, double R);  // R sin(l/R)
double ArcY(double l, double R);  // R (1 - cos(l/R))

// Crossing of line 1 (through p1, p2) and line 2 (through p3, p4), by slope and intercept with exact
// comparisons; parallel lines, or two lines both parallel to the y axis, throw CalcError.
Point LineIntersection(Point p1, Point p2, Point p3, Point p4);

}  // namespace tavrel
