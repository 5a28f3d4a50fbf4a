#pragma once
// The result workbook of one calculation, built and written where the front end decided.
#include <filesystem>
#include <optional>

#include "excel/ExcelApp.h"
#include "excel/PedestalTables.h"

namespace tavrel {

// Builds the workbook of `result` (ResultWorkbook) and writes it. With a `path` (the user named the file): exactly
// there, replacing a file there but never one of the files the calculation read (source's layout and road
// files: WriteError). Without: beside the layout file (SaveWorkbookBeside). Returns the path written. Throws
// CalcError when the workbook cannot be built, WriteError or WorkbookWriteError when it cannot be written.
std::filesystem::path WriteResultWorkbook(ExcelApp& excelApp, const CalculationResult& result,
                                          const ResultSource& source, const std::optional<std::filesystem::path>& path);

// Builds the workbook of `result` and adds it to the outputs of a run as the file `path` (AddWorkbook; the set's
// rules name the files the run read).
void AddResultWorkbook(OutputSet& outputs, const CalculationResult& result, const ResultSource& source,
                       const std::filesystem::path& path);

}  // namespace tavrel
