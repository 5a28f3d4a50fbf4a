#include "app/CommandPort.h"

#include <array>

namespace tavrel {

const FileDialogInfo& FileDialogOf(DialogId id) {
    static const std::array<FileDialogInfo, 5> specs{{
        {DialogId::CommonDialog1, "读取平面资料", "文本文件(*.txt;*.jdx)|*.txt;*.jdx|所有文件（*.*)|*.*"},
        {DialogId::CommonDialog2, "读取超高资料", "文本文件(*.txt;*.cg)|*.txt;*.cg|所有文件(*.*)|*.*"},
        {DialogId::CommonDialog3, "读取断链资料", "文本文件(*.txt;*.dl)|*.txt;*.dl|所有文件（*.*)|*.*"},
        {DialogId::CommonDialog4, "读取纵断面设计资料", "文本文件(*.txt;*.zdm)|*.txt;*.zdm|所有文件(*.*)|*.*"},
        {DialogId::CommonDialog6, "读取垫石设置资料", "文本文件(*.txt)|*.txt|所有文件（*.*)|*.*"},
    }};
    return specs[static_cast<std::size_t>(id)];
}

std::string EarlyEndWarning(const std::filesystem::path& file, const EarlyEnd& end) {
    return file.filename().string() + " 第 " + std::to_string(end.line) + " 行为空行，其后 " +
           std::to_string(end.unreadLines) + " 行未读入";
}

}  // namespace tavrel
