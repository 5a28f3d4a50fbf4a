// Project files in the window: 打开项目 loads the road at once, 计  算 takes the project's layout, a bad project
// leaves the road loaded before, 保存项目 writes what reopens, and the command line's file.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "FakeUi.h"
#include "app/window/MainWindow.h"

using tavrel::RoadMode;
using tavrel::testing::FakeUi;
using tavrel::window::MainWindow;

namespace {

QString Example(const QString& relative) { return QDir(QStringLiteral(TAVREL_EXAMPLES_DIR)).filePath(relative); }

// A copy of one example folder (its project file too), so that workbooks and projects are written outside the
// source tree.
QDir CopyExample(const QTemporaryDir& dir, const QString& name) {
    QDir(dir.path()).mkdir(name);
    const QDir from(Example(name));
    for (const QString& f : from.entryList(QDir::Files)) QFile::copy(from.filePath(f), dir.filePath(name + "/" + f));
    return QDir(dir.filePath(name));
}

class ProjectWindow : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }
    bool calculateEnabled() { return window.findChild<QPushButton*>(QStringLiteral("xpcmdbutton2"))->isEnabled(); }
    FakeUi ui;
    MainWindow window{ui};
};

const QString kMainLineRoad =
    QStringLiteral("道路资料（曲线斜交桥，交点法—主线）：road.jdx、road.dl、road.zdm、road.cg");

}  // namespace

