#pragma once
// A scripted stand-in for the window: queued answers to file dialogs and lists, and a record of everything shown.
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
    // Answer the next list with this index (nullopt = the user cancels).
    FakePort& choose(std::optional<std::size_t> index) {
        choices.push_back(index);
        return *this;
    }

    std::optional<std::size_t> chooseItem(ChoiceId id, std::string_view title, std::string_view,
                                          const std::vector<std::string>& items) override {
        lists.push_back({id, std::string(title), items});
        if (choices.empty()) return std::nullopt;
        const auto c = choices.front();
        choices.pop_front();
        return c;
    }
    void showMessage(std::string_view title, std::string_view text, MessageIcon icon) override {
        messages.push_back({std::string(title), std::string(text), icon});
    }
    void showWarnings(const std::vector<std::string>& shown) override {
        warnings.insert(warnings.end(), shown.begin(), shown.end());
        ++warningCalls;
    }
    void deliverWorkbook(const std::filesystem::path& xlsx) override { workbooks.push_back(xlsx); }

    struct AskedList {
        ChoiceId id;
        std::string title;
        std::vector<std::string> items;
    };

    std::deque<std::optional<std::filesystem::path>> answers;
    std::deque<std::optional<std::size_t>> choices;
    std::vector<AskedList> lists;
    std::vector<DialogId> asked;
    std::vector<std::string> titles;
    std::vector<ShownMessage> messages;
    std::vector<std::string> warnings;
    int warningCalls = 0;
    std::vector<std::filesystem::path> workbooks;
};

}  // namespace tavrel::testing
