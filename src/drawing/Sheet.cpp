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

bool fits(const PlanBox& box, double scale, bool landscape) {
    return fittingScale(box.width(), box.height(), drawingArea(landscape)) <= scale;
}

SheetLayout sheetOn(bool landscape, double scale, Point centre) {
    SheetLayout s;
    s.landscape = landscape;
    s.scale = scale;
    s.widthMm = landscape ? kSheetLongMm : kSheetShortMm;
    s.heightMm = landscape ? kSheetShortMm : kSheetLongMm;
    const Area a = drawingArea(landscape);
    s.areaLeftMm = kSheetMarginMm;
    s.areaTopMm = kSheetMarginMm + kTitleStripMm;
    s.areaWidthMm = a.widthMm;
    s.areaHeightMm = a.heightMm;
    s.centre = centre;
    return s;
}

PlanBox united(PlanBox a, const PlanBox& b) {
    if (!b.empty) {
        a.add({b.minX, b.minY});
        a.add({b.maxX, b.maxY});
    }
    return a;
}

// The end (one past the last) of the longest run of stretches from `first` whose box fits one sheet of the
// orientation; at least one stretch.
std::size_t runEnd(const std::vector<PlanBox>& stretches, std::size_t first, double scale, bool landscape) {
    PlanBox box = stretches[first];
    std::size_t end = first + 1;
    while (end < stretches.size()) {
        const PlanBox wider = united(box, stretches[end]);
        if (!fits(wider, scale, landscape)) break;
        box = wider;
        ++end;
    }
    return end;
}

PlanBox boxOf(const std::vector<PlanBox>& stretches, std::size_t first, std::size_t end) {
    PlanBox box;
    for (std::size_t k = first; k < end; ++k) box = united(box, stretches[k]);
    return box;
}

bool reaches(const PlanBox& a, const PlanBox& b) {
    return !a.empty && !b.empty && a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

}  // namespace

double StandardScaleFor(double widthM, double heightM) {
    const double exact =
        std::min(fittingScale(widthM, heightM, drawingArea(true)), fittingScale(widthM, heightM, drawingArea(false)));
    return standardAtLeast(exact);
}

double StandardScaleAtMost(double scale) {
    double best = kStandardScales.front();
    for (double s : kStandardScales)
        if (s <= scale) best = s;
    return best;
}

PlanBox SheetLayout::window() const {
    const double halfWidth = areaWidthMm / 2 * scale / 1000, halfHeight = areaHeightMm / 2 * scale / 1000;
    PlanBox box;
    box.add({centre.x - halfHeight, centre.y - halfWidth});
    box.add({centre.x + halfHeight, centre.y + halfWidth});
    return box;
}

std::vector<SheetLayout> LayoutSheets(const PlanDrawing& drawing) {
    const PlanBox all = DrawingBox(drawing);
    const double scale = drawing.scale;
    const double landscapeScale = fittingScale(all.width(), all.height(), drawingArea(true));
    const double portraitScale = fittingScale(all.width(), all.height(), drawingArea(false));
    // The orientation that takes the drawing at the smaller exact scale leaves the more room round it.
    const bool landscape = landscapeScale <= portraitScale;
    const double exact = std::min(landscapeScale, portraitScale);
    if (exact <= scale) return {sheetOn(landscape, scale, all.centre())};
    // A drawing that does not say where its road runs goes on one sheet at a smaller scale.
    if (drawing.stretches.empty()) return {sheetOn(landscape, standardAtLeast(exact), all.centre())};
    std::vector<SheetLayout> sheets;
    for (std::size_t first = 0; first < drawing.stretches.size();) {
        const std::size_t landscapeEnd = runEnd(drawing.stretches, first, scale, true);
        const std::size_t portraitEnd = runEnd(drawing.stretches, first, scale, false);
        const bool wide = landscapeEnd >= portraitEnd;
        const std::size_t end = wide ? landscapeEnd : portraitEnd;
        const PlanBox box = boxOf(drawing.stretches, first, end);
        if (!box.empty) sheets.push_back(sheetOn(wide, scale, box.centre()));
        first = end;
    }
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        sheets[k].number = static_cast<int>(k + 1);
        sheets[k].count = static_cast<int>(sheets.size());
    }
    return sheets;
}

PlanDrawing ClippedTo(const PlanDrawing& d, const PlanBox& window) {
    PlanDrawing out;
    out.surveyCoordinates = d.surveyCoordinates;
    out.scale = d.scale;
    out.textHeight = d.textHeight;
    for (const DrawnLine& line : d.lines) {
        // Runs of consecutive segments whose boxes reach into the window.
        DrawnLine run{line.layer, line.style, line.heavy, {}};
        for (std::size_t k = 1; k < line.points.size(); ++k) {
            PlanBox segment;
            segment.add(line.points[k - 1]);
            segment.add(line.points[k]);
            if (reaches(segment, window)) {
                if (run.points.empty()) run.points.push_back(line.points[k - 1]);
                run.points.push_back(line.points[k]);
            } else if (!run.points.empty()) {
                out.lines.push_back(std::move(run));
                run.points.clear();
            }
        }
        if (!run.points.empty()) out.lines.push_back(std::move(run));
    }
    const auto boxAround = [](Point c, double r) {
        PlanBox b;
        b.add(c - Point{r, r});
        b.add(c + Point{r, r});
        return b;
    };
    for (const DrawnCircle& c : d.circles)
        if (reaches(boxAround(c.centre, c.radius), window)) out.circles.push_back(c);
    for (const DrawnPoint& p : d.points)
        if (reaches(boxAround(p.at, 0), window)) out.points.push_back(p);
    // A text the window cuts is left to the sheet that holds it whole.
    for (const DrawnText& t : d.texts) {
        const auto outline = TextOutline(t);
        if (std::all_of(outline.begin(), outline.end(), [&](Point p) {
                return p.x >= window.minX && p.x <= window.maxX && p.y >= window.minY && p.y <= window.maxY;
            }))
            out.texts.push_back(t);
    }
    for (const PedestalMark& m : d.pedestals)
        if (reaches(boxAround(m.at, 0), window)) out.pedestals.push_back(m);
    return out;
}

}  // namespace tavrel
