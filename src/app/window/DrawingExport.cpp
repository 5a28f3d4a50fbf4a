#include "app/window/DrawingExport.h"

#include <cmath>

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
    const SheetLayout sheet = LayoutOnSheet(drawing);
    const double unit = kSvgDpi / 25.4;  // pixels per millimetre
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setTitle(kTitle);
    svg.setResolution(kSvgDpi);
    const QSize size(static_cast<int>(std::lround(sheet.widthMm * unit)),
                     static_cast<int>(std::lround(sheet.heightMm * unit)));
    svg.setSize(size);
    svg.setViewBox(QRectF(0, 0, size.width(), size.height()));
    QPainter painter(&svg);
    PaintSheet(painter, drawing, sheet, unit);
    painter.end();
    return buffer.data();
}

QByteArray PdfBytes(const PlanDrawing& drawing) {
    const SheetLayout sheet = LayoutOnSheet(drawing);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(kTitle);
        pdf.setCreator(QStringLiteral("Tavrel"));
        pdf.setResolution(kPdfDpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A3),
                                      sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
        QPainter painter(&pdf);
        PaintSheet(painter, drawing, sheet, kPdfDpi / 25.4);
        painter.end();
    }
    return buffer.data();
}

}  // namespace tavrel::window
