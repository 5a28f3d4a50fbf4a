#pragma once
// What the result sheets of a workbook share: their font, row height, column widths, captions and number format,
// the width of the pier name column, and the check of a result table against its layout.
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
inline constexpr double kValueColumnWidth = 8;
inline constexpr std::string_view kValueFormat = "0.000";

inline constexpr std::string_view kPierCaption = "墩台号";
inline constexpr std::string_view kStationCaption = "桩号";

// Throws CalcError unless the table has one row per pier and one value per pedestal in every row.
template <class Table>
void RequireShape(const Table& table, std::size_t piers, std::size_t pedestals) {
    if (table.size() != piers) throw CalcError("result table has a different number of piers than the layout");
    for (const auto& row : table)
        if (row.size() != pedestals)
            throw CalcError("result table has a different number of pedestals than the layout");
}

// Column A holds the longest pier name whole (a wide character counts twice), and is never narrower than the
// table's original 6 nor wider than a column can be.
double PierColumnWidth(const std::vector<PierRecord>& piers);

}  // namespace tavrel::resultsheet
