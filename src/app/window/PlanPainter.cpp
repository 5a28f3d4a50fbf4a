#include "app/window/PlanPainter.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace tavrel::window {

namespace {

// Dash patterns in sheet millimetres, as the DXF line types have them.
constexpr double kDashMm = 6, kDashGapMm = 2;
constexpr double kLongDashMm = 12, kDotMm = 0.5, kDotGapMm = 2;
// Texts are laid out in a face of this em size and scaled to their height, so that any size is exact.
constexpr double kLayoutEm = 100;
// Texts smaller than this (device units of em) are not drawn: they would be a smudge.
constexpr double kSmallestEm = 1.5;
// Arcs are painted as chords that stray less than this from them (device units).
constexpr double kArcChordDevice = 0.1;

QColor colourOf(DrawingLayer layer) {
    const LayerColour c = ColourOf(layer);
    return QColor(c.red, c.green, c.blue);
}

QPen penFor(const DrawnLine& line, const PenSizes& s) {
    const double w = std::max((line.heavy ? s.heavy : s.thin) * s.unit, s.cosmeticMin);
    QPen pen(colourOf(line.layer), w);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    const double u = s.unit / w;  // sheet millimetres in units of the pen's width
    if (line.style == LineStyle::Dashed) pen.setDashPattern({kDashMm * u, kDashGapMm * u});
    if (line.style == LineStyle::DashDot)
        pen.setDashPattern({kLongDashMm * u, kDotGapMm * u, kDotMm * u, kDotGapMm * u});
    return pen;
}

QFont layoutFont() {
    QFont f(DrawingFontFamily());
    f.setPixelSize(static_cast<int>(kLayoutEm));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// One text: anchored, turned to its reading direction, scaled from the layout size to its height.
void paintText(QPainter& p, const DrawnText& t, const PlanMapping& m, const PenSizes& s, const QFont& font,
               const QFontMetricsF& fm) {
    double em = t.height * kEmPerCapital * m.scale;
    if (em < kSmallestEm) return;
    if (em < s.smallestEm) em = std::min(s.smallestEm, 2 * em);
    const QString text = QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size()));
    const double width = fm.horizontalAdvance(text);
    const double capital = kLayoutEm / kEmPerCapital;
    const double x = t.hAlign == HAlign::Left ? 0 : t.hAlign == HAlign::Centre ? -width / 2 : -width;
    const double y = t.vAlign == VAlign::Baseline ? 0 : t.vAlign == VAlign::Middle ? capital / 2 : capital;
    p.save();
    p.translate(m.map(t.at));
    p.rotate(t.bearing * 180 / kPi - 90);
    p.scale(em / kLayoutEm, em / kLayoutEm);
    p.setFont(font);
    p.setPen(colourOf(t.layer));
    p.drawText(QPointF(x, y), text);
    p.restore();
}

}  // namespace

QString DrawingFontFamily() { return QStringLiteral("Noto Sans CJK SC"); }

void PaintPlan(QPainter& p, const PlanDrawing& d, const PlanMapping& m, const PenSizes& s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    for (const DrawnLine& line : d.lines) {
        const std::vector<Point> path = LinePath(line, kArcChordDevice / m.scale);
        QPolygonF poly;
        poly.reserve(static_cast<qsizetype>(path.size()));
        for (Point pt : path) poly << m.map(pt);
        p.setPen(penFor(line, s));
        p.drawPolyline(poly);
    }
    for (const DrawnCircle& c : d.circles) {
        p.setPen(QPen(colourOf(c.layer), std::max(s.thin * s.unit, s.cosmeticMin)));
        p.drawEllipse(m.map(c.centre), c.radius * m.scale, c.radius * m.scale);
    }
    p.setPen(Qt::NoPen);
    for (const DrawnPoint& pt : d.points) {
        p.setBrush(colourOf(pt.layer));
        const double r = std::max(0.35 * s.unit, s.cosmeticMin);
        p.drawEllipse(m.map(pt.at), r, r);
    }
    p.setBrush(Qt::NoBrush);
    const QFont font = layoutFont();
    const QFontMetricsF fm(font);
    for (const DrawnText& t : d.texts) paintText(p, t, m, s, font, fm);
    p.restore();
}

