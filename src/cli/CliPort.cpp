#include "cli/CliPort.h"

#include <ostream>

#include "common/Errors.h"
#include "input/LandXml.h"

namespace tavrel {

std::optional<std::filesystem::path> CliPort::askFile(DialogId id, std::string_view, std::string_view) {
    const auto it = files_.find(id);
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

std::optional<std::size_t> CliPort::chooseItem(ChoiceId id, std::string_view, std::string_view,
                                               const std::vector<std::string>& items) {
    switch (id) {
        case ChoiceId::LandXmlProfile: return 0;
        case ChoiceId::LandXmlAlignment: break;
    }
    throw RejectedText("数据有误", "LandXML 文件中有 " + std::to_string(items.size()) +
                                       " 条路线，请用 --alignment 指定其中一条：" + JoinedLandXmlNames(items));
}

void CliPort::showMessage(std::string_view title, std::string_view text, MessageIcon) {
    err_ << title << ": " << text << '\n';
    showHeldWarnings();
}

void CliPort::showWarnings(const std::vector<std::string>& warnings) {
    heldWarnings_.insert(heldWarnings_.end(), warnings.begin(), warnings.end());
}

void CliPort::showHeldWarnings() {
    for (const std::string& w : heldWarnings_) err_ << kWarningPrefix << w << '\n';
    heldWarnings_.clear();
}

}  // namespace tavrel
