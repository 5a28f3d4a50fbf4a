#include "drawing/BuildPlan.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "drawing/CentrelineSampling.h"
#include "drawing/Sheet.h"
#include "pedestal/PierSection.h"

namespace tavrel {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// When the scale is chosen, the geometry's box grows by this share for the texts around it.
constexpr double kLabelAllowance = 1.3;
// The central band's edges are drawn only this far (sheet mm) or farther from the centreline: closer, they would
// blur into it.
constexpr double kInnerEdgeApartMm = 2;
// Two stations closer than this are one (m): pier rows at one station share their axis.
constexpr double kSameStation = 1e-6;

// The centreline: the plan's on the curved skew path; otherwise a straight line along +x (bearing 0) with the
// origin's station at x = 0.
struct Centreline {
    const Road& road;
    Station origin;
    PointAtStation operator()(Station s) const {
        if (road.plan) return road.plan->pointAt(s);
        return {{s - origin, 0}, 0};
    }
};

// A chain break: its continuous station and the written stations before and after it.
struct BreakPoint {
    Station station;
    double before, after;
};

std::vector<BreakPoint> breakPoints(const ChainBreakTable& t) {
    std::vector<BreakPoint> v;
    double shift = 0;  // written minus continuous station before the break
    for (int k = 1; k <= t.chainBreakCount; ++k) {
        const auto& [b, a] = t.chainBreaks[k];
        v.push_back({b - shift, b, a});
        shift += a - b;
    }
    return v;
}

// A station text (StationKText, StationLabel) made short: "K12+630" for whole metres, "K12+630.500" otherwise.
std::string shortStationText(std::string s) {
    if (s.size() > 4 && s.compare(s.size() - 4, 4, ".000") == 0) s.resize(s.size() - 4);
    return s;
}

// Continuous stations in [from, to] whose written station is a whole multiple of the tick spacing, with that
// written station.
struct Tick {
    Station station;
    double written;
};
std::vector<Tick> ticks(const ChainBreakTable& table, const std::vector<BreakPoint>& breaks, Station from, Station to) {
    std::vector<Tick> out;
    double shift = 0;
    for (std::size_t j = 0; j <= breaks.size(); ++j) {
        const double lo = j == 0 ? -kInf : breaks[j - 1].station, hi = j == breaks.size() ? kInf : breaks[j].station;
        if (j > 0) shift += breaks[j - 1].after - breaks[j - 1].before;
        const double a = std::max(lo, from), b = std::min(hi, to);
        if (!(a <= b)) continue;
        // Counted in whole steps: far from 0, adding 1 to a tick number may not change it.
        const double first = std::ceil((a + shift) / kTickSpacing);
        const double count = std::floor((b + shift) / kTickSpacing) - first + 1;
        if (count > kMaxDrawnLength / kTickSpacing + 1) throw TooLongToDraw(b - a);
        for (double k = 0; k < count; ++k) {
            const double written = (first + k) * kTickSpacing;
            const Station s = written - shift;
            if (j > 0 && s <= lo) continue;  // the break itself belongs to the interval before it
            if (std::fabs(WrittenStation(table, s) - written) > 1e-6) continue;  // breaks out of order
            out.push_back({s, written});
        }
    }
    return out;
}

// Pier rows at one base station share one pier axis.
struct AxisGroup {
    Station station;
    std::vector<std::size_t> piers;
};

std::vector<AxisGroup> axisGroups(const PedestalLayout& layout) {
    std::vector<AxisGroup> groups;
    for (std::size_t i = 0; i < layout.piers.size(); ++i) {
        const Station s = layout.piers[i].baseStation;
        auto g = std::find_if(groups.begin(), groups.end(),
                              [s](const AxisGroup& a) { return std::fabs(a.station - s) <= kSameStation; });
        if (g == groups.end()) groups.push_back({s, {i}});
        else g->piers.push_back(i);
    }
    return groups;
}

// The smallest positive gap between neighbouring values, inf when there is none.
double smallestGap(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double gap = kInf;
    for (std::size_t k = 1; k < v.size(); ++k)
        if (v[k] - v[k - 1] > kSameStation) gap = std::min(gap, v[k] - v[k - 1]);
    return gap;
}

// A text along a Direction (bearing), turned to read left to right; `outward` says which end sits at the anchor
// when it is not turned (Left: the start, Right: the end).
DrawnText textAlong(Point at, std::string text, double height, double bearing, HAlign outward, VAlign v) {
    const ReadingDirection r = Readable(bearing);
    HAlign h = outward;
    if (r.turned && h != HAlign::Centre) h = h == HAlign::Left ? HAlign::Right : HAlign::Left;
    return {DrawingLayer::Text, at, std::move(text), height, r.bearing, h, v};
}

class Builder {
public:
    Builder(const Road& road, const CalculationResult& r)
        : road_(road), r_(r), layout_(r.layout), centre_{road, r.layout.piers.front().baseStation} {}

