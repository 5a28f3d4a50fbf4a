#include "report/ReadableStationTable.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "common/NumberText.h"
#include "common/Plane.h"

namespace tavrel {

namespace {

// Columns a text takes on a terminal: two for each character outside ASCII (a Chinese character), except the
// degree, minute and second signs of a bearing, which take one.
std::size_t displayWidth(std::string_view s) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        const std::string_view ch = s.substr(i, n);
        width += (n == 1 || ch == "°" || ch == "′" || ch == "″") ? 1 : 2;
        i += n;
    }
    return width;
}

// The text right-aligned in `width` columns (never cut).
std::string rightAligned(const std::string& s, std::size_t width) {
    const std::size_t w = displayWidth(s);
    return (w < width ? std::string(width - w, ' ') : std::string()) + s;
}

// Three decimals; a value that rounds to zero shows no minus sign.
std::string fixed3(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", std::fabs(v) < 0.0005 ? 0.0 : v);
    return buf;
}

// A value the road data do not give (no profile, no superelevation table): "无", never a number.
std::string optionalFixed3(const std::optional<double>& v) { return v ? fixed3(*v) : std::string("无"); }

struct Column {
    const char* heading;
    std::size_t width;
};

}  // namespace

std::string BearingDmsText(double bearing) {
    constexpr long long kTenthsPerTurn = 360LL * 36000;
    long long tenths = std::llround(bearing * 180 / kPi * 36000) % kTenthsPerTurn;
    if (tenths < 0) tenths += kTenthsPerTurn;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%lld°%02lld′%02lld.%lld″", tenths / 36000, tenths % 36000 / 600, tenths % 600 / 10,
                  tenths % 10);
    return buf;
}

std::string ReadableStationTable(const std::vector<StationRow>& rows, double offset) {
    const bool plane = !rows.empty() && rows.front().x.has_value();
    std::string s = offset == 0 ? std::string("偏距 0（路线中线），高程为设计高程")
                                : "偏距 " + fixed3(offset) + " m（左正右负），高程为该处的桥面高程";
    s += "，共 " + std::to_string(rows.size()) + " 行\n";
    const Column station{"桩号", 14}, x{"X(m)", 15}, y{"Y(m)", 14}, elevation{"高程(m)", 11}, left{"左横坡(%)", 11},
        right{"右横坡(%)", 11}, bearing{"方位角", 15};
    std::vector<Column> columns{station};
    if (plane) columns.insert(columns.end(), {x, y});
    columns.insert(columns.end(), {elevation, left, right});
    if (plane) columns.push_back(bearing);
    for (const Column& c : columns) s += rightAligned(c.heading, c.width);
    s += "\n";
    for (const StationRow& r : rows) {
        s += rightAligned(StationKText(r.nominalStation), station.width);
        if (plane) s += rightAligned(fixed3(r.x.value_or(0)), x.width) + rightAligned(fixed3(r.y.value_or(0)), y.width);
        s += rightAligned(optionalFixed3(r.elevation), elevation.width) +
             rightAligned(optionalFixed3(r.leftSlope), left.width) +
             rightAligned(optionalFixed3(r.rightSlope), right.width);
        if (plane) s += rightAligned(r.bearing ? BearingDmsText(*r.bearing) : std::string(), bearing.width);
        s += "\n";
    }
    return s;
}

}  // namespace tavrel
