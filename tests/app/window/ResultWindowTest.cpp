// The result window "计算结果" after a calculation in the main window: where it opens, zooming, panning,
// fitting, the pedestal tooltip, saving the drawing and opening the workbook, with a scripted desktop.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

#include "FakeUi.h"
#include "app/window/MainWindow.h"
#include "app/window/PlanView.h"
#include "app/window/ResultWindow.h"

using tavrel::MessageIcon;
using tavrel::Point;
using tavrel::testing::FakeUi;
using tavrel::window::MainWindow;
using tavrel::window::PlaceBeside;
using tavrel::window::PlanView;
using tavrel::window::ResultWindow;

namespace {

QString Example(const QString& relative) { return QDir(QStringLiteral(TAVREL_EXAMPLES_DIR)).filePath(relative); }

// A calculation of an example project in a copy of its folder (the workbook is written beside the layout).
class ResultWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }

    // Loads and calculates examples/<name>; the mode's check box and option as the user would set them.
    void calculate(const QString& name) {
        ASSERT_TRUE(dir.isValid());
        for (const QString& f : QDir(Example(name)).entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(QDir(Example(name)).filePath(f), dir.filePath(f)));
        const auto at = [this](const char* f) { return dir.filePath(QString::fromLatin1(f)); };
        if (name == QLatin1String("straight")) {
            ui.answer(at("road.dl")).answer(at("road.zdm")).answer(at("road.cg"));
        } else if (name == QLatin1String("mainline")) {
            QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Check4")), Qt::LeftButton);
            ui.answer(at("road.jdx")).answer(at("road.dl")).answer(at("road.zdm")).answer(at("road.cg"));
        } else {
            QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Check4")), Qt::LeftButton);
            QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Option4")), Qt::LeftButton);
            ui.answer(at("ramp.jdx")).answer(at("ramp.zdm")).answer(at("ramp.cg"));
        }
        click(window, "Command4");
        ui.answer(at("bridge.txt"));
        click(window, "xpcmdbutton2");
        ASSERT_TRUE(ui.messages.empty()) << ui.messages.front().text.toStdString();
        ASSERT_NE(window.resultWindow(), nullptr);
    }
    static void click(QWidget& w, const char* name) {
        auto* b = w.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    ResultWindow& result() { return *window.resultWindow(); }
    PlanView& view() { return *result().view(); }
    QString workbook() const { return dir.filePath(QStringLiteral("bridge.xlsx")); }

    QTemporaryDir dir;
    FakeUi ui;
    MainWindow window{ui};
};

double PlanDistance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

