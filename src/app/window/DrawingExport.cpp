#include "app/window/DrawingExport.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "app/window/PlanPainter.h"
#include "drawing/Sheet.h"

namespace tavrel::window {

namespace {

const QString kTitle = QStringLiteral("桥梁平面图");

}  // namespace

QByteArray SvgBytes(const PlanDrawing& drawing) {
    const std::vector<SheetLayout> sheets = LayoutSheets(drawing);
    const double unit = kSvgDpi / 25.4;  // pixels per millimetre
    // The sheets one below the other, kSheetGapMm apart, as wide as the widest.
    double widthMm = 0, heightMm = 0;
    for (const SheetLayout& sheet : sheets) {
        widthMm = std::max(widthMm, sheet.widthMm);
        heightMm += (heightMm > 0 ? kSheetGapMm : 0) + sheet.heightMm;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setTitle(kTitle);
    svg.setResolution(kSvgDpi);
    const QSize size(static_cast<int>(std::lround(widthMm * unit)), static_cast<int>(std::lround(heightMm * unit)));
    svg.setSize(size);
    svg.setViewBox(QRectF(0, 0, size.width(), size.height()));
    QPainter painter(&svg);
    double topMm = 0;
    for (const SheetLayout& sheet : sheets) {
        painter.save();
        painter.translate(0, topMm * unit);
        PaintSheet(painter, ClippedTo(drawing, sheet.window()), sheet, unit);
        painter.restore();
        topMm += sheet.heightMm + kSheetGapMm;
    }
    painter.end();
    return buffer.data();
}

QByteArray PdfBytes(const PlanDrawing& drawing) {
    const std::vector<SheetLayout> sheets = LayoutSheets(drawing);
    const auto pageOf = [](const SheetLayout& sheet) {
        return QPageLayout(QPageSize(QPageSize::A3), sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0));
    };
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(kTitle);
        pdf.setCreator(QStringLiteral("Tavrel"));
        pdf.setResolution(kPdfDpi);
        pdf.setPageLayout(pageOf(sheets.front()));
        QPainter painter(&pdf);
        for (std::size_t k = 0; k < sheets.size(); ++k) {
            if (k > 0) {
                // The layout set before a new page is that page's.
                pdf.setPageLayout(pageOf(sheets[k]));
                pdf.newPage();
            }
            PaintSheet(painter, ClippedTo(drawing, sheets[k].window()), sheets[k], kPdfDpi / 25.4);
        }
        painter.end();
    }
    return buffer.data();
}

}  // namespace tavrel::window
