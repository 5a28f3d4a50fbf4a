#pragma once
// The drawing on an A3 sheet: north up, at a standard scale, with a title strip along the top. SVG and PDF are
// written on such a sheet; the drawing's texts are sized for the scale the builder chose.
#include <array>

#include "common/Plane.h"
#include "drawing/PlanDrawing.h"

namespace tavrel {

inline constexpr double kSheetLongMm = 420;   // A3
inline constexpr double kSheetShortMm = 297;  // A3
inline constexpr double kSheetMarginMm = 10;  // blank border on every side
inline constexpr double kTitleStripMm = 12;   // the title line above the drawing area
inline constexpr double kPaperTextMm = 3.5;   // height of ordinary texts on the sheet (a drafting size)

// The scales a drawing is put on (1:n).
inline constexpr std::array<double, 11> kStandardScales{100,  200,  250,   500,   1000, 2000,
                                                        2500, 5000, 10000, 20000, 50000};

// The smallest standard scale at which a box widthM x heightM (m) fits the sheet's drawing area, on either
// orientation of the sheet; beyond the largest standard scale, the next multiple of 10000 that fits.
double StandardScaleFor(double widthM, double heightM);

struct SheetLayout {
    bool landscape = true;
    double widthMm = kSheetLongMm, heightMm = kSheetShortMm;
    double scale = 500;  // 1:scale
    // The drawing area below the title strip, in mm from the sheet's top-left corner.
    double areaLeftMm = 0, areaTopMm = 0, areaWidthMm = 0, areaHeightMm = 0;
    Point centre;  // the plan point at the centre of the drawing area

    // Position on the sheet (mm right of and below the top-left corner) of a plan point.
    struct SheetPoint {
        double right = 0, down = 0;
    };
    SheetPoint toSheet(Point p) const {
        return {areaLeftMm + areaWidthMm / 2 + (p.y - centre.y) * 1000 / scale,
                areaTopMm + areaHeightMm / 2 - (p.x - centre.x) * 1000 / scale};
    }
};

// The sheet for a drawing: the orientation that takes the whole drawing (texts included) at the smaller scale,
// and the drawing's own scale when everything fits at it.
SheetLayout LayoutOnSheet(const PlanDrawing& drawing);

}  // namespace tavrel