    PlanDrawing build() {
        d_.surveyCoordinates = road_.curved();
        thetaR_ = DegreesToRadians(layout_.skewAngle);
        widths_ = road_.superelevation.widths();
        offsets_ = EdgeOffsets(widths_);
        stretch();
        roadLines();
        pedestalPoints();
        chooseScale();
        innerEdges();
        pierAxes();
        pedestalSymbols();
        stationTicks();
        straightNote();
        return std::move(d_);
    }

private:
    // The stretch of road drawn: the bridge's stations and the approaches, within the plan.
    void stretch() {
        double lo = kInf, hi = -kInf;
        const auto take = [&](double s) {
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        };
        for (const PierRecord& p : layout_.piers) {
            take(p.baseStation);
            take(p.referenceStation);
        }
        for (const auto& row : r_.tables.pedestalStation)
            for (double s : row) take(s);
        for (const PierSection& s : r_.sections)
            for (double e : s.edgeStation) take(e);
        from_ = lo - kApproachMargin;
        to_ = hi + kApproachMargin;
        if (road_.plan) {
            from_ = std::max(from_, road_.plan->firstStation());
            to_ = std::min(to_, road_.plan->lastStation());
        }
        if (!(from_ < to_)) throw CalcError("nothing of the road to draw");
        if (!(to_ - from_ <= kMaxDrawnLength)) throw TooLongToDraw(to_ - from_);
    }

    // The centreline and the deck edges, sampled on one set of stations.
    void roadLines() {
        const auto& rows = road_.superelevation.records();
        if (rows.empty()) throw CalcError("no superelevation rows");
        double first = kInf, last = -kInf;
        for (const SuperelevationRecord& row : rows) {
            first = std::min(first, row.station);
            last = std::max(last, row.station);
        }
        // A table of one row (or of rows at one station) holds its slopes everywhere: the deck then runs the whole
        // stretch.
        deckFrom_ = first < last ? std::max(from_, first) : from_;
        deckTo_ = first < last ? std::min(to_, last) : to_;

        // The edges worth a line: none on the centreline itself or on another edge. The inner ones are drawn once
        // the scale is known (innerEdges), where the central band shows apart from the centreline.
        std::vector<double> offsets;
        for (int e : {LO, RO, LI, RI}) {
            const double o = offsets_[e];
            if (o == 0 || std::find(offsets.begin(), offsets.end(), o) != offsets.end()) continue;
            offsets.push_back(o);
            if (e == LI || e == RI) innerOffsets_.push_back(o);
        }

        if (road_.plan) {
            DrawnCentreline drawn =
                CentrelineVertices(centre_, road_.plan->piecesBetween(from_, to_), offsets, {deckFrom_, deckTo_});
            stations_ = std::move(drawn.stations);
            sweeps_ = std::move(drawn.sweeps);
        } else {
            stations_ = {from_, to_};  // a straight line needs no more
            for (Station s : {deckFrom_, deckTo_})
                if (s > from_ && s < to_) stations_.push_back(s);
            std::sort(stations_.begin(), stations_.end());
            sweeps_.assign(stations_.size() - 1, 0.0);
        }
        at_.reserve(stations_.size());
        for (Station s : stations_) at_.push_back(centre_(s));

        DrawnLine centreline{DrawingLayer::Centreline, LineStyle::DashDot, false, {}, sweeps_};
        for (const PointAtStation& c : at_) centreline.points.push_back(c.p);
        d_.lines.push_back(std::move(centreline));
        for (int e : {LO, RO})
            if (offsets_[e] != 0 && !(e == RO && offsets_[RO] == offsets_[LO])) edgeLine(offsets_[e], true);
        rightmost_ = std::min({0.0, offsets_[LO], offsets_[LI], offsets_[RI], offsets_[RO]});
    }

