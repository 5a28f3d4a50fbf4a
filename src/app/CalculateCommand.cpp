#include "app/CalculateCommand.h"

#include "app/RunCommand.h"
#include "common/Errors.h"
#include "common/OutputFile.h"
#include "common/TextFile.h"
#include "excel/PedestalTables.h"
#include "input/LayoutFile.h"
#include "pedestal/Calculate.h"
#include "pedestal/Warnings.h"

namespace tavrel {

std::optional<CalculationResult> CalculateCommand(AppState& state, RoadMode mode, CommandPort& port,
                                                  const CalculateOptions& options) {
    std::optional<CalculationResult> result;
    RunCommand(port, [&] {
        const FileDialogInfo& dialog = FileDialogOf(DialogId::LayoutFile);
        const auto path = port.askFile(dialog.id, dialog.title, dialog.filter);
        if (!path) throw InputCancelled("dialog cancelled");
        const ProjectData& project = state.project;
        std::optional<EarlyEnd> earlyEnd;
        const PedestalLayout layout =
            InFile(*path, [&] { return ReadLayoutFile(ReadTextFile(*path), project.chainBreaks, &earlyEnd); });
        if (ReadsPlan(mode) && !project.planAlignment())
            throw RejectedText("数据有误", "未读入平面资料，请勾选“曲线斜交桥”后重新初始化！");
        const Road road = project.road(ReadsPlan(mode));
        CalculationResult r = CalculatePedestals(road, layout);
        if (earlyEnd) r.warnings.push_back(EarlyEndWarning(*path, *earlyEnd));
        for (std::string& w : CalculationWarnings(road, r)) r.warnings.push_back(std::move(w));
        if (options.writeWorkbook) {
            // A workbook of this calculation alone.
            const Workbook book = ResultWorkbook(r, ResultSource{*path, project.roadFiles});
            std::filesystem::path written;
            if (options.workbookPath) {
                // The user named the file: it is replaced, but never when it is one of the files just read.
                OutputRules rules{project.roadFiles, true};
                rules.inputs.push_back(*path);
                CheckOutputTarget(*options.workbookPath, rules);
                SaveWorkbookAs(state.excelApp, book, *options.workbookPath);
                written = *options.workbookPath;
            } else {
                written = SaveWorkbookBeside(state.excelApp, book, *path);
            }
            port.deliverWorkbook(written);
        }
        if (!r.warnings.empty()) port.showWarnings(r.warnings);
        result = std::move(r);
    });
    return result;
}

}  // namespace tavrel
