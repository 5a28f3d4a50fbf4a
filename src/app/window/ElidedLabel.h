#pragma once
// A one-line label that keeps its whole text and shows it shortened in the middle ("/home/…/bridge.xlsx")
// when it does not fit, so that the start and the file name of a long path stay readable.
#include <QLabel>

namespace tavrel::window {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setFullText(const QString& text);
    QString fullText() const { return full_; }
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    QString full_;
};

}  // namespace tavrel::window
