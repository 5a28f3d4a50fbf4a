#include "drawing/PlanDrawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/NumberText.h"

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

PlanBox GeometryBox(const PlanDrawing& d) {
    PlanBox box;
    for (const DrawnLine& l : d.lines)
        for (Point p : l.points) box.add(p);
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
    const Point along = direction(t.bearing), up = direction(t.bearing - kPi / 2);
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
        const double dist = distance(d.pedestals[i].at, p);
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
