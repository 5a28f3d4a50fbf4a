#include "report/StationJson.h"

#include "report/Json.h"

namespace tavrel {

std::string StationJson(const std::vector<StationRow>& rows) {
    std::string s = "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StationRow& r = rows[i];
        s += "  {\"station\": " + NumberText(r.station) + ", \"nominalStation\": " + NumberText(r.nominalStation) +
             ", \"x\": " + JsonNumber(r.x) + ", \"y\": " + JsonNumber(r.y) + ", \"bearing\": " + JsonNumber(r.bearing) +
             ", \"elevation\": " + JsonNumber(r.elevation) + ", \"leftSlope\": " + JsonNumber(r.leftSlope) +
             ", \"rightSlope\": " + JsonNumber(r.rightSlope) + "}";
        s += i + 1 < rows.size() ? ",\n" : "\n";
    }
    return s + "]\n";
}

}  // namespace tavrel
