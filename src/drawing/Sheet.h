#pragma once
// The drawing on A3 sheets: north up, at a standard scale, with a title strip along the top. SVG and PDF are
// written on such sheets; the drawing's texts are sized for the scale the builder chose. A drawing that does not
// fit one sheet at that scale goes on several, one after another along the road.
#include <array>
#include <vector>

#include "common/Plane.h"
#include "drawing/PlanDrawing.h"

namespace tavrel {

inline constexpr double kSheetLongMm = 420;    // A3
inline constexpr double kSheetShortMm = 297;   // A3
inline constexpr double kSheetMarginMm = 10;   // blank border on every side
inline constexpr double kTitleStripMm = 12;    // the title line above the drawing area
inline constexpr double kPaperTextMm = 3.5;    // height of ordinary texts on the sheet (a drafting size)
inline constexpr double kLegibleTextMm = 2.5;  // the smallest text height a printed sheet may carry

// The scales a drawing is put on (1:n).
inline constexpr std::array<double, 11> kStandardScales{100,  200,  250,   500,   1000, 2000,
                                                        2500, 5000, 10000, 20000, 50000};

// The smallest standard scale at which a box widthM x heightM (m) fits the sheet's drawing area, on either
// orientation of the sheet; beyond the largest standard scale, the next multiple of 10000 that fits.
double StandardScaleFor(double widthM, double heightM);

// The largest standard scale not above `scale` (1:n); the smallest standard scale when none is.
double StandardScaleAtMost(double scale);

struct SheetLayout {
    bool landscape = true;
    double widthMm = kSheetLongMm, heightMm = kSheetShortMm;
    double scale = 500;  // 1:scale
    // The drawing area below the title strip, in mm from the sheet's top-left corner.
    double areaLeftMm = 0, areaTopMm = 0, areaWidthMm = 0, areaHeightMm = 0;
    Point centre;               // the plan point at the centre of the drawing area
    int number = 1, count = 1;  // this sheet's number (from 1) and how many sheets the drawing takes

    // Position on the sheet (mm right of and below the top-left corner) of a plan point.
    struct SheetPoint {
        double right = 0, down = 0;
    };
    SheetPoint toSheet(Point p) const {
        return {areaLeftMm + areaWidthMm / 2 + (p.y - centre.y) * 1000 / scale,
                areaTopMm + areaHeightMm / 2 - (p.x - centre.x) * 1000 / scale};
    }
    // The part of the plan the drawing area shows.
    PlanBox window() const;
};

// The sheets of a drawing, all at the drawing's own scale: one, centred on everything, when the whole drawing
// (texts included) fits on one (the orientation that leaves more room); otherwise consecutive runs of the
// drawing's stretches, each run as long as one sheet of either orientation takes, centred on it. A drawing
// without stretches that does not fit goes on one sheet at the smallest standard scale that takes it.
std::vector<SheetLayout> LayoutSheets(const PlanDrawing& drawing);

// The primitives of the drawing that reach into `window`: lines cut to the runs of their segments that do,
// circles and points whole, texts only when they lie wholly inside it (a text of the drawing's stretches lies
// whole on the sheet of its stretch). A sheet is painted from these, so that each one holds only its own part.
PlanDrawing ClippedTo(const PlanDrawing& drawing, const PlanBox& window);

}  // namespace tavrel
