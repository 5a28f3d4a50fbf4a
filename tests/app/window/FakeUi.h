#pragma once
// A scripted desktop for window tests: queued answers to file dialogs and lists, whether addresses can be opened, and a
// record of every dialog, message, opened address and modal window, in the order they happened. Nothing blocks
// and nothing is launched.
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "QtPrinters.h"
#include "app/window/DesktopUi.h"

namespace tavrel::testing {

struct AskedFile {
    QString title, filter, start;
};
struct ShownMessage {
    QString title, text;
    MessageIcon icon;
};
struct AskedList {
    QString title, prompt;
    QStringList items;
};

class FakeUi : public window::DesktopUi {
public:
    // Answer the next file dialog with this path (nullopt: the user cancels).
    FakeUi& answer(const std::optional<QString>& path) {
        answers.push_back(path.value_or(QString()));  // a null string stands for cancel
        return *this;
    }

    std::optional<QString> chooseFile(QWidget*, const QString& title, const QString& filter,
                                      const QString& start) override {
        asked.push_back({title, filter, start});
        events << QStringLiteral("file:") + title;
        if (answers.empty()) return std::nullopt;
        const QString a = answers.front();
        answers.pop_front();
        if (a.isNull()) return std::nullopt;
        return a;
    }
    // Answer the next save-file dialog with this path (nullopt: the user cancels).
    FakeUi& answerSave(const std::optional<QString>& path) {
        saveAnswers.push_back(path.value_or(QString()));
        return *this;
    }
    std::optional<QString> chooseSaveFile(QWidget*, const QString& title, const QString& filter, const QString& start,
                                          const QString&) override {
        askedSave.push_back({title, filter, start});
        events << QStringLiteral("save:") + title;
        if (saveAnswers.empty()) return std::nullopt;
        const QString a = saveAnswers.front();
        saveAnswers.pop_front();
        if (a.isNull()) return std::nullopt;
        return a;
    }
    // Answer the next list with this index (nullopt: the user cancels).
    FakeUi& answerItem(std::optional<int> index) {
        itemAnswers.push_back(index);
        return *this;
    }
    std::optional<int> chooseItem(QWidget*, const QString& title, const QString& prompt,
                                  const QStringList& items) override {
        askedLists.push_back({title, prompt, items});
        events << QStringLiteral("list:") + title;
        if (itemAnswers.empty()) return std::nullopt;
        const auto a = itemAnswers.front();
        itemAnswers.pop_front();
        return a;
    }
    void showMessage(QWidget*, const QString& title, const QString& text, MessageIcon icon) override {
        messages.push_back({title, text, icon});
        events << QStringLiteral("message:") + text;
    }
    bool openUrl(const QUrl& url) override {
        urls.push_back(url);
        events << QStringLiteral("url:") + url.toString();
        return opensUrls;
    }
    // Shows the dialog without a nested event loop, lets the test act on it, then closes it.
    void runModal(QDialog& dialog) override {
        events << QStringLiteral("modal:") + dialog.objectName();
        modalTitles << dialog.windowTitle();
        dialog.show();
        if (onModal) onModal(dialog);
        dialog.close();
    }

    std::deque<QString> answers;  // null: cancel
    std::vector<AskedFile> asked;
    std::deque<QString> saveAnswers;  // null: cancel
    std::vector<AskedFile> askedSave;
    std::deque<std::optional<int>> itemAnswers;
    std::vector<AskedList> askedLists;
    std::vector<ShownMessage> messages;
    std::vector<QUrl> urls;
    QStringList modalTitles;
    QStringList events;
    std::function<void(QDialog&)> onModal;
    bool opensUrls = true;  // false: no program can be started for an address
};

}  // namespace tavrel::testing
