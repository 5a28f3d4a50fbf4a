#include "geometry/Clothoid.h"

namespace tavrel {

// The four series by recurrence: each term is the one before times a fixed ratio over two more factors of the
// factorial, so no power or factorial is recomputed per term. With x = l^2 / (2 A2) (the tangent angle at l) and
// y = L / (2 R), the terms are l x^(2n) / (2n)! / (4n+1) (clothoid x), l x^(2n+1) / (2n+1)! / (4n+3) (clothoid y),
// L y^(2n) / (2n)! / ((4n+1)(4n+2)) (tangent offset) and L y^(2n+1) / (2n+1)! / ((4n+3)(4n+4)) (shift), with
// alternating signs. A zero radius or A2 makes the second term (or the first) infinite, which the series loop
// rejects, as the powers did.
namespace {

// Sum of first * (-r)^n / ((k+1)(k+2)...(k+2n)) / tail(n) over n, k = 0 or 1 (the factorial (2n + k)! / k!).
template <class Tail>
double alternatingSeries(double first, double r, int k, Tail tail) {
    double part = first;
    return SumSeries([&](int n) {
        if (n > 0) part *= -r / (static_cast<double>(2 * n - 1 + k) * (2 * n + k));
        return part / tail(n);
    });
}

}  // namespace

double SpiralTangentOffset(double L, double R) {
    const double y = L / (2 * R);
    return alternatingSeries(L, y * y, 0, [](int n) { return static_cast<double>(4 * n + 1) * (4 * n + 2); });
}

double SpiralShift(double L, double R) {
    const double y = L / (2 * R);
    return alternatingSeries(L * y, y * y, 1, [](int n) { return static_cast<double>(4 * n + 3) * (4 * n + 4); });
}

double ClothoidX(double l, double A2) {
    const double x = l * l / (2 * A2);
    return alternatingSeries(l, x * x, 0, [](int n) { return static_cast<double>(4 * n + 1); });
}

double ClothoidY(double l, double A2) {
    const double x = l * l / (2 * A2);
    return alternatingSeries(l * x, x * x, 1, [](int n) { return static_cast<double>(4 * n + 3); });
}

Point ClothoidPointPast(Point known, double originBearing, double knownLength, double u, double A2) {
    if (u == 0) return known;
    const Point localKnown = ClothoidPoint(std::fabs(knownLength), A2);
    const Point origin = known - Rotate(originBearing, localKnown.x, localKnown.y);
    const Point local = ClothoidPoint(std::fabs(u + knownLength), A2);
    return origin + Rotate(originBearing, local.x, local.y);
}

}  // namespace tavrel
