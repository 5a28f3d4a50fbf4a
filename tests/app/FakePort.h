#pragma once
// A scripted stand-in for the window: queued answers to file dialogs and a record of everything shown.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandPort.h"

namespace tavrel::testing {

struct ShownMessage {
    std::string title, text;
    MessageIcon icon;
};

class FakePort : public CommandPort {
public:
    // Answer the next dialog with this file (nullopt = the user cancels).
    FakePort& answer(std::optional<std::filesystem::path> path) {
        answers.push_back(std::move(path));
        return *this;
    }

    std::optional<std::filesystem::path> askFile(DialogId id, std::string_view title, std::string_view) override {
        asked.push_back(id);
        titles.emplace_back(title);
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    void showMessage(std::string_view title, std::string_view text, MessageIcon icon) override {
        messages.push_back({std::string(title), std::string(text), icon});
    }
    void showWarnings(const std::vector<std::string>& shown) override {
        warnings.insert(warnings.end(), shown.begin(), shown.end());
        ++warningCalls;
    }
    void deliverWorkbook(const std::filesystem::path& xlsx) override { workbooks.push_back(xlsx); }

    std::deque<std::optional<std::filesystem::path>> answers;
    std::vector<DialogId> asked;
    std::vector<std::string> titles;
    std::vector<ShownMessage> messages;
    std::vector<std::string> warnings;
    int warningCalls = 0;
    std::vector<std::filesystem::path> workbooks;
};

}  // namespace tavrel::testing
