// Benchmark of the LandXML reader: a generated alignment of 10,000 elements with coordinates, station equations
// and a profile of 1,000 points, read whole (decoding, parsing, laying and checking the chain). Must stay well
// under 0.2 s.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "input/LandXml.h"

using namespace tavrel;

namespace {

// Repeated groups on alternating sides: straight, spiral in, arc, spiral to a larger radius, arc, spiral to a
// smaller radius, arc, spiral out. Radii 150 ... 1200 m, lengths from a fixed pseudo-random sequence.
std::vector<AlignmentElement> GeneratedElements(std::size_t count) {
    unsigned seed = 7;
    const auto uniform = [&](double lo, double hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (hi - lo) * ((seed >> 8) & 0xffff) / 65535.0;
    };
    std::vector<AlignmentElement> e;
    for (double side = 1; e.size() < count; side = -side) {
        const double r1 = side * uniform(150, 400), r2 = side * uniform(600, 1200), r3 = side * uniform(200, 500);
        e.insert(e.end(), {{9999, 9999, uniform(20, 200)},
                           {9999, r1, uniform(30, 90)},
                           {r1, r1, uniform(10, 150)},
                           {r1, r2, uniform(30, 80)},
                           {r2, r2, uniform(10, 100)},
                           {r2, r3, uniform(30, 80)},
                           {r3, r3, uniform(10, 100)},
                           {r3, 9999, uniform(30, 90)}});
    }
    e.resize(count);
    return e;
}

// The chain's nodes (x, y, bearing), laid in pieces the element chain accepts, each from the last node before.
std::vector<PointAtStation> LaidNodes(ElementInput input) {
    const std::vector<AlignmentElement> all = input.elements;
    std::vector<PointAtStation> nodes{{{input.elementStartX, input.elementStartY}, 0}};
    for (std::size_t from = 0; from < all.size(); from += kMaxChainElements) {
        input.elements.assign(
            all.begin() + static_cast<std::ptrdiff_t>(from),
            all.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(all.size(), from + kMaxChainElements)));
        const ElementChain chain = BuildElementChain(input);
        nodes.back().bearing = chain.nodeBearing()[0];
        for (std::size_t k = 1; k < chain.nodeX().size(); ++k)
            nodes.push_back({{chain.nodeX()[k], chain.nodeY()[k]}, chain.nodeBearing()[k]});
        input.elementStartX = nodes.back().p.x;
        input.elementStartY = nodes.back().p.y;
        input.elementStartAzimuth = nodes.back().bearing * 180 / kPi;
    }
    return nodes;
}

std::string PointText(const char* tag, Point p) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "<%s>%.6f %.6f</%s>", tag, p.x, p.y, tag);
    return buf;
}

std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

// One element as LandXML: a Curve's centre lies |R| to its turning side, a Spiral's PI where its end tangents
// meet.
std::string ElementXml(const AlignmentElement& e, const PointAtStation& a, const PointAtStation& b) {
    const bool straightStart = e.startRadius == 9999, straightEnd = e.endRadius == 9999;
    const std::string ends = PointText("Start", a.p) + PointText("End", b.p);
    if (straightStart && straightEnd) return "<Line length=\"" + Number(e.length) + "\">" + ends + "</Line>\n";
    const double side = (straightStart ? e.endRadius : e.startRadius) > 0 ? 1 : -1;
    const std::string rot = side > 0 ? "cw" : "ccw";
    if (e.startRadius == e.endRadius) {
        const Point centre = a.p + std::fabs(e.startRadius) * Direction(a.bearing + side * kPi / 2);
        return "<Curve rot=\"" + rot + "\" radius=\"" + Number(std::fabs(e.startRadius)) + "\" length=\"" +
               Number(e.length) + "\">" + ends + PointText("Center", centre) + "</Curve>\n";
    }
    const Point da = Direction(a.bearing), db = Direction(b.bearing), d = b.p - a.p;
    const double t = (d.x * db.y - d.y * db.x) / (da.x * db.y - da.y * db.x);
    const auto radius = [](double r) { return r == 9999 ? std::string("INF") : Number(std::fabs(r)); };
    return "<Spiral spiType=\"clothoid\" rot=\"" + rot + "\" length=\"" + Number(e.length) + "\" radiusStart=\"" +
           radius(e.startRadius) + "\" radiusEnd=\"" + radius(e.endRadius) + "\">" + ends +
           PointText("PI", a.p + t * da) + "</Spiral>\n";
}

std::string GeneratedLandXml(std::size_t elementCount, std::size_t profilePoints) {
    const ElementInput input{1000, 3346000, 512800, 135.5, GeneratedElements(elementCount)};
    const std::vector<PointAtStation> nodes = LaidNodes(input);
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" "
        "version=\"1.2\">\n<Units><Metric linearUnit=\"meter\" angularUnit=\"decimal degrees\" "
        "directionUnit=\"decimal degrees\"/></Units>\n<Alignments><Alignment name=\"long\" staStart=\"1000\">\n"
        "<CoordGeom>\n";
    double length = 0;
    for (std::size_t k = 0; k < input.elements.size(); ++k) {
        xml += ElementXml(input.elements[k], nodes[k], nodes[k + 1]);
        length += input.elements[k].length;
    }
    xml +=
        "</CoordGeom>\n<StaEquation staBack=\"2000\" staAhead=\"2100\" staInternal=\"2000\"/>\n"
        "<Profile><ProfAlign name=\"design\">\n";
    const double step = length / static_cast<double>(profilePoints - 1);
    for (std::size_t k = 0; k < profilePoints; ++k) {
        const std::string text = Number(1000 + step * static_cast<double>(k)) + " " + (k % 2 ? "105" : "100");
        const bool end = k == 0 || k + 1 == profilePoints;
        xml += end ? "<PVI>" + text + "</PVI>\n"
                   : "<ParaCurve length=\"" + Number(step / 2) + "\">" + text + "</ParaCurve>\n";
    }
    return xml + "</ProfAlign></Profile>\n</Alignment></Alignments>\n</LandXML>\n";
}

void BM_ReadLandXml(benchmark::State& state) {
    const std::string bytes = GeneratedLandXml(static_cast<std::size_t>(state.range(0)), 1000);
    const LandXmlRoad check = ReadLandXml(bytes, {});
    if (!check.warnings.empty()) state.SkipWithError(check.warnings.front().text.c_str());
    for (auto _ : state) benchmark::DoNotOptimize(ReadLandXml(bytes, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadLandXml)->ArgName("elements")->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
