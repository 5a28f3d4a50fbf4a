#include "app/window/MainWindow.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>

#include "about/AboutWindow.h"
#include "about/Placement.h"
#include "about/PromoWindow.h"
#include "about/Publisher.h"
#include "app/CalculateCommand.h"
#include "app/InitializeCommand.h"
#include "app/RunCommand.h"
#include "app/window/DesktopUi.h"
#include "app/window/ElidedLabel.h"
#include "app/window/FileFilter.h"
#include "app/window/Help.h"
#include "app/window/ResultWindow.h"
#include "drawing/BuildPlan.h"

namespace tavrel::window {

namespace {

QString FromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Paths cross between Qt and the core in the file system's own encoding.
std::filesystem::path ToPath(const QString& s) { return QFile::encodeName(s).toStdString(); }
QString FromPath(const std::filesystem::path& p) { return QFile::decodeName(QByteArray::fromStdString(p.native())); }

const QString kStartHint = QStringLiteral("请先初始化，读入道路资料。");
const QString kLoadedHint = QStringLiteral("道路资料已读入，可以计算。");

}  // namespace

MainWindow::MainWindow(DesktopUi& ui, QWidget* parent)
    : QMainWindow(parent),
      ui_(ui),
      helpFolder_(QCoreApplication::applicationDirPath()),
      publisherSite_(about::kHomePage) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tavrel V2.0"));
    // The controls are set in 宋体 9 pt (InstallSongFace maps the face on systems without it).
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    setFont(font);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    const int dpiX = client->logicalDpiX(), dpiY = client->logicalDpiY();
    // Places a control at a rectangle given in twips (left, top, width, height), relative to its parent.
    auto place = [dpiX, dpiY](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(about::TwipsToPixels(left, dpiX), about::TwipsToPixels(top, dpiY),
                       about::TwipsToPixels(width, dpiX), about::TwipsToPixels(height, dpiY));
    };
    auto named = [](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };

    frame1_ = named(new QGroupBox(QStringLiteral("初始化"), client), "Frame1");
    place(frame1_, 240, 240, 1935, 2415);
    option3_ = named(new QRadioButton(QStringLiteral("交点法—主线"), frame1_), "Option3");
    place(option3_, 240, 360, 1575, 300);
    option4_ = named(new QRadioButton(QStringLiteral("积木法—互通"), frame1_), "Option4");
    place(option4_, 240, 840, 1455, 255);
    check4_ = named(new QCheckBox(QStringLiteral("曲线斜交桥"), frame1_), "Check4");
    place(check4_, 240, 1320, 1335, 255);
    command4_ = named(new QPushButton(QStringLiteral("  初始化"), frame1_), "Command4");
    place(command4_, 360, 1800, 1215, 375);

    calculateButton_ = named(new QPushButton(QStringLiteral("  计  算"), client), "xpcmdbutton2");
    place(calculateButton_, 2520, 360, 1215, 375);
    helpButton_ = named(new QPushButton(QStringLiteral("  帮  助"), client), "xpcmdbutton5");
    place(helpButton_, 2520, 960, 1215, 375);
    moreButton_ = named(new QPushButton(QStringLiteral("  更多软件"), client), "xpcmdbutton3");
    place(moreButton_, 2520, 1560, 1215, 375);
    exitButton_ = named(new QPushButton(QStringLiteral("  退  出"), client), "xpcmdbutton4");
    place(exitButton_, 2520, 2160, 1215, 375);

    // Mode: the main line by intersection points is preselected; the two forms only matter for a curved
    // skew bridge, so they are offered only while Check4 is ticked.
    option3_->setChecked(true);
    option3_->setEnabled(false);
    option4_->setEnabled(false);
    connect(check4_, &QCheckBox::toggled, this, [this](bool ticked) {
        option3_->setEnabled(ticked);
        option4_->setEnabled(ticked);
    });

    connect(command4_, &QPushButton::clicked, this, &MainWindow::initialise);
    connect(calculateButton_, &QPushButton::clicked, this, &MainWindow::calculate);
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::showHelp);
    connect(moreButton_, &QPushButton::clicked, this, &MainWindow::showMoreSoftware);
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::exitRequested);

    client->setFixedSize(about::TwipsToPixels(kClientWidthTwips, dpiX), about::TwipsToPixels(kClientHeightTwips, dpiY));
    setCentralWidget(client);

    // The status line: hints on the workflow, then where the last workbook was written.
    status_ = new ElidedLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setContentsMargins(4, 0, 4, 0);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(status_, 1);
    setStatus(kStartHint);

    // Fixed size from now on, so that PlaceWindow (before the first show) places the window's final size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    updateButtons();
}

