#include "input/ChainBreakFile.h"

#include "common/Errors.h"
#include "input/RecordValues.h"

namespace tavrel {

std::vector<ChainBreak> ReadChainBreakFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd) {
    std::vector<ChainBreak> records;
    ForEachRecord(text, earlyEnd, [&](const std::vector<std::string>& t) {
        if (records.size() == static_cast<std::size_t>(kMaxChainBreaks)) throw FormatError("too many chain breaks");
        records.push_back({StrictValueAt(t, 0), StrictValueAt(t, 1)});
    });
    return records;
}

}  // namespace tavrel
