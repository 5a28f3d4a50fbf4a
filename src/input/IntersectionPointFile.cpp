#include "input/IntersectionPointFile.h"

#include <cctype>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "common/TextFile.h"
#include "input/RecordValues.h"

namespace tavrel {

namespace {

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
    p.incomingKeepsDirection = n.size() >= 2 && n[n.size() - 2] == '1';
    p.outgoingKeepsDirection = !n.empty() && n.back() == '1';
}

}  // namespace

MainLineInput ReadIntersectionPointFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd) {
    HeaderReader header(text);
    MainLineInput input;
    header.textField();  // the road's name, not used
    input.mainLineStartStation = header.number();
    const RecordLines records = header.records();
    const std::size_t firstLine = records.firstLine;
    const auto& lines = records.lines;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        // The table holds 1000 points: any line after the 1000th record, even a blank one, does not fit.
        AtLine(firstLine + i, lines[i], [&] {
            if (input.points.size() == kMaxIntersectionPoints) throw FormatError("too many intersection points");
        });
        IntersectionPoint p;
        p.pointName = std::string(TrimBlanks(records.recordText(i)));
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
            p.x = StrictValueAt(t, 0);
            p.y = StrictValueAt(t, 1);
            p.radiusText = t[2];
            p.spiralInText = t[3];
            p.spiralOut = StrictValueAt(t, 4);
            if (t.size() == 7) {
                p.spiralInStartRadius = StrictValueAt(t, 5);
                p.spiralOutEndRadius = StrictValueAt(t, 6);
            }
        });
        p.line = firstLine + i + 1;
        markSwitchback(p);
        input.points.push_back(std::move(p));
    }
    return input;
}

}  // namespace tavrel