    // One deck edge at an offset, over the stretch the superelevation table covers.
    void edgeLine(double offset, bool outer) {
        if (!(deckFrom_ < deckTo_)) return;  // the superelevation table does not reach the drawn stretch
        DrawnLine line{DrawingLayer::DeckEdge, outer ? LineStyle::Solid : LineStyle::Dashed, outer, {}, {}};
        for (std::size_t k = 0; k < stations_.size(); ++k) {
            if (stations_[k] < deckFrom_ || stations_[k] > deckTo_) continue;
            // The segment from the previous vertex turns as the centreline's does.
            if (!line.points.empty()) line.sweeps.push_back(sweeps_[k - 1]);
            line.points.push_back(OffsetPoint(at_[k], offset));
        }
        d_.lines.push_back(std::move(line));
    }

    // The central band's edges, where they show apart from the centreline on the sheet.
    void innerEdges() {
        for (double o : innerOffsets_)
            if (std::fabs(o) >= kInnerEdgeApartMm * d_.scale / 1000) edgeLine(o, false);
    }

    // The listed pedestal points (those the side mark of their pier keeps).
    void pedestalPoints() {
        const PedestalResultTables& t = r_.tables;
        for (std::size_t i = 0; i < layout_.piers.size(); ++i) {
            const PierRecord& pier = layout_.piers[i];
            const PointAtStation ref = centre_(pier.referenceStation);
            for (std::size_t k = 0; k < layout_.pedestalDistances.size(); ++k) {
                const double dist = layout_.pedestalDistances[k];
                if (!Lists(pier.sideMark, dist)) continue;
                Point p = ref.p + dist * Direction(ref.bearing + thetaR_ - kPi);
                if (t.pedestalX[i][k] && t.pedestalY[i][k]) p = {*t.pedestalX[i][k], *t.pedestalY[i][k]};
                d_.points.push_back({DrawingLayer::Pedestal, p});
                d_.pedestals.push_back({i, k, p, pier.pierName,
                                        StationLabel(road_.chainBreaks, t.pedestalStation[i][k]),
                                        t.pedestalOffset[i][k], t.pedestalTopElevation[i][k], t.pedestalHeight[i][k]});
                rightmost_ = std::min(rightmost_, t.pedestalOffset[i][k]);
            }
        }
    }

    // The scale at which the geometry (with room for its texts) fits the sheet, and the texts' sizes for it.
    void chooseScale() {
        PlanBox box = GeometryBox(d_);
        for (const PierSection& s : r_.sections) box.add(centre_(s.pierStation).p);
        d_.scale = StandardScaleFor(box.width() * kLabelAllowance, box.height() * kLabelAllowance);
        h_ = kPaperTextMm * d_.scale / 1000;
        d_.textHeight = h_;
        const double pedestalGap = smallestGap(layout_.pedestalDistances);
        pedestalText_ = std::min(h_, 0.45 * pedestalGap);
        pedestalRadius_ = std::min(0.3 * h_, 0.25 * pedestalGap);
        tickText_ = std::min(h_, 0.4 * kTickSpacing);
    }

