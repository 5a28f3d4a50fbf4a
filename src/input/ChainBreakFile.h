#pragma once
// The chain-break file (*.dl): "before after" per line, no header; at most kMaxChainBreaks records.
#include <optional>
#include <string_view>
#include <vector>

#include "common/Tokenize.h"
#include "station/ChainBreak.h"

namespace tavrel {

// The chain breaks in the decoded text of a whole file. A record that does not fit throws FormatError with its
// line. A blank line ends the records; when non-blank lines follow it, *earlyEnd says where (when earlyEnd is
// given).
std::vector<ChainBreak> ReadChainBreakFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd = nullptr);

}  // namespace tavrel
