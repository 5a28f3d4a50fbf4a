#include "drawing/Sheet.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

struct Area {
    double widthMm, heightMm;
};

Area drawingArea(bool landscape) {
    const double w = landscape ? kSheetLongMm : kSheetShortMm, h = landscape ? kSheetShortMm : kSheetLongMm;
    return {w - 2 * kSheetMarginMm, h - 2 * kSheetMarginMm - kTitleStripMm};
}

// The smallest scale at which the box fits the area exactly (not rounded to a standard one).
double fittingScale(double widthM, double heightM, Area a) {
    return std::max(widthM * 1000 / a.widthMm, heightM * 1000 / a.heightMm);
}

double standardAtLeast(double exact) {
    for (double s : kStandardScales)
        if (s >= exact) return s;
    return std::ceil(exact / 10000) * 10000;
}

}  // namespace

double StandardScaleFor(double widthM, double heightM) {
    const double exact =
        std::min(fittingScale(widthM, heightM, drawingArea(true)), fittingScale(widthM, heightM, drawingArea(false)));
    return standardAtLeast(exact);
}

SheetLayout LayoutOnSheet(const PlanDrawing& drawing) {
    const PlanBox box = DrawingBox(drawing);
    const double w = box.width(), h = box.height();
    const double landscapeScale = fittingScale(w, h, drawingArea(true));
    const double portraitScale = fittingScale(w, h, drawingArea(false));
    SheetLayout s;
    s.landscape = landscapeScale <= portraitScale;
    const double exact = s.landscape ? landscapeScale : portraitScale;
    s.scale = exact <= drawing.scale ? drawing.scale : standardAtLeast(exact);
    s.widthMm = s.landscape ? kSheetLongMm : kSheetShortMm;
    s.heightMm = s.landscape ? kSheetShortMm : kSheetLongMm;
    const Area a = drawingArea(s.landscape);
    s.areaLeftMm = kSheetMarginMm;
    s.areaTopMm = kSheetMarginMm + kTitleStripMm;
    s.areaWidthMm = a.widthMm;
    s.areaHeightMm = a.heightMm;
    s.centre = box.centre();
    return s;
}

}  // namespace tavrel
