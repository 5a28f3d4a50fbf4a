#include "input/ProfileFile.h"

#include "common/Errors.h"
#include "input/RecordValues.h"

namespace tavrel {

std::vector<ProfilePoint> ReadProfileFile(std::string_view text, const ChainBreakTable& chainBreaks,
                                          std::optional<EarlyEnd>* earlyEnd, std::vector<PartlyReadToken>* partlyRead) {
    std::vector<ProfilePoint> points;
    ForEachRecord(text, earlyEnd, [&](const std::vector<std::string>& t) {
        if (points.size() == kMaxProfilePoints) throw FormatError("too many profile points");
        ProfilePoint p;
        p.line = points.size() + 1;  // no header, no blank line between records
        p.stationText = t[0];
        p.station = StationOfText(chainBreaks, p.stationText);
        if (t.size() < 2) throw FormatError("profile point without elevation");
        NoteStationText(p.stationText, StationTextAsRead(p.stationText), p.line, partlyRead);
        p.elevation = LeadingValueAt(t, 1, p.line, partlyRead);
        p.radius = t.size() >= 3 ? LeadingValueAt(t, 2, p.line, partlyRead) : 0.0;
        points.push_back(std::move(p));
    });
    return points;
}

}  // namespace tavrel
