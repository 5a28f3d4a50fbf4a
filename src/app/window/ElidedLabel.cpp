#include "app/window/ElidedLabel.h"

#include <QFontMetrics>

namespace tavrel::window {

void ElidedLabel::setFullText(const QString& text) {
    full_ = text;
    refresh();
}

QSize ElidedLabel::minimumSizeHint() const {
    // Any width will do: the text is shortened to fit.
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    refresh();
}

void ElidedLabel::refresh() {
    const int room = contentsRect().width() - 2 * margin() - 2 * qMax(indent(), 0);
    setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, qMax(room, 0)));
}

}  // namespace tavrel::window
