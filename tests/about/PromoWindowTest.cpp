// The promotion windows: placement, topmost, pictures, timers, docking with the real cursor, and the light
// web view against a local server (offline it shows its note; it never waits long).
#include <gtest/gtest.h>
#include <QCursor>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "QtPrinters.h"
#include "WaitFor.h"
#include "about/PageView.h"
#include "about/Placement.h"
#include "about/PromoWindow.h"

using namespace tavrel::about;
using tavrel::testing::WaitFor;

namespace {

// Nothing listens on port 1 of the loopback address: the connection is refused at once.
const QUrl kRefused(QStringLiteral("http://127.0.0.1:1/gdownload.htm"));

// A one-page HTTP server on the loopback address. `reply` empty: accept and never answer.
class LocalHttp : public QObject {
public:
    explicit LocalHttp(QByteArray reply) : reply_(std::move(reply)) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                if (reply_.isEmpty()) continue;  // keep the socket open, say nothing
                connect(s, &QTcpSocket::readyRead, s, [s, r = reply_] {
                    s->readAll();
                    s->write(r);
                    s->disconnectFromHost();
                });
            }
        });
    }
    QUrl url(const char* path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(server_.serverPort()).arg(QLatin1String(path)));
    }

private:
    QTcpServer server_;
    QByteArray reply_;
};

struct Promo {
    explicit Promo(PromoSide side, const QUrl& page = kRefused)
        : window(new PromoWindow(
              side, [this](const QUrl& u) { opened.push_back(u); }, page)) {}
    ~Promo() { delete window.data(); }
    QWidget* part(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }

    std::vector<QUrl> opened;
    QPointer<PromoWindow> window;
};

}  // namespace

