#pragma once
// The plan by elements (*.jdx, the interchange form): start station, x, y and bearing (d.mmss), then "R1 R2 L"
// per line; at most kMaxElements.
#include <optional>
#include <string_view>

#include "common/Tokenize.h"
#include "interchange/ElementChain.h"

namespace tavrel {

inline constexpr std::size_t kMaxElements = 1000;

// The start values and elements in the decoded text of a whole file, the bearing returned in decimal degrees.
// A header or record that does not fit throws FormatError with its line. A blank line ends the records; when
// non-blank lines follow it, *earlyEnd says where (when earlyEnd is given).
ElementInput ReadElementFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd = nullptr);

}  // namespace tavrel
