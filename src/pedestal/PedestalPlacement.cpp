#include "pedestal/PedestalPlacement.h"

#include <cmath>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "pedestal/SkewBracket.h"
#include "pedestal/StationOfPoint.h"

namespace tavrel {

PedestalPoint qmjs(const Road& road, Station zhzh, double skewAngle, double distance) {
    const double thetaR = DegreesToRadians(skewAngle);
    PedestalPoint r;
    if (road.curved()) {
        const PlanAlignment& plan = *road.plan;
        if (!(plan.firstStation() <= zhzh && zhzh <= plan.lastStation()))
            throw RejectedText("数据有误",
                               "桩号" + plainNumber(sj_dl_chg(road.chainBreaks, zhzh)) + "超出平面数据文件，请修改！");
        const PointAtStation c = plan.pointAt(zhzh);
        const Point p = c.p + distance * direction(c.bearing + thetaR - kPi);
        const auto [s1, s2] = FootBracket(zhzh, skewAngle, distance);
        const FootPoint foot = js_dtzh(plan, zhzh, s1, s2, p);
        r.station = foot.ptzh;
        // The side is where the point lies from its foot, which on a tight curve need not be the side of the
        // pier axis it was laid out on.
        const Point left = direction(foot.centreline.bearing - kPi / 2);
        const double across = (p.x - foot.centreline.p.x) * left.x + (p.y - foot.centreline.p.y) * left.y;
        r.offset = (across > 0 ? 1 : across < 0 ? -1 : 0) * foot.ptd;
        r.point = p;
    } else {
        r.station = zhzh - distance * std::cos(thetaR);
        r.offset = distance * std::sin(thetaR);
    }
    r.nominalStation = sj_dl_chg(road.chainBreaks, r.station);
    const DeckPoint deck = DeckElevationAt(road.profile, road.superelevation, r.station, r.offset);
    r.deckElevation = deck.elevation;
    r.crossSlope = deck.slope;
    return r;
}

double qmjs1(const PierSection& section, double dsjltemp) {
    const double d = dsjltemp;
    const double dLI = section.edgeDistance[LI], dRI = section.edgeDistance[RI];
    const double eLI = section.edgeElevation[LI], eRI = section.edgeElevation[RI];
    if (d >= dLI) return eLI - (d - dLI) * section.leftAxisSlope;
    if (d <= dRI) return eRI + (dRI - d) * section.rightAxisSlope;
    return eLI + (d - dLI) * checkedDiv(eRI - eLI, dRI - dLI);
}

}  // namespace tavrel
