#include "interchange/ClothoidBetween.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/Errors.h"
#include "mainline/Spiral.h"

namespace tavrel {

namespace {

// Sums the series of term t = (-1)^t (l2 x2^e - l1 x1^e) / den(t), e = power(t), through the shared series
// loop. Here xi = li^2 / (2 a2) is the tangent angle at li, so li x^e is l^(2e+1) / (2 a2)^e regrouped: the same
// term, but the powers of a distance and of a2 (10^400 and more for an origin 10 km away) never overflow.
// Rejects the sum when its largest part is too big for the difference to keep its millimetres.
template <class Power, class Denominator>
double sumBetween(double l1, double l2, double a2, Power power, Denominator den) {
    const double x1 = checkedDiv(l1 * l1, 2 * a2), x2 = checkedDiv(l2 * l2, 2 * a2);
    double largest = 0;
    const double sum = SumSeries([&](int t) {
        const int e = power(t);
        const double p1 = l1 * std::pow(x1, e), p2 = l2 * std::pow(x2, e), d = den(t);
        largest = std::max(largest, std::max(std::fabs(p1), std::fabs(p2)) / d);
        return (t % 2 == 0 ? 1.0 : -1.0) * (p2 - p1) / d;
    });
    if (largest > kMaxClothoidSeriesTerm) throw CalcError("clothoid series loses precision");
    return sum;
}

double factorial(int n) { return Factorial(static_cast<std::int16_t>(n)); }

}  // namespace

double ClothoidXBetween(double l1, double l2, double a2) {
    return sumBetween(
        l1, l2, a2, [](int t) { return 2 * t; }, [](int t) { return factorial(2 * t) * (4 * t + 1); });
}

double ClothoidYBetween(double l1, double l2, double a2) {
    return sumBetween(
        l1, l2, a2, [](int t) { return 2 * t + 1; }, [](int t) { return factorial(2 * t + 1) * (4 * t + 3); });
}

}  // namespace tavrel
