#include "report/ResultJson.h"

#include "report/Json.h"

namespace tavrel {

namespace {

// The pier's line of the layout file, as read.
std::string pierFields(const PierRecord& p) {
    return "{\"pierName\": " + jsonString(p.pierName) + ", \"baseStation\": " + numberText(p.baseStation) +
           ", \"stationShift\": " + numberText(p.stationShift) +
           ", \"referenceStation\": " + numberText(p.referenceStation) +
           ", \"referenceNominalStation\": " + numberText(p.referenceNominalStation) +
           ", \"deckToTopDepth\": " + numberText(p.deckToTopDepth) +
           ", \"designPedestalHeight\": " + numberText(p.designPedestalHeight) +
           ", \"sideMark\": " + jsonString(SideMarkText(p.sideMark));
}

// The deck cross-section along the pier's axis.
std::string sectionObject(const PierSection& sec) {
    std::string s = "{\"pierStation\": " + numberText(sec.pierStation) + ", \"edges\": {";
    for (int e = LO; e <= RO; ++e) {
        s += std::string(e ? ", " : "") + "\"" + kEdgeNames[e] +
             "\": {\"nominalStation\": " + numberText(sec.edgeNominalStation[e]) +
             ", \"station\": " + numberText(sec.edgeStation[e]) + ", \"distance\": " + numberText(sec.edgeDistance[e]) +
             ", \"elevation\": " + numberText(sec.edgeElevation[e]) + ", \"x\": " + jsonNumber(sec.edgeX[e]) +
             ", \"y\": " + jsonNumber(sec.edgeY[e]) + "}";
    }
    return s + "}, \"leftAxisSlope\": " + numberText(sec.leftAxisSlope) +
           ", \"rightAxisSlope\": " + numberText(sec.rightAxisSlope) + "}";
}

// Pedestal k of pier i.
std::string pedestalObject(const CalculationResult& r, std::size_t i, std::size_t k) {
    const PedestalResultTables& t = r.tables;
    return "{\"distance\": " + numberText(r.layout.pedestalDistances[k]) +
           ", \"station\": " + numberText(t.pedestalStation[i][k]) +
           ", \"nominalStation\": " + numberText(t.pedestalNominalStation[i][k]) +
           ", \"offset\": " + numberText(t.pedestalOffset[i][k]) +
           ", \"crossSlope\": " + numberText(t.pedestalCrossSlope[i][k]) +
           ", \"deckElevation\": " + numberText(t.deckElevation[i][k]) +
           ", \"topElevation\": " + numberText(t.pedestalTopElevation[i][k]) +
           ", \"capTopElevation\": " + numberText(t.capTopElevation[i][k]) +
           ", \"height\": " + numberText(t.pedestalHeight[i][k]) + ", \"x\": " + jsonNumber(t.pedestalX[i][k]) +
           ", \"y\": " + jsonNumber(t.pedestalY[i][k]) + "}";
}

}  // namespace

std::string ResultJson(std::string_view mode, const CalculationResult& r, const std::vector<std::string>& warnings) {
    const PedestalLayout& l = r.layout;
    std::string s = "{\n  \"mode\": " + jsonString(mode) + ",\n  \"warnings\": [";
    for (std::size_t k = 0; k < warnings.size(); ++k) s += (k ? ", " : "") + jsonString(warnings[k]);
    s += "],\n  \"skewAngle\": " + numberText(l.skewAngle) + ",\n  \"pedestalDistances\": [";
    for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k)
        s += (k ? ", " : "") + numberText(l.pedestalDistances[k]);
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
