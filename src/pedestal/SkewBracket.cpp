#include "pedestal/SkewBracket.h"

#include <cmath>

#include "common/Errors.h"
#include "common/Plane.h"

namespace tavrel {

StationBracket FootBracket(Station st, double skewAngle, double distance) {
    const double cMinus = std::cos(DegreesToRadians(skewAngle - kSkewBracketDegrees));
    const double cPlus = std::cos(DegreesToRadians(skewAngle + kSkewBracketDegrees));
    if (distance > 0) return {st - distance * cMinus, st - distance * cPlus};
    return {st - distance * cPlus, st - distance * cMinus};
}

StationBracket OffsetLineBracket(Station S, double skewAngle, double h) {
    const double tMinus = std::tan(DegreesToRadians(skewAngle - kSkewBracketDegrees));
    const double tPlus = std::tan(DegreesToRadians(skewAngle + kSkewBracketDegrees));
    if (h > 0) return {S - CheckedDiv(h, tMinus), S - CheckedDiv(h, tPlus)};
    return {S - CheckedDiv(h, tPlus), S - CheckedDiv(h, tMinus)};
}

}  // namespace tavrel
