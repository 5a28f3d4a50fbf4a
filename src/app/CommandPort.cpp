#include "app/CommandPort.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace tavrel {

const FileDialogInfo& FileDialogOf(DialogId id) {
    static const FileDialogInfo dialogs[] = {
        {DialogId::PlanFile, "读取平面资料", "文本文件(*.txt;*.jdx)|*.txt;*.jdx|所有文件（*.*)|*.*"},
        {DialogId::SuperelevationFile, "读取超高资料", "文本文件(*.txt;*.cg)|*.txt;*.cg|所有文件(*.*)|*.*"},
        {DialogId::ChainBreakFile, "读取断链资料", "文本文件(*.txt;*.dl)|*.txt;*.dl|所有文件（*.*)|*.*"},
        {DialogId::ProfileFile, "读取纵断面设计资料", "文本文件(*.txt;*.zdm)|*.txt;*.zdm|所有文件(*.*)|*.*"},
        {DialogId::LayoutFile, "读取垫石设置资料", "文本文件(*.txt)|*.txt|所有文件（*.*)|*.*"},
        {DialogId::LandXmlFile, "读取LandXML资料", "LandXML文件(*.xml)|*.xml|所有文件(*.*)|*.*"},
    };
    // Looked up by id, so that the list need not follow the order of the enumeration.
    const auto found =
        std::find_if(std::begin(dialogs), std::end(dialogs), [id](const FileDialogInfo& s) { return s.id == id; });
    if (found == std::end(dialogs)) throw std::logic_error("file dialog without title and filter");
    return *found;
}

const ChoiceDialogInfo& ChoiceDialogOf(ChoiceId id) {
    static const ChoiceDialogInfo dialogs[] = {
        {ChoiceId::LandXmlAlignment, "选择路线"},
        {ChoiceId::LandXmlProfile, "选择纵断面"},
    };
    const auto found =
        std::find_if(std::begin(dialogs), std::end(dialogs), [id](const ChoiceDialogInfo& s) { return s.id == id; });
    if (found == std::end(dialogs)) throw std::logic_error("list without a title");
    return *found;
}

std::string EarlyEndWarning(const std::filesystem::path& file, const EarlyEnd& end) {
    return ShownName(file.filename().string()) + " 第 " + std::to_string(end.line) + " 行为空行，其后 " +
           std::to_string(end.unreadLines) + " 行未读入";
}

std::string LineWarning(const std::filesystem::path& file, std::size_t line, std::string_view text) {
    std::string s = ShownName(file.filename().string());
    if (line > 0) s += " 第 " + std::to_string(line) + " 行";
    return s + "：" + std::string(text);
}

std::string PartlyReadWarning(const std::filesystem::path& file, const PartlyReadToken& token) {
    return ShownName(file.filename().string()) + " 第 " + std::to_string(token.line) + " 行: “" +
           ShownName(token.token) + "”不是完整的" + (token.isStation ? "桩号" : "数值") + "，按“" + token.asRead +
           "”读入";
}

}  // namespace tavrel
