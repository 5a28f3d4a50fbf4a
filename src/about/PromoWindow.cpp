#include "about/PromoWindow.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "about/ClickableLabel.h"
#include "about/EdgeDock.h"
#include "about/PageView.h"
#include "about/Pictures.h"
#include "about/Placement.h"

namespace tavrel::about {

QUrl PromoWindow::PublisherPage(PromoSide side) {
    return QUrl(kHomePage).resolved(QUrl(side == PromoSide::Left ? kLeftPromoPage : kRightPromoPage));
}

PromoWindow::PromoWindow(PromoSide side, UrlOpener opener, const QUrl& page, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      page_(new PageView(std::move(opener), this)),
      closeNote_(new ClickableLabel(QStringLiteral("双击此处关闭本窗口"), this)),
      minimise_(new ClickableLabel(this)),
      exit_(new ClickableLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("休息一下，马上回来！"));
    setObjectName(side == PromoSide::Left ? QStringLiteral("ad1frm") : QStringLiteral("adfrm"));
    page_->setObjectName(QStringLiteral("WebBrowser1"));
    closeNote_->setObjectName(QStringLiteral("Label1"));
    minimise_->setObjectName(QStringLiteral("Image1"));
    exit_->setObjectName(QStringLiteral("Image2"));

    const int icon = TwipsToPixels(270, logicalDpiY());
    minimise_->setPixmap(MinimisePicture(icon));
    minimise_->setToolTip(QStringLiteral("最小化"));
    minimise_->setCursor(Qt::PointingHandCursor);
    exit_->setPixmap(ExitPicture(icon));
    exit_->setToolTip(QStringLiteral("退出程序"));
    exit_->setCursor(Qt::PointingHandCursor);
    closeNote_->setStyleSheet(QStringLiteral("color:#666"));
    closeNote_->setToolTip(QStringLiteral("双击关闭本窗口，程序继续运行"));

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(closeNote_);
    bar->addStretch(1);
    bar->addWidget(minimise_);
    bar->addWidget(exit_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(page_, 1);
    column->addLayout(bar);

    setFixedSize(TwipsToPixels(kPromoWidthTwips, logicalDpiX()), TwipsToPixels(kPromoHeightTwips, logicalDpiY()));
    move(AtScreenSide(ScreenRect(*this), frameGeometry().size(),
                      side == PromoSide::Left ? ScreenSide::Left : ScreenSide::Right));

    connect(minimise_, &ClickableLabel::clicked, this, &QWidget::showMinimized);
    connect(exit_, &ClickableLabel::clicked, this, &PromoWindow::exitRequested);
    connect(closeNote_, &ClickableLabel::doubleClicked, this, &QWidget::close);

    dockStart_.setInterval(kDockStartMs);
    connect(&dockStart_, &QTimer::timeout, this, &PromoWindow::startDocking);
    dockTick_.setTimerType(Qt::PreciseTimer);
    connect(&dockTick_, &QTimer::timeout, this, &PromoWindow::dockTick);
    dockStart_.start();

    page_->load(page.isEmpty() ? PublisherPage(side) : page);
}

void PromoWindow::startDocking() {
    dockTick_.setInterval(kDockTickMs);
    if (!dockTick_.isActive()) dockTick_.start();
}

void PromoWindow::dockTick() {
    const QRect screen = ScreenRect(*this);
    const QPoint origin = screen.topLeft();
    const DockInput in{frameGeometry().translated(-origin), QCursor::pos() - origin, screen.size(), isMinimized(),
                       TwipsPerPixel(logicalDpiX())};
    const auto step = DockStep(in);
    if (!step) return;
    const QPoint target = step->topLeft + origin;
    if (target != pos()) move(target);
    if (step->reveal) show();
}

}  // namespace tavrel::about
