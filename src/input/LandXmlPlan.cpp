// The plan of a LandXML alignment: Line, Curve and Spiral elements as an element chain.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "input/LandXmlParts.h"

namespace tavrel::landxml {

namespace {

// One CoordGeom element as read: its chain element and what the file says of its ends.
struct ReadElement {
    AlignmentElement element;
    std::optional<Point> start, end;
    std::optional<double> startBearing;  // rad, from +x towards +y: from the coordinates, else dir / dirStart
    pugi::xml_node node;
};

double BearingOf(Point from, Point to) { return std::atan2(to.y - from.y, to.x - from.x); }

std::string Metres(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    return buf;
}

std::string Name(pugi::xml_node node) { return std::string(LocalName(node)); }

// The chain reads a radius of exactly 9999 as a straight; a true 9999 m radius is moved by one unit in the last
// place (about 2e-12 m), which no result shows.
double ChainRadius(double signedRadius) {
    return std::fabs(signedRadius) == InfiniteRadius ? std::nextafter(signedRadius, 2 * signedRadius) : signedRadius;
}

// rot: cw turns right (positive radius), ccw left.
double Turn(const Document& doc, pugi::xml_node node) {
    const std::string_view rot = AttributeText(node, "rot");
    if (SameWord(rot, "cw")) return 1;
    if (SameWord(rot, "ccw")) return -1;
    doc.fail(node, Name(node) + " 的 rot 应为 cw 或 ccw：“" + std::string(rot) + "”");
}

double NonNegativeLength(const Document& doc, const Units& units, pugi::xml_node node, double value) {
    if (value < 0) doc.fail(node, Name(node) + " 的 length 不应为负");
    return units.metres(value);
}

// The start heading from the direction attribute, used only for an element without coordinates.
std::optional<double> DirectionAttribute(const Document& doc, const Units& units, pugi::xml_node node,
                                         const char* attribute) {
    const std::optional<double> dir = OptionalNumber(doc, node, attribute);
    if (!dir) return std::nullopt;
    return units.directionRadians(*dir);  // azimuth clockwise from north: a bearing from +x towards +y
}

ReadElement ReadLine(const Document& doc, const Units& units, pugi::xml_node node) {
    ReadElement r{{InfiniteRadius, InfiniteRadius, 0, doc.lineOf(node)},
                  PointChild(doc, units, node, "Start"),
                  PointChild(doc, units, node, "End"),
                  {},
                  node};
    const bool chord = r.start && r.end && Distance(*r.start, *r.end) > 0;
    r.startBearing = chord ? BearingOf(*r.start, *r.end) : DirectionAttribute(doc, units, node, "dir");
    if (const auto length = OptionalNumber(doc, node, "length"))
        r.element.length = NonNegativeLength(doc, units, node, *length);
    else if (r.start && r.end) r.element.length = Distance(*r.start, *r.end);
    else doc.fail(node, "Line 缺少 length 属性，也没有 Start 和 End 坐标");
    return r;
}

ReadElement ReadCurve(const Document& doc, const Units& units, pugi::xml_node node) {
    const std::string_view type = AttributeText(node, "crvType");
    if (!type.empty() && !SameWord(type, "arc"))
        doc.fail(node, "不支持 crvType 为“" + std::string(type) + "”的 Curve（只支持 arc：按弧长定义的圆曲线）");
    const double turn = Turn(doc, node);
    ReadElement r{{0, 0, 0, doc.lineOf(node)},
                  PointChild(doc, units, node, "Start"),
                  PointChild(doc, units, node, "End"),
                  {},
                  node};
    const std::optional<Point> centre = PointChild(doc, units, node, "Center");
    const bool radial = r.start && centre && Distance(*r.start, *centre) > 0;
    double radius = 0;
    if (const auto given = OptionalNumber(doc, node, "radius")) radius = units.metres(*given);
    else if (radial) radius = Distance(*r.start, *centre);
    if (!(radius > 0)) doc.fail(node, "Curve 的半径应大于 0（radius 属性，或 Start 与 Center 坐标）");
    // The centre lies on the side the curve turns to: right of the start tangent for cw.
    r.startBearing =
        radial ? BearingOf(*r.start, *centre) - turn * kPi / 2 : DirectionAttribute(doc, units, node, "dirStart");
    if (const auto length = OptionalNumber(doc, node, "length")) {
        r.element.length = NonNegativeLength(doc, units, node, *length);
    } else if (radial && r.end) {
        // Seen from the centre, a point moving along a right-hand curve turns clockwise (bearing increasing).
        const double sweep = NormalizedBearing(turn * (BearingOf(*centre, *r.end) - BearingOf(*centre, *r.start)));
        r.element.length = radius * sweep;
    } else {
        doc.fail(node, "Curve 缺少 length 属性，也没有 Start、Center 和 End 坐标");
    }
    r.element.startRadius = r.element.endRadius = ChainRadius(turn * radius);
    return r;
}

// A spiral end's radius in metres; nullopt for a straight end ("INF", absent or 0).
std::optional<double> SpiralRadius(const Document& doc, const Units& units, pugi::xml_node node,
                                   const char* attribute) {
    const std::string_view text = AttributeText(node, attribute);
    if (text.empty() || SameWord(text, "INF") || SameWord(text, "infinity")) return std::nullopt;
    const double r = *OptionalNumber(doc, node, attribute);
    if (r == 0) return std::nullopt;
    return std::fabs(units.metres(r));
}

ReadElement ReadSpiral(const Document& doc, const Units& units, pugi::xml_node node) {
    const std::string_view type = AttributeText(node, "spiType");
    if (!type.empty() && !SameWord(type, "clothoid"))
        doc.fail(node, "不支持 spiType 为“" + std::string(type) + "”的 Spiral（只支持 clothoid 回旋线）");
    const std::optional<double> r1 = SpiralRadius(doc, units, node, "radiusStart");
    const std::optional<double> r2 = SpiralRadius(doc, units, node, "radiusEnd");
    const double turn = r1 || r2 ? Turn(doc, node) : 1;  // both ends straight: a straight, rot does not matter
    ReadElement r{{r1 ? ChainRadius(turn * *r1) : InfiniteRadius, r2 ? ChainRadius(turn * *r2) : InfiniteRadius,
                   NonNegativeLength(doc, units, node, RequiredNumber(doc, node, "length")), doc.lineOf(node)},
                  PointChild(doc, units, node, "Start"),
                  PointChild(doc, units, node, "End"),
                  {},
                  node};
    if (r.element.length == 0 && (r1 || r2)) doc.fail(node, "Spiral 的 length 应大于 0");
    // PI is where the end tangents meet: Start -> PI is the start tangent.
    const std::optional<Point> pi = PointChild(doc, units, node, "PI");
    const bool tangent = r.start && pi && Distance(*r.start, *pi) > 0;
    r.startBearing = tangent ? BearingOf(*r.start, *pi) : DirectionAttribute(doc, units, node, "dirStart");
    return r;
}

std::vector<ReadElement> ReadElements(const Document& doc, const Units& units, pugi::xml_node geom) {
    std::vector<ReadElement> read;
    for (pugi::xml_node c = geom.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const std::string_view name = LocalName(c);
        if (name == "Line") {
            read.push_back(ReadLine(doc, units, c));
        } else if (name == "Curve") {
            read.push_back(ReadCurve(doc, units, c));
        } else if (name == "Spiral") {
            read.push_back(ReadSpiral(doc, units, c));
        } else if (name != "Feature" && name != "Property") {
            doc.fail(c, "不支持平面线元 " + std::string(name) + "（支持 Line、Curve（arc）和 Spiral（clothoid））");
        }
    }
    if (read.empty()) doc.fail(geom, "平面线形（CoordGeom）中没有线元");
    return read;
}

// Node points and bearings of the chain the element method lays from the input. Built in pieces of at most
// kMaxChainElements elements, each from the last node of the piece before, so that any number of elements is
// checked; a piece's start bearing passes through degrees, which moves it by about 1e-16 rad.
struct Node {
    Point p;
    double bearing = 0;
};
std::vector<Node> LaidNodes(const ElementInput& input) {
    std::vector<Node> nodes{{{input.elementStartX, input.elementStartY}, 0}};
    ElementInput piece = input;
    for (std::size_t from = 0; from < input.elements.size(); from += kMaxChainElements) {
        if (from > 0) {
            piece.elementStartX = nodes.back().p.x;
            piece.elementStartY = nodes.back().p.y;
            piece.elementStartAzimuth = nodes.back().bearing * 180 / kPi;
        }
        const auto first = input.elements.begin() + static_cast<std::ptrdiff_t>(from);
        piece.elements.assign(first, first + static_cast<std::ptrdiff_t>(std::min<std::size_t>(
                                                 kMaxChainElements, input.elements.size() - from)));
        const ElementChain chain = BuildElementChain(piece);
        nodes.back().bearing = chain.nodeBearing()[0];
        for (std::size_t k = 1; k < chain.nodeX().size(); ++k)
            nodes.push_back({{chain.nodeX()[k], chain.nodeY()[k]}, chain.nodeBearing()[k]});
    }
    return nodes;
}

void CheckGap(Document& doc, const ReadElement& e, double gap, const char* end, const char* child) {
    const std::string text =
        "线元 " + Name(e.node) + " 按长度和半径推算的" + end + "与其 " + child + " 坐标相差 " + Metres(gap) + " m";
    if (gap > kGapError) doc.fail(e.node, text + "（超过 0.1 m），线元不相连");
    if (gap > kGapWarning) doc.warn(e.node, text);
}

// Lays the chain and compares it with the file's own coordinates and headings, element by element.
void CheckLaidChain(Document& doc, const std::vector<ReadElement>& read, const ElementInput& input) {
    const std::vector<Node> nodes = LaidNodes(input);
    for (std::size_t k = 0; k < read.size(); ++k) {
        const ReadElement& e = read[k];
        if (k > 0 && e.startBearing) {
            const double jump = std::fabs(std::remainder(*e.startBearing - nodes[k].bearing, 2 * kPi));
            if (jump > kHeadingWarning)
                doc.warn(e.node,
                         "线元 " + Name(e.node) + " 的起点方向与前一线元的终点方向相差 " + Metres(jump) + " rad");
        }
        if (e.end) CheckGap(doc, e, Distance(nodes[k + 1].p, *e.end), "终点", "End");
        else if (e.start && k > 0) CheckGap(doc, e, Distance(nodes[k].p, *e.start), "起点", "Start");
    }
}

}  // namespace

ElementInput ReadPlan(Document& doc, const Units& units, pugi::xml_node alignment, Station startStation) {
    const pugi::xml_node geom = Child(alignment, "CoordGeom");
    if (!geom)
        doc.fail(alignment, "路线“" + std::string(alignment.attribute("name").value()) + "”没有平面线形（CoordGeom）");
    const std::vector<ReadElement> read = ReadElements(doc, units, geom);
    const ReadElement& first = read.front();
    if (!first.start) doc.fail(first.node, "第一个线元缺少起点坐标（Start）");
    if (!first.startBearing) doc.fail(first.node, "第一个线元的起点方向无法确定（缺少坐标，也没有方向属性）");

    ElementInput input;
    input.elementStartStation = startStation;
    input.elementStartX = first.start->x;
    input.elementStartY = first.start->y;
    input.elementStartAzimuth = NormalizedBearing(*first.startBearing) * 180 / kPi;
    input.elements.reserve(read.size());
    for (const ReadElement& e : read) input.elements.push_back(e.element);
    CheckLaidChain(doc, read, input);
    return input;
}

}  // namespace tavrel::landxml
