#include "cli/CliPort.h"

#include <ostream>

namespace tavrel {

std::optional<std::filesystem::path> CliPort::askFile(DialogId id, std::string_view, std::string_view) {
    const auto it = files_.find(id);
    if (it == files_.end()) return std::nullopt;
    return it->second;
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
