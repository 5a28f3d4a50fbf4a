#pragma once
// The clothoid (transition spiral) by its series: points in the frame of the tangent at its origin, the shift and
// tangent offset of a transition spiral ending at a radius, and points of a clothoid placed by a point it passes.
// Pure functions; lengths in metres, angles in radians. Where the arithmetic has no finite answer they throw
// CalcError instead of returning inf or NaN.
#include <cmath>

#include "common/Errors.h"
#include "common/Plane.h"

namespace tavrel {

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
inline Point ClothoidPoint(double l, double A2) { return {ClothoidX(l, A2), ClothoidY(l, A2)}; }

// A point of a clothoid measured from its origin, which need not lie on the road: the clothoid passes `known` at
// arc length |knownLength| from its origin, whose tangent has the bearing originBearing; the result is the point at
// arc length |knownLength + u| (u = 0 gives `known` itself). A2 as in ClothoidX. A spiral that begins or ends at a
// finite radius is the part of such a full clothoid beyond its key point: knownLength is the length of the part
// that is missing, u the distance along the spiral from the key point.
Point ClothoidPointPast(Point known, double originBearing, double knownLength, double u, double A2);

}  // namespace tavrel
