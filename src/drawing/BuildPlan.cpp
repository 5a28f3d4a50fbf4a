#include "drawing/BuildPlan.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "drawing/CentrelineSampling.h"
#include "drawing/LabelSpace.h"
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
// Shares of the room between neighbours a label may fill: a pedestal number of the gap between pedestals, a
// tick label of the tick spacing, a pier name of the gap between pier axes (its station is smaller still).
constexpr double kPedestalTextShare = 0.5;
constexpr double kTickTextShare = 0.4;
constexpr double kPierNameShare = 0.3;
constexpr double kPierStationShare = 0.8;  // of the pier name
// The most detailed scale the drawing goes to for legible labels: beyond it a plan turns into a detail drawing
// and the sheets would be too many; labels squeezed below kLegibleTextMm there stay so.
constexpr double kMostDetailedScale = 200;
// A pier axis reaches this far (sheet mm) beyond the outermost section edge point or pedestal, and at most
// this share of its length.
constexpr double kAxisMarginMm = 2;
constexpr double kAxisMarginShare = 0.1;
// A pier label that other labels crowd out beyond the ends of its axis moves out along it in steps of this many
// name heights, at most kPierLabelSteps of them.
constexpr double kPierLabelStep = 1.5;
constexpr int kPierLabelSteps = 12;
// The drawing is cut into stretches of this length of road (m) for the sheets, and into no more than
// kMostStretches of them.
constexpr double kStretchLength = 10;
constexpr std::size_t kMostStretches = 5000;

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
        pedestalSymbols();
        pierAxes();
        straightNote();
        stationTicks();
        d_.stretches = std::move(stretches_);
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
        const double count =
            std::clamp(std::ceil((to_ - from_) / kStretchLength), 1.0, static_cast<double>(kMostStretches));
        stretches_.assign(static_cast<std::size_t>(count), PlanBox{});
        stretchLength_ = (to_ - from_) / count;
    }

    // What belongs to the road at station s widens the box of the stretch there.
    void claim(Station s, Point p) {
        const double k =
            std::clamp(std::floor((s - from_) / stretchLength_), 0.0, static_cast<double>(stretches_.size() - 1));
        stretches_[static_cast<std::size_t>(k)].add(p);
    }
    void claim(Station s, const DrawnText& t) {
        for (Point p : TextOutline(t)) claim(s, p);
    }

    // A label that belongs to station s: drawn, and its room taken.
    void placeLabel(Station s, DrawnText t) {
        labels_.take(TextOutline(t));
        claim(s, t);
        d_.texts.push_back(std::move(t));
    }
    // The first of the candidate labels that stays clear of those placed, if any.
    const DrawnText* firstClear(const std::vector<DrawnText>& candidates) const {
        for (const DrawnText& t : candidates)
            if (labels_.isClear(TextOutline(t))) return &t;
        return nullptr;
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
        claimRoad();

        DrawnLine centreline{DrawingLayer::Centreline, LineStyle::DashDot, false, {}, sweeps_};
        for (const PointAtStation& c : at_) centreline.points.push_back(c.p);
        d_.lines.push_back(std::move(centreline));
        for (int e : {LO, RO})
            if (offsets_[e] != 0 && !(e == RO && offsets_[RO] == offsets_[LO])) edgeLine(offsets_[e], true);
        rightmost_ = std::min({0.0, offsets_[LO], offsets_[LI], offsets_[RI], offsets_[RO]});
        leftmost_ = std::max({0.0, offsets_[LO], offsets_[LI], offsets_[RI], offsets_[RO]});
    }

    // The road on every stretch: the centreline and the outer deck edges at both of its ends and at the
    // samples within.
    void claimRoad() {
        const auto roadAt = [&](Station s, const PointAtStation& c) {
            std::vector<Point> v{c.p};
            if (s >= deckFrom_ && s <= deckTo_)
                for (int e : {LO, RO}) v.push_back(OffsetPoint(c, offsets_[e]));
            return v;
        };
        for (std::size_t k = 0; k < stations_.size(); ++k)
            for (Point p : roadAt(stations_[k], at_[k])) claim(stations_[k], p);
        std::vector<Point> start = roadAt(from_, centre_(from_));
        for (std::size_t k = 0; k < stretches_.size(); ++k) {
            const Station end = k + 1 == stretches_.size() ? to_ : from_ + static_cast<double>(k + 1) * stretchLength_;
            std::vector<Point> finish = roadAt(end, centre_(end));
            for (const auto* ends : {&start, &finish})
                for (Point p : *ends) stretches_[k].add(p);
            start = std::move(finish);
        }
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
                claim(pier.referenceStation, p);
                d_.pedestals.push_back({i, k, p, pier.pierName,
                                        StationLabel(road_.chainBreaks, t.pedestalStation[i][k]),
                                        t.pedestalOffset[i][k], t.pedestalTopElevation[i][k], t.pedestalHeight[i][k]});
                rightmost_ = std::min(rightmost_, t.pedestalOffset[i][k]);
                leftmost_ = std::max(leftmost_, t.pedestalOffset[i][k]);
            }
        }
    }

    // The scale at which the geometry (with room for its texts) fits one sheet, unless the labels squeezed
    // between neighbours would print smaller than kLegibleTextMm there: then the largest standard scale at which
    // they do not (the drawing then takes several sheets); and the texts' sizes for it.
    void chooseScale() {
        PlanBox box = GeometryBox(d_);
        for (const PierSection& s : r_.sections) box.add(centre_(s.pierStation).p);
        const double oneSheet = StandardScaleFor(box.width() * kLabelAllowance, box.height() * kLabelAllowance);
        const double pedestalGap = smallestGap(layout_.pedestalDistances);
        const double room = std::min({kPedestalTextShare * pedestalGap, kTickTextShare * kTickSpacing,
                                      kPierStationShare * kPierNameShare * axisGap()});  // m
        const double legible = std::max(kMostDetailedScale, StandardScaleAtMost(room * 1000 / kLegibleTextMm));
        d_.scale = std::min(oneSheet, legible);
        h_ = kPaperTextMm * d_.scale / 1000;
        d_.textHeight = h_;
        labels_ = LabelSpace(4 * h_);
        pedestalText_ = std::min(h_, kPedestalTextShare * pedestalGap);
        pedestalRadius_ = std::min(0.3 * h_, 0.25 * pedestalGap);
        tickText_ = std::min(h_, kTickTextShare * kTickSpacing);
    }

    // The smallest distance between neighbouring pier axes, across them (m); inf for one axis.
    double axisGap() const {
        std::vector<double> stations;
        for (const AxisGroup& g : axisGroups(layout_)) stations.push_back(g.station);
        return smallestGap(stations) * std::fabs(std::sin(thetaR_));
    }

    // Each pier axis across the deck, from a little beyond its outermost section edge point or pedestal on one
    // side to the same on the other, its section edge points, and its name and station beyond its left end (or,
    // where other labels take that room, beyond its right end).
    void pierAxes() {
        const std::vector<AxisGroup> groups = axisGroups(layout_);
        const double nameHeight = std::min(1.2 * h_, kPierNameShare * axisGap());
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
            const double margin = std::min(kAxisMarginMm * d_.scale / 1000, kAxisMarginShare * (dMax - dMin));
            const Point leftEnd = c.p + (dMax + margin) * left, rightEnd = c.p + (dMin - margin) * left;
            d_.lines.push_back({DrawingLayer::PierAxis, LineStyle::DashDot, false, {leftEnd, rightEnd}});
            claim(section.pierStation, leftEnd);
            claim(section.pierStation, rightEnd);
            rightmost_ = std::min(rightmost_, (dMin - margin) * std::sin(thetaR_));
            leftmost_ = std::max(leftmost_, (dMax + margin) * std::sin(thetaR_));

            for (int e = LO; e <= RO; ++e) {
                Point p = c.p + section.edgeDistance[e] * left;
                if (section.edgeX[e] && section.edgeY[e]) p = {*section.edgeX[e], *section.edgeY[e]};
                d_.points.push_back({DrawingLayer::DeckEdge, p});
            }
            pierLabel(g, section.pierStation, nameHeight, {leftEnd, leftBearing}, {rightEnd, leftBearing + kPi});
        }
    }

    // The names of the pier rows of one axis and the stations the tables give them (those of their pedestal
    // rows), each once, joined by "/".
    std::pair<std::string, std::string> pierTexts(const AxisGroup& g) const {
        std::string names, stations;
        const auto append = [](std::string& list, const std::string& item) {
            for (std::size_t at = 0; (at = list.find(item, at)) != std::string::npos; at += item.size()) {
                const std::size_t end = at + item.size();
                if ((at == 0 || list[at - 1] == '/') && (end == list.size() || list[end] == '/')) return;
            }
            list += (list.empty() ? "" : "/") + item;
        };
        for (std::size_t i : g.piers) {
            append(names, layout_.piers[i].pierName);
            append(stations, StationLabel(road_.chainBreaks, layout_.piers[i].referenceStation));
        }
        return {names, stations};
    }

    struct AxisEnd {
        Point at;
        double outward;  // rad, bearing along the axis away from the road
    };
    // A pier's name above and its station below a line along the axis, beyond one of its ends (at: the axis end,
    // outward: along the axis away from the road): the first of the left and the right end, then each a step
    // farther out, that is clear of the labels placed; a label moved out is tied to its axis by a leader along it.
    // Where none is clear, beyond the left end.
    void pierLabel(const AxisGroup& g, Station station, double nameHeight, AxisEnd leftEnd, AxisEnd rightEnd) {
        // Plain variables, not a structured binding: the lambda below captures them (clang 14 cannot).
        const auto texts = pierTexts(g);
        const std::string& names = texts.first;
        const std::string& stations = texts.second;
        // The two lines reach about 1.6 name heights either side of the axis; the deck edge crosses the axis at
        // the skew angle, so the label starts that much farther out to stay clear of it.
        const double clearance = 0.5 * nameHeight + 1.6 * nameHeight * std::fabs(1 / std::tan(thetaR_));
        const auto labelAt = [&](const AxisEnd& end, double farther) {
            const Point anchor = end.at + (clearance + farther) * Direction(end.outward);
            const Point up = Direction(Readable(end.outward).bearing - kPi / 2);
            return std::array<DrawnText, 2>{
                textAlong(anchor + 0.25 * nameHeight * up, names, nameHeight, end.outward, HAlign::Left,
                          VAlign::Baseline),
                textAlong(anchor - 0.3 * nameHeight * up, stations, kPierStationShare * nameHeight, end.outward,
                          HAlign::Left, VAlign::Top)};
        };
        const auto clear = [&](const std::array<DrawnText, 2>& label) {
            return labels_.isClear(TextOutline(label[0])) && labels_.isClear(TextOutline(label[1]));
        };
        for (int step = 0; step <= kPierLabelSteps; ++step) {
            for (const AxisEnd& end : {leftEnd, rightEnd}) {
                const double farther = step * kPierLabelStep * nameHeight;
                std::array<DrawnText, 2> label = labelAt(end, farther);
                if (!clear(label)) continue;
                if (step > 0) {
                    const Point to = end.at + (clearance + farther - 0.5 * nameHeight) * Direction(end.outward);
                    d_.lines.push_back({DrawingLayer::PierAxis, LineStyle::Solid, false, {end.at, to}});
                    claim(station, to);
                }
                for (DrawnText& t : label) placeLabel(station, std::move(t));
                return;
            }
        }
        for (DrawnText& t : labelAt(leftEnd, 0)) placeLabel(station, std::move(t));
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
            placeLabel(pier.referenceStation,
                       {DrawingLayer::Text, m.at + (pedestalRadius_ + 0.9 * pedestalText_) * side,
                        std::to_string(m.pedestal + 1), pedestalText_, kPi / 2, HAlign::Centre, VAlign::Middle});
        }
    }

    // Ticks every kTickSpacing of written station: across the centreline, and beyond the right edge of everything
    // with the station written outwards, where that label stays clear of the others; the chain breaks the same
    // way with both of their stations, their label always (beyond the left edge when the right one is taken).
    void stationTicks() {
        const std::vector<BreakPoint> breaks = breakPoints(road_.chainBreaks);
        const double across = 0.4 * tickText_, length = 0.8 * tickText_;
        const double tickStart = rightmost_ - 0.3 * tickText_, leftStart = leftmost_ + 0.3 * tickText_;
        const auto mark = [&](Station s, std::string text, double halfAcross, bool always) {
            const PointAtStation c = centre_(s);
            const auto line = [&](double from, double to) {
                d_.lines.push_back(
                    {DrawingLayer::Station, LineStyle::Solid, false, {OffsetPoint(c, from), OffsetPoint(c, to)}});
                claim(s, OffsetPoint(c, from));
                claim(s, OffsetPoint(c, to));
            };
            line(halfAcross, -halfAcross);
            std::vector<DrawnText> candidates{textAlong(OffsetPoint(c, tickStart - length - 0.3 * tickText_), text,
                                                        tickText_, c.bearing + kPi / 2, HAlign::Left, VAlign::Middle)};
            if (always)
                candidates.push_back(textAlong(OffsetPoint(c, leftStart + length + 0.3 * tickText_), text, tickText_,
                                               c.bearing - kPi / 2, HAlign::Left, VAlign::Middle));
            const DrawnText* chosen = firstClear(candidates);
            if (!chosen && !always) return;
            if (!chosen || chosen == &candidates.front()) {
                line(tickStart, tickStart - length);
                placeLabel(s, candidates.front());
            } else {
                line(leftStart, leftStart + length);
                placeLabel(s, *chosen);
            }
        };
        for (const BreakPoint& b : breaks)
            if (b.station >= from_ && b.station <= to_)
                mark(b.station,
                     "断链 " + shortStationText(StationKText(b.before)) + "=" + shortStationText(StationKText(b.after)),
                     2 * across, true);
        for (const Tick& t : ticks(road_.chainBreaks, breaks, from_, to_)) {
            const bool nearBreak = std::any_of(breaks.begin(), breaks.end(), [&](const BreakPoint& b) {
                return std::fabs(b.station - t.station) < 1.5 * tickText_;
            });
            if (!nearBreak)
                mark(t.station, shortStationText(StationLabel(road_.chainBreaks, t.station)), across, false);
        }
    }

    // On the straight path, what the coordinates are, below the start of the road.
    void straightNote() {
        if (d_.surveyCoordinates) return;
        const Point at = centre_(from_).p - Point{2.5 * h_, 0};
        placeLabel(from_, {DrawingLayer::Text, at, "直线桥：局部坐标，X 沿路线前进方向，原点为首个墩台轴线与中线的交点",
                           h_, kPi / 2, HAlign::Centre, VAlign::Top});
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
    double leftmost_ = 0;   // m, offset of the leftmost thing drawn across the road (positive: left)
    double h_ = 1, pedestalText_ = 1, pedestalRadius_ = 0.3, tickText_ = 1;
    LabelSpace labels_{1};                   // the room the labels placed so far take
    std::vector<PlanBox> stretches_;         // the drawing along the road (PlanDrawing::stretches)
    double stretchLength_ = kStretchLength;  // m of road per stretch
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
