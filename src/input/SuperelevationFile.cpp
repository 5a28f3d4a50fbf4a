#include "input/SuperelevationFile.h"

#include "common/Errors.h"
#include "input/RecordValues.h"

namespace tavrel {

Superelevation ReadSuperelevationFile(std::string_view text, const ChainBreakTable& chainBreaks,
                                      std::optional<EarlyEnd>* earlyEnd, std::vector<PartlyReadToken>* partlyRead) {
    HeaderReader header(text);
    CrossSectionWidths widths;
    widths.leftSlopedWidth = header.number();
    widths.centralLeftEdge = header.number();
    widths.centralRightEdge = header.number();
    widths.rightSlopedWidth = header.number();
    std::vector<SuperelevationRecord> records;
    const RecordLines lines = header.records();
    ForEachRecord(lines, 0, earlyEnd, [&](const std::vector<std::string>& t) {
        if (records.size() == kMaxSuperelevationRows) throw FormatError("too many superelevation rows");
        SuperelevationRecord r;
        r.stationText = t[0];
        r.station = StationOfText(chainBreaks, r.stationText);
        r.leftSlope = StrictValueAt(t, 1);
        r.rightSlope = StrictValueAt(t, 2);
        // Records have no blank line between them: record k is the k-th line of the records.
        NoteStationText(r.stationText, StationTextAsRead(r.stationText), lines.firstLine + records.size(), partlyRead);
        records.push_back(std::move(r));
    });
    return SuperelevationBuild(widths, std::move(records));
}

}  // namespace tavrel
