#include "input/ElementFile.h"

#include "common/Errors.h"
#include "input/RecordValues.h"

namespace tavrel {

ElementInput ReadElementFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd) {
    HeaderReader header(text);
    ElementInput input;
    input.elementStartStation = header.number();
    input.elementStartX = header.number();
    input.elementStartY = header.number();
    // Written as d.mmss; the geometry works in decimal degrees.
    input.elementStartAzimuth = DmsToDegrees(header.number());
    const std::size_t firstLine = header.restFirstLine();
    ForEachRecord(header.records(), 0, earlyEnd, [&](const std::vector<std::string>& t) {
        if (input.elements.size() == kMaxElements) throw FormatError("too many elements");
        // Records have no blank line between them: record k is the k-th line of the records.
        input.elements.push_back(
            {StrictValueAt(t, 0), StrictValueAt(t, 1), StrictValueAt(t, 2), firstLine + input.elements.size()});
    });
    return input;
}

}  // namespace tavrel