    // Each pier axis across the deck, its section edge points and its name and station beyond its left end.
    void pierAxes() {
        const std::vector<AxisGroup> groups = axisGroups(layout_);
        std::vector<double> stations;
        for (const AxisGroup& g : groups) stations.push_back(g.station);
        const double axisGap = smallestGap(stations) * std::fabs(std::sin(thetaR_));
        const double nameHeight = std::min(1.2 * h_, 0.3 * axisGap);
        const double overhang = 0.6 * h_;

        for (const AxisGroup& g : groups) {
            const PierSection& section = r_.sections[g.piers.front()];
            const PointAtStation c = centre_(section.pierStation);
            const double leftBearing = c.bearing + thetaR_ - kPi;
            const Point left = Direction(leftBearing);
            double dMin = 0, dMax = 0;
            for (double e : section.edgeDistance) {
                dMin = std::min(dMin, e);
                dMax = std::max(dMax, e);
            }
            for (double k : layout_.pedestalDistances) {
                dMin = std::min(dMin, k);
                dMax = std::max(dMax, k);
            }
            const Point leftEnd = c.p + (dMax + overhang) * left;
            d_.lines.push_back(
                {DrawingLayer::PierAxis, LineStyle::DashDot, false, {leftEnd, c.p + (dMin - overhang) * left}});
            rightmost_ = std::min(rightmost_, (dMin - overhang) * std::sin(thetaR_));

            for (int e = LO; e <= RO; ++e) {
                Point p = c.p + section.edgeDistance[e] * left;
                if (section.edgeX[e] && section.edgeY[e]) p = {*section.edgeX[e], *section.edgeY[e]};
                d_.points.push_back({DrawingLayer::DeckEdge, p});
            }

            std::string names;
            for (std::size_t i : g.piers) {
                const std::string& n = layout_.piers[i].pierName;
                if (names.find(n) == std::string::npos) names += (names.empty() ? "" : "/") + n;
            }
            // The two lines reach about 1.6 name heights either side of the axis; the deck edge crosses the axis
            // at the skew angle, so the label starts that much farther out to stay clear of it.
            const double clearance = 0.5 * nameHeight + 1.6 * nameHeight * std::fabs(1 / std::tan(thetaR_));
            const Point anchor = leftEnd + clearance * left;
            const ReadingDirection reading = Readable(leftBearing);
            const Point up = Direction(reading.bearing - kPi / 2);
            d_.texts.push_back(textAlong(anchor + 0.25 * nameHeight * up, names, nameHeight, leftBearing, HAlign::Left,
                                         VAlign::Baseline));
            d_.texts.push_back(textAlong(anchor - 0.3 * nameHeight * up,
                                         StationLabel(road_.chainBreaks, section.pierStation), 0.8 * nameHeight,
                                         leftBearing, HAlign::Left, VAlign::Top));
        }
    }

    // A circle round every listed pedestal point and its number beside it, on the side of the pier row away from
    // the nearer neighbouring row.
    void pedestalSymbols() {
        std::vector<double> rows;
        for (const PierRecord& p : layout_.piers) rows.push_back(p.referenceStation);
        for (const PedestalMark& m : d_.pedestals) {
            const PierRecord& pier = layout_.piers[m.pier];
            double ahead = kInf, behind = kInf;
            for (double s : rows) {
                const double gap = s - pier.referenceStation;
                if (gap > kSameStation) ahead = std::min(ahead, gap);
                if (gap < -kSameStation) behind = std::min(behind, -gap);
            }
            const PointAtStation ref = centre_(pier.referenceStation);
            const double forward = ahead >= behind || ahead > 4 * h_ ? 1.0 : -1.0;
            const Point side = forward * Direction(ref.bearing + thetaR_ - kPi / 2);
            d_.circles.push_back({DrawingLayer::Pedestal, m.at, pedestalRadius_});
            d_.texts.push_back({DrawingLayer::Text, m.at + (pedestalRadius_ + 0.9 * pedestalText_) * side,
                                std::to_string(m.pedestal + 1), pedestalText_, kPi / 2, HAlign::Centre,
                                VAlign::Middle});
        }
    }

