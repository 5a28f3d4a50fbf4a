#pragma once
// The result window "计算结果": the plan drawing of the last calculation, with buttons to fit it, to save it as
// DXF, SVG or PDF, to save the calculation's point file (CSV for total stations and CAD), and to open the workbook. It
// opens beside the main window after a calculation.
#include <QMargins>
#include <QRect>
#include <QString>
#include <QWidget>

#include <string>

#include "drawing/PlanDrawing.h"

class QLabel;
class QPushButton;

namespace tavrel::window {

class DesktopUi;
class PlanView;

// Where a window of `wanted` size goes beside the main window's frame, within the screen's available area: to
// its right when it fits there, else to its left, else on the roomier side narrowed to the room there (never
// below `narrowest`, the window's own least width with its frame), overlapping the main window only then. Top edge
// level with the main window's, moved up as far as needed to stay on the screen.
inline constexpr int kResultGap = 8;          // pixels between the two windows
inline constexpr int kNarrowestResult = 400;  // pixels
QRect PlaceBeside(const QRect& mainFrame, QSize wanted, const QRect& available, int narrowest = kNarrowestResult);

// The frame the desktop draws round a shown window (title bar, borders): its frame geometry less its own.
QMargins FrameMargins(const QWidget& window);

class ResultWindow : public QWidget {
    Q_OBJECT
public:
    ResultWindow(DesktopUi& ui, QWidget* parent = nullptr);

    // Shows a calculation's drawing, fitted; `workbook` is the workbook it wrote (the save dialogs start beside
    // it, under its name). The line under the buttons forgets where an earlier drawing was saved.
    void showResult(PlanDrawing drawing, const QString& workbook);
    // The point file (PointsFile) of the calculation shown, for the button that saves it; empty: none.
    void setPointFile(std::string csv);

    PlanView* view() const { return view_; }
    QString workbook() const { return workbook_; }
    QString note() const;  // the line under the buttons: where the last drawing was saved

public slots:
    void saveDxf();
    void saveSvg();
    void savePdf();
    void savePoints();
    void openWorkbook();

private:
    // Asks where to save, then writes the bytes `make` gives; reports a failure in a message.
    template <class Make>
    void save(const QString& title, const QString& filter, const QString& suffix, Make make);

    DesktopUi& ui_;
    PlanView* view_;
    QPushButton* workbookButton_;
    QPushButton* pointsButton_;
    QLabel* note_;
    QString workbook_;
    std::string points_;
};

}  // namespace tavrel::window
