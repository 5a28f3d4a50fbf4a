// Window placement on the screen and the twip unit, on computed rectangles.
#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "about/Placement.h"

using namespace tavrel::about;

TEST(WindowPlacement, TwipsToPixelsRoundsToTheNearestPixel) {
    struct Row {
        double twips;
        int dpi, px;
    } rows[] = {
        {375, 96, 25},  {1215, 96, 81},   {4020, 96, 268},  {2850, 96, 190}, {40, 96, 3},
        {10, 96, 1},    {7.5, 96, 1},     {7, 96, 0},       {-10, 96, -1},   {-7.5, 96, -1},
        {375, 120, 31}, {1215, 120, 101}, {1440, 144, 144},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.twips);
        SCOPED_TRACE(r.dpi);
        EXPECT_EQ(TwipsToPixels(r.twips, r.dpi), r.px);
    }
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
}

TEST(WindowPlacement, ThirdFromTopCentresAcrossAndLeavesAThirdAbove) {
    struct Row {
        const char* name;
        QRect screen;
        QSize window;
        QPoint at;
    } rows[] = {
        {"main window on 1280x1024", {0, 0, 1280, 1024}, {268, 212}, {506, 270}},  // 1012/2, 812/3 = 270.67
        {"second screen to the right", {1280, 0, 1920, 1080}, {200, 280}, {1280 + 860, 266}},
        {"window larger than the screen", {0, 0, 800, 600}, {1001, 900}, {-101, -100}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(ThirdFromTop(r.screen, r.window), r.at);
    }
}

TEST(WindowPlacement, PromotionWindowsStartFlushWithTheirScreenEdge) {
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(AtScreenSide(screen, {200, 280}, ScreenSide::Left), QPoint(0, 248));
    EXPECT_EQ(AtScreenSide(screen, {200, 280}, ScreenSide::Right), QPoint(1080, 248));
    EXPECT_EQ(AtScreenSide(QRect(1280, 100, 1920, 1080), {200, 280}, ScreenSide::Right), QPoint(3000, 366));
}
