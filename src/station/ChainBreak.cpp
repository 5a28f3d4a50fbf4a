#include "station/ChainBreak.h"

#include <cmath>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "common/Plane.h"

namespace tavrel {

namespace {

bool isChainMark(char c) { return c >= 'A' && c <= 'Z'; }

// The number text of a lenient reading as taken: the leading number, or "0" when the text starts with none.
std::string numberAsRead(std::string_view text) {
    const LeadingNumber n = ReadLeadingNumber(text);
    return n.found ? std::string(text.substr(0, n.length)) : "0";
}

// A pier station text split as PierStationOfText reads it: the base, and the shift when a "+" or "-" follows it.
// With a "+" anywhere the text splits at its "+" signs, otherwise at its "-" signs; pieces after the second are
// not read.
struct PierTextParts {
    std::string_view base;
    char separator = 0;            // '+', '-', or 0 without a shift
    bool alongRoad = false;        // the shift starts with L or X: measured along the road
    std::string_view shiftNumber;  // the shift's number text (without the L or X)
};

PierTextParts splitPierText(std::string_view text) {
    PierTextParts parts;
    parts.base = text;
    const bool plus = text.find('+') != std::string_view::npos;
    if (!plus && text.find('-') == std::string_view::npos) return parts;
    parts.separator = plus ? '+' : '-';
    const auto first = text.find(parts.separator);
    parts.base = text.substr(0, first);
    std::string_view shift = text.substr(first + 1);
    shift = shift.substr(0, shift.find(parts.separator));
    const char c = shift.empty() ? '\0' : shift.front();
    parts.alongRoad = c == 'L' || c == 'X' || c == 'l' || c == 'x';
    parts.shiftNumber = parts.alongRoad ? shift.substr(1) : shift;
    return parts;
}

// The written number of a continuous station and the chain-break interval (1 = A) it lies in: each break the
// station lies beyond (strictly) moves it into the numbering after that break.
struct WrittenPosition {
    double written;
    int interval;
};
WrittenPosition writtenPosition(const ChainBreakTable& table, Station continuous) {
    WrittenPosition r{continuous, 1};
    for (int k = 1; k <= table.chainBreakCount; ++k) {
        const auto& [b, a] = table.chainBreaks[k];
        if (r.written > b) {
            r.written = a + r.written - b;
            r.interval = k + 1;
        }
    }
    return r;
}

}  // namespace

ChainBreakTable MakeChainBreakTable(const std::vector<ChainBreak>& records) {
    if (records.size() > static_cast<std::size_t>(kMaxChainBreaks)) throw FormatError("too many chain breaks");
    ChainBreakTable t;
    t.chainBreakCount = static_cast<std::int16_t>(records.size());
    for (std::size_t k = 0; k < records.size(); ++k) t.chainBreaks[k + 1] = records[k];
    t.chainBreaks[0] = {0, 0};
    t.chainBreaks[t.chainBreakCount + 1] = {kChainBreakSentinel, kChainBreakSentinel};
    if (t.chainBreaks[1].beforeStation == -1) t.chainBreakCount = 0;
    return t;
}

std::string MarkedStationText(const ChainBreakTable& table, std::string_view text) {
    const int n = table.chainBreakCount;
    const std::string_view s = TrimBlanks(text);
    if (s.empty() || isChainMark(s.front()) || n == 0) return std::string(text);
    const double v = LenientNumber(s);
    for (int k = 1; k <= n; ++k) {
        const auto& [b, a] = table.chainBreaks[k];
        if (b < v && v < a)
            throw RejectedText("数据有误", "桩号" + std::string(text) + "不应存在" + PlainNumber(b) + "和" +
                                               PlainNumber(a) + "之间，请修改！");
    }
    for (int k = 1; k <= n; ++k) {
        const auto& [b, a] = table.chainBreaks[k];
        if (b > a && a <= v && v <= b)
            throw RejectedText("数据有误",
                               "程序不能判断桩号" + std::string(text) + "所属的断链区间，需添加断链标识A、B、C...");
    }
    int m = 1;
    for (int k = 1; k <= n; ++k)
        if (v > table.chainBreaks[k].beforeStation) ++m;
    return std::string(1, static_cast<char>(64 + m)) + std::string(s);
}

Station StationTextToStation(const ChainBreakTable& table, std::string_view text) {
    if (text.empty() || !isChainMark(text.front())) return LenientNumber(text);
    double v = LenientNumber(text.substr(1));
    const int m = text.front() - 64;
    for (int k = m - 1; k >= 1; --k) {
        if (k >= kChainBreakEntries) throw CalcError("chain mark beyond the chain-break table");
        v = v - table.chainBreaks[k].afterStation + table.chainBreaks[k].beforeStation;
    }
    return v;
}

Station StationOfText(const ChainBreakTable& table, std::string_view text) {
    return StationTextToStation(table, MarkedStationText(table, text));
}

double WrittenStation(const ChainBreakTable& table, Station continuous) {
    return writtenPosition(table, continuous).written;
}

std::optional<char> DoubledStationMark(const ChainBreakTable& table, Station continuous) {
    // The shown text stands for every number within half a millimetre of it: it needs the mark when any of them
    // lies in a doubled stretch.
    constexpr double kHalfShownUnit = 0.0005;  // m
    const auto [written, interval] = writtenPosition(table, continuous);
    const double shown = std::round(written * 1000) / 1000;
    for (int k = 1; k <= table.chainBreakCount; ++k) {
        const auto& [b, a] = table.chainBreaks[k];
        if (b > a && a - kHalfShownUnit <= shown && shown <= b + kHalfShownUnit)
            return static_cast<char>(64 + interval);
    }
    return std::nullopt;
}

std::string StationLabel(const ChainBreakTable& table, Station continuous) {
    std::string text = StationKText(WrittenStation(table, continuous));
    if (const auto mark = DoubledStationMark(table, continuous)) text = std::string(1, *mark) + " " + text;
    return text;
}

PierStation PierStationOfText(const ChainBreakTable& table, std::string_view text, double skewAngle) {
    PierStation r;
    const PierTextParts parts = splitPierText(text);
    if (parts.separator != 0) {
        const double sign = parts.separator == '+' ? 1.0 : -1.0;
        if (parts.alongRoad) {
            r.stationShift = sign * LenientNumber(parts.shiftNumber);
        } else {
            // Given along the pier axis: its component along the road.
            r.stationShift = sign * CheckedDiv(LenientNumber(parts.shiftNumber), std::sin(DegreesToRadians(skewAngle)));
        }
    }
    r.baseStation = StationOfText(table, parts.base);
    return r;
}

std::string StationTextAsRead(std::string_view text) {
    if (!text.empty() && isChainMark(text.front())) return text.front() + numberAsRead(text.substr(1));
    return numberAsRead(text);
}

std::string PierStationTextAsRead(std::string_view text) {
    const PierTextParts parts = splitPierText(text);
    std::string read = StationTextAsRead(parts.base);
    if (parts.separator == 0) return read;
    read += parts.separator;
    if (parts.alongRoad) read += text[parts.base.size() + 1];  // the L or X as written
    return read + numberAsRead(parts.shiftNumber);
}

}  // namespace tavrel
