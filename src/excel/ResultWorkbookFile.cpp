#include "excel/ResultWorkbookFile.h"

#include "common/OutputFile.h"

namespace tavrel {

std::filesystem::path WriteResultWorkbook(ExcelApp& excelApp, const CalculationResult& result,
                                          const ResultSource& source,
                                          const std::optional<std::filesystem::path>& path) {
    const Workbook book = ResultWorkbook(result, source);
    if (!path) return SaveWorkbookBeside(excelApp, book, source.layoutFile);
    OutputRules rules{source.roadFiles, true};
    rules.inputs.push_back(source.layoutFile);
    CheckOutputTarget(*path, rules);
    SaveWorkbookAs(excelApp, book, *path);
    return *path;
}

void AddResultWorkbook(OutputSet& outputs, const CalculationResult& result, const ResultSource& source,
                       const std::filesystem::path& path) {
    AddWorkbook(outputs, ResultWorkbook(result, source), path);
}

}  // namespace tavrel
