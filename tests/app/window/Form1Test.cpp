// The main window's controls: captions, kinds, twip positions, initial states, fonts, and the mode rules.
#include <cmath>

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "FakeUi.h"
#include "QtPrinters.h"
#include "app/window/MainWindow.h"

using tavrel::RoadMode;
using tavrel::testing::FakeUi;
using tavrel::window::MainWindow;

namespace {

struct ControlRow {
    const char* name;
    const char* kind;  // Qt class
    const char* caption;
    const char* parent;            // positions are relative to this widget
    int left, top, width, height;  // twips
};

// The window's controls as the engineers know them (captions with their leading and double blanks).
const ControlRow kControls[] = {
    {"Frame1", "QGroupBox", "初始化", "client", 240, 240, 1935, 2415},
    {"Option3", "QRadioButton", "交点法—主线", "Frame1", 240, 300, 1575, 300},
    {"Option4", "QRadioButton", "积木法—互通", "Frame1", 240, 630, 1455, 255},
    {"Option5", "QRadioButton", "LandXML文件", "Frame1", 240, 960, 1635, 255},
    {"Check4", "QCheckBox", "曲线斜交桥", "Frame1", 240, 1320, 1335, 255},
    {"Command4", "QPushButton", "  初始化", "Frame1", 360, 1800, 1215, 375},
    {"xpcmdbutton2", "QPushButton", "  计  算", "client", 2520, 360, 1215, 375},
    {"xpcmdbutton5", "QPushButton", "  帮  助", "client", 2520, 960, 1215, 375},
    {"xpcmdbutton3", "QPushButton", "  更多软件", "client", 2520, 1560, 1215, 375},
    {"xpcmdbutton4", "QPushButton", "  退  出", "client", 2520, 2160, 1215, 375},
};

// Twips to pixels, worked out here independently: 1440 twips per inch, nearest pixel.
int Px(int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

QString CaptionOf(const QWidget* w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
    return {};
}

class Form1 : public ::testing::Test {
protected:
    template <class W = QWidget>
    W* control(const char* name) {
        auto* w = window.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    FakeUi ui;
    MainWindow window{ui};
};

using Form1Layout = Form1;
using Form1Fonts = Form1;
using Form1Modes = Form1;

}  // namespace

TEST_F(Form1Layout, EveryControlHasItsCaptionKindAndTwipRectangle) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        QWidget* w = control(row.name);
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->metaObject()->className(), row.kind);
        EXPECT_EQ(CaptionOf(w), QString::fromUtf8(row.caption));
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(row.parent));
        const int dx = w->logicalDpiX(), dy = w->logicalDpiY();
        EXPECT_EQ(w->geometry(), QRect(Px(row.left, dx), Px(row.top, dy), Px(row.width, dx), Px(row.height, dy)));
    }
}

TEST_F(Form1Layout, At96DpiAPushButtonIs81By25Pixels) {
    QWidget* w = control("Command4");
    if (w->logicalDpiX() != 96 || w->logicalDpiY() != 96) GTEST_SKIP() << "the screen is not at 96 dpi";
    EXPECT_EQ(w->geometry(), QRect(24, 120, 81, 25));  // 360, 1800, 1215, 375 twips / 15
}

