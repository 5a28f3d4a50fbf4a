#pragma once
// The plan drawing on screen: the mouse wheel zooms about the cursor, dragging pans, fitToView shows the whole
// drawing, and hovering over a pedestal shows what it is.
#include <optional>

#include <QWidget>

#include "app/window/PlanPainter.h"
#include "drawing/PlanDrawing.h"

namespace tavrel::window {

class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(QWidget* parent = nullptr);

    // Shows a new drawing, fitted to the view.
    void setDrawing(PlanDrawing drawing);
    const PlanDrawing& drawing() const { return drawing_; }
    const PlanMapping& mapping() const { return mapping_; }

    // The whole drawing in the view, north up; it stays fitted while the view is resized until the user zooms or
    // pans.
    void fitToView();
    // Zooms by `factor` (> 1: in) keeping the plan point under `pos` where it is.
    void zoomAt(QPointF pos, double factor);
    // Moves the drawing by `delta` device pixels.
    void panBy(QPointF delta);

    // The tooltip for a position: the summary of the pedestal under it, or empty.
    QString toolTipAt(QPoint pos) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double fittedScale() const;

    PlanDrawing drawing_;
    PlanMapping mapping_;
    bool fitted_ = true;
    std::optional<QPointF> dragFrom_;
};

}  // namespace tavrel::window
