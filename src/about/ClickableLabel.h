#pragma once
// A label (text or picture) that acts as a button: it reports single and double clicks of the left button.
// It takes the mouse events it handles, so a clickable label on a clickable label reports one click, not two.
#include <QLabel>

namespace tavrel::about {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace tavrel::about
