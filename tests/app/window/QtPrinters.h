#pragma once
// Readable GoogleTest failure output for the Qt value types the window tests compare.
#include <ostream>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QUrl>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QUrl& u, std::ostream* os) { *os << u.toString().toStdString(); }
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << '(' << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}
