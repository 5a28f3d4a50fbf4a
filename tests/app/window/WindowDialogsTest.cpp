// The real dialogs the window runs (built but not executed: a modal dialog would block the test) and the
// translation of the commands' file filters into Qt's syntax.
#include <gtest/gtest.h>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "app/CommandPort.h"
#include "app/window/DesktopUi.h"
#include "app/window/FileFilter.h"

using namespace tavrel;
using tavrel::window::MakeFileDialog;
using tavrel::window::MakeMessageBox;
using tavrel::window::QtFileFilter;

TEST(WindowFileFilter, EveryDialogOfTheCommandsKeepsItsDescriptionsAndPatterns) {
    struct Row {
        DialogId id;
        const char* qt;
    } rows[] = {
        {DialogId::PlanFile, "文本文件(*.txt;*.jdx) (*.txt *.jdx);;所有文件（*.*) (*)"},
        {DialogId::SuperelevationFile, "文本文件(*.txt;*.cg) (*.txt *.cg);;所有文件(*.*) (*)"},
        {DialogId::ChainBreakFile, "文本文件(*.txt;*.dl) (*.txt *.dl);;所有文件（*.*) (*)"},
        {DialogId::ProfileFile, "文本文件(*.txt;*.zdm) (*.txt *.zdm);;所有文件(*.*) (*)"},
        {DialogId::LayoutFile, "文本文件(*.txt) (*.txt);;所有文件（*.*) (*)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.qt);
        EXPECT_EQ(QtFileFilter(FileDialogOf(r.id).filter), QString::fromUtf8(r.qt));
    }
}

TEST(WindowFileFilter, OddFilters) {
    struct Row {
        const char* name;
        const char* filter;
        const char* qt;
    } rows[] = {
        {"empty: no filter at all", "", ""},
        {"blanks around patterns", "数据| *.a ; *.b ", "数据 (*.a *.b)"},
        {"description without patterns lists everything", "全部", "全部 (*)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(QtFileFilter(r.filter), QString::fromUtf8(r.qt));
    }
}

TEST(WindowDialogs, FileDialogIsQtsOwnWithTheTitleAndTheFilterEntries) {
    const auto d = MakeFileDialog(nullptr, QStringLiteral("读取断链资料"),
                                  QtFileFilter(FileDialogOf(DialogId::ChainBreakFile).filter), {});
    EXPECT_EQ(d->windowTitle(), QStringLiteral("读取断链资料"));
    EXPECT_TRUE(d->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(d->nameFilters(),
              (QStringList{QStringLiteral("文本文件(*.txt;*.dl) (*.txt *.dl)"), QStringLiteral("所有文件（*.*) (*)")}));
}

TEST(WindowDialogs, FileDialogOpensAtTheGivenFileOrFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile f(dir.filePath(QStringLiteral("路线.dl")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const auto atFile = MakeFileDialog(nullptr, {}, {}, f.fileName());
    EXPECT_EQ(atFile->directory().absolutePath(), QDir(dir.path()).absolutePath());
    const auto atFolder = MakeFileDialog(nullptr, {}, {}, dir.path());
    EXPECT_EQ(atFolder->directory().absolutePath(), QDir(dir.path()).absolutePath());
}

TEST(WindowDialogs, MessageBoxHasTheCommandsIconAndOnlyAnOkButton) {
    struct Row {
        MessageIcon icon;
        QMessageBox::Icon qt;
    } rows[] = {{MessageIcon::Error, QMessageBox::Critical},
                {MessageIcon::None, QMessageBox::NoIcon},
                {MessageIcon::Information, QMessageBox::Information}};
    for (const Row& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.icon));
        const auto box = MakeMessageBox(nullptr, QStringLiteral("错误"), QStringLiteral("读取文件被取消！"), r.icon);
        EXPECT_EQ(box->icon(), r.qt);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("错误"));
        EXPECT_EQ(box->text(), QStringLiteral("读取文件被取消！"));
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    }
}
