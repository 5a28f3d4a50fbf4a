#pragma once
// Painting the plan drawing with a QPainter: the same code draws it on screen (the result window) and on the A3
// sheet written as SVG and PDF. North is up and east to the right.
#include <QPointF>

#include "drawing/PlanDrawing.h"
#include "drawing/Sheet.h"

class QPainter;

namespace tavrel::window {

// Plan point <-> device position: `scale` device units per metre, the plan point `centre` at `deviceCentre`.
struct PlanMapping {
    double scale = 1;
    Point centre;
    QPointF deviceCentre;

    QPointF map(Point p) const {
        return {deviceCentre.x() + (p.y - centre.y) * scale, deviceCentre.y() - (p.x - centre.x) * scale};
    }
    Point unmap(QPointF d) const {
        return {centre.x - (d.y() - deviceCentre.y()) / scale, centre.y + (d.x() - deviceCentre.x()) / scale};
    }
};

// Pen sizes in device units: `unit` device units stand for one millimetre of the sheet (line widths and dash
// patterns are set in sheet millimetres).
struct PenSizes {
    double unit = 1;
    double thin = 0.18;      // mm
    double heavy = 0.5;      // mm
    double cosmeticMin = 0;  // device units: no line is drawn thinner (1 px on screen)
    // Device units: a text whose em would be smaller is drawn this large, up to twice its size (screen only, so
    // that small numbers stay legible at the fitted zoom).
    double smallestEm = 0;
};

// The face the drawing's texts are set in (a CJK sans-serif face).
QString DrawingFontFamily();

// Paints every primitive of the drawing; texts at their plan height, so they grow and shrink with the mapping.
void PaintPlan(QPainter& painter, const PlanDrawing& drawing, const PlanMapping& mapping, const PenSizes& pens);

// A north arrow with its "N", `size` device units tall, its tip at `tip`.
void PaintNorthArrow(QPainter& painter, QPointF tip, double size);

// The whole A3 sheet with `unit` device units per millimetre: white page, border, title strip (scale, the sheet's
// number when there are several, coordinate note), north arrow, and the drawing clipped to its area.
void PaintSheet(QPainter& painter, const PlanDrawing& drawing, const SheetLayout& sheet, double unit);

}  // namespace tavrel::window
