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

namespace {
double sign1(int n) { return (n % 2 == 0) ? 1.0 : -1.0; }
}  // namespace

double SpiralTangentOffset(double L, double R) {
    return SumSeries([&](int n) {
        return sign1(n) * std::pow(L, 2 * n + 1) /
               (std::pow(R, 2 * n) * Factorial(2 * n) * (4 * n + 1) * (4 * n + 2) * std::pow(2.0, 2 * n));
    });
}

double SpiralShift(double L, double R) {
    return SumSeries([&](int n) {
        return sign1(n) * std::pow(L, 2 * n + 2) /
               (std::pow(R, 2 * n + 1) * Factorial(2 * n + 1) * (4 * n + 3) * (4 * n + 4) * std::pow(2.0, 2 * n + 1));
    });
}

double ClothoidX(double l, double A2) {
    return SumSeries([&](int n) {
        return sign1(n) * std::pow(l, 4 * n + 1) / (std::pow(2 * A2, 2 * n) * Factorial(2 * n) * (4 * n + 1));
    });
}

double ClothoidY(double l, double A2) {
    return SumSeries([&](int n) {
        return sign1(n) * std::pow(l, 4 * n + 3) / (std::pow(2 * A2, 2 * n + 1) * Factorial(2 * n + 1) * (4 * n + 3));
    });
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
