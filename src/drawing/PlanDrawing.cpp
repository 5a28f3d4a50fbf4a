#include "drawing/PlanDrawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/NumberText.h"
#include "geometry/Arc.h"

namespace tavrel {

namespace {

// Advance of a character, in em: ASCII digits and letters of a CJK sans face stay within 0.6 em, CJK ideographs
// and full-width signs take a full em.
constexpr double kNarrowAdvanceEm = 0.6;
constexpr double kWideAdvanceEm = 1.0;
// Extent of a line of text across its reading direction, in capital heights: descenders below the baseline and
// CJK ideographs above the capitals.
constexpr double kDescentCapitals = 0.3;
constexpr double kAscentCapitals = 1.25;

// A number with three decimals, never "-0.000"; locale-independent.
std::string fixed3(double v) {
    if (std::fabs(v) < 0.0005) v = 0;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    return std::string(buf, r.ptr);
}

// Adds the points where an arc segment reaches farthest north, south, east or west: where its tangent runs along
// an axis, i.e. its bearing passes a multiple of a quarter turn.
void addArcExtremes(PlanBox& box, Point a, Point b, double sweep) {
    const Point chord = b - a;
    const double start = std::atan2(chord.y, chord.x) - sweep / 2;  // the tangent's bearing at a
    const double quarter = kPi / 2;
    const double lo = std::min(start, start + sweep), hi = std::max(start, start + sweep);
    for (double k = std::ceil(lo / quarter); k * quarter <= hi; ++k)
        box.add(PointAlongArc(a, b, sweep, (k * quarter - start) / sweep));
}

}  // namespace

std::string_view LayerName(DrawingLayer layer) {
    switch (layer) {
        case DrawingLayer::Centreline: return "中线";
        case DrawingLayer::DeckEdge: return "桥面边线";
        case DrawingLayer::PierAxis: return "墩台轴线";
        case DrawingLayer::Pedestal: return "垫石";
        case DrawingLayer::Station: return "桩号";
        case DrawingLayer::Text: break;
    }
    return "文字";
}

LayerColour ColourOf(DrawingLayer layer) {
    switch (layer) {
        case DrawingLayer::Centreline: return {1, 200, 0, 0};  // red
        case DrawingLayer::DeckEdge: return {7, 0, 0, 0};      // black on a white page
        case DrawingLayer::PierAxis: return {5, 0, 0, 210};    // blue
        case DrawingLayer::Pedestal: return {6, 190, 0, 190};  // magenta
        case DrawingLayer::Station: return {3, 0, 128, 0};     // green, darkened for paper
        case DrawingLayer::Text: break;
    }
    return {7, 0, 0, 0};
}

void PlanBox::add(Point p) {
    if (empty) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        empty = false;
        return;
    }
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
}

std::vector<Point> LinePath(const DrawnLine& line, double tolerance) {
    std::vector<Point> path;
    for (std::size_t k = 0; k < line.points.size(); ++k) {
        path.push_back(line.points[k]);
        const double sweep = line.sweepOf(k);
        if (sweep == 0 || k + 1 >= line.points.size()) continue;
        // Chords of a turn phi stray r (1 - cos(phi / 2)) from an arc of radius r = |ab| / (2 sin(|sweep| / 2)).
        const Point a = line.points[k], b = line.points[k + 1];
        const double r = Distance(a, b) / (2 * std::sin(std::fabs(sweep) / 2));
        const double phi = tolerance < r ? 2 * std::acos(1 - tolerance / r) : kPi;
        const int n = static_cast<int>(std::clamp(std::ceil(std::fabs(sweep) / phi), 1.0, double{kMaxChordsPerArc}));
        for (int j = 1; j < n; ++j) path.push_back(PointAlongArc(a, b, sweep, static_cast<double>(j) / n));
    }
    return path;
}

PlanBox GeometryBox(const PlanDrawing& d) {
    PlanBox box;
    for (const DrawnLine& l : d.lines) {
        for (Point p : l.points) box.add(p);
        for (std::size_t k = 0; k + 1 < l.points.size(); ++k)
            if (l.sweepOf(k) != 0) addArcExtremes(box, l.points[k], l.points[k + 1], l.sweepOf(k));
    }
    for (const DrawnCircle& c : d.circles) {
        box.add(c.centre + Point{c.radius, c.radius});
        box.add(c.centre - Point{c.radius, c.radius});
    }
    for (const DrawnPoint& p : d.points) box.add(p.at);
    return box;
}

PlanBox DrawingBox(const PlanDrawing& d) {
    PlanBox box = GeometryBox(d);
    for (const DrawnText& t : d.texts)
        for (Point p : TextOutline(t)) box.add(p);
    return box;
}

double EstimatedTextWidth(std::string_view utf8, double height) {
    double em = 0;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) em += kNarrowAdvanceEm;
        else if (b >= 0xC0) em += kWideAdvanceEm;  // the lead byte of a multi-byte character
    }
    return em * height * kEmPerCapital;
}

std::array<Point, 4> TextOutline(const DrawnText& t) {
    const Point along = Direction(t.bearing), up = Direction(t.bearing - kPi / 2);
    const double w = EstimatedTextWidth(t.text, t.height), h = t.height;
    const double start = t.hAlign == HAlign::Left ? 0 : t.hAlign == HAlign::Centre ? -w / 2 : -w;
    const double baseline = t.vAlign == VAlign::Baseline ? 0 : t.vAlign == VAlign::Middle ? -h / 2 : -h;
    const double bottom = baseline - kDescentCapitals * h, top = baseline + kAscentCapitals * h;
    const auto corner = [&](double a, double u) { return t.at + a * along + u * up; };
    return {corner(start, bottom), corner(start + w, bottom), corner(start + w, top), corner(start, top)};
}

std::optional<std::size_t> PedestalNear(const PlanDrawing& d, Point p, double radius) {
    std::optional<std::size_t> best;
    double bestDistance = radius;
    for (std::size_t i = 0; i < d.pedestals.size(); ++i) {
        const double dist = Distance(d.pedestals[i].at, p);
        if (dist <= bestDistance) {
            bestDistance = dist;
            best = i;
        }
    }
    return best;
}

std::string PedestalSummary(const PlanDrawing& d, const PedestalMark& m) {
    const std::string frame = d.surveyCoordinates ? "" : "（局部）";
    std::string s = m.pierName + " 垫石 " + std::to_string(m.pedestal + 1) + "\n";
    s += "桩号 " + m.station + "\n";
    s += "偏距 " + fixed3(m.offset) + " m\n";
    s += "X" + frame + " " + fixed3(m.at.x) + "\n";
    s += "Y" + frame + " " + fixed3(m.at.y) + "\n";
    s += "顶面高程 " + fixed3(m.topElevation) + " m\n";
    s += "垫石高度 " + fixed3(m.height) + " m";
    return s;
}

ReadingDirection Readable(double bearing) {
    const double b = NormalizedBearing(bearing);
    if (b < kPi) return {b, false};
    return {b - kPi, true};
}

}  // namespace tavrel
