#include "app/window/ResultWindow.h"

#include <algorithm>
#include <exception>

#include <QBoxLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "app/window/DesktopUi.h"
#include "app/window/DrawingExport.h"
#include "app/window/PlanView.h"
#include "common/Errors.h"
#include "drawing/DrawingFile.h"
#include "drawing/Dxf.h"

namespace tavrel::window {

namespace {

constexpr int kWantedWidth = 1100, kWantedHeight = 680;  // pixels, before the screen has its say

const QString kUsageNote = QStringLiteral("滚轮缩放，拖动平移，鼠标停在垫石上显示其数据。");

}  // namespace

QRect PlaceBeside(const QRect& mainFrame, QSize wanted, const QRect& available, int narrowest) {
    const int rightRoom = available.right() - mainFrame.right() - kResultGap;
    const int leftRoom = mainFrame.left() - available.left() - kResultGap;
    const int height = std::min(wanted.height(), available.height());
    narrowest = std::min(narrowest, available.width());
    int width = std::min(std::max(wanted.width(), narrowest), available.width());
    bool right = true;
    if (width <= rightRoom) {
        right = true;
    } else if (width <= leftRoom) {
        right = false;
    } else {
        right = rightRoom >= leftRoom;
        width = std::min(width, std::max(right ? rightRoom : leftRoom, narrowest));
    }
    int x = right ? mainFrame.right() + 1 + kResultGap : mainFrame.left() - kResultGap - width;
    x = std::clamp(x, available.left(), available.right() + 1 - width);
    const int y = std::clamp(mainFrame.top(), available.top(), available.bottom() + 1 - height);
    return {x, y, width, height};
}

QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

ResultWindow::ResultWindow(DesktopUi& ui, QWidget* parent) : QWidget(parent, Qt::Window), ui_(ui) {
    setObjectName(QStringLiteral("resultWindow"));
    setWindowTitle(QStringLiteral("计算结果"));
    resize(kWantedWidth, kWantedHeight);

    view_ = new PlanView(this);
    auto* fit = new QPushButton(QStringLiteral("全图"), this);
    fit->setObjectName(QStringLiteral("fitButton"));
    fit->setToolTip(QStringLiteral("显示整座桥"));
    auto* dxf = new QPushButton(QStringLiteral("保存 DXF"), this);
    dxf->setObjectName(QStringLiteral("saveDxfButton"));
    auto* svg = new QPushButton(QStringLiteral("保存 SVG"), this);
    svg->setObjectName(QStringLiteral("saveSvgButton"));
    auto* pdf = new QPushButton(QStringLiteral("保存 PDF"), this);
    pdf->setObjectName(QStringLiteral("savePdfButton"));
    pointsButton_ = new QPushButton(QStringLiteral("保存点文件"), this);
    pointsButton_->setObjectName(QStringLiteral("savePointsButton"));
    pointsButton_->setToolTip(QStringLiteral("垫石点和边线点的点名、X、Y、Z、桩号、偏距（CSV），供全站仪和 CAD 读入"));
    pointsButton_->setEnabled(false);
    workbookButton_ = new QPushButton(QStringLiteral("打开工作簿"), this);
    workbookButton_->setObjectName(QStringLiteral("openWorkbookButton"));
    note_ = new QLabel(kUsageNote, this);
    note_->setObjectName(QStringLiteral("note"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fit);
    buttons->addStretch(1);
    for (QPushButton* b : {dxf, svg, pdf, pointsButton_, workbookButton_}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    layout->addWidget(note_);

    connect(fit, &QPushButton::clicked, view_, &PlanView::fitToView);
    connect(dxf, &QPushButton::clicked, this, &ResultWindow::saveDxf);
    connect(svg, &QPushButton::clicked, this, &ResultWindow::saveSvg);
    connect(pdf, &QPushButton::clicked, this, &ResultWindow::savePdf);
    connect(pointsButton_, &QPushButton::clicked, this, &ResultWindow::savePoints);
    connect(workbookButton_, &QPushButton::clicked, this, &ResultWindow::openWorkbook);
}

void ResultWindow::showResult(PlanDrawing drawing, const QString& workbook) {
    workbook_ = workbook;
    workbookButton_->setEnabled(!workbook.isEmpty());
    note_->setText(kUsageNote);
    view_->setDrawing(std::move(drawing));
}

void ResultWindow::setPointFile(std::string csv) {
    points_ = std::move(csv);
    pointsButton_->setEnabled(!points_.empty());
}

QString ResultWindow::note() const { return note_->text(); }

template <class Make>
void ResultWindow::save(const QString& title, const QString& filter, const QString& suffix, Make make) {
    QString start;
    if (!workbook_.isEmpty()) {
        const QFileInfo wb(workbook_);
        start = wb.dir().filePath(wb.completeBaseName() + QLatin1Char('.') + suffix);
    }
    const auto chosen = ui_.chooseSaveFile(this, title, filter, start, suffix);
    if (!chosen || chosen->isEmpty()) return;
    const QString path = *chosen;
    try {
        const QByteArray bytes = make();
        WriteDrawingFile(QFile::encodeName(path).toStdString(),
                         std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        note_->setText(QStringLiteral("已保存：") + path);
    } catch (const WriteError& e) {
        ui_.showMessage(this, QStringLiteral("错误"), QString::fromUtf8(e.what()), MessageIcon::Error);
    } catch (const std::exception&) {
        ui_.showMessage(this, QStringLiteral("错误"), QStringLiteral("无法保存文件：") + path, MessageIcon::Error);
    }
}

void ResultWindow::saveDxf() {
    save(QStringLiteral("保存 DXF 图形"), QStringLiteral("DXF 图形 (*.dxf)"), QStringLiteral("dxf"),
         [this] { return QByteArray::fromStdString(DxfText(view_->drawing())); });
}

void ResultWindow::saveSvg() {
    save(QStringLiteral("保存 SVG 图形"), QStringLiteral("SVG 图形 (*.svg)"), QStringLiteral("svg"),
         [this] { return SvgBytes(view_->drawing()); });
}

void ResultWindow::savePdf() {
    save(QStringLiteral("保存 PDF 文件"), QStringLiteral("PDF 文件 (*.pdf)"), QStringLiteral("pdf"),
         [this] { return PdfBytes(view_->drawing()); });
}

void ResultWindow::savePoints() {
    if (points_.empty()) return;
    save(QStringLiteral("保存点文件"), QStringLiteral("点文件 CSV (*.csv)"), QStringLiteral("csv"),
         [this] { return QByteArray::fromStdString(points_); });
}

void ResultWindow::openWorkbook() {
    if (workbook_.isEmpty()) return;
    if (!QFileInfo(workbook_).isFile()) {
        ui_.showMessage(this, QStringLiteral("提示"),
                        QStringLiteral("找不到工作簿文件：\n") + QDir::toNativeSeparators(workbook_),
                        MessageIcon::Information);
        return;
    }
    if (!ui_.openUrl(QUrl::fromLocalFile(workbook_)))
        ui_.showMessage(this, QStringLiteral("提示"), WorkbookNotOpenedText(workbook_), MessageIcon::Information);
}

}  // namespace tavrel::window
