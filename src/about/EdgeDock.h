#pragma once
// Edge docking of the promotion windows: a window pushed against the top, left or right edge of the screen
// slides off that edge when the cursor leaves it, leaving a thin strip in view, and slides back when the
// cursor touches the strip. The rule is evaluated on every tick of a 1 ms timer; this is the pure rule, the
// window only feeds it and moves itself.
#include <optional>

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tavrel::about {

inline constexpr int kDockSnapPixels = 4;         // px: a window this close to the top or left edge docks there
inline constexpr double kDockStripTwips = 40;     // twips of a docked window left in view
inline constexpr double kDockRightSnapTwips = 4;  // twips: how close the right edge must come to dock there
inline constexpr double kDockOverlapTwips = 10;   // twips a revealed window reaches past the screen edge

struct DockInput {
    QRect window;   // frame rectangle, screen pixels relative to the screen's top-left corner
    QPoint cursor;  // screen pixels, same origin
    QSize screen;   // pixels
    bool minimised = false;
    double twipsPerPixel = 15;  // 1440 / logical dpi
};

struct DockMove {
    QPoint topLeft;  // new frame position, same origin as the input
    bool reveal;     // the window comes back into view (show it) rather than hides
};

// DockStep: one timer tick. nullopt: leave the window where it is. The window's right and bottom edges are
// left + width and top + height, and a cursor on the border counts as outside (as the window system reports
// a rectangle). Twip amounts are rounded to whole pixels as TwipsToPixels does.
std::optional<DockMove> DockStep(const DockInput& in);

}  // namespace tavrel::about
