#include "app/window/PlanView.h"

#include <algorithm>
#include <cmath>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace tavrel::window {

namespace {

constexpr double kFitMargin = 0.94;      // share of the view the fitted drawing fills
constexpr double kWheelStep = 1.2;       // zoom of one wheel notch (120 units)
constexpr double kMostZoomedOut = 0.05;  // times the fitted scale
constexpr double kMostZoomedIn = 2000;   // pixels per metre: 0.5 mm a pixel
constexpr double kHoverPixels = 6;       // a pedestal answers the cursor this close, or within its circle
constexpr double kScreenMillimetre = 4;  // pixels for a sheet millimetre of line widths and dashes
constexpr double kNorthArrowPixels = 36;
constexpr double kLegibleEm = 8;  // pixels: the smallest text on screen, where it can be enlarged

}  // namespace

PlanView::PlanView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("planView"));
    setMinimumSize(240, 180);
    setCursor(Qt::OpenHandCursor);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
}

void PlanView::setDrawing(PlanDrawing drawing) {
    drawing_ = std::move(drawing);
    fitToView();
}

double PlanView::fittedScale() const {
    const PlanBox box = DrawingBox(drawing_);
    const double w = std::max(box.width(), 1e-3), h = std::max(box.height(), 1e-3);
    return kFitMargin * std::min(width() / w, height() / h);
}

void PlanView::fitToView() {
    mapping_.scale = fittedScale();
    mapping_.centre = DrawingBox(drawing_).centre();
    mapping_.deviceCentre = QPointF(width() / 2.0, height() / 2.0);
    fitted_ = true;
    update();
}

void PlanView::zoomAt(QPointF pos, double factor) {
    const Point under = mapping_.unmap(pos);
    const double fit = fittedScale();
    mapping_.scale = std::clamp(mapping_.scale * factor, fit * kMostZoomedOut, std::max(kMostZoomedIn, fit));
    // Put the plan point back under the cursor.
    mapping_.centre = {under.x + (pos.y() - mapping_.deviceCentre.y()) / mapping_.scale,
                       under.y - (pos.x() - mapping_.deviceCentre.x()) / mapping_.scale};
    fitted_ = false;
    update();
}

void PlanView::panBy(QPointF delta) {
    mapping_.centre = {mapping_.centre.x + delta.y() / mapping_.scale, mapping_.centre.y - delta.x() / mapping_.scale};
    fitted_ = false;
    update();
}

QString PlanView::toolTipAt(QPoint pos) const {
    double radius = kHoverPixels / mapping_.scale;
    for (const DrawnCircle& c : drawing_.circles) radius = std::max(radius, c.radius);
    const auto found = PedestalNear(drawing_, mapping_.unmap(pos), radius);
    if (!found) return {};
    const std::string s = PedestalSummary(drawing_, drawing_.pedestals[*found]);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

bool PlanView::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(e);
}

void PlanView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PenSizes pens;
    pens.unit = kScreenMillimetre;
    pens.cosmeticMin = 1;
    pens.smallestEm = kLegibleEm;
    PaintPlan(p, drawing_, mapping_, pens);
    PaintNorthArrow(p, QPointF(width() - 28, 10), kNorthArrowPixels);
}

void PlanView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (fitted_) {
        fitToView();
    } else {
        mapping_.deviceCentre = QPointF(width() / 2.0, height() / 2.0);
    }
}

void PlanView::wheelEvent(QWheelEvent* e) {
    const double notches = e->angleDelta().y() / 120.0;
    if (notches != 0) zoomAt(e->position(), std::pow(kWheelStep, notches));
    e->accept();
}

void PlanView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        dragFrom_ = e->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void PlanView::mouseMoveEvent(QMouseEvent* e) {
    if (dragFrom_ && (e->buttons() & Qt::LeftButton)) {
        panBy(e->position() - *dragFrom_);
        dragFrom_ = e->position();
    }
}

void PlanView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        dragFrom_.reset();
        setCursor(Qt::OpenHandCursor);
    }
}

}  // namespace tavrel::window
