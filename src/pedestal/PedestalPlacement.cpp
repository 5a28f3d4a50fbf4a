#include "pedestal/PedestalPlacement.h"

#include <cmath>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "pedestal/SkewBracket.h"
#include "pedestal/StationOfPoint.h"
#include "road/DeckElevation.h"

namespace tavrel {

PedestalPlacement PlacePedestal(const Road& road, Station referenceStation, double skewAngle, double distance) {
    const double thetaR = DegreesToRadians(skewAngle);
    PedestalPlacement r;
    if (road.curved()) {
        const PlanAlignment& plan = *road.plan;
        if (!(plan.firstStation() <= referenceStation && referenceStation <= plan.lastStation()))
            throw RejectedText("数据有误", "桩号" + PlainNumber(WrittenStation(road.chainBreaks, referenceStation)) +
                                               "超出平面数据文件，请修改！");
        const PointAtStation c = plan.pointAt(referenceStation);
        const Point p = c.p + distance * Direction(c.bearing + thetaR - kPi);
        const auto [s1, s2] = FootBracket(referenceStation, skewAngle, distance);
        const FootPoint foot = StationOfPoint(plan, referenceStation, s1, s2, p);
        r.station = foot.station;
        // The side is where the point lies from its foot, which on a tight curve need not be the side of the
        // pier axis it was laid out on.
        const Point left = Direction(foot.centreline.bearing - kPi / 2);
        const double across = (p.x - foot.centreline.p.x) * left.x + (p.y - foot.centreline.p.y) * left.y;
        r.offset = (across > 0 ? 1 : across < 0 ? -1 : 0) * foot.distance;
        r.point = p;
    } else {
        r.station = referenceStation - distance * std::cos(thetaR);
        r.offset = distance * std::sin(thetaR);
    }
    r.nominalStation = WrittenStation(road.chainBreaks, r.station);
    const DeckPoint deck = DeckElevationAt(road.profile, road.superelevation, r.station, r.offset);
    r.deckElevation = deck.elevation;
    r.crossSlope = deck.slope;
    return r;
}

}  // namespace tavrel
