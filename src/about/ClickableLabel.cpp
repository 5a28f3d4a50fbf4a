#include "about/ClickableLabel.h"

#include <QMouseEvent>

namespace tavrel::about {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) event->accept();
    else QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mouseReleaseEvent(event);
    event->accept();
    // A release outside the label is a cancelled click, as on a push button.
    if (rect().contains(event->position().toPoint())) emit clicked();
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mouseDoubleClickEvent(event);
    event->accept();
    emit doubleClicked();
}

}  // namespace tavrel::about