TEST_F(Form1Layout, ClientAreaIs4020By2850TwipsUnderTheTitleTavrelV20) {
    QWidget* client = control("client");
    EXPECT_EQ(client->size(), QSize(Px(4020, client->logicalDpiX()), Px(2850, client->logicalDpiY())));
    EXPECT_EQ(window.objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tavrel V2.0"));
    // The status line sits below the client area, not over the controls.
    window.show();
    QWidget* status = control("status");
    EXPECT_GE(status->mapTo(&window, QPoint(0, 0)).y(), client->mapTo(&window, QPoint(0, 0)).y() + client->height());
}

TEST_F(Form1Layout, InitialStates) {
    EXPECT_TRUE(control<QRadioButton>("Option3")->isChecked());
    EXPECT_FALSE(control("Option3")->isEnabled());
    EXPECT_FALSE(control<QRadioButton>("Option4")->isChecked());
    EXPECT_FALSE(control("Option4")->isEnabled());
    EXPECT_FALSE(control<QRadioButton>("Option5")->isChecked());
    EXPECT_FALSE(control("Option5")->isEnabled());
    EXPECT_FALSE(control<QCheckBox>("Check4")->isChecked());
    EXPECT_TRUE(control("Check4")->isEnabled());
    EXPECT_TRUE(control("Command4")->isEnabled());
    EXPECT_FALSE(control("xpcmdbutton2")->isEnabled());
    for (const char* name : {"xpcmdbutton3", "xpcmdbutton4", "xpcmdbutton5"}) EXPECT_TRUE(control(name)->isEnabled());
    EXPECT_FALSE(window.state().calculateEnabled);
}

TEST_F(Form1Fonts, ControlsUseSong9PointResolvedToACjkFaceThatHasEveryCaptionCharacter) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        QWidget* w = control(row.name);
        EXPECT_EQ(w->font().family(), QStringLiteral("宋体"));
        EXPECT_EQ(w->font().pointSize(), 9);
        // Without a CJK face every caption would be drawn as boxes.
        const QFontMetrics fm(w->font());
        for (QChar c : CaptionOf(w))
            EXPECT_TRUE(fm.inFont(c)) << "no glyph for U+" << std::hex << static_cast<int>(c.unicode());
    }
    // With fonts-noto-cjk installed, "宋体" lands on a Song-style (serif) face, not on a sans fallback.
    const QString family = QFontInfo(control("Command4")->font()).family();
    const QStringList songFaces{"Noto Serif CJK SC", "AR PL UMing CN", "WenQuanYi Zen Hei"};
    EXPECT_TRUE(songFaces.contains(family)) << family.toStdString();
}

TEST_F(Form1Fonts, EveryCaptionFitsItsControl) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        QWidget* w = control(row.name);
        const QFontMetrics fm(w->font());
        const QString text = CaptionOf(w);
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            const int margin = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b);
            EXPECT_LE(fm.horizontalAdvance(text) + margin, b->width());
            EXPECT_LE(fm.height(), b->height());
        } else if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w)) {
            // Indicator, spacing and text, as the style lays them out.
            EXPECT_LE(w->sizeHint().width(), w->width());
            EXPECT_LE(fm.height(), w->height());
        }
    }
}

TEST_F(Form1Modes, Check4EnablesTheFormsAndUntickingKeepsTheSelection) {
    auto* check4 = control<QCheckBox>("Check4");
    auto* option3 = control<QRadioButton>("Option3");
    auto* option4 = control<QRadioButton>("Option4");
    auto* option5 = control<QRadioButton>("Option5");
    window.show();

    QTest::mouseClick(check4, Qt::LeftButton);
    for (auto* o : {option3, option4, option5}) EXPECT_TRUE(o->isEnabled());
    QTest::mouseClick(option4, Qt::LeftButton);
    EXPECT_TRUE(option4->isChecked());
    EXPECT_FALSE(option3->isChecked()) << "the forms are one option group";
    QTest::mouseClick(option5, Qt::LeftButton);
    EXPECT_TRUE(option5->isChecked());
    EXPECT_FALSE(option4->isChecked()) << "the forms are one option group";
    QTest::mouseClick(option4, Qt::LeftButton);

    QTest::mouseClick(check4, Qt::LeftButton);
    for (auto* o : {option3, option4, option5}) EXPECT_FALSE(o->isEnabled());
    EXPECT_TRUE(option4->isChecked());
    QTest::mouseClick(check4, Qt::LeftButton);
    EXPECT_TRUE(option4->isChecked());
}

TEST_F(Form1Modes, TheCommandsModeIsReadFromTheControls) {
    auto* check4 = control<QCheckBox>("Check4");
    auto* option4 = control<QRadioButton>("Option4");
    EXPECT_EQ(window.currentMode(), RoadMode::Straight);

    check4->setChecked(true);
    EXPECT_EQ(window.currentMode(), RoadMode::MainLine);
    option4->setChecked(true);
    EXPECT_EQ(window.currentMode(), RoadMode::Interchange);
    control<QRadioButton>("Option5")->setChecked(true);
    EXPECT_EQ(window.currentMode(), RoadMode::LandXml);
    // Unticked, the form does not matter: a straight road whichever option is selected.
    check4->setChecked(false);
    EXPECT_EQ(window.currentMode(), RoadMode::Straight);
}
