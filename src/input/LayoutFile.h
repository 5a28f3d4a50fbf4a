#pragma once
// The pedestal layout file (*.txt): the skew angle, the pedestals' distances along the pier axis, and one line per
// pier or abutment. What it holds is the pedestal calculation's own value type (PedestalLayout).
#include <optional>
#include <string_view>
#include <vector>

#include "common/Tokenize.h"
#include "pedestal/Results.h"
#include "station/ChainBreak.h"

namespace tavrel {

inline constexpr std::size_t kMaxLayoutCount = 32767;  // pier and pedestal counts are 16-bit
// Piers times pedestals of one calculation: far above any real bridge (a 300-span viaduct with 20 pedestals a
// pier has 6000), small enough that the work and memory a small file can ask for stay bounded.
inline constexpr std::size_t kMaxPedestalValues = 1000000;

// The layout in the decoded text of a whole layout file. Pier stations go through the chain-break table
// (a rejected text throws RejectedText); a bad side mark throws RejectedText with the message naming the pier
// line; more than kMaxLayoutCount piers or pedestals, or more than kMaxPedestalValues piers times pedestals,
// throws RejectedText naming the limit; anything else that does not fit
// throws FormatError, and a file without piers too; each with the line at fault. A blank line ends the pier
// lines; when non-blank lines follow it, *earlyEnd says where (when earlyEnd is given). Pier station texts with
// characters their reading left unread go into *partlyRead (when given), in the order of the file. Each pier
// keeps the number of its line.
PedestalLayout ReadLayoutFile(std::string_view text, const ChainBreakTable& chainBreaks,
                              std::optional<EarlyEnd>* earlyEnd = nullptr,
                              std::vector<PartlyReadToken>* partlyRead = nullptr);

}  // namespace tavrel
