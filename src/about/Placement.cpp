#include "about/Placement.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tavrel::about {

int TwipsToPixels(double twips, int logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / kTwipsPerInch));
}

double TwipsPerPixel(int logicalDpi) { return static_cast<double>(kTwipsPerInch) / logicalDpi; }

namespace {
// A window larger than the screen gets a negative offset; floor keeps the rounding the same on both sides.
int FloorDiv(int num, int den) { return static_cast<int>(std::floor(static_cast<double>(num) / den)); }
}  // namespace

QPoint ThirdFromTop(const QRect& screen, const QSize& window) {
    return {screen.x() + FloorDiv(screen.width() - window.width(), 2),
            screen.y() + FloorDiv(screen.height() - window.height(), 3)};
}

QPoint AtScreenSide(const QRect& screen, const QSize& window, ScreenSide side) {
    const int left = side == ScreenSide::Left ? screen.x() : screen.x() + screen.width() - window.width();
    return {left, ThirdFromTop(screen, window).y()};
}

QRect ScreenRect(const QWidget& widget) {
    const QScreen* s = widget.screen();
    if (!s) s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 800, 600);
}

void PlaceWindow(QWidget& window) { window.move(ThirdFromTop(ScreenRect(window), window.frameGeometry().size())); }

}  // namespace tavrel::about
