#include "app/CalculateCommand.h"

#include "app/RunCommand.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "excel/PedestalTables.h"
#include "pedestal/Calculate.h"
#include "pedestal/Layout.h"

namespace tavrel {

std::optional<CalculationResult> CalculateCommand(AppState& state, const Mode& mode, CommandPort& port,
                                                  const CalculateOptions& options) {
    std::optional<CalculationResult> result;
    RunCommand(port, [&] {
        const FileDialogInfo& dialog = FileDialogOf(DialogId::CommonDialog6);
        const auto path = port.askFile(dialog.id, dialog.title, dialog.filter);
        if (!path) throw InputCancelled("dialog cancelled");
        const ProjectData& project = state.project;
        const PedestalLayout layout = ReadPedestalLayout(ReadTextFile(*path), project.chainBreaks);
        if (mode.isCurvedSkewBridge && !project.planAlignment())
            throw RejectedText("数据有误", "未读入平面资料，请勾选“曲线斜交桥”后重新初始化！");
        CalculationResult r = CalculatePedestals(project.road(mode.isCurvedSkewBridge), layout);
        if (options.writeWorkbook) {
            // A workbook of this calculation alone.
            const Workbook book = ResultWorkbook(r, ResultSource{*path, project.roadFiles});
            std::filesystem::path written;
            if (options.workbookPath) {
                SaveWorkbookAs(state.excelApp, book, *options.workbookPath);
                written = *options.workbookPath;
            } else {
                written = SaveWorkbookBeside(state.excelApp, book, *path);
            }
            port.deliverWorkbook(written);
        }
        result = std::move(r);
    });
    return result;
}

}  // namespace tavrel
