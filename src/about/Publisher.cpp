#include "about/Publisher.h"

#include <QDesktopServices>

namespace tavrel::about {

QString VersionText() { return QStringLiteral("V" TAVREL_VERSION); }

UrlOpener DesktopUrlOpener() {
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

}  // namespace tavrel::about
