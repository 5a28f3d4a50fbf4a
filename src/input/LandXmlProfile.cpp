// The vertical profile of a LandXML alignment: PVI and vertical curve elements as profile points.
#include <cmath>
#include <cstdio>

#include "input/LandXmlParts.h"

namespace tavrel::landxml {

namespace {

std::string Metres(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    return buf;
}

// A non-negative length attribute in metres.
double LengthAttribute(const Document& doc, const Units& units, pugi::xml_node node, const char* attribute) {
    const double v = RequiredNumber(doc, node, attribute);
    if (v < 0) doc.fail(node, std::string(LocalName(node)) + " 的 " + attribute + " 不应为负");
    return units.metres(v);
}

// One point: the element's text is its grade-change point "station elevation"; a curve element adds its curve.
// A circle given by its length alone keeps it in *arcLength (radius 0) until the grades are known.
ProfilePoint ReadPoint(const Document& doc, const Units& units, pugi::xml_node node, double* arcLength) {
    const std::vector<double> v = TextNumbers(doc, node, 2, 2);
    ProfilePoint p;
    const std::string_view text = node.child_value();
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    p.stationText = std::string(text.substr(first, text.find_first_of(" \t\r\n", first) - first));
    p.station = units.metres(v[0]);
    p.elevation = units.metres(v[1]);
    p.line = doc.lineOf(node);
    const std::string_view name = LocalName(node);
    if (name == "ParaCurve") {
        p.curveKind = VerticalCurveKind::ParabolaByLengths;
        p.lengthIn = p.lengthOut = LengthAttribute(doc, units, node, "length") / 2;
    } else if (name == "UnsymParaCurve") {
        p.curveKind = VerticalCurveKind::ParabolaByLengths;
        p.lengthIn = LengthAttribute(doc, units, node, "lengthIn");
        p.lengthOut = LengthAttribute(doc, units, node, "lengthOut");
        if ((p.lengthIn == 0) != (p.lengthOut == 0))
            doc.fail(node, "UnsymParaCurve 的 lengthIn 和 lengthOut 应同为 0 或同大于 0");
    } else if (name == "CircCurve") {
        // Writers differ in the radius's sign; crest or sag follows from the grades.
        p.curveKind = VerticalCurveKind::Circle;
        p.radius = std::fabs(units.metres(OptionalNumber(doc, node, "radius").value_or(0)));
        if (p.radius == 0 && !node.attribute("length")) doc.fail(node, "CircCurve 缺少 radius 和 length 属性");
        *arcLength = node.attribute("length") ? LengthAttribute(doc, units, node, "length") : -1;
    }
    return p;
}

// A circle's radius from its arc length where only that was given, and its given arc length checked against
// R |atan g2 - atan g1| where both were.
void CompleteCircle(Document& doc, pugi::xml_node node, const ProfilePoint& before, ProfilePoint& p,
                    const ProfilePoint& after, double arcLength) {
    const double g1 = (p.elevation - before.elevation) / (p.station - before.station);
    const double g2 = (after.elevation - p.elevation) / (after.station - p.station);
    const double turn = std::fabs(std::atan(g2) - std::atan(g1));
    if (p.radius == 0) {
        p.radius = turn > 0 ? arcLength / turn : 0;
    } else if (arcLength >= 0 && std::fabs(p.radius * turn - arcLength) > kGapWarning) {
        doc.warn(node, "CircCurve 的 length 与由 radius 和坡度推算的弧长 " + Metres(p.radius * turn) +
                           " m 不符，按 radius 计算");
    }
}

// The points in order of station, with every curve clear of its neighbours and of the profile's ends.
void CheckCurves(Document& doc, const std::vector<pugi::xml_node>& nodes, const std::vector<ProfilePoint>& loaded) {
    const Profile built = ProfileBuild(loaded);
    const auto& p = built.points();
    for (std::size_t k = 0; k + 1 < p.size(); ++k) {
        if (p[k].curveEnd > p[k + 1].station - p[k + 1].tangentLengthIn + kCurvesTouching)
            doc.fail(nodes[k + 1], "竖曲线与前一变坡点的竖曲线重叠，或超出纵断面的起终点");
    }
}

}  // namespace

std::vector<ProfilePoint> ReadProfile(Document& doc, const Units& units, pugi::xml_node profAlign) {
    std::vector<ProfilePoint> points;
    std::vector<pugi::xml_node> nodes;
    std::vector<double> arcLengths;  // -1: none given
    for (pugi::xml_node c = profAlign.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const std::string_view name = LocalName(c);
        if (name == "PVI" || name == "ParaCurve" || name == "UnsymParaCurve" || name == "CircCurve") {
            double arcLength = -1;
            points.push_back(ReadPoint(doc, units, c, &arcLength));
            nodes.push_back(c);
            arcLengths.push_back(arcLength);
            if (points.size() > 1 && !(points.back().station > points[points.size() - 2].station))
                doc.fail(c, "纵断面的变坡点桩号应逐点增大");
        } else if (name != "Feature" && name != "Property") {
            doc.fail(c, "不支持纵断面元素 " + std::string(name) + "（支持 PVI、ParaCurve、UnsymParaCurve、CircCurve）");
        }
    }
    if (points.size() < 2)
        doc.fail(profAlign, "纵断面“" + std::string(profAlign.attribute("name").value()) + "”至少需要两个变坡点");
    for (const std::size_t end : {std::size_t{0}, points.size() - 1}) {
        const ProfilePoint& p = points[end];
        if (p.lengthIn > 0 || p.lengthOut > 0 || p.radius > 0 || arcLengths[end] > 0)
            doc.warn(nodes[end], "纵断面起终点处的竖曲线不计");
    }
    for (std::size_t k = 1; k + 1 < points.size(); ++k)
        if (points[k].curveKind == VerticalCurveKind::Circle)
            CompleteCircle(doc, nodes[k], points[k - 1], points[k], points[k + 1], arcLengths[k]);
    CheckCurves(doc, nodes, points);
    return points;
}

}  // namespace tavrel::landxml
