#include "app/InputFiles.h"

#include <cctype>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "common/TextFile.h"
#include "common/Tokenize.h"

namespace tavrel {

namespace {

double strictToken(const std::vector<std::string>& tokens, std::size_t index) {
    if (index >= tokens.size()) throw FormatError("record has too few values");
    const auto v = strictNumber(tokens[index]);
    if (!v) throw FormatError("value is not a number");
    return *v;
}

// A lenient value that must still start with a number when it is present.
double leadingToken(const std::vector<std::string>& tokens, std::size_t index) {
    const LeadingNumber n = leadingNumber(tokens[index]);
    if (!n.found) throw FormatError("value does not start with a number");
    return n.value;
}

// Switchback marks of an intersection point from its name: "HT" anywhere (any case) marks a switchback; then the
// next-to-last and last characters "1" keep the incoming and outgoing sides' forward directions.
void markSwitchback(IntersectionPoint& p) {
    const std::string& n = p.pointName;
    for (std::size_t i = 0; i + 1 < n.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(n[i])) == 'H' &&
            std::toupper(static_cast<unsigned char>(n[i + 1])) == 'T') {
            p.isSwitchback = true;
            break;
        }
    }
    if (!p.isSwitchback) return;
    // Names are UTF-8 here; the marks are ASCII digits, so comparing the last bytes is comparing characters.
    p.switchbackFlag1 = n.size() >= 2 && n[n.size() - 2] == '1';
    p.switchbackFlag2 = !n.empty() && n.back() == '1';
}

}  // namespace

std::vector<ChainBreak> ReadChainBreakFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd) {
    std::vector<ChainBreak> records;
    ForEachRecord(text, 1, earlyEnd, [&](const std::vector<std::string>& t) {
        if (records.size() == static_cast<std::size_t>(kMaxChainBreaks)) throw FormatError("too many chain breaks");
        records.push_back({strictToken(t, 0), strictToken(t, 1)});
    });
    return records;
}

MainLineInput ReadIntersectionPointFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd) {
    HeaderReader header(text);
    MainLineInput input;
    header.textField();  // the road's name, not used
    input.mainLineStartStation = header.number();
    const std::size_t firstLine = header.restFirstLine();
    const auto lines = SplitLines(header.rest());
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        // The table holds 1000 points: any line after the 1000th record, even a blank one, does not fit.
        AtLine(firstLine + i, lines[i], [&] {
            if (input.points.size() == kMaxIntersectionPoints) throw FormatError("too many intersection points");
        });
        IntersectionPoint p;
        p.pointName = std::string(trimBlanks(lines[i]));
        if (p.pointName.empty()) {
            if (earlyEnd) *earlyEnd = EarlyEndAt(lines, i, firstLine);
            break;
        }
        AtLine(firstLine + i, lines[i], [&] {
            if (i + 1 >= lines.size()) throw FormatError("intersection point without its data line");
        });
        AtLine(firstLine + i + 1, lines[i + 1], [&] {
            const auto t = SplitTokens(lines[i + 1]);
            if (t.size() != 5 && t.size() != 7) throw FormatError("intersection point needs 5 or 7 values");
            p.x = strictToken(t, 0);
            p.y = strictToken(t, 1);
            p.curveValue3 = t[2];
            p.curveValue4 = t[3];
            p.curveValue5 = strictToken(t, 4);
            if (t.size() == 7) {
                p.curveValue6 = strictToken(t, 5);
                p.curveValue7 = strictToken(t, 6);
            }
        });
        p.line = firstLine + i + 1;
        markSwitchback(p);
        input.points.push_back(std::move(p));
    }
    return input;
}

ElementInput ReadElementFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd) {
    HeaderReader header(text);
    ElementInput input;
    input.elementStartStation = header.number();
    input.elementStartX = header.number();
    input.elementStartY = header.number();
    // Written as d.mmss; the geometry works in decimal degrees.
    input.elementStartAzimuth = DmsToDegrees(header.number());
    const std::size_t firstLine = header.restFirstLine();
    ForEachRecord(header.rest(), firstLine, earlyEnd, [&](const std::vector<std::string>& t) {
        if (input.elements.size() == kMaxElements) throw FormatError("too many elements");
        // Records have no blank line between them: record k is the k-th line of the records.
        input.elements.push_back(
            {strictToken(t, 0), strictToken(t, 1), strictToken(t, 2), firstLine + input.elements.size()});
    });
    return input;
}

std::vector<ProfilePoint> ReadProfileFile(std::string_view text, const ChainBreakTable& chainBreaks,
                                          std::optional<EarlyEnd>* earlyEnd) {
    std::vector<ProfilePoint> points;
    ForEachRecord(text, 1, earlyEnd, [&](const std::vector<std::string>& t) {
        if (points.size() == kMaxListRecords) throw FormatError("too many profile points");
        ProfilePoint p;
        p.stationText = t[0];
        p.station = StationOfText(chainBreaks, p.stationText);
        if (t.size() < 2) throw FormatError("profile point without elevation");
        p.elevation = leadingToken(t, 1);
        p.radius = t.size() >= 3 ? leadingToken(t, 2) : 0.0;
        p.line = points.size() + 1;  // no header, no blank line between records
        points.push_back(std::move(p));
    });
    return points;
}

Superelevation ReadSuperelevationFile(std::string_view text, const ChainBreakTable& chainBreaks,
                                      std::optional<EarlyEnd>* earlyEnd) {
    HeaderReader header(text);
    CrossSectionWidths widths;
    widths.leftSlopedWidth = header.number();
    widths.centralLeftEdge = header.number();
    widths.centralRightEdge = header.number();
    widths.rightSlopedWidth = header.number();
    std::vector<SuperelevationRecord> records;
    ForEachRecord(header.rest(), header.restFirstLine(), earlyEnd, [&](const std::vector<std::string>& t) {
        if (records.size() == kMaxListRecords) throw FormatError("too many superelevation rows");
        SuperelevationRecord r;
        r.stationText = t[0];
        r.station = StationOfText(chainBreaks, r.stationText);
        r.leftSlope = strictToken(t, 1);
        r.rightSlope = strictToken(t, 2);
        records.push_back(std::move(r));
    });
    return SuperelevationBuild(widths, std::move(records));
}

}  // namespace tavrel
