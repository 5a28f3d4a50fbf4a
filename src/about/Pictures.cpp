#include "about/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tavrel::about {

namespace {
const QColor kBlue(0x1f, 0x5f, 0xa8);
const QColor kLightBlue(0x4a, 0x8f, 0xd8);

QPixmap Blank(QSize size) {
    QPixmap p(size);
    p.fill(Qt::transparent);
    return p;
}
}  // namespace

QPixmap BrandIcon(int size) {
    QPixmap p = Blank({size, size});
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(kBlue);
    g.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
    // Deck, arch and two piers.
    QPen pen(Qt::white, size * 0.08, Qt::SolidLine, Qt::RoundCap);
    g.setPen(pen);
    const double s = size;
    g.drawLine(QPointF(s * 0.12, s * 0.42), QPointF(s * 0.88, s * 0.42));
    QPainterPath arch;
    arch.moveTo(s * 0.2, s * 0.8);
    arch.quadTo(s * 0.5, s * 0.1, s * 0.8, s * 0.8);
    g.setBrush(Qt::NoBrush);
    g.drawPath(arch);
    g.drawLine(QPointF(s * 0.35, s * 0.42), QPointF(s * 0.35, s * 0.55));
    g.drawLine(QPointF(s * 0.65, s * 0.42), QPointF(s * 0.65, s * 0.55));
    return p;
}

QPixmap HeaderBackground(QSize size) {
    QPixmap p = Blank(size);
    QPainter g(&p);
    QLinearGradient grad(0, 0, size.width(), 0);
    grad.setColorAt(0, kBlue);
    grad.setColorAt(1, kLightBlue);
    g.fillRect(p.rect(), grad);
    return p;
}

QPixmap MinimisePicture(int size) {
    QPixmap p = Blank({size, size});
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    g.setBrush(QColor(0xe8, 0xe8, 0xe8));
    g.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 3, 3);
    g.fillRect(QRectF(size * 0.25, size * 0.62, size * 0.5, size * 0.12), QColor(0x30, 0x30, 0x30));
    return p;
}

QPixmap ExitPicture(int size) {
    QPixmap p = Blank({size, size});
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xc8, 0x32, 0x2d));
    g.drawRoundedRect(QRectF(0, 0, size, size), 3, 3);
    g.setPen(QPen(Qt::white, size * 0.12, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(size * 0.3, size * 0.3), QPointF(size * 0.7, size * 0.7));
    g.drawLine(QPointF(size * 0.7, size * 0.3), QPointF(size * 0.3, size * 0.7));
    return p;
}

}  // namespace tavrel::about
