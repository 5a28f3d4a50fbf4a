#include "pedestal/PierSection.h"

#include <cmath>
#include <optional>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "pedestal/SkewBracket.h"
#include "pedestal/StationOfPoint.h"

namespace tavrel {

namespace {

double signOf(double v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// Elevations of the four edges at their stations: the outer edges follow their side's cross slope over the
// sloped band, the inner edges lie at the design elevation.
void edgeElevations(const Road& road, PierSection& s) {
    const Superelevation& cross = road.superelevation;
    const Profile& profile = road.profile;
    s.edgeElevation[LO] = ProfileElevationAt(profile, s.edgeStation[LO]) -
                          CrossSlopesAt(cross, s.edgeStation[LO]).leftSlope * cross.widths().leftSlopedWidth / 100;
    s.edgeElevation[LI] = ProfileElevationAt(profile, s.edgeStation[LI]);
    s.edgeElevation[RI] = ProfileElevationAt(profile, s.edgeStation[RI]);
    s.edgeElevation[RO] = ProfileElevationAt(profile, s.edgeStation[RO]) -
                          CrossSlopesAt(cross, s.edgeStation[RO]).rightSlope * cross.widths().rightSlopedWidth / 100;
}

// Slopes along the axis through the inner and outer edge points of each side.
void axisSlopes(PierSection& s) {
    s.leftAxisSlope = CheckedDiv(s.edgeElevation[LI] - s.edgeElevation[LO], s.edgeDistance[LO] - s.edgeDistance[LI]);
    s.rightAxisSlope = CheckedDiv(s.edgeElevation[RO] - s.edgeElevation[RI], s.edgeDistance[RI] - s.edgeDistance[RO]);
}

// The point of the pier axis at offset h from the centreline, and the station of the offset line's point there
// when the crossing search found it. Offset 0 is the pier's centre point. With too short a bracket for a chord
// (small offsets) and no crossing found, the crossing is solved against the offset line's tangent at the pier:
// that close to the centre point the line is straight to far below a millimetre.
struct EdgePoint {
    Point p;
    std::optional<Station> station;
};
EdgePoint axisPointAtOffset(const PlanAlignment& plan, const PierAxis& axis, const PointAtStation& centre, double h,
                            const PierRecord& pier) {
    if (h == 0) return {centre.p, axis.pierStation};
    const AxisCrossing found = AxisCrossingAtOffset(plan, axis, h);
    if (found.crossing) return {*found.crossing, found.station};
    if (found.samples < 2) {
        const Point o = OffsetPoint(centre, h);
        const LineCrossing local = CrossLines(axis.a, axis.b, o, o + Direction(centre.bearing));
        if (local.point) return {*local.point, std::nullopt};
    }
    throw RejectedText("数据有误", "墩台" + pier.pierName + "的轴线与偏距" + PlainNumber(h) +
                                       "米处的桥面边线不相交，请检查斜交角和超高资料！");
}

// The station of an edge point: where the crossing search met the offset line (the point lies on the
// centreline's normal there), or after the local solution the foot nearest to the pier's station.
Station edgeStation(const PlanAlignment& plan, const PierAxis& axis, double h, const EdgePoint& edge,
                    const PierRecord& pier) {
    if (edge.station) return *edge.station;
    try {
        const auto [s1, s2] = OffsetLineBracket(axis.pierStation, axis.pierSkewAngle, h);
        return StationOfPoint(plan, axis.pierStation, s1, s2, edge.p).station;
    } catch (const FootNotFound&) {
        throw RejectedText("数据有误", "墩台" + pier.pierName + "偏距" + PlainNumber(h) +
                                           "米处的桥面边线点在路线中线上找不到垂足，请检查斜交角和超高资料！");
    }
}

}  // namespace

std::array<double, 4> EdgeOffsets(const CrossSectionWidths& c) {
    return {c.leftSlopedWidth + c.centralLeftEdge, c.centralLeftEdge, c.centralRightEdge,
            c.centralRightEdge + c.rightSlopedWidth};
}

PierSection BuildPierSection(const Road& road, const PierRecord& pier, double skewAngle) {
    PierSection s;
    s.pierStation = pier.baseStation;
    s.pierSkewAngle = skewAngle;
    s.edgeOffset = EdgeOffsets(road.superelevation.widths());
    const Station S = s.pierStation;
    const double theta = skewAngle;
    const double thetaR = DegreesToRadians(theta);
    const CrossSectionWidths& widths = road.superelevation.widths();
    const auto& o = s.edgeOffset;
    const ChainBreakTable& breaks = road.chainBreaks;

    if (theta == 90) {
        const CrossSlopes slopes = CrossSlopesAt(road.superelevation, S);
        const double E = ProfileElevationAt(road.profile, S);
        for (int e = LO; e <= RO; ++e) {
            s.edgeStation[e] = S;
            s.edgeNominalStation[e] = WrittenStation(breaks, S);
            s.edgeDistance[e] = o[e];
        }
        s.leftAxisSlope = slopes.leftSlope / 100;
        s.rightAxisSlope = slopes.rightSlope / 100;
        s.edgeElevation[LO] = E - slopes.leftSlope * widths.leftSlopedWidth / 100;
        s.edgeElevation[LI] = E;
        s.edgeElevation[RI] = E;
        s.edgeElevation[RO] = E - slopes.rightSlope * widths.rightSlopedWidth / 100;
        return s;
    }

    if (road.curved()) {
        const PlanAlignment& plan = *road.plan;
        const PointAtStation centre = plan.pointAt(S);
        PierAxis axis{S, theta, centre.p + 100 * Direction(centre.bearing + thetaR - kPi),
                      centre.p + 100 * Direction(centre.bearing + thetaR)};
        for (int e = LO; e <= RO; ++e) {
            const double h = o[e];
            const EdgePoint edge = axisPointAtOffset(plan, axis, centre, h, pier);
            const Point p = edge.p;
            s.edgeX[e] = p.x;
            s.edgeY[e] = p.y;
            s.edgeDistance[e] = signOf(h) * DistanceBySquares(centre.p, p);
            s.edgeStation[e] = edgeStation(plan, axis, h, edge, pier);
            s.edgeNominalStation[e] = WrittenStation(breaks, s.edgeStation[e]);
        }
    } else {
        for (int e = LO; e <= RO; ++e) {
            s.edgeStation[e] = S - CheckedDiv(o[e], std::tan(thetaR));
            s.edgeDistance[e] = CheckedDiv(o[e], std::sin(thetaR));
            s.edgeNominalStation[e] = WrittenStation(breaks, s.edgeStation[e]);
        }
    }
    edgeElevations(road, s);
    axisSlopes(s);
    return s;
}

double PierSectionElevationAt(const PierSection& section, double distance) {
    const double d = distance;
    const double dLI = section.edgeDistance[LI], dRI = section.edgeDistance[RI];
    const double eLI = section.edgeElevation[LI], eRI = section.edgeElevation[RI];
    if (d >= dLI) return eLI - (d - dLI) * section.leftAxisSlope;
    if (d <= dRI) return eRI + (dRI - d) * section.rightAxisSlope;
    return eLI + (d - dLI) * CheckedDiv(eRI - eLI, dRI - dLI);
}

}  // namespace tavrel
