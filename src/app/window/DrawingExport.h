#pragma once
// The plan drawing on an A3 sheet as SVG (QSvgGenerator) and PDF (QPdfWriter), painted by PaintSheet. The bytes
// go to a file through the core's WriteDrawingFile, as the DXF does.
#include <QByteArray>

#include "drawing/PlanDrawing.h"

namespace tavrel::window {

inline constexpr int kSvgDpi = 96;    // SVG user units per inch: the size rsvg-convert and browsers render at
inline constexpr int kPdfDpi = 1200;  // PDF device units per inch (the sheet's coordinates, not a raster)

// The SVG of the drawing's sheet: width and height in millimetres, a view box in 96-dpi pixels.
QByteArray SvgBytes(const PlanDrawing& drawing);

// The one-page PDF of the drawing's sheet.
QByteArray PdfBytes(const PlanDrawing& drawing);

}  // namespace tavrel::window
