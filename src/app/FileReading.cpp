#include "app/FileReading.h"

#include "common/TextFile.h"

namespace tavrel {

std::vector<std::string> FileWarnings(const std::filesystem::path& file, const FileNotes& notes) {
    std::vector<std::string> warnings;
    for (const PartlyReadToken& t : notes.partlyRead) warnings.push_back(PartlyReadWarning(file, t));
    if (notes.earlyEnd) warnings.push_back(EarlyEndWarning(file, *notes.earlyEnd));
    return warnings;
}

InputKind ExpectedKind(DialogId id, RoadMode mode) {
    switch (id) {
        case DialogId::PlanFile:
            return mode == RoadMode::Interchange ? InputKind::ElementPlan : InputKind::IntersectionPointPlan;
        case DialogId::ChainBreakFile: return InputKind::ChainBreaks;
        case DialogId::ProfileFile: return InputKind::Profile;
        case DialogId::SuperelevationFile: return InputKind::Superelevation;
        case DialogId::LayoutFile: break;
        case DialogId::LandXmlFile: break;  // read by its own reader, which names its faults itself
    }
    return InputKind::Layout;
}

void ExplainReadFailure(TavrelError& e, std::string_view text, InputKind expected, const FileNotes& notes) {
    const auto lines = SplitLines(text);
    if (e.where && e.where->line > 0 && e.where->text.empty() && e.where->line <= lines.size())
        e.where->text = lines[e.where->line - 1];
    if ((!e.where || e.where->line == 0) && notes.earlyEnd) {
        const std::string file = e.where ? e.where->file : std::string();
        e.where = SourceLocation{file, notes.earlyEnd->line, {}};
        e.why.push_back("空行表示资料到此结束，其后 " + std::to_string(notes.earlyEnd->unreadLines) +
                        " 行未读入；若其后的行也是资料，请删去空行。");
    }
    const auto seems = GuessInputKind(text);
    if (seems && *seems != expected) {
        const bool planForm = (*seems == InputKind::ElementPlan || *seems == InputKind::IntersectionPointPlan) &&
                              (expected == InputKind::ElementPlan || expected == InputKind::IntersectionPointPlan);
        e.why.push_back("此文件看来是" + std::string(InputKindName(*seems)) + "，不是" +
                        std::string(InputKindName(expected)) + "；请检查是否选错了" +
                        (planForm ? "平面资料的格式。" : "文件。"));
    }
}

}  // namespace tavrel
