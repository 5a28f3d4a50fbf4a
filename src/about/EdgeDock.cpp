#include "about/EdgeDock.h"

#include <cmath>

namespace tavrel::about {

namespace {
int Px(double twips, double twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }
}  // namespace

std::optional<DockMove> DockStep(const DockInput& in) {
    if (in.minimised) return std::nullopt;
    const int left = in.window.x(), top = in.window.y();
    const int width = in.window.width(), height = in.window.height();
    const int right = left + width, bottom = top + height;
    const int strip = Px(kDockStripTwips, in.twipsPerPixel);
    const int overlap = Px(kDockOverlapTwips, in.twipsPerPixel);
    const QPoint c = in.cursor;

    const bool outside = left >= c.x() || c.x() >= right || top >= c.y() || c.y() >= bottom;
    if (outside) {
        // The top edge wins over the side edges.
        if (top <= kDockSnapPixels) return DockMove{{left, strip - height}, false};
        if (left > kDockSnapPixels) {
            // Compared in twips, as the rule is stated: 4 twips are a fraction of a pixel.
            const double rightEdgeTwips = (left + width) * in.twipsPerPixel;
            if (rightEdgeTwips >= in.screen.width() * in.twipsPerPixel - kDockRightSnapTwips)
                return DockMove{{in.screen.width() - strip, top}, false};
            return std::nullopt;
        }
        return DockMove{{strip - width, top}, false};
    }
    // Cursor inside: bring a docked window back, one edge per tick, top first.
    if (top < 0) return DockMove{{left, -overlap}, true};
    if (left < 0) return DockMove{{-overlap, top}, true};
    if (right >= in.screen.width()) return DockMove{{in.screen.width() - width + overlap, top}, true};
    return std::nullopt;
}

}  // namespace tavrel::about
