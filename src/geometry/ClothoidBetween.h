#pragma once
// Coordinate differences between two points of one clothoid, for spirals that run between two finite radii
// and so neither start nor end at the clothoid's origin.
namespace tavrel {

// About a far-away origin the series adds large terms of alternating sign. When its largest term exceeds this,
// double rounding (about 1e-16 of that term, over a few dozen terms) could move the point by more than 0.1 mm,
// so the sums throw CalcError rather than return a wrong point. Met only by long, very gentle
// spirals between nearly equal radii (origin tens of kilometres away); road spirals stay below 1e5 m.
inline constexpr double kMaxClothoidSeriesTerm = 1e10;  // m

// ClothoidXBetween: along-tangent difference between the points at signed distances l1 and l2 (m) from the
// origin of the clothoid with parameter a2 = A^2 (m^2, signed), in the frame of the tangent at the origin:
// sum over t of (-1)^t (l2^(4t+1) - l1^(4t+1)) / ((2 a2)^(2t) (2t)! (4t+1)).
double ClothoidXBetween(double l1, double l2, double a2);

// ClothoidYBetween: the across-tangent difference (positive to the right), same frame:
// sum over t of (-1)^t (l2^(4t+3) - l1^(4t+3)) / ((2 a2)^(2t+1) (2t+1)! (4t+3)).
double ClothoidYBetween(double l1, double l2, double a2);

}  // namespace tavrel
