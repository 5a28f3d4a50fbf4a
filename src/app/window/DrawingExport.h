#pragma once
// The plan drawing on A3 sheets as SVG (QSvgGenerator) and PDF (QPdfWriter), painted by PaintSheet. The bytes
// go to a file through the core's WriteDrawingFile, as the DXF does.
#include <QByteArray>

#include "drawing/PlanDrawing.h"

namespace tavrel::window {

inline constexpr int kSvgDpi = 96;    // SVG user units per inch: the size rsvg-convert and browsers render at
inline constexpr int kPdfDpi = 1200;  // PDF device units per inch (the sheet's coordinates, not a raster)

inline constexpr double kSheetGapMm = 10;  // between two sheets one below the other in an SVG

// The SVG of the drawing's sheets (LayoutSheets), one below the other: width and height in millimetres, a view
// box in 96-dpi pixels. A drawing on one sheet is exactly that sheet.
QByteArray SvgBytes(const PlanDrawing& drawing);

// The PDF of the drawing's sheets, one page per sheet.
QByteArray PdfBytes(const PlanDrawing& drawing);

}  // namespace tavrel::window
