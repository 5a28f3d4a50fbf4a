// The two commands and the other buttons run through the window, with a scripted desktop in place of the real
// dialogs: what the user is asked, what is shown, and when the calculate button comes on.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include "FakeUi.h"
#include "about/PageView.h"
#include "about/Placement.h"
#include "about/PromoWindow.h"
#include "about/Publisher.h"
#include "app/window/Help.h"
#include "app/window/MainWindow.h"

using tavrel::MessageIcon;
using tavrel::testing::FakeUi;
using tavrel::window::MainWindow;

namespace {

QString Example(const char* relative) {
    return QDir(QStringLiteral(TAVREL_EXAMPLES_DIR)).filePath(QString::fromUtf8(relative));
}

// Titles and filters as the user sees them in the file dialogs.
const QString kChainBreakTitle = QStringLiteral("读取断链资料");
const QString kPlanTitle = QStringLiteral("读取平面资料");
const QString kProfileTitle = QStringLiteral("读取纵断面设计资料");
const QString kSuperelevationTitle = QStringLiteral("读取超高资料");
const QString kLayoutTitle = QStringLiteral("读取垫石设置资料");

class Form1Command : public ::testing::Test {
protected:
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(QString::fromLatin1(name)); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QStringList askedTitles() const {
        QStringList t;
        for (const auto& a : ui.asked) t << a.title;
        return t;
    }
    void answerStraightExample() {
        ui.answer(Example("straight/road.dl")).answer(Example("straight/road.zdm")).answer(Example("straight/road.cg"));
    }
    void SetUp() override { window.show(); }

    FakeUi ui;
    MainWindow window{ui};
};

using Form1Initialise = Form1Command;
using Form1Calculate = Form1Command;
using Form1Port = Form1Command;
using Form1Buttons = Form1Command;

}  // namespace

TEST_F(Form1Initialise, StraightExampleLoadsAndEnablesCalculate) {
    answerStraightExample();
    click("Command4");
    EXPECT_EQ(askedTitles(), (QStringList{kChainBreakTitle, kProfileTitle, kSuperelevationTitle}));
    ASSERT_EQ(ui.asked.size(), 3u);
    EXPECT_EQ(ui.asked[0].filter, QStringLiteral("文本文件(*.txt;*.dl) (*.txt *.dl);;所有文件（*.*) (*)"));
    EXPECT_EQ(ui.asked[1].filter, QStringLiteral("文本文件(*.txt;*.zdm) (*.txt *.zdm);;所有文件(*.*) (*)"));
    EXPECT_EQ(ui.asked[2].filter, QStringLiteral("文本文件(*.txt;*.cg) (*.txt *.cg);;所有文件(*.*) (*)"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(button("xpcmdbutton2")->isEnabled());
    EXPECT_EQ(window.state().project.chainBreaks.chainBreakCount, 1);
}

TEST_F(Form1Initialise, CancelledFirstRunSaysSoAndLeavesCalculateDisabled) {
    ui.answer(std::nullopt);
    click("Command4");
    EXPECT_EQ(askedTitles(), QStringList{kChainBreakTitle});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("错误"));
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("读取文件被取消！"));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(button("xpcmdbutton2")->isEnabled());
}

TEST_F(Form1Initialise, CalculateStaysEnabledWhenALaterRunFails) {
    answerStraightExample();
    click("Command4");
    ASSERT_TRUE(button("xpcmdbutton2")->isEnabled());
    ui.answer(std::nullopt);
    click("Command4");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(button("xpcmdbutton2")->isEnabled());
}

TEST_F(Form1Initialise, CurvedSkewMainLineAsksForThePlanFirst) {
    QTest::mouseClick(window.findChild<QCheckBox*>(QStringLiteral("Check4")), Qt::LeftButton);
    ui.answer(std::nullopt);
    click("Command4");
    EXPECT_EQ(askedTitles(), QStringList{kPlanTitle});
    EXPECT_EQ(ui.asked[0].filter, QStringLiteral("文本文件(*.txt;*.jdx) (*.txt *.jdx);;所有文件（*.*) (*)"));
}

