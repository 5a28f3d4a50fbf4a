#include "report/ResultJson.h"

#include "report/Json.h"

namespace tavrel {

namespace {

// The pier's line of the layout file, as read.
std::string pierFields(const PierRecord& p) {
    return "{\"pierName\": " + JsonString(p.pierName) + ", \"baseStation\": " + NumberText(p.baseStation) +
           ", \"stationShift\": " + NumberText(p.stationShift) +
           ", \"referenceStation\": " + NumberText(p.referenceStation) +
           ", \"referenceNominalStation\": " + NumberText(p.referenceNominalStation) +
           ", \"deckToTopDepth\": " + NumberText(p.deckToTopDepth) +
           ", \"designPedestalHeight\": " + NumberText(p.designPedestalHeight) +
           ", \"sideMark\": " + JsonString(SideMarkText(p.sideMark));
}

// The deck cross-section along the pier's axis.
std::string sectionObject(const PierSection& sec) {
    std::string s = "{\"pierStation\": " + NumberText(sec.pierStation) + ", \"edges\": {";
    for (int e = LO; e <= RO; ++e) {
        s += std::string(e ? ", " : "") + "\"" + kEdgeNames[e] +
             "\": {\"nominalStation\": " + NumberText(sec.edgeNominalStation[e]) +
             ", \"station\": " + NumberText(sec.edgeStation[e]) + ", \"distance\": " + NumberText(sec.edgeDistance[e]) +
             ", \"elevation\": " + NumberText(sec.edgeElevation[e]) + ", \"x\": " + JsonNumber(sec.edgeX[e]) +
             ", \"y\": " + JsonNumber(sec.edgeY[e]) + "}";
    }
    return s + "}, \"leftAxisSlope\": " + NumberText(sec.leftAxisSlope) +
           ", \"rightAxisSlope\": " + NumberText(sec.rightAxisSlope) + "}";
}

// Pedestal k of pier i.
std::string pedestalObject(const CalculationResult& r, std::size_t i, std::size_t k) {
    const PedestalResultTables& t = r.tables;
    return "{\"distance\": " + NumberText(r.layout.pedestalDistances[k]) +
           ", \"station\": " + NumberText(t.pedestalStation[i][k]) +
           ", \"nominalStation\": " + NumberText(t.pedestalNominalStation[i][k]) +
           ", \"offset\": " + NumberText(t.pedestalOffset[i][k]) +
           ", \"crossSlope\": " + NumberText(t.pedestalCrossSlope[i][k]) +
           ", \"deckElevation\": " + NumberText(t.deckElevation[i][k]) +
           ", \"topElevation\": " + NumberText(t.pedestalTopElevation[i][k]) +
           ", \"capTopElevation\": " + NumberText(t.capTopElevation[i][k]) +
           ", \"height\": " + NumberText(t.pedestalHeight[i][k]) + ", \"x\": " + JsonNumber(t.pedestalX[i][k]) +
           ", \"y\": " + JsonNumber(t.pedestalY[i][k]) + "}";
}

}  // namespace

std::string ResultJson(std::string_view mode, const CalculationResult& r, const std::vector<std::string>& warnings) {
    const PedestalLayout& l = r.layout;
    std::string s = "{\n  \"mode\": " + JsonString(mode) + ",\n  \"warnings\": [";
    for (std::size_t k = 0; k < warnings.size(); ++k) s += (k ? ", " : "") + JsonString(warnings[k]);
    s += "],\n  \"skewAngle\": " + NumberText(l.skewAngle) + ",\n  \"pedestalDistances\": [";
    for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k)
        s += (k ? ", " : "") + NumberText(l.pedestalDistances[k]);
    s += "],\n  \"piers\": [";
    for (std::size_t i = 0; i < l.piers.size(); ++i) {
        s += i ? ",\n" : "\n";
        s += "    " + pierFields(l.piers[i]) + ",\n     \"section\": " + sectionObject(r.sections[i]) +
             ",\n     \"pedestals\": [";
        for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k)
            s += (k ? ",\n       " : "\n       ") + pedestalObject(r, i, k);
        s += "]}";
    }
    return s + "\n  ]\n}\n";
}

}  // namespace tavrel
