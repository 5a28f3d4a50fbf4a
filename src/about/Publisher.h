#pragma once
// The publisher's addresses and the texts of the about window. The host is a placeholder under example.com
// until the project has a site of its own.
#include <functional>

#include <QString>
#include <QUrl>

namespace tavrel::about {

inline const QString kHomePage = QStringLiteral("https://www.example.com/tavrel/");
inline const QString kAuthorMail = QStringLiteral("tavrel@example.com");
inline const QString kBrand = QStringLiteral("Tavrel 工作室");
inline const QString kSlogan = QStringLiteral("让桥梁计算更简单");
inline const QString kOrganisation = QStringLiteral("Tavrel 工作室");
inline const QString kAuthor = QStringLiteral("Tavrel 开发组");

// The program's version as the about window shows it: "V" and the build's version number ("V2.0").
QString VersionText();

// Download pages shown in the two promotion windows (relative to kHomePage).
inline const QString kLeftPromoPage = QStringLiteral("bdownload.htm");   // window at the left screen edge
inline const QString kRightPromoPage = QStringLiteral("gdownload.htm");  // window at the right screen edge

// Opens a web, mail or file address with whatever the desktop uses for it. Windows take one of these instead
// of calling the desktop themselves, so that tests can record the addresses and launch nothing.
using UrlOpener = std::function<void(const QUrl&)>;

// The desktop's own handler (QDesktopServices::openUrl); a failure is left to the desktop.
UrlOpener DesktopUrlOpener();

}  // namespace tavrel::about