TEST_F(Form1Initialise, InterchangeNeverAsksForChainBreaks) {
    QTest::mouseClick(window.findChild<QCheckBox*>(QStringLiteral("Check4")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QRadioButton*>(QStringLiteral("Option4")), Qt::LeftButton);
    ui.answer(Example("interchange/ramp.jdx"))
        .answer(Example("interchange/ramp.zdm"))
        .answer(Example("interchange/ramp.cg"));
    click("Command4");
    EXPECT_EQ(askedTitles(), (QStringList{kPlanTitle, kProfileTitle, kSuperelevationTitle}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(button("xpcmdbutton2")->isEnabled());
}

TEST_F(Form1Initialise, EachDialogOpensBesideTheFileJustChosenOnItsNamesake) {
    QTemporaryDir other;
    const QString dl = QDir(other.path()).filePath(QStringLiteral("bridge.dl"));
    QFile::copy(Example("straight/road.dl"), dl);
    QFile::copy(Example("straight/road.zdm"), QDir(other.path()).filePath(QStringLiteral("bridge.zdm")));
    QFile::copy(Example("straight/road.cg"), QDir(other.path()).filePath(QStringLiteral("other.cg")));
    ui.answer(dl)
        .answer(QDir(other.path()).filePath(QStringLiteral("bridge.zdm")))
        .answer(QDir(other.path()).filePath(QStringLiteral("other.cg")));
    click("Command4");
    ASSERT_EQ(ui.asked.size(), 3u);
    EXPECT_EQ(ui.asked[1].start, QDir(other.path()).filePath(QStringLiteral("bridge.zdm")));  // road.dl -> road.zdm
    EXPECT_EQ(ui.asked[2].start, other.path());  // no bridge.cg there: the folder
    EXPECT_TRUE(window.loadedRoadText().contains(QStringLiteral("bridge.dl、bridge.zdm、other.cg")));

    // The next 初始化 starts where its first dialog was last used; the layout dialog opens in the road's folder.
    answerStraightExample();
    click("Command4");
    ASSERT_EQ(ui.asked.size(), 6u);
    EXPECT_EQ(ui.asked[3].start, dl);
    EXPECT_EQ(ui.asked[4].start, Example("straight/road.zdm"));
    EXPECT_EQ(ui.asked[5].start, Example("straight/road.cg"));
    ui.answer(std::nullopt);
    click("xpcmdbutton2");
    ASSERT_EQ(ui.asked.size(), 7u);
    EXPECT_EQ(ui.asked[6].start, QFileInfo(Example("straight/road.cg")).absolutePath());
}

TEST_F(Form1Initialise, TheLinesBelowTheButtonsSayWhichRoadIsLoaded) {
    EXPECT_EQ(window.loadedRoadText(), QStringLiteral("未读入道路资料"));
    answerStraightExample();
    click("Command4");
    EXPECT_EQ(window.loadedRoadText(), QStringLiteral("道路资料（直线桥）：road.dl、road.zdm、road.cg"));
    // A failed 初始化 keeps the previous road, and says so.
    window.findChild<QCheckBox*>(QStringLiteral("Check4"))->setChecked(true);
    ui.answer(Example("mainline/road.jdx")).answer(std::nullopt);
    click("Command4");
    EXPECT_EQ(window.loadedRoadText(), QStringLiteral("道路资料（直线桥）：road.dl、road.zdm、road.cg\n"
                                                      "初始化未完成，仍使用上次读入的道路资料。"));
    ui.answer(Example("mainline/road.jdx"))
        .answer(Example("mainline/road.dl"))
        .answer(Example("mainline/road.zdm"))
        .answer(Example("mainline/road.cg"));
    click("Command4");
    EXPECT_EQ(window.loadedRoadText(),
              QStringLiteral("道路资料（曲线斜交桥，交点法—主线）：road.jdx、road.dl、road.zdm、road.cg"));
}

TEST_F(Form1Initialise, LandXmlAsksForTheFileTheAlignmentAndProfileThenTheSuperelevation) {
    QTemporaryDir dir;
    const QDir at(dir.path());
    QFile::copy(QStringLiteral(TAVREL_TEST_DATA_DIR "/landxml/gbk-namespace.xml"), at.filePath("road.xml"));
    QFile::copy(Example("interchange/ramp.cg"), at.filePath("road.cg"));
    QFile bad(at.filePath("bad.xml"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("road\r\n") == 6);
    bad.close();
    QFile layout(at.filePath("bridge.txt"));
    ASSERT_TRUE(layout.open(QIODevice::WriteOnly) && layout.write("80\r\n-3 3\r\n1# 200 1.5 0.3\r\n") > 0);
    layout.close();

    window.findChild<QCheckBox*>(QStringLiteral("Check4"))->setChecked(true);
    QTest::mouseClick(window.findChild<QRadioButton*>(QStringLiteral("Option5")), Qt::LeftButton);
    ui.answer(at.filePath("road.xml")).answerItem(1).answerItem(1).answer(at.filePath("road.cg"));
    click("Command4");
    EXPECT_EQ(ui.events,
              (QStringList{"file:读取LandXML资料", "list:选择路线", "list:选择纵断面", "file:读取超高资料"}));
    EXPECT_EQ(ui.asked[0].filter, QStringLiteral("LandXML文件(*.xml) (*.xml);;所有文件(*.*) (*)"));
    ASSERT_EQ(ui.askedLists.size(), 2u);
    EXPECT_EQ(ui.askedLists[0].items, (QStringList{"主线", "匝道B"}));
    EXPECT_EQ(ui.askedLists[0].prompt, QStringLiteral("road.xml 中有多条路线，请选择一条："));
    EXPECT_EQ(ui.askedLists[1].items, (QStringList{"设计纵断面一", "设计纵断面二"}));
    EXPECT_EQ(ui.asked[1].start, at.filePath("road.cg"));  // road.xml -> road.cg
    EXPECT_TRUE(ui.messages.empty());
    const QString loaded =
        QStringLiteral("道路资料（曲线斜交桥，LandXML）：road.xml（路线“匝道B”，纵断面“设计纵断面二”）、road.cg");
    EXPECT_EQ(window.loadedRoadText(), loaded);

    // A file that is not LandXML: a located message; the road loaded before stays in use.
    ui.answer(at.filePath("bad.xml"));
    click("Command4");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("数据有误"));
    EXPECT_TRUE(ui.messages[0].text.endsWith(QStringLiteral("\n位置: bad.xml 第 1 行: road")))
        << ui.messages[0].text.toStdString();
    EXPECT_EQ(window.loadedRoadText(), loaded + QStringLiteral("\n初始化未完成，仍使用上次读入的道路资料。"));

    // Calculated and drawn as any road on a plan.
    ui.answer(at.filePath("bridge.txt"));
    click("xpcmdbutton2");
    EXPECT_EQ(ui.messages.size(), 1u) << ui.messages.back().text.toStdString();
    ASSERT_NE(window.resultWindow(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(at.filePath("bridge.xlsx")));
}

TEST(Form1Settings, TheLastFolderIsRememberedBetweenRuns) {
    QTemporaryDir dir;
    const QString dl = QDir(dir.path()).filePath(QStringLiteral("x.dl"));
    QFile::copy(Example("straight/road.dl"), dl);
    {
        FakeUi ui;
        MainWindow first(ui);
        ui.answer(dl).answer(std::nullopt);
        first.initialise();
    }
    FakeUi ui;
    MainWindow second(ui);
    second.initialise();
    ASSERT_FALSE(ui.asked.empty());
    EXPECT_EQ(ui.asked[0].start, dir.path());
}

TEST_F(Form1Buttons, EnterPressesTheFocusedButton) {
    QSignalSpy exits(&window, &MainWindow::exitRequested);
    button("xpcmdbutton4")->setFocus();
    QTest::keyClick(button("xpcmdbutton4"), Qt::Key_Return);
    EXPECT_EQ(exits.count(), 1);
    answerStraightExample();
    QTest::keyClick(button("Command4"), Qt::Key_Enter);
    EXPECT_EQ(ui.asked.size(), 3u);
    QTest::keyClick(button("xpcmdbutton2"), Qt::Key_Return);  // now enabled: asks for the layout
    EXPECT_EQ(ui.asked.size(), 4u);
}

TEST_F(Form1Calculate, AsksForTheLayoutFileAndReportsACancel) {
    answerStraightExample();
    click("Command4");
    ui.answer(std::nullopt);
    click("xpcmdbutton2");
    ASSERT_EQ(ui.asked.size(), 4u);
    EXPECT_EQ(ui.asked[3].title, kLayoutTitle);
    EXPECT_EQ(ui.asked[3].filter, QStringLiteral("文本文件(*.txt) (*.txt);;所有文件（*.*) (*)"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("读取文件被取消！"));
    EXPECT_TRUE(button("xpcmdbutton2")->isEnabled());
}

TEST_F(Form1Calculate, StraightExampleWritesTheWorkbookBesideTheLayoutAndOpensIt) {
    // A copy of the example project, so that the workbook is written outside the source tree.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"road.dl", "road.zdm", "road.cg", "bridge.txt"}) {
        const QString from = Example((std::string("straight/") + name).c_str());
        ASSERT_TRUE(QFile::copy(from, dir.filePath(QString::fromLatin1(name))));
    }
    ui.answer(dir.filePath("road.dl")).answer(dir.filePath("road.zdm")).answer(dir.filePath("road.cg"));
    click("Command4");
    ui.answer(dir.filePath("bridge.txt"));
    click("xpcmdbutton2");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text.toStdString();
    const QString workbook = dir.filePath("bridge.xlsx");
    EXPECT_TRUE(QFileInfo(workbook).isFile());
    ASSERT_EQ(ui.urls.size(), 1u);
    EXPECT_EQ(ui.urls[0], QUrl::fromLocalFile(workbook));
    EXPECT_TRUE(window.statusText().endsWith(workbook));
    // A calculation that fails (here: its dialog cancelled) writes nothing and must not leave that one named.
    ui.answer(std::nullopt);
    click("xpcmdbutton2");
    EXPECT_EQ(window.statusText(), QStringLiteral("计算未完成，没有写出工作簿。"));
}

TEST_F(Form1Calculate, EachCalculationWritesItsOwnWorkbookAndNeverOneThatIsOpen) {
    // The main line and then the interchange example in one run of the window, each copied aside.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto copyExample = [&](const QString& name) {
        QDir(dir.path()).mkdir(name);
        const QDir from(Example(name.toUtf8().constData()));
        for (const QString& f : from.entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(from.filePath(f), dir.filePath(name + "/" + f)));
        return QDir(dir.filePath(name));
    };
    const QDir mainline = copyExample(QStringLiteral("mainline"));
    const QDir ramp = copyExample(QStringLiteral("interchange"));
    QTest::mouseClick(window.findChild<QCheckBox*>(QStringLiteral("Check4")), Qt::LeftButton);

    ui.answer(mainline.filePath("road.jdx"))
        .answer(mainline.filePath("road.dl"))
        .answer(mainline.filePath("road.zdm"))
        .answer(mainline.filePath("road.cg"));
    click("Command4");
    ui.answer(mainline.filePath("bridge.txt"));
    click("xpcmdbutton2");
    EXPECT_TRUE(window.statusText().endsWith(mainline.filePath("bridge.xlsx")));

    QTest::mouseClick(window.findChild<QRadioButton*>(QStringLiteral("Option4")), Qt::LeftButton);
    ui.answer(ramp.filePath("ramp.jdx")).answer(ramp.filePath("ramp.zdm")).answer(ramp.filePath("ramp.cg"));
    click("Command4");
    ui.answer(ramp.filePath("bridge.txt"));
    click("xpcmdbutton2");
    EXPECT_TRUE(window.statusText().endsWith(ramp.filePath("bridge.xlsx")));

    // The ramp's workbook is open in LibreOffice now: calculating again writes beside it, and says where.
    const QByteArray before = [&] {
        QFile f(ramp.filePath("bridge.xlsx"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QFile lock(ramp.filePath(".~lock.bridge.xlsx#"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    ui.answer(ramp.filePath("bridge.txt"));
    click("xpcmdbutton2");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text.toStdString();
    EXPECT_TRUE(window.statusText().endsWith(ramp.filePath("bridge (2).xlsx"))) << window.statusText().toStdString();
    QFile open(ramp.filePath("bridge.xlsx"));
    ASSERT_TRUE(open.open(QIODevice::ReadOnly));
    EXPECT_EQ(open.readAll(), before);

    // One workbook beside each layout (and the second one beside the open file), each opened in turn.
    EXPECT_EQ(mainline.entryList({"*.xlsx"}), QStringList{"bridge.xlsx"});
    EXPECT_EQ(ramp.entryList({"*.xlsx"}), (QStringList{"bridge (2).xlsx", "bridge.xlsx"}));
    ASSERT_EQ(ui.urls.size(), 3u);
    EXPECT_EQ(ui.urls[2], QUrl::fromLocalFile(ramp.filePath("bridge (2).xlsx")));
}

TEST_F(Form1Port, WithoutASpreadsheetProgramTheWindowSaysWhereTheWorkbookIs) {
    ui.opensUrls = false;
    const QString path = QDir::temp().filePath(QStringLiteral("项目/bridge.xlsx"));
    window.deliverWorkbook(QFile::encodeName(path).toStdString());
    ASSERT_EQ(ui.urls.size(), 1u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains(QDir::toNativeSeparators(path))) << ui.messages[0].text.toStdString();
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("电子表格程序")));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(window.statusText().endsWith(path));  // the status line names it all the same

    ui.opensUrls = true;
    window.deliverWorkbook(QFile::encodeName(path).toStdString());
    EXPECT_EQ(ui.messages.size(), 1u) << "no message when the program could be started";
}

TEST_F(Form1Port, DeliveredWorkbookIsOpenedAndItsWholePathShown) {
    const QString path = QDir::temp().filePath(QStringLiteral("一个很长的项目文件夹名称/第二层文件夹/bridge.xlsx"));
    window.deliverWorkbook(QFile::encodeName(path).toStdString());
    ASSERT_EQ(ui.urls.size(), 1u);
    EXPECT_EQ(ui.urls[0], QUrl::fromLocalFile(path));
    EXPECT_TRUE(window.statusText().endsWith(path));
    // The line is narrower than the path: it shows the file name and keeps the whole path as its tip.
    auto* status = window.findChild<QLabel*>(QStringLiteral("status"));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->text().endsWith(QStringLiteral("bridge.xlsx")));
    EXPECT_EQ(status->toolTip(), path);
}

TEST_F(Form1Buttons, ExitAndTheCloseBoxAskTheProgramToEnd) {
    QSignalSpy exits(&window, &MainWindow::exitRequested);
    click("xpcmdbutton4");
    EXPECT_EQ(exits.count(), 1);
    window.close();
    EXPECT_EQ(exits.count(), 2);
}

TEST_F(Form1Buttons, MoreSoftwareOpensThePublisherPageThenTheAboutWindowModally) {
    bool aboutWasOpen = false;
    ui.onModal = [&](QDialog& d) { aboutWasOpen = d.isVisible(); };
    click("xpcmdbutton3");
    EXPECT_EQ(ui.events, (QStringList{QStringLiteral("url:") + tavrel::about::kHomePage, "modal:aboutfrm"}));
    EXPECT_TRUE(aboutWasOpen);
}

TEST_F(Form1Buttons, HelpShowsTheManualInTheProgramsOwnWindow) {
    window.setHelpFolder(QFileInfo(QStringLiteral(TAVREL_HELP_SOURCE)).absolutePath());
    click("xpcmdbutton5");
    auto* help = window.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source(), QUrl::fromLocalFile(QStringLiteral(TAVREL_HELP_SOURCE)));
    EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("Tavrel 使用说明"));
    EXPECT_TRUE(ui.urls.empty()) << "the manual is not handed to another program";
}

TEST_F(Form1Buttons, TheHelpWindowGoesBackAndForwardAndClosesWithEscOrCtrlW) {
    window.setHelpFolder(QFileInfo(QStringLiteral(TAVREL_HELP_SOURCE)).absolutePath());
    click("xpcmdbutton5");
    auto* help = window.helpWindow();
    ASSERT_NE(help, nullptr);
    auto* back = help->findChild<QPushButton*>(QStringLiteral("back"));
    auto* forward = help->findChild<QPushButton*>(QStringLiteral("forward"));
    ASSERT_TRUE(back && forward);
    EXPECT_FALSE(back->isEnabled());
    const QUrl start = help->browser()->source();
    help->browser()->setSource(QUrl(start.toString() + QStringLiteral("#layout")));
    EXPECT_TRUE(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(help->browser()->source(), start);
    EXPECT_TRUE(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    EXPECT_EQ(help->browser()->source().fragment(), QStringLiteral("layout"));
    for (const auto& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        SCOPED_TRACE(key.toString().toStdString());
        help->show();
        QTest::keySequence(help->browser(), key);  // typed where the focus is: in the manual
        EXPECT_FALSE(help->isVisible());
    }
}

TEST_F(Form1Buttons, TheAboutWindowClosesWithCtrlW) {
    bool closed = false;
    ui.onModal = [&](QDialog& about) {
        QTest::keySequence(&about, QKeySequence(Qt::CTRL | Qt::Key_W));
        closed = !about.isVisible();
    };
    click("xpcmdbutton3");
    EXPECT_TRUE(closed);
}

TEST_F(Form1Buttons, HelpWithoutTheManualNamesWhereItShouldBe) {
    window.setHelpFolder(QStringLiteral("/nonexistent/folder"));
    click("xpcmdbutton5");
    ASSERT_NE(window.helpWindow(), nullptr);
    const QString text = window.helpWindow()->browser()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("/nonexistent/folder/tavrel.html"))) << text.toStdString();
}

TEST(Form1Startup, ShowsBothPromotionWindowsSetsTheHelpPathAndPlacesTheWindow) {
    FakeUi ui;
    MainWindow window(ui);
    window.setPublisherSite(QUrl(QStringLiteral("http://127.0.0.1:1/")));  // refused at once: no network
    window.setHelpFolder(QStringLiteral("/elsewhere"));
    window.start();

    std::map<QString, tavrel::about::PromoWindow*> promos;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<tavrel::about::PromoWindow*>(w); p && p->isVisible()) promos[p->objectName()] = p;
    ASSERT_EQ(promos.size(), 2u);
    EXPECT_EQ(promos.at("adfrm")->pageView()->pageUrl(), QUrl(QStringLiteral("http://127.0.0.1:1/gdownload.htm")));
    EXPECT_EQ(promos.at("ad1frm")->pageView()->pageUrl(), QUrl(QStringLiteral("http://127.0.0.1:1/bdownload.htm")));

    EXPECT_EQ(window.helpFilePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/tavrel.html"));
    const QSize placedSize = window.size();
    EXPECT_EQ(window.pos(), tavrel::about::ThirdFromTop(tavrel::about::ScreenRect(window), placedSize));
    window.show();
    EXPECT_EQ(window.size(), placedSize) << "placed with its final size";

    // A promotion window's exit picture ends the program through the main window.
    QSignalSpy exits(&window, &MainWindow::exitRequested);
    QTest::mouseClick(promos.at("ad1frm")->findChild<QWidget*>(QStringLiteral("Image2")), Qt::LeftButton);
    EXPECT_EQ(exits.count(), 1);
}
