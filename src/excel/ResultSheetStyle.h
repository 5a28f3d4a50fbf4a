#pragma once
// What the result sheets of a workbook share: their font, row height, column widths, captions and number format,
// and the width of the pier name column (RequireShape, the check of a result table against its layout, is the
// results' own).
#include <string_view>
#include <vector>

#include "common/Errors.h"
#include "pedestal/Results.h"

namespace tavrel::resultsheet {

inline constexpr std::string_view kFontName = "宋体";
inline constexpr double kFontSize = 10;   // points
inline constexpr double kRowHeight = 15;  // points
// Column widths, in characters of the default font.
inline constexpr double kStationColumnWidth = 12;
inline constexpr double kMarkedStationColumnWidth = 14;  // "B K13+186.453": a chain mark and a blank more
inline constexpr double kValueColumnWidth = 8;
inline constexpr std::string_view kValueFormat = "0.000";

inline constexpr std::string_view kPierCaption = "墩台号";
inline constexpr std::string_view kStationCaption = "桩号";

// Column A holds the longest pier name whole (a wide character counts twice), and is never narrower than the
// table's original 6 nor wider than a column can be.
double PierColumnWidth(const std::vector<PierRecord>& piers);

}  // namespace tavrel::resultsheet
