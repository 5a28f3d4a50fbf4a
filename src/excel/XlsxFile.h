#pragma once
// Writing the in-memory workbook as an .xlsx spreadsheet file.
#include <filesystem>

#include "excel/Workbook.h"

namespace tavrel {

// Writes `book` to `path` as it stands: sheets in tab order, the active sheet active. Creates or truncates the
// file directly; callers that must not leave a half file write to a temporary name and rename (ExcelApp does).
// Throws WorkbookWriteError when the workbook has no sheet or the file cannot be written.
void WriteXlsxFile(const Workbook& book, const std::filesystem::path& path);

}  // namespace tavrel
