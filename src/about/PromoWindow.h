#pragma once
// The two promotion windows: a small topmost window at the left or the right edge of the screen showing a
// download page of the publisher's site. They dock themselves to the screen edges (EdgeDock.h) once the start
// timer has fired, can be minimised, closed by a double click on their note, or end the whole program.
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "about/Publisher.h"

namespace tavrel::about {

class ClickableLabel;
class PageView;

inline constexpr int kDockStartMs = 5000;  // Timer2: docking starts this long after the window is made
inline constexpr int kDockTickMs = 1;      // Timer1: one docking step per tick
inline constexpr int kPromoWidthTwips = 3000;
inline constexpr int kPromoHeightTwips = 4200;

enum class PromoSide { Left, Right };  // the screen edge the window starts at

class PromoWindow : public QWidget {
    Q_OBJECT
public:
    // `page` empty: the publisher's download page for this side.
    PromoWindow(PromoSide side, UrlOpener opener, const QUrl& page = {}, QWidget* parent = nullptr);

    static QUrl PublisherPage(PromoSide side);

    PageView* pageView() const { return page_; }
    const QTimer& dockStartTimer() const { return dockStart_; }
    const QTimer& dockTimer() const { return dockTick_; }

public slots:
    // What the start timer does: run dockTick every kDockTickMs from now on.
    void startDocking();
    // One docking step with the real cursor position.
    void dockTick();

signals:
    void exitRequested();  // Image2: end the whole program

private:
    PageView* page_;
    ClickableLabel* closeNote_;  // Label1
    ClickableLabel* minimise_;   // Image1
    ClickableLabel* exit_;       // Image2
    QTimer dockStart_;           // Timer2
    QTimer dockTick_;            // Timer1
};

}  // namespace tavrel::about
