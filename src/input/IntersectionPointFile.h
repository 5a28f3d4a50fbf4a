#pragma once
// The plan by intersection points (*.jdx, the main-line form): a name and the start station, then a name line and
// a data line (x y R Ls1 Ls2 [RD1 RD2]) per point, up to a blank name line; at most kMaxIntersectionPoints.
#include <optional>
#include <string_view>

#include "common/Tokenize.h"
#include "mainline/MainLine.h"

namespace tavrel {

inline constexpr std::size_t kMaxIntersectionPoints = 1000;

// The start station and points in the decoded text of a whole file; a name with "HT" marks a switchback. A
// header or point that does not fit throws FormatError with its line. A blank name line ends the points; when
// non-blank lines follow it, *earlyEnd says where (when earlyEnd is given).
MainLineInput ReadIntersectionPointFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd = nullptr);

}  // namespace tavrel
