#include "app/CalculateCommand.h"

#include "app/FileReading.h"
#include "app/RunCommand.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "excel/ResultWorkbookFile.h"
#include "input/LayoutFile.h"
#include "pedestal/Calculate.h"
#include "pedestal/Warnings.h"

namespace tavrel {

namespace {

// The outcome of a calculation on `project`: the load warnings come before the calculation's own.
CalculationOutcome outcomeOf(RoadMode mode, const ProjectData& project, const std::filesystem::path& layoutFile,
                             CalculationResult calculation, std::optional<std::filesystem::path> workbook) {
    CalculationOutcome o;
    o.mode = mode;
    o.layoutFile = layoutFile;
    o.warnings = project.warnings;
    o.warnings.insert(o.warnings.end(), calculation.warnings.begin(), calculation.warnings.end());
    o.calculation = std::move(calculation);
    o.workbook = std::move(workbook);
    o.project = std::make_shared<const ProjectData>(project);
    return o;
}

// A LandXML alignment need not have a profile (its station table shows the plan alone); the pedestals need one.
void requireProfile(const ProjectData& project) {
    if (project.mode == RoadMode::LandXml && project.profile.points().empty())
        throw RejectedText("数据有误", "路线“" + project.landXmlAlignment +
                                           "”没有纵断面（ProfAlign），无法计算垫石高程，请选用有纵断面的路线！");
}

// CalculatePedestals; a pier that cannot be calculated is named by its line of the layout file.
CalculationResult calculateNamingThePier(const Road& road, const PedestalLayout& layout,
                                         const std::filesystem::path& layoutFile, std::string_view layoutText) {
    try {
        return CalculatePedestals(road, layout);
    } catch (TavrelError& e) {
        if (e.where && e.where->line > 0 && e.where->file.empty()) {
            e.where->file = layoutFile.filename().string();
            const auto lines = SplitLines(layoutText);
            if (e.where->text.empty() && e.where->line <= lines.size()) e.where->text = lines[e.where->line - 1];
        }
        throw;
    }
}

// The refusal to calculate with other options than the road was loaded with: the loaded files describe a road
// of that mode only (the plan of one form, chain breaks or none), and another path would quietly give other
// results (local coordinates, no stake-out sheet).
RejectedText modeMismatch(RoadMode loaded, RoadMode chosen) {
    return RejectedText(std::string(kWarningTitle), "道路资料是按“" + std::string(ModeName(loaded)) +
                                                        "”读入的，现在选的是“" + std::string(ModeName(chosen)) +
                                                        "”。\n请改回读入时的选项后计算，或按现在的选项重新初始化。");
}

}  // namespace

std::optional<CalculationOutcome> CalculateCommand(AppState& state, RoadMode mode, CommandPort& port,
                                                   const CalculateOptions& options) {
    std::optional<CalculationOutcome> outcome;
    RunCommand(port, [&] {
        if (mode != state.project.mode) throw modeMismatch(state.project.mode, mode);
        requireProfile(state.project);
        const FileDialogInfo& dialog = FileDialogOf(DialogId::LayoutFile);
        const auto path = port.askFile(dialog.id, dialog.title, dialog.filter);
        if (!path) throw InputCancelled("dialog cancelled");
        const ProjectData& project = state.project;
        FileNotes notes;
        std::string text;
        const PedestalLayout layout = InFile(*path, [&] {
            text = ReadTextFile(*path);
            try {
                return ReadLayoutFile(text, project.chainBreaks, &notes.earlyEnd, &notes.partlyRead);
            } catch (TavrelError& e) {
                ExplainReadFailure(e, text, InputKind::Layout, notes);
                throw;
            }
        });
        if (ReadsPlan(mode) && !project.planAlignment())
            throw RejectedText("数据有误", "未读入平面资料，请勾选“曲线斜交桥”后重新初始化！");
        const Road road = project.road(ReadsPlan(mode));
        CalculationResult r = calculateNamingThePier(road, layout, *path, text);
        r.warnings = FileWarnings(*path, notes);
        for (std::string& w : CalculationWarnings(road, r)) r.warnings.push_back(std::move(w));
        std::optional<std::filesystem::path> workbook;
        if (options.writeWorkbook) {
            // A workbook of this calculation alone.
            workbook =
                WriteResultWorkbook(state.excelApp, r, ResultSource{*path, project.roadFiles}, options.workbookPath);
        }
        // The warnings first: the spreadsheet program the workbook opens in would cover them.
        if (!r.warnings.empty()) port.showWarnings(r.warnings);
        if (workbook) port.deliverWorkbook(*workbook);
        outcome = outcomeOf(mode, project, *path, std::move(r), std::move(workbook));
    });
    return outcome;
}

}  // namespace tavrel
