#include "pedestal/Deck.h"

#include <cmath>

#include "app/Errors.h"
#include "pedestal/StationOfPoint.h"
#include "station/NumberText.h"

namespace tavrel {

DeckPoint DeckElevationAt(const Profile& profile, const Superelevation& cross, Station s, double u) {
    const CrossSlopes slopes = cgjs(cross, s);
    const double e = ProfileElevationAt(profile, s);
    if (cross.centralRightEdge <= u && u <= cross.centralLeftEdge) return {e, 0};
    if (u > cross.centralLeftEdge)
        return {e - (u - cross.centralLeftEdge) * slopes.zcgz / 100, slopes.zcgz / 100};
    return {e - (u - cross.centralRightEdge) * slopes.ycgz / 100, slopes.ycgz / 100};
}

PedestalPoint qmjs(const Road& road, Station zhzh, double skewAngle, double distance) {
    const double pi = 4 * std::atan(1.0);
    const double thetaR = pi * skewAngle / 180;
    PedestalPoint r;
    if (road.curved()) {
        const PlanAlignment& plan = *road.plan;
        if (!(plan.firstStation() <= zhzh && zhzh <= plan.lastStation()))
            throw RejectedText("数据有误", "桩号" + plainNumber(sj_dl_chg(road.project.chainBreaks, zhzh)) +
                                                "超出平面数据文件，请修改！");
        const PointAtStation c = plan.pointAt(zhzh);
        const Point p = c.p + distance * direction(c.bearing + thetaR - pi);
        const double cMinus = std::cos(pi * (skewAngle - 20) / 180), cPlus = std::cos(pi * (skewAngle + 20) / 180);
        const double s1 = distance > 0 ? zhzh - distance * cMinus : zhzh - distance * cPlus;
        const double s2 = distance > 0 ? zhzh - distance * cPlus : zhzh - distance * cMinus;
        const FootPoint foot = js_dtzh(plan, s1, s2, p);
        r.station = foot.ptzh;
        r.offset = (distance > 0 ? 1 : distance < 0 ? -1 : 0) * foot.ptd;
        r.point = p;
    } else {
        r.station = zhzh - distance * std::cos(thetaR);
        r.offset = distance * std::sin(thetaR);
    }
    r.nominalStation = sj_dl_chg(road.project.chainBreaks, r.station);
    const DeckPoint deck = DeckElevationAt(road.project.profile, road.project.superelevation, r.station, r.offset);
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
