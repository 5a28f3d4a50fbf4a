#include "report/StationCsv.h"

#include <optional>

#include "report/Json.h"

namespace tavrel {

std::string StationCsv(const std::vector<StationRow>& rows) {
    const auto field = [](std::optional<double> v) { return v ? NumberText(*v) : std::string(); };
    std::string s = "station,nominalStation,x,y,bearing,elevation,leftSlope,rightSlope\n";
    for (const StationRow& r : rows) {
        s += NumberText(r.station) + "," + NumberText(r.nominalStation) + "," + field(r.x) + "," + field(r.y) + "," +
             field(r.bearing) + "," + field(r.elevation) + "," + field(r.leftSlope) + "," + field(r.rightSlope) + "\n";
    }
    return s;
}

}  // namespace tavrel
