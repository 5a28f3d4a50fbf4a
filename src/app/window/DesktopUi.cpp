#include "app/window/DesktopUi.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace tavrel::window {

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const QString& title, const QString& qtFilter,
                                            const QString& start) {
    auto d = std::make_unique<QFileDialog>(parent, title);
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setAcceptMode(QFileDialog::AcceptOpen);
    d->setFileMode(QFileDialog::ExistingFile);
    d->setNameFilter(qtFilter);
    const QFileInfo at(start);
    if (!start.isEmpty() && at.isFile()) {
        d->setDirectory(at.absolutePath());
        d->selectFile(at.fileName());
    } else if (!start.isEmpty() && at.isDir()) {
        d->setDirectory(at.absoluteFilePath());
    }
    return d;
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& title, const QString& text,
                                            MessageIcon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
        case MessageIcon::None: qtIcon = QMessageBox::NoIcon; break;
        case MessageIcon::Error: qtIcon = QMessageBox::Critical; break;
        case MessageIcon::Information: qtIcon = QMessageBox::Information; break;
    }
    return std::make_unique<QMessageBox>(qtIcon, title, text, QMessageBox::Ok, parent);
}

std::optional<QString> QtDesktopUi::chooseFile(QWidget* parent, const QString& title, const QString& qtFilter,
                                               const QString& start) {
    const auto d = MakeFileDialog(parent, title, qtFilter, start);
    if (d->exec() != QDialog::Accepted || d->selectedFiles().isEmpty()) return std::nullopt;
    return d->selectedFiles().constFirst();
}

std::optional<QString> QtDesktopUi::chooseSaveFile(QWidget* parent, const QString& title, const QString& qtFilter,
                                                   const QString& start, const QString& suffix) {
    QFileDialog d(parent, title);
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setNameFilter(qtFilter);
    d.setDefaultSuffix(suffix);
    if (!start.isEmpty()) {
        const QFileInfo at(start);
        d.setDirectory(at.absolutePath());
        d.selectFile(at.fileName());
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
    return d.selectedFiles().constFirst();
}

std::optional<int> QtDesktopUi::chooseItem(QWidget* parent, const QString& title, const QString& prompt,
                                           const QStringList& items) {
    QInputDialog d(parent);
    d.setWindowTitle(title);
    d.setLabelText(prompt);
    d.setComboBoxItems(items);
    d.setComboBoxEditable(false);
    d.setOption(QInputDialog::UseListViewForComboBoxItems);
    d.setOkButtonText(QStringLiteral("确定"));
    d.setCancelButtonText(QStringLiteral("取消"));
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    const int chosen = static_cast<int>(items.indexOf(d.textValue()));
    return chosen < 0 ? std::nullopt : std::optional<int>(chosen);
}

void QtDesktopUi::showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) {
    MakeMessageBox(parent, title, text, icon)->exec();
}

bool QtDesktopUi::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void QtDesktopUi::runModal(QDialog& dialog) { dialog.exec(); }

}  // namespace tavrel::window
