#include "geometry/Arc.h"

#include <cmath>

#include "common/Errors.h"

namespace tavrel {

double ArcX(double l, double R) { return R * std::sin(CheckedDiv(l, R)); }
double ArcY(double l, double R) { return R * (1 - std::cos(CheckedDiv(l, R))); }

double TangentLengthIn(double R, double p1, double p2, double q1, double alpha) {
    const double a = std::fabs(alpha);
    return CheckedDiv((R + p2) - (R + p1) * std::cos(a), std::sin(a)) + q1;
}

double TangentLengthOut(double R, double p1, double p2, double q2, double alpha) {
    const double a = std::fabs(alpha);
    return CheckedDiv((R + p1) - (R + p2) * std::cos(a), std::sin(a)) + q2;
}

}  // namespace tavrel