TEST(ResultPlacement, BesideTheMainWindowWithinTheScreen) {
    const QRect screen(0, 0, 1920, 1040);
    const QRect main(826, 300, 268, 214);
    struct Row {
        const char* name;
        QRect main, screen;
        QSize wanted;
        QRect expected;
        int narrowest = tavrel::window::kNarrowestResult;
    };
    const Row rows[] = {
        {"room on the right", main, screen, {700, 600}, {1102, 300, 700, 600}},
        {"only the left has room", QRect(1300, 300, 268, 214), screen, {700, 600}, {592, 300, 700, 600}},
        {"neither side: the roomier one, narrowed",
         QRect(506, 270, 268, 214),
         QRect(0, 0, 1280, 1024),
         {900, 680},
         {782, 270, 498, 680}},
        {"too narrow a room: at least 400 wide, kept on the screen",
         QRect(266, 100, 268, 214),
         QRect(0, 0, 800, 800),
         {900, 680},
         {400, 100, 400, 680}},
        {"controls wider than the room: as wide as they need, kept on the screen",
         QRect(266, 100, 268, 214),
         QRect(0, 0, 800, 800),
         {300, 680},
         {264, 100, 536, 680},
         536},
        {"low main window: moved up to stay on the screen",
         QRect(100, 900, 268, 214),
         screen,
         {700, 600},
         {376, 440, 700, 600}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const QRect got = PlaceBeside(r.main, r.wanted, r.screen, r.narrowest);
        EXPECT_EQ(got, r.expected);
        EXPECT_TRUE(r.screen.contains(got));
    }
}

TEST_F(ResultWindowTest, OpensAfterTheCalculationAndLeavesTheMainWindowAsItWas) {
    const QSize before = window.size();
    calculate(QStringLiteral("straight"));
    EXPECT_TRUE(result().isVisible());
    EXPECT_EQ(result().windowTitle(), QStringLiteral("计算结果"));
    EXPECT_EQ(window.size(), before);
    EXPECT_EQ(result().workbook(), workbook());
    // The straight example: 4 piers, 6 pedestals each, the last abutment lists only its right side (3).
    EXPECT_EQ(view().drawing().pedestals.size(), 21u);
    EXPECT_FALSE(view().drawing().surveyCoordinates);

    // A second calculation shows in the same window, where the user left it.
    result().move(result().pos() + QPoint(13, 7));
    const QPoint moved = result().pos();
    ResultWindow* first = &result();
    ui.answer(dir.filePath(QStringLiteral("bridge.txt")));
    click(window, "xpcmdbutton2");
    EXPECT_EQ(window.resultWindow(), first);
    EXPECT_EQ(result().pos(), moved);
}

TEST_F(ResultWindowTest, FitsTheScreenTellsWarningsBeforeTheWorkbookAndSaysWhatItCannotOpen) {
    calculate(QStringLiteral("straight"));
    // The window with its frame (title bar included) stays within the screen's available area.
    const QRect available = result().screen()->availableGeometry();
    EXPECT_TRUE(available.contains(result().frameGeometry()))
        << ::testing::PrintToString(result().frameGeometry()) << " in " << ::testing::PrintToString(available);

    // Saved, then calculated again with a layout that leaves a line unread: the warning comes before the workbook
    // is opened, and the line under the buttons no longer names the earlier drawing.
    const QString svg = dir.filePath(QStringLiteral("plan.svg"));
    ui.answerSave(svg);
    click(result(), "saveSvgButton");
    ASSERT_TRUE(result().note().endsWith(svg));
    QFile layout(dir.filePath(QStringLiteral("bridge.txt")));
    ASSERT_TRUE(layout.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = layout.readAll().split('\n');
    lines.insert(lines.size() - 2, QByteArray("\r"));  // a blank line before the last pier
    QFile blank(dir.filePath(QStringLiteral("blank.txt")));
    ASSERT_TRUE(blank.open(QIODevice::WriteOnly));
    blank.write(lines.join('\n'));
    blank.close();
    ui.events.clear();
    ui.answer(blank.fileName());
    click(window, "xpcmdbutton2");
    const qsizetype warning = ui.events.indexOf(QRegularExpression(QStringLiteral("^message:blank.txt .*未读入")));
    const qsizetype opened = ui.events.indexOf(QRegularExpression(QStringLiteral("^url:file://.*blank.xlsx$")));
    ASSERT_GE(warning, 0) << ui.events.join(QLatin1Char('\n')).toStdString();
    EXPECT_LT(warning, opened) << ui.events.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(result().note().contains(QStringLiteral("已保存"))) << result().note().toStdString();

    // 打开工作簿 where no program opens it, and once the file is gone: the user is told, with the path.
    ui.messages.clear();
    ui.opensUrls = false;
    click(result(), "openWorkbookButton");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains(QDir::toNativeSeparators(dir.filePath(QStringLiteral("blank.xlsx")))));
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("电子表格程序")));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("blank.xlsx"))));
    const auto urls = ui.urls.size();
    click(result(), "openWorkbookButton");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[1].text.contains(QDir::toNativeSeparators(dir.filePath(QStringLiteral("blank.xlsx")))));
    EXPECT_EQ(ui.urls.size(), urls);
}

TEST_F(ResultWindowTest, HoveringAPedestalTellsItsDataAndEmptyGroundNothing) {
    calculate(QStringLiteral("mainline"));
    const auto& d = view().drawing();
    ASSERT_FALSE(d.pedestals.empty());
    const auto& mark = d.pedestals[2];  // 0#台, pedestal 3
    const QPoint at = view().mapping().map(mark.at).toPoint();
    const QString tip = view().toolTipAt(at);
    EXPECT_TRUE(tip.startsWith(QStringLiteral("0#台 垫石 3\n"))) << tip.toStdString();
    for (const char* part : {"桩号 K12+", "偏距 ", "X 3345", "Y 512", "顶面高程 ", "垫石高度 "})
        EXPECT_TRUE(tip.contains(QString::fromUtf8(part))) << part;
    // Far from every pedestal: nothing.
    EXPECT_TRUE(view().toolTipAt(QPoint(2, 2)).isEmpty());
    // The hover itself: Qt's tooltip event shows that text.
    QHelpEvent hover(QEvent::ToolTip, at, view().mapToGlobal(at));
    QApplication::sendEvent(&view(), &hover);
    EXPECT_EQ(QToolTip::text(), tip);
    QToolTip::hideText();
}

