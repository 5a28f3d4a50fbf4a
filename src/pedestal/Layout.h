#pragma once
// The pedestal layout file (*.txt): the skew angle, the pedestals' distances along the pier axis, and one line per
// pier or abutment.
#include <string_view>

#include "pedestal/Results.h"
#include "station/ChainBreak.h"

namespace tavrel {

inline constexpr std::size_t kMaxLayoutCount = 32767;  // pier and pedestal counts are 16-bit

// ReadPedestalLayout: reads the decoded text of a layout file. Pier stations go through the chain-break table
// (a rejected text throws RejectedText); a bad side mark throws RejectedText with the message naming the pier
// line; anything else that does not fit throws FormatError, and a file without piers too.
PedestalLayout ReadPedestalLayout(std::string_view text, const ChainBreakTable& chainBreaks);

}  // namespace tavrel
