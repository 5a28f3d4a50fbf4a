#include "mainline/Spiral.h"

#include <cmath>

namespace tavrel {

double BearingOf(Point p, Point q) {
    const double dx = q.x - p.x, dy = q.y - p.y;
    if (dx != 0) {
        const double t = std::atan(dy / dx);
        if (t >= 0) return dx >= 0 ? t : t + kPi;
        return dx >= 0 ? t + 2 * kPi : t + kPi;
    }
    return dy > 0 ? kPi / 2 : 3 * kPi / 2;
}

double Factorial(std::int16_t n) {
    double f = 1;
    for (int i = 2; i <= n; ++i) f *= i;
    return f;
}

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

double TangentLengthIn(double R, double p1, double p2, double q1, double alpha) {
    const double a = std::fabs(alpha);
    return checkedDiv((R + p2) - (R + p1) * std::cos(a), std::sin(a)) + q1;
}

double TangentLengthOut(double R, double p1, double p2, double q2, double alpha) {
    const double a = std::fabs(alpha);
    return checkedDiv((R + p1) - (R + p2) * std::cos(a), std::sin(a)) + q2;
}

double ArcX(double l, double R) { return R * std::sin(checkedDiv(l, R)); }
double ArcY(double l, double R) { return R * (1 - std::cos(checkedDiv(l, R))); }

Point LineIntersection(Point p1, Point p2, Point p3, Point p4) {
    const auto slope = [](Point a, Point b) { return checkedDiv(a.y - b.y, a.x - b.x); };
    const auto intercept = [](Point a, Point b) { return checkedDiv(a.x * b.y - b.x * a.y, a.x - b.x); };
    if (p1.x != p2.x && p3.x != p4.x) {
        const double k1 = slope(p1, p2), b1 = intercept(p1, p2);
        const double k2 = slope(p3, p4), b2 = intercept(p3, p4);
        const double X = checkedDiv(b2 - b1, k1 - k2);
        return {X, requireFinite(k1 * X + b1)};
    }
    if (p1.x == p2.x) {
        if (p3.x == p4.x) throw CalcError("both lines parallel to the y axis");
        const double k2 = slope(p3, p4), b2 = intercept(p3, p4);
        return {p1.x, requireFinite(k2 * p1.x + b2)};
    }
    const double k1 = slope(p1, p2), b1 = intercept(p1, p2);
    return {p3.x, requireFinite(k1 * p3.x + b1)};
}

}  // namespace tavrel
