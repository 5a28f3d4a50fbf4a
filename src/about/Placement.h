#pragma once
// Where the program puts its windows on the screen, and the twip, the unit in which window sizes and
// positions are given (1440 twips per inch, whatever the screen).
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tavrel::about {

inline constexpr int kTwipsPerInch = 1440;

// Twips -> pixels at a logical dpi, rounded to the nearest pixel (halves away from zero). At 96 dpi a pixel
// is 15 twips: 375 twips are 25 px, 40 twips 2.67 -> 3 px, 10 twips 0.67 -> 1 px, -10 twips -1 px.
int TwipsToPixels(double twips, int logicalDpi);

// Twips per pixel at a logical dpi (15 at 96 dpi).
double TwipsPerPixel(int logicalDpi);

// CenterForm and PlaceWindow: the top-left corner of a window of frame size `window` centred horizontally on
// `screen`, with one third of the free height above it and two thirds below.
QPoint ThirdFromTop(const QRect& screen, const QSize& window);

// CenterForm1: the same height as ThirdFromTop, flush with the left or the right edge of the screen.
enum class ScreenSide { Left, Right };
QPoint AtScreenSide(const QRect& screen, const QSize& window, ScreenSide side);

// The whole area of the screen the widget is on (the primary screen before it is shown).
QRect ScreenRect(const QWidget& widget);

// Moves a top-level widget to ThirdFromTop on its screen, keeping its size.
void PlaceWindow(QWidget& window);

}  // namespace tavrel::about
