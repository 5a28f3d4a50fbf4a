#pragma once
// What the main window needs from the desktop besides its own widgets: the open-file dialog, a list to choose
// from, the modal message box, opening an address with the desktop's handler, and running a dialog modally. The program
// uses QtDesktopUi; tests give the window a scripted stand-in, so that no modal dialog blocks them and nothing is
// launched.
#include <memory>
#include <optional>

#include <QString>
#include <QStringList>
#include <QUrl>

#include "app/CommandPort.h"

class QDialog;
class QFileDialog;
class QMessageBox;
class QWidget;

namespace tavrel::window {

class DesktopUi {
public:
    virtual ~DesktopUi() = default;
    // The file chosen in an open-file dialog, nullopt when the user cancelled. `qtFilter` is in Qt's syntax
    // (QtFileFilter); `start` is the file to preselect or the folder to open in (may be empty).
    virtual std::optional<QString> chooseFile(QWidget* parent, const QString& title, const QString& qtFilter,
                                              const QString& start) = 0;
    // The file to write, chosen in a save-file dialog (asking before an existing file is replaced); nullopt when
    // the user cancelled. `start` is the file name to propose; `suffix` is added to a name typed without one.
    virtual std::optional<QString> chooseSaveFile(QWidget* parent, const QString& title, const QString& qtFilter,
                                                  const QString& start, const QString& suffix) = 0;
    // The index of the item chosen in a modal list of `items` (the first preselected), nullopt when the user
    // cancelled.
    virtual std::optional<int> chooseItem(QWidget* parent, const QString& title, const QString& prompt,
                                          const QStringList& items) = 0;
    // A modal message with an OK button only.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) = 0;
    // A web or mail address, or a local file, opened by the desktop. False when no program could be started
    // for it (for a local file: also when the desktop names no program for its type); what the started program
    // does next is left to the desktop.
    virtual bool openUrl(const QUrl& url) = 0;
    // Shows `dialog` modally and returns when it is closed.
    virtual void runModal(QDialog& dialog) = 0;
};

// What the user is told when no program could be started for the workbook at `path`.
QString WorkbookNotOpenedText(const QString& path);

// The real desktop: Qt's own file dialog, QInputDialog's list, QMessageBox, QDesktopServices, QDialog::exec.
class QtDesktopUi final : public DesktopUi {
public:
    std::optional<QString> chooseFile(QWidget* parent, const QString& title, const QString& qtFilter,
                                      const QString& start) override;
    std::optional<QString> chooseSaveFile(QWidget* parent, const QString& title, const QString& qtFilter,
                                          const QString& start, const QString& suffix) override;
    std::optional<int> chooseItem(QWidget* parent, const QString& title, const QString& prompt,
                                  const QStringList& items) override;
    void showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) override;
    bool openUrl(const QUrl& url) override;
    void runModal(QDialog& dialog) override;
};

// The dialogs QtDesktopUi runs, ready to exec: an open-file dialog for one existing file (Qt's own widget
// dialog, the same on every desktop), and a message box with the command's icon and an OK button.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const QString& title, const QString& qtFilter,
                                            const QString& start);
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& title, const QString& text,
                                            MessageIcon icon);

}  // namespace tavrel::window
