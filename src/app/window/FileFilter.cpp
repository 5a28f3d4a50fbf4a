#include "app/window/FileFilter.h"

#include <QStringList>

namespace tavrel::window {

QString QtFileFilter(std::string_view filter) {
    if (filter.empty()) return {};
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        // A description without a pattern part (a malformed filter) lists every file.
        QStringList patterns =
            i + 1 < parts.size() ? parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts) : QStringList{};
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        }
        patterns.removeAll(QString());
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        entries << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace tavrel::window