TEST(PromoWindow, StartsTopmostAtItsScreenEdgeUnderItsCaption) {
    Promo left(PromoSide::Left), right(PromoSide::Right);
    const QRect screen = ScreenRect(*left.window);
    for (Promo* p : {&left, &right}) {
        EXPECT_EQ(p->window->windowTitle(), QStringLiteral("休息一下，马上回来！"));
        EXPECT_TRUE(p->window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(p->window->y(), screen.y() + (screen.height() - p->window->height()) / 3);
    }
    EXPECT_EQ(left.window->x(), screen.x());
    EXPECT_EQ(right.window->x() + right.window->width(), screen.x() + screen.width());
    EXPECT_EQ(left.window->objectName(), QStringLiteral("ad1frm"));
    EXPECT_EQ(right.window->objectName(), QStringLiteral("adfrm"));
}

TEST(PromoWindow, EachSideShowsItsOwnDownloadPage) {
    EXPECT_EQ(PromoWindow::PublisherPage(PromoSide::Left),
              QUrl(QStringLiteral("https://www.example.com/tavrel/bdownload.htm")));
    EXPECT_EQ(PromoWindow::PublisherPage(PromoSide::Right),
              QUrl(QStringLiteral("https://www.example.com/tavrel/gdownload.htm")));
    Promo p(PromoSide::Right);
    EXPECT_EQ(p.window->pageView()->pageUrl(), kRefused);
}

TEST(PromoWindow, DockingStartsOnlyWhenTheFiveSecondTimerFires) {
    Promo p(PromoSide::Left);
    EXPECT_TRUE(p.window->dockStartTimer().isActive());
    EXPECT_EQ(p.window->dockStartTimer().interval(), 5000);
    EXPECT_FALSE(p.window->dockTimer().isActive());
    p.window->startDocking();
    EXPECT_TRUE(p.window->dockTimer().isActive());
    EXPECT_EQ(p.window->dockTimer().interval(), 1);
}

TEST(PromoWindow, TickHidesAWindowAtTheTopAndTheCursorBringsItBack) {
    Promo p(PromoSide::Right);
    PromoWindow& w = *p.window;
    w.show();
    const QRect screen = ScreenRect(w);
    w.move(screen.x() + 100, screen.y());
    const int frameHeight = w.frameGeometry().height();

    QCursor::setPos(screen.center() + QPoint(0, screen.height() / 4));  // well away from the window
    w.dockTick();
    EXPECT_EQ(w.pos(), QPoint(screen.x() + 100, screen.y() + 3 - frameHeight));

    QCursor::setPos(screen.x() + 150, screen.y() + 1);  // on the 3 px strip
    w.dockTick();
    EXPECT_EQ(w.pos(), QPoint(screen.x() + 100, screen.y() - 1));
}

TEST(PromoWindow, TickLeavesAWindowInTheMiddleAlone) {
    Promo p(PromoSide::Left);
    PromoWindow& w = *p.window;
    w.show();
    const QRect screen = ScreenRect(w);
    const QPoint middle = screen.topLeft() + QPoint(200, 200);
    w.move(middle);
    for (QPoint cursor : {screen.topLeft(), middle + QPoint(20, 20)}) {
        QCursor::setPos(cursor);
        w.dockTick();
        EXPECT_EQ(w.pos(), middle);
    }
}

TEST(PromoWindow, PicturesMinimiseAndEndTheProgram) {
    Promo p(PromoSide::Left);
    p.window->show();
    QSignalSpy exits(p.window.data(), &PromoWindow::exitRequested);
    QTest::mouseClick(p.part("Image1"), Qt::LeftButton);
    EXPECT_TRUE(p.window->isMinimized());
    EXPECT_EQ(exits.count(), 0);
    QTest::mouseClick(p.part("Image2"), Qt::LeftButton);
    EXPECT_EQ(exits.count(), 1);
}

TEST(PromoWindow, DoubleClickOnTheNoteUnloadsOnlyThisWindow) {
    Promo a(PromoSide::Left), b(PromoSide::Right);
    a.window->show();
    b.window->show();
    QTest::mouseClick(a.part("Label1"), Qt::LeftButton);
    EXPECT_TRUE(a.window->isVisible()) << "a single click does nothing";
    QTest::mouseDClick(a.part("Label1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(a.window.isNull());
    EXPECT_TRUE(b.window->isVisible());
}

TEST(PromoWindow, OfflineItShowsTheNoteAtOnceAndItsLinkGoesToTheOpener) {
    QElapsedTimer clock;
    clock.start();
    Promo p(PromoSide::Right);
    PageView* view = p.window->pageView();
    ASSERT_TRUE(WaitFor([&] { return view->state() == PageView::State::Offline; }));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("暂时无法打开网页")));
    EXPECT_TRUE(view->toPlainText().contains(kRefused.toString()));
    emit view->anchorClicked(kRefused);
    ASSERT_EQ(p.opened.size(), 1u);
    EXPECT_EQ(p.opened[0], kRefused);
}

TEST(PromoWindow, PageIsShownInTheCharsetItsServerNames) {
    // "下载页" in GBK.
    LocalHttp server(
        "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=GBK\r\n\r\n"
        "<html><body><p>\xCF\xC2\xD4\xD8\xD2\xB3</p><a href='more.htm'>more</a></body></html>");
    Promo p(PromoSide::Left, server.url("bdownload.htm"));
    PageView* view = p.window->pageView();
    ASSERT_TRUE(WaitFor([&] { return view->state() != PageView::State::Loading; }));
    EXPECT_EQ(view->state(), PageView::State::Shown);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("下载页"))) << view->toPlainText().toStdString();
    // Links are relative to the page and leave the view.
    emit view->anchorClicked(QUrl(QStringLiteral("more.htm")));
    ASSERT_EQ(p.opened.size(), 1u);
    EXPECT_EQ(p.opened[0], server.url("more.htm"));
    EXPECT_EQ(view->pageUrl(), server.url("bdownload.htm"));
}

TEST(PromoWindow, HttpErrorShowsTheNote) {
    LocalHttp server("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n<p>missing</p>");
    Promo p(PromoSide::Left, server.url("bdownload.htm"));
    PageView* view = p.window->pageView();
    ASSERT_TRUE(WaitFor([&] { return view->state() != PageView::State::Loading; }));
    EXPECT_EQ(view->state(), PageView::State::Offline);
}

TEST(PromoWindow, SilentServerEndsAtTheTransferTimeout) {
    LocalHttp server{QByteArray()};
    PageView view([](const QUrl&) {});
    QElapsedTimer clock;
    clock.start();
    view.load(server.url("gdownload.htm"), 300);
    ASSERT_TRUE(WaitFor([&] { return view.state() != PageView::State::Loading; }, 5000));
    EXPECT_EQ(view.state(), PageView::State::Offline);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 3000);
}