    // Ticks every kTickSpacing of written station: across the centreline, and beyond the right edge of everything
    // with the station written outwards; the chain breaks the same way with both of their stations.
    void stationTicks() {
        const std::vector<BreakPoint> breaks = breakPoints(road_.chainBreaks);
        const double across = 0.4 * tickText_, length = 0.8 * tickText_;
        const double tickStart = rightmost_ - 0.3 * tickText_;
        const auto mark = [&](Station s, std::string text, double halfAcross) {
            const PointAtStation c = centre_(s);
            d_.lines.push_back({DrawingLayer::Station,
                                LineStyle::Solid,
                                false,
                                {OffsetPoint(c, halfAcross), OffsetPoint(c, -halfAcross)}});
            d_.lines.push_back({DrawingLayer::Station,
                                LineStyle::Solid,
                                false,
                                {OffsetPoint(c, tickStart), OffsetPoint(c, tickStart - length)}});
            const Point anchor = OffsetPoint(c, tickStart - length - 0.3 * tickText_);
            d_.texts.push_back(
                textAlong(anchor, std::move(text), tickText_, c.bearing + kPi / 2, HAlign::Left, VAlign::Middle));
        };
        for (const BreakPoint& b : breaks)
            if (b.station >= from_ && b.station <= to_)
                mark(b.station,
                     "断链 " + shortStationText(StationKText(b.before)) + "=" + shortStationText(StationKText(b.after)),
                     2 * across);
        for (const Tick& t : ticks(road_.chainBreaks, breaks, from_, to_)) {
            const bool nearBreak = std::any_of(breaks.begin(), breaks.end(), [&](const BreakPoint& b) {
                return std::fabs(b.station - t.station) < 1.5 * tickText_;
            });
            if (!nearBreak) mark(t.station, shortStationText(StationLabel(road_.chainBreaks, t.station)), across);
        }
    }

    // On the straight path, what the coordinates are, below the start of the road.
    void straightNote() {
        if (d_.surveyCoordinates) return;
        const Point at = centre_(from_).p - Point{2.5 * h_, 0};
        d_.texts.push_back({DrawingLayer::Text, at,
                            "直线桥：局部坐标，X 沿路线前进方向，原点为首个墩台轴线与中线的交点", h_, kPi / 2,
                            HAlign::Centre, VAlign::Top});
    }

    const Road& road_;
    const CalculationResult& r_;
    const PedestalLayout& layout_;
    Centreline centre_;
    PlanDrawing d_;
    double thetaR_ = 0;
    CrossSectionWidths widths_;
    std::array<double, 4> offsets_{};
    std::vector<double> innerOffsets_;  // the central band's edges, off the centreline
    std::vector<Station> stations_;     // the vertices of the centreline and the edges
    std::vector<double> sweeps_;        // the angle each segment between them turns through
    std::vector<PointAtStation> at_;    // the centreline there
    Station from_ = 0, to_ = 0, deckFrom_ = 0, deckTo_ = 0;
    double rightmost_ = 0;  // m, offset of the rightmost thing drawn across the road (negative: right)
    double h_ = 1, pedestalText_ = 1, pedestalRadius_ = 0.3, tickText_ = 1;
};

}  // namespace

PlanDrawing BuildPlanDrawing(const Road& road, const CalculationResult& result) {
    const PedestalLayout& layout = result.layout;
    const std::size_t P = layout.piers.size(), K = layout.pedestalDistances.size();
    if (P == 0 || result.sections.size() != P || result.tables.pedestalX.size() != P ||
        result.tables.pedestalStation.size() != P)
        throw CalcError("no calculated piers to draw");
    for (std::size_t i = 0; i < P; ++i)
        if (result.tables.pedestalX[i].size() != K || result.tables.pedestalY[i].size() != K)
            throw CalcError("result tables out of shape");
    return Builder(road, result).build();
}

}  // namespace tavrel
