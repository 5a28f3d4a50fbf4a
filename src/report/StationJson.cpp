#include "report/StationJson.h"

#include "report/Json.h"

namespace tavrel {

std::string StationJson(const std::vector<StationRow>& rows) {
    std::string s = "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StationRow& r = rows[i];
        s += "  {\"station\": " + numberText(r.station) + ", \"nominalStation\": " + numberText(r.nominalStation) +
             ", \"x\": " + jsonNumber(r.x) + ", \"y\": " + jsonNumber(r.y) + ", \"bearing\": " + jsonNumber(r.bearing) +
             ", \"elevation\": " + jsonNumber(r.elevation) + ", \"leftSlope\": " + jsonNumber(r.leftSlope) +
             ", \"rightSlope\": " + jsonNumber(r.rightSlope) + "}";
        s += i + 1 < rows.size() ? ",\n" : "\n";
    }
    return s + "]\n";
}

}  // namespace tavrel
