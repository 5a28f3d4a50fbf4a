#pragma once
// The superelevation file (*.cg): the four cross-section widths, then "station left% right%" per line; at most
// kMaxSuperelevationRows.
#include <optional>
#include <string_view>
#include <vector>

#include "common/Tokenize.h"
#include "profile/Superelevation.h"
#include "station/ChainBreak.h"

namespace tavrel {

inline constexpr std::size_t kMaxSuperelevationRows = 32767;  // the count is 16-bit

// The superelevation table in the decoded text of a whole file. Station texts are converted with the chain-break
// table as they are read (a rejected text throws RejectedText); a header or record that does not fit throws
// FormatError; each with its line. A table without rows throws FormatError too. A blank line ends the records;
// when non-blank lines follow it, *earlyEnd says where (when earlyEnd is given). Station texts with characters
// their reading left unread go into *partlyRead (when given), in the order of the file.
Superelevation ReadSuperelevationFile(std::string_view text, const ChainBreakTable& chainBreaks,
                                      std::optional<EarlyEnd>* earlyEnd = nullptr,
                                      std::vector<PartlyReadToken>* partlyRead = nullptr);

}  // namespace tavrel
