#include "app/window/Help.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "about/Placement.h"

namespace tavrel::window {

namespace {
constexpr int kWidthTwips = 11400;
constexpr int kHeightTwips = 9600;
}  // namespace

QString HelpFilePath(const QString& folder) {
    const QString name = QString::fromLatin1(kHelpFileName);
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString HelpFileFor(const QString& programFolder) {
    const QString beside = HelpFilePath(programFolder);
    if (QFileInfo(beside).isFile()) return beside;
    const QString installed = HelpFilePath(QDir::cleanPath(programFolder + QStringLiteral("/../share/tavrel")));
    return QFileInfo(installed).isFile() ? installed : beside;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tavrel 帮助"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);

    // Back and forward through the pages and sections visited, as in a web browser.
    auto* back = new QPushButton(QStringLiteral("后退"), this);
    back->setObjectName(QStringLiteral("back"));
    auto* forward = new QPushButton(QStringLiteral("前进"), this);
    forward->setObjectName(QStringLiteral("forward"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 6, 6, 0);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(about::TwipsToPixels(kWidthTwips, logicalDpiX()), about::TwipsToPixels(kHeightTwips, logicalDpiY()));
    move(about::ThirdFromTop(about::ScreenRect(*this), size()));
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Esc and Ctrl+W close the window (the browser inside passes both on).
    if (event->key() == Qt::Key_Escape || (event->key() == Qt::Key_W && event->modifiers() == Qt::ControlModifier)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::showFile(const QString& path) {
    if (QFileInfo(path).isFile()) {
        browser_->setSource(QUrl::fromLocalFile(path));
        return;
    }
    browser_->setHtml(QStringLiteral("<h3>找不到帮助文件</h3><p>帮助文件应在：</p><p><code>%1</code></p>"
                                     "<p>请重新安装程序，或把 tavrel.html 放到程序所在的文件夹中。</p>")
                          .arg(path.toHtmlEscaped()));
}

}  // namespace tavrel::window
