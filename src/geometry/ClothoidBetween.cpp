#include "geometry/ClothoidBetween.h"

#include <algorithm>
#include <cmath>

#include "common/Errors.h"
#include "geometry/Clothoid.h"

namespace tavrel {

namespace {

// Sums the series of term t = (-1)^t (l2 x2^e - l1 x1^e) / ((2t + k)! (4t + 1 + 2k)), e = 2t + k with k = 0 (along
// the tangent) or 1 (across it), through the shared series loop. Here xi = li^2 / (2 a2) is the tangent angle at
// li, so li x^e is l^(2e+1) / (2 a2)^e regrouped: the same term, but the powers of a distance and of a2 (10^400
// and more for an origin 10 km away) never overflow. The powers and the factorial are carried from term to term.
// Rejects the sum when its largest part is too big for the difference to keep its millimetres.
double sumBetween(double l1, double l2, double a2, int k) {
    const double x1 = CheckedDiv(l1 * l1, 2 * a2), x2 = CheckedDiv(l2 * l2, 2 * a2);
    double p1 = k == 1 ? l1 * x1 : l1, p2 = k == 1 ? l2 * x2 : l2;  // li xi^e
    double factorial = 1;                                           // (2t + k)!
    double largest = 0;
    const double sum = SumSeries([&](int t) {
        if (t > 0) {
            p1 *= x1 * x1;
            p2 *= x2 * x2;
            factorial *= static_cast<double>(2 * t - 1 + k) * (2 * t + k);
        }
        const double d = factorial * (4 * t + 1 + 2 * k);
        largest = std::max(largest, std::max(std::fabs(p1), std::fabs(p2)) / d);
        return (t % 2 == 0 ? 1.0 : -1.0) * (p2 - p1) / d;
    });
    if (largest > kMaxClothoidSeriesTerm) throw CalcError("clothoid series loses precision");
    return sum;
}

}  // namespace

double ClothoidXBetween(double l1, double l2, double a2) { return sumBetween(l1, l2, a2, 0); }

double ClothoidYBetween(double l1, double l2, double a2) { return sumBetween(l1, l2, a2, 1); }

}  // namespace tavrel
