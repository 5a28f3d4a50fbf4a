#include "about/Publisher.h"

#include <QDesktopServices>

namespace tavrel::about {

UrlOpener DesktopUrlOpener() {
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

}  // namespace tavrel::about
