#include "report/PointsFile.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>

#include "report/StakeOutPoints.h"
#include "station/ChainBreak.h"

namespace tavrel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Metres to four decimals; a value that rounds to zero is written without a sign.
std::string metres(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", std::fabs(v) < 0.00005 ? 0.0 : v);
    return buf;
}

std::string field(const std::optional<double>& v) { return v ? metres(*v) : std::string(); }

// A CSV field: quoted, with its quotes doubled, where it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

std::string PointsFile(const CalculationResult& result) {
    std::string s(kByteOrderMark);
    for (const StakeOutPoint& p : StakeOutPoints(result)) {
        s += csvField(StakeOutPointName(result, p)) + "," + field(p.x) + "," + field(p.y) + "," + metres(p.z) + "," +
             csvField(StationLabel(result.chainBreaks, p.station)) + "," + metres(p.offset) + "\r\n";
    }
    return s;
}

}  // namespace tavrel
