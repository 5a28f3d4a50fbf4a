// Project files in the window: opening one loads its road at once and 计  算 takes its layout, a bad one leaves the
// road loaded before, 保存项目 writes what reopens, and the file named on the command line.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>

#include "FakeUi.h"
#include "app/window/MainWindow.h"

using tavrel::RoadMode;
using tavrel::testing::FakeUi;
using tavrel::window::MainWindow;

namespace {

QString Example(const QString& relative) { return QDir(QStringLiteral(TAVREL_EXAMPLES_DIR)).filePath(relative); }

// A copy of one example folder, so that workbooks and projects are written outside the source tree.
QDir CopyExample(const QTemporaryDir& dir, const QString& name) {
    QDir(dir.path()).mkdir(name);
    const QDir from(Example(name));
    for (const QString& f : from.entryList(QDir::Files)) QFile::copy(from.filePath(f), dir.filePath(name + "/" + f));
    return QDir(dir.filePath(name));
}

QByteArray Bytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ProjectWindow : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }
    FakeUi ui;
    MainWindow window{ui};
    QTemporaryDir dir;
};

const QString kMainLineProjectLines = QStringLiteral(
    "道路资料（曲线斜交桥，交点法—主线）：road.jdx、road.dl、road.zdm、road.cg\n"
    "项目：mainline.tavrel，计算使用垫石设置资料 bridge.txt");

}  // namespace

TEST_F(ProjectWindow, OpeningAProjectLoadsItsRoadAtOnceAndCalculateUsesItsLayout) {
    const QDir mainline = CopyExample(dir, QStringLiteral("mainline"));
    const QString project = mainline.filePath(QStringLiteral("mainline.tavrel"));
    window.openFromCommandLine(project);
    EXPECT_TRUE(ui.asked.empty() && ui.messages.empty()) << "no dialog, no message";
    EXPECT_TRUE(window.state().calculateEnabled);
    EXPECT_EQ(window.currentMode(), RoadMode::MainLine) << "the controls show the project's mode";
    EXPECT_EQ(window.loadedRoadText(), kMainLineProjectLines);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("mainline.tavrel - Tavrel V2.0"));
    EXPECT_EQ(window.recentProjects().value(0), project);

    window.calculate();
    EXPECT_TRUE(ui.asked.empty()) << "the project's layout file, without a dialog";
    EXPECT_TRUE(QFileInfo(mainline.filePath(QStringLiteral("bridge.xlsx"))).isFile());

    // 初始化 of files chosen one by one leaves the project; a road file on the command line is where it starts.
    window.openFromCommandLine(Example("straight/road.zdm"));
    window.findChild<QCheckBox*>(QStringLiteral("Check4"))->setChecked(false);
    ui.answer(Example("straight/road.dl")).answer(Example("straight/road.zdm")).answer(Example("straight/road.cg"));
    window.initialise();
    ASSERT_EQ(ui.asked.size(), 3u);
    EXPECT_EQ(ui.asked[0].start, Example("straight/road.dl")) << "the namesake of the file named";
    EXPECT_EQ(window.projectFile(), QString());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tavrel V2.0"));
}

TEST_F(ProjectWindow, AProjectThatCannotBeOpenedLeavesTheRoadLoadedBefore) {
    ASSERT_TRUE(window.openProjectFile(Example("mainline/mainline.tavrel")));
    const QDir straight = CopyExample(dir, QStringLiteral("straight"));
    const auto write = [&](const QString& name, const QByteArray& text) {
        QFile f(straight.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        return f.fileName();
    };
    const struct {
        const char* name;
        QString file;
        QString message;  // title | text
    } rows[] = {
        {"an unknown key", write("key.tavrel", "[road]\nmode = straight\nzdm = road.zdm\n"),
         QStringLiteral("项目文件有误|[road] 节中没有键“zdm”；可用的键：mode、plan、chainbreaks、profile、"
                        "superelevation、landxml、alignment、profalign\n位置: key.tavrel 第 3 行: zdm = road.zdm")},
        {"a road file that does not read: the superelevation as the chain breaks",
         write("bad.tavrel",
               "[road]\nmode = straight\nchainbreaks = road.cg\nprofile = road.zdm\nsuperelevation = "
               "road.cg\n"),
         QStringLiteral("错误|数据文件格式有误或操作有误！\n位置: road.cg 第 1 行: 10.5,0.5,-0.5,-10.5\n"
                        "此文件看来是超高资料，不是断链资料；请检查是否选错了文件。")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ui.messages.clear();
        EXPECT_FALSE(window.openProjectFile(row.file));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title + QLatin1Char('|') + ui.messages[0].text, row.message);
        EXPECT_TRUE(ui.asked.empty());
        EXPECT_EQ(window.state().project.mode, RoadMode::MainLine);
        EXPECT_EQ(window.projectFile(), Example("mainline/mainline.tavrel"));
        EXPECT_EQ(window.loadedRoadText(),
                  kMainLineProjectLines + QStringLiteral("\n项目未能打开，仍使用上次读入的道路资料。"));
    }
}

TEST_F(ProjectWindow, SavingWritesTheLoadedRoadAndTheLastLayoutAsAProjectThatReopens) {
    const QDir ramp = CopyExample(dir, QStringLiteral("interchange"));
    const QString saved = ramp.filePath(QStringLiteral("interchange.tavrel"));
    QFile::remove(saved);
    window.findChild<QCheckBox*>(QStringLiteral("Check4"))->setChecked(true);
    window.findChild<QRadioButton*>(QStringLiteral("Option4"))->setChecked(true);
    ui.answer(ramp.filePath("ramp.jdx")).answer(ramp.filePath("ramp.zdm")).answer(ramp.filePath("ramp.cg"));
    window.initialise();
    ui.answer(ramp.filePath("bridge.txt"));
    window.calculate();

    ui.answerSave(saved);
    window.saveProject();
    ASSERT_EQ(ui.askedSave.size(), 1u);
    EXPECT_EQ(ui.askedSave[0].start, saved) << "beside the road files, named after their folder";
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Bytes(saved), Bytes(Example("interchange/interchange.tavrel"))) << "the example's own project file";

    MainWindow reopened(ui);
    EXPECT_EQ(reopened.recentProjects().value(0), saved) << "kept between runs";
    ASSERT_TRUE(reopened.openProjectFile(saved));
    EXPECT_EQ(reopened.state().project.roadFiles, window.state().project.roadFiles);
}