TEST_F(ResultWindowTest, WheelZoomsAboutTheCursorDragPansAndFitShowsTheWholeBridge) {
    calculate(QStringLiteral("interchange"));
    result().resize(900, 680);
    QApplication::processEvents();
    PlanView& v = view();
    const double fitted = v.mapping().scale;
    const QPointF cursor(v.width() * 0.3, v.height() * 0.6);
    const Point under = v.mapping().unmap(cursor);

    QWheelEvent wheel(cursor, v.mapToGlobal(cursor), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&v, &wheel);
    EXPECT_NEAR(v.mapping().scale, fitted * 1.44, 1e-9 * fitted);  // two notches of 1.2
    EXPECT_LT(PlanDistance(v.mapping().unmap(cursor), under), 1e-9);

    // Dragging by (40, -25) pixels carries the plan point under the mouse along.
    const QPointF from(v.width() / 2.0, v.height() / 2.0), to = from + QPointF(40, -25);
    const Point grabbed = v.mapping().unmap(from);
    QMouseEvent press(QEvent::MouseButtonPress, from, v.mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, to, v.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, to, v.mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&v, &press);
    QApplication::sendEvent(&v, &move);
    QApplication::sendEvent(&v, &release);
    EXPECT_LT(PlanDistance(v.mapping().unmap(to), grabbed), 1e-9);

    click(result(), "fitButton");
    EXPECT_NEAR(v.mapping().scale, fitted, 1e-9 * fitted);
    const tavrel::PlanBox box = tavrel::DrawingBox(v.drawing());
    for (Point corner : {Point{box.minX, box.minY}, Point{box.maxX, box.maxY}})
        EXPECT_TRUE(QRectF(v.rect()).contains(v.mapping().map(corner)));

    // What the user sees, kept for a look.
    QDir().mkpath(QStringLiteral(TAVREL_BUILD_ROOT "/drawings"));
    result().grab().save(QStringLiteral(TAVREL_BUILD_ROOT "/drawings/window-interchange.png"));
}

TEST_F(ResultWindowTest, SavesTheDrawingWhereTheUserSaysAndOpensTheWorkbook) {
    calculate(QStringLiteral("mainline"));
    const QString dxf = dir.filePath(QStringLiteral("plan.dxf"));
    ui.answerSave(dxf);
    click(result(), "saveDxfButton");
    ASSERT_EQ(ui.askedSave.size(), 1u);
    EXPECT_EQ(ui.askedSave[0].title, QStringLiteral("保存 DXF 图形"));
    EXPECT_EQ(ui.askedSave[0].start, dir.filePath(QStringLiteral("bridge.dxf")));  // beside the workbook
    QFile f(dxf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("  0\r\nSECTION\r\n  2\r\nHEADER\r\n"));
    EXPECT_TRUE(result().note().endsWith(dxf));

    for (const char* name : {"saveSvgButton", "savePdfButton"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        ui.answerSave(path);
        click(result(), name);
        EXPECT_GT(QFileInfo(path).size(), 1000);
    }
    // The point file: beside the workbook by default, UTF-8 with a byte-order mark, a row per listed pedestal
    // and per edge point (the main line example: 4 piers of 8 pedestals and 4 edge points).
    const QString points = dir.filePath(QStringLiteral("points.csv"));
    ui.answerSave(points);
    click(result(), "savePointsButton");
    EXPECT_EQ(ui.askedSave.back().title, QStringLiteral("保存点文件"));
    EXPECT_EQ(ui.askedSave.back().start, dir.filePath(QStringLiteral("bridge.csv")));
    QFile p(points);
    ASSERT_TRUE(p.open(QIODevice::ReadOnly));
    const QByteArray csv = p.readAll();
    EXPECT_TRUE(csv.startsWith(QByteArray("\xEF\xBB\xBF") + QStringLiteral("0#台-1,3345").toUtf8()));
    EXPECT_EQ(csv.count("\r\n"), 4 * (8 + 4));
    // Cancelled: nothing written, nothing said.
    ui.answerSave(std::nullopt);
    click(result(), "savePdfButton");
    EXPECT_TRUE(ui.messages.empty());
    // A folder that does not exist: the user is told.
    const QString nowhere = dir.filePath(QStringLiteral("no such folder/plan.dxf"));
    ui.answerSave(nowhere);
    click(result(), "saveDxfButton");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("错误"));
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("文件 ") + nowhere + QStringLiteral(" 写入失败：文件夹不存在！"));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);

    ui.urls.clear();
    click(result(), "openWorkbookButton");
    ASSERT_EQ(ui.urls.size(), 1u);
    EXPECT_EQ(ui.urls[0], QUrl::fromLocalFile(workbook()));
}
