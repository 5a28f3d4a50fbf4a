#include "app/window/DesktopUi.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace tavrel::window {

namespace {

constexpr int kQueryTimeoutMs = 5000;

// Whether the desktop names a program for files of this type. xdg-open starts its helper whatever the type and
// fails later, out of sight, when nothing handles it; xdg-mime answers the question beforehand. Without
// xdg-mime the answer is left to the opening itself.
bool DesktopHandles(const QString& mimeType) {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) return true;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(kQueryTimeoutMs) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

QString WorkbookNotOpenedText(const QString& path) {
    return QStringLiteral("计算结果已写入文件：\n") + QDir::toNativeSeparators(path) +
           QStringLiteral("\n\n未能启动电子表格程序打开它，请用电子表格程序打开此文件。");
}

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

bool QtDesktopUi::openUrl(const QUrl& url) {
    if (url.isLocalFile() && !DesktopHandles(QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name())) return false;
    return QDesktopServices::openUrl(url);
}

void QtDesktopUi::runModal(QDialog& dialog) { dialog.exec(); }

}  // namespace tavrel::window