MainWindow::~MainWindow() {
    // The promotion windows are top-level windows of their own; they go with the main window.
    delete rightPromo_.data();
    delete leftPromo_.data();
}

void MainWindow::start() {
    const about::UrlOpener opener = [this](const QUrl& url) { ui_.openUrl(url); };
    const auto page = [this](about::PromoSide side) {
        return publisherSite_.resolved(QUrl(about::PromoWindow::PublisherPage(side).fileName()));
    };
    rightPromo_ = new about::PromoWindow(about::PromoSide::Right, opener, page(about::PromoSide::Right));
    rightPromo_->show();
    leftPromo_ = new about::PromoWindow(about::PromoSide::Left, opener, page(about::PromoSide::Left));
    leftPromo_->show();
    for (about::PromoWindow* w : {rightPromo_.data(), leftPromo_.data()})
        connect(w, &about::PromoWindow::exitRequested, this, &MainWindow::exitRequested);
    helpFolder_ = QCoreApplication::applicationDirPath();
    about::PlaceWindow(*this);
}

Mode MainWindow::currentMode() const { return Mode{check4_->isChecked(), option3_->isChecked()}; }

QString MainWindow::helpFilePath() const { return HelpFilePath(helpFolder_); }

HelpWindow* MainWindow::helpWindow() const { return help_.data(); }

ResultWindow* MainWindow::resultWindow() const { return result_.data(); }

QString MainWindow::statusText() const { return status_->fullText(); }

void MainWindow::setStatus(const QString& text, const QString& toolTip) {
    status_->setFullText(text);
    status_->setToolTip(toolTip);
}

void MainWindow::updateButtons() { calculateButton_->setEnabled(state_.calculateEnabled); }

void MainWindow::initialise() {
    if (InitializeCommand(state_, currentMode(), *this)) setStatus(kLoadedHint);
    updateButtons();
}

void MainWindow::calculate() {
    const Mode mode = currentMode();
    const auto result = CalculateCommand(state_, mode, *this);
    updateButtons();
    if (result) showResult(*result, mode);
}

void MainWindow::showResult(const CalculationResult& result, const Mode& mode) {
    std::optional<PlanDrawing> drawing;
    RunCommand(*this, [&] { drawing = BuildPlanDrawing(state_.project.road(mode.isCurvedSkewBridge), result); });
    if (!drawing) return;
    const bool opening = !result_;
    if (opening) result_ = new ResultWindow(ui_, this);
    result_->showResult(std::move(*drawing), lastWorkbook_);
    if (opening) {
        // As tall as most of the screen: a bridge is often drawn north-south.
        const QRect screenArea = screen()->availableGeometry();
        const QSize wanted(result_->width(), std::max(result_->height(), screenArea.height() * 85 / 100));
        const QRect at = PlaceBeside(frameGeometry(), wanted, screenArea);
        result_->resize(at.size());
        result_->move(at.topLeft());
    }
    result_->show();
    result_->raise();
}

void MainWindow::showHelp() {
    if (!help_) help_ = new HelpWindow(this);
    help_->showFile(helpFilePath());
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::showMoreSoftware() {
    ui_.openUrl(QUrl(about::kHomePage));
    about::AboutWindow about([this](const QUrl& url) { ui_.openUrl(url); }, this);
    ui_.runModal(about);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit exitRequested();
}

std::optional<std::filesystem::path> MainWindow::askFile(DialogId id, std::string_view title, std::string_view filter) {
    const auto last = lastFile_.find(id);
    const QString start = last != lastFile_.end() ? last->second : lastFolder_;
    const auto chosen = ui_.chooseFile(this, FromUtf8(title), QtFileFilter(filter), start);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    lastFile_[id] = *chosen;
    lastFolder_ = QFileInfo(*chosen).absolutePath();
    return ToPath(*chosen);
}

void MainWindow::showMessage(std::string_view title, std::string_view text, MessageIcon icon) {
    // A message about the data belongs to this window: bring it to the front first.
    raise();
    activateWindow();
    ui_.showMessage(this, FromUtf8(title), FromUtf8(text), icon);
}

void MainWindow::deliverWorkbook(const std::filesystem::path& xlsx) {
    const QString path = FromPath(xlsx);
    lastWorkbook_ = path;
    setStatus(QStringLiteral("结果：") + path, path);
    ui_.openUrl(QUrl::fromLocalFile(path));
}

}  // namespace tavrel::window