void PaintNorthArrow(QPainter& p, QPointF tip, double size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, std::max(size / 40, 1.0)));
    p.drawLine(tip, tip + QPointF(0, size));
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-0.18 * size, 0.4 * size));
    head.lineTo(tip + QPointF(0, 0.3 * size));
    head.closeSubpath();
    p.fillPath(head, Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF{tip, tip + QPointF(0.18 * size, 0.4 * size), tip + QPointF(0, 0.3 * size)});
    QFont f(DrawingFontFamily());
    f.setPixelSize(static_cast<int>(kLayoutEm));
    const QFontMetricsF fm(f);
    const double em = 0.35 * size;
    p.translate(tip + QPointF(0.3 * size, 0.45 * size));
    p.scale(em / kLayoutEm, em / kLayoutEm);
    p.setFont(f);
    p.drawText(QPointF(0, 0), QStringLiteral("N"));
    p.restore();
}

void PaintSheet(QPainter& p, const PlanDrawing& d, const SheetLayout& sheet, double unit) {
    p.save();
    p.fillRect(QRectF(0, 0, sheet.widthMm * unit, sheet.heightMm * unit), Qt::white);
    const QRectF frame(kSheetMarginMm * unit, kSheetMarginMm * unit, (sheet.widthMm - 2 * kSheetMarginMm) * unit,
                       (sheet.heightMm - 2 * kSheetMarginMm) * unit);
    const QRectF area(sheet.areaLeftMm * unit, sheet.areaTopMm * unit, sheet.areaWidthMm * unit,
                      sheet.areaHeightMm * unit);
    p.setPen(QPen(Qt::black, 0.35 * unit));
    p.drawRect(frame);
    p.drawLine(QPointF(frame.left(), area.top()), QPointF(frame.right(), area.top()));

    // Title strip: what it is and its scale on the left, the coordinates and the north arrow on the right.
    QFont f(DrawingFontFamily());
    f.setPixelSize(static_cast<int>(kLayoutEm));
    const QFontMetricsF fm(f);
    const double em = 4.5 * unit;  // 4.5 mm
    const double baseline = (kSheetMarginMm + kTitleStripMm / 2) * unit + em * 0.35;
    QString title = QStringLiteral("桥梁平面图　比例 1:%1").arg(sheet.scale, 0, 'f', 0);
    if (sheet.count > 1) title += QStringLiteral("　第 %1 张 共 %2 张").arg(sheet.number).arg(sheet.count);
    const QString note = d.surveyCoordinates ? QStringLiteral("坐标 X 向北、Y 向东，单位 m")
                                             : QStringLiteral("直线桥：局部坐标，单位 m");
    const auto text = [&](double left, const QString& s, bool alignRight) {
        p.save();
        const double w = fm.horizontalAdvance(s) * em / kLayoutEm;
        p.translate(alignRight ? left - w : left, baseline);
        p.scale(em / kLayoutEm, em / kLayoutEm);
        p.setFont(f);
        p.drawText(QPointF(0, 0), s);
        p.restore();
    };
    text(frame.left() + 4 * unit, title, false);
    text(frame.right() - 14 * unit, note, true);
    PaintNorthArrow(p, QPointF(frame.right() - 7 * unit, (kSheetMarginMm + 1.5) * unit), 9 * unit);

    p.setClipRect(area);
    PlanMapping m;
    m.scale = unit * 1000 / sheet.scale;
    m.centre = sheet.centre;
    m.deviceCentre = area.center();
    PenSizes pens;
    pens.unit = unit;
    PaintPlan(p, d, m, pens);
    p.restore();
}

}  // namespace tavrel::window