TEST_F(ProjectWindow, OpeningAProjectLoadsItsRoadAtOnceAndCalculateUsesItsLayout) {
    QTemporaryDir dir;
    const QDir mainline = CopyExample(dir, QStringLiteral("mainline"));
    const QString project = mainline.filePath(QStringLiteral("mainline.tavrel"));
    ASSERT_TRUE(window.openProjectFile(project));
    EXPECT_TRUE(ui.asked.empty()) << "no file dialog";
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(calculateEnabled());
    EXPECT_EQ(window.currentMode(), RoadMode::MainLine) << "the controls show the project's mode";
    EXPECT_EQ(window.loadedRoadText(),
              kMainLineRoad + QStringLiteral("\n项目：mainline.tavrel，计算使用垫石设置资料 bridge.txt"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("mainline.tavrel - Tavrel V2.0"));
    EXPECT_EQ(window.projectFile(), project);
    EXPECT_EQ(window.recentProjects().value(0), project);

    window.calculate();
    EXPECT_TRUE(ui.asked.empty()) << "the project's layout file, without a dialog";
    EXPECT_TRUE(QFileInfo(mainline.filePath(QStringLiteral("bridge.xlsx"))).isFile());

    // 初始化 of files chosen one by one: no project describes the road any more.
    ui.answer(Example("straight/road.dl")).answer(Example("straight/road.zdm")).answer(Example("straight/road.cg"));
    window.findChild<QCheckBox*>(QStringLiteral("Check4"))->setChecked(false);
    window.initialise();
    EXPECT_EQ(window.projectFile(), QString());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tavrel V2.0"));
    EXPECT_FALSE(window.loadedRoadText().contains(QStringLiteral("项目")));
}

TEST_F(ProjectWindow, AProjectThatCannotBeOpenedLeavesTheRoadLoadedBefore) {
    QTemporaryDir dir;
    const QString good = Example("mainline/mainline.tavrel");
    ASSERT_TRUE(window.openProjectFile(good));
    const QDir straight = CopyExample(dir, QStringLiteral("straight"));
    auto write = [&](const char* name, const char* text) {
        QFile f(straight.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    };
    const struct {
        const char* name;
        QString file;
        QString message;  // title and text as shown
    } rows[] = {
        {"an unknown key", write("key.tavrel", "[road]\nmode = straight\nzdm = road.zdm\n"),
         QStringLiteral("项目文件有误|[road] 节中没有键“zdm”；可用的键：mode、plan、chainbreaks、profile、"
                        "superelevation、landxml、alignment、profalign\n位置: key.tavrel 第 3 行: zdm = road.zdm")},
        {"a road file that does not read: the superelevation as the chain breaks",
         write("bad.tavrel",
               "[road]\nmode = straight\nchainbreaks = road.cg\nprofile = road.zdm\nsuperelevation = road.cg\n"),
         QStringLiteral("错误|数据文件格式有误或操作有误！\n位置: road.cg 第 1 行: 10.5,0.5,-0.5,-10.5")},
        {"no such project", straight.filePath(QStringLiteral("none.tavrel")),
         QStringLiteral("项目文件有误|项目文件不存在：") + straight.filePath(QStringLiteral("none.tavrel")) +
             QStringLiteral("\n位置: none.tavrel")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ui.messages.clear();
        EXPECT_FALSE(window.openProjectFile(row.file));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title + QLatin1Char('|') + ui.messages[0].text, row.message);
        EXPECT_TRUE(ui.asked.empty());
        EXPECT_EQ(window.state().project.mode, RoadMode::MainLine);
        EXPECT_EQ(window.projectFile(), good);
        EXPECT_EQ(window.loadedRoadText(),
                  kMainLineRoad + QStringLiteral("\n项目：mainline.tavrel，计算使用垫石设置资料 bridge.txt"
                                                 "\n项目未能打开，仍使用上次读入的道路资料。"));
    }
}

TEST_F(ProjectWindow, SavingWritesTheLoadedRoadAndTheLastLayoutAsAProjectThatReopens) {
    QTemporaryDir dir;
    const QDir ramp = CopyExample(dir, QStringLiteral("interchange"));
    QFile::remove(ramp.filePath(QStringLiteral("interchange.tavrel")));
    window.findChild<QCheckBox*>(QStringLiteral("Check4"))->setChecked(true);
    window.findChild<QRadioButton*>(QStringLiteral("Option4"))->setChecked(true);
    ui.answer(ramp.filePath("ramp.jdx")).answer(ramp.filePath("ramp.zdm")).answer(ramp.filePath("ramp.cg"));
    window.initialise();
    ui.answer(ramp.filePath("bridge.txt"));
    window.calculate();
    ASSERT_TRUE(ui.messages.empty());

    const QString saved = ramp.filePath(QStringLiteral("interchange.tavrel"));
    ui.answerSave(saved);
    window.saveProject();
    ASSERT_EQ(ui.askedSave.size(), 1u);
    EXPECT_EQ(ui.askedSave[0].start, saved) << "beside the road files, named after their folder";
    EXPECT_TRUE(ui.messages.empty());
    // The example's own project file, byte for byte.
    QFile written(saved), example(Example("interchange/interchange.tavrel"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly) && example.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), example.readAll());
    EXPECT_EQ(window.projectFile(), saved);

    // Saving onto one of the road files is refused, and the file stays as it was.
    QFile before(ramp.filePath("ramp.zdm"));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray profile = before.readAll();
    ui.answerSave(ramp.filePath("ramp.zdm"));
    window.saveProject();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("这是本次读入的资料文件")))
        << ui.messages[0].text.toStdString();
    before.seek(0);
    EXPECT_EQ(before.readAll(), profile);

    MainWindow reopened(ui);
    EXPECT_EQ(reopened.recentProjects().value(0), saved) << "kept between runs";
    ASSERT_TRUE(reopened.openProjectFile(saved));
    EXPECT_EQ(reopened.state().project.roadFiles, window.state().project.roadFiles);
}

TEST_F(ProjectWindow, TheCommandLinesRoadFileIsWhereTheNextInitialiseStarts) {
    window.openFromCommandLine(Example("mainline/road.zdm"));
    EXPECT_TRUE(ui.messages.empty());
    window.findChild<QCheckBox*>(QStringLiteral("Check4"))->setChecked(true);
    ui.answer(std::nullopt);
    window.initialise();
    ASSERT_EQ(ui.asked.size(), 1u);
    EXPECT_EQ(ui.asked[0].start, Example("mainline/road.jdx")) << "the plan file beside the named profile";

    window.findChild<QCheckBox*>(QStringLiteral("Check4"))->setChecked(false);
    window.openFromCommandLine(Example("interchange/ramp.jdx"));
    EXPECT_EQ(window.currentMode(), RoadMode::MainLine) << "a plan file ticks 曲线斜交桥";

    window.openFromCommandLine(Example("straight/straight.tavrel"));
    EXPECT_EQ(window.state().project.mode, RoadMode::Straight);
    EXPECT_TRUE(calculateEnabled());
}
