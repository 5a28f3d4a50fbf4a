#include "app/window/MainWindow.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>

#include "about/AboutWindow.h"
#include "about/Placement.h"
#include "about/PromoWindow.h"
#include "about/Publisher.h"
#include "app/CalculateCommand.h"
#include "app/InitializeCommand.h"
#include "app/ProjectCommands.h"
#include "app/RunCommand.h"
#include "app/window/DesktopUi.h"
#include "app/window/ElidedLabel.h"
#include "app/window/FileFilter.h"
#include "app/window/Help.h"
#include "app/window/ResultWindow.h"
#include "drawing/BuildPlan.h"
#include "report/PointsFile.h"

namespace tavrel::window {

namespace {

QString FromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Paths cross between Qt and the core in the file system's own encoding.
std::filesystem::path ToPath(const QString& s) { return QFile::encodeName(s).toStdString(); }
QString FromPath(const std::filesystem::path& p) { return QFile::decodeName(QByteArray::fromStdString(p.native())); }

const QString kStartHint = QStringLiteral("请先初始化，读入道路资料。");
const QString kLoadedHint = QStringLiteral("道路资料已读入，可以计算。");
const QString kInitialiseFailed = QStringLiteral("初始化未完成，仍使用上次读入的道路资料。");
const QString kProjectFailed = QStringLiteral("项目未能打开，仍使用上次读入的道路资料。");
const QString kTitle = QStringLiteral("Tavrel V2.0");
const QString kProjectFilter = QStringLiteral("Tavrel 项目文件 (*.tavrel);;所有文件 (*)");
const QString kNotCalculatedHint = QStringLiteral("计算未完成，没有写出工作簿。");

// The last folder a file was chosen in, kept between runs of the program.
QSettings Settings() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tavrel", "tavrel"); }
const QString kLastFolderKey = QStringLiteral("dialogs/lastFolder");

// The extension of the files each dialog reads (the first of its filter after *.txt).
QString ExtensionOf(DialogId id) {
    switch (id) {
        case DialogId::PlanFile: return QStringLiteral("jdx");
        case DialogId::SuperelevationFile: return QStringLiteral("cg");
        case DialogId::ChainBreakFile: return QStringLiteral("dl");
        case DialogId::ProfileFile: return QStringLiteral("zdm");
        case DialogId::LandXmlFile: return QStringLiteral("xml");
        case DialogId::LayoutFile: break;
    }
    return QStringLiteral("txt");
}

// The alignment and profile read from a LandXML file, as the loaded-road line names them.
QString LandXmlRoadText(const ProjectData& p) {
    const QString profile = p.profile.points().empty() ? QStringLiteral("无纵断面")
                                                       : QStringLiteral("纵断面“%1”").arg(FromUtf8(p.landXmlProfile));
    return QStringLiteral("（路线“%1”，%2）").arg(FromUtf8(p.landXmlAlignment), profile);
}

QString ModeText(RoadMode mode) { return FromUtf8(std::string(ModeName(mode))); }

}  // namespace

MainWindow::MainWindow(DesktopUi& ui, QWidget* parent)
    : QMainWindow(parent),
      ui_(ui),
      helpFolder_(QCoreApplication::applicationDirPath()),
      publisherSite_(about::kHomePage) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kTitle);
    // The controls are set in 宋体 9 pt (InstallSongFace maps the face on systems without it).
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    setFont(font);

    QWidget* client = createControls();
    connectControls();
    client->setFixedSize(about::TwipsToPixels(kClientWidthTwips, client->logicalDpiX()),
                         about::TwipsToPixels(kClientHeightTwips, client->logicalDpiY()));
    createLoadedRoadLine(client);
    createStatusLine();
    createProjectMenu();
    lastFolder_ = Settings().value(kLastFolderKey).toString();

    // Enter on a focused button presses it (Qt's buttons take only the space bar outside dialogs).
    for (QPushButton* b : {initialiseButton_, calculateButton_, helpButton_, moreButton_, exitButton_})
        b->installEventFilter(this);

    // Fixed size from now on, so that PlaceWindow (before the first show) places the window's final size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    updateButtons();
}

QWidget* MainWindow::createControls() {
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

    modeFrame_ = named(new QGroupBox(QStringLiteral("初始化"), client), "Frame1");
    place(modeFrame_, 240, 240, 1935, 2415);
    // The three forms of a curved skew bridge one below the other, above the box that enables them.
    mainLineOption_ = named(new QRadioButton(QStringLiteral("交点法—主线"), modeFrame_), "Option3");
    place(mainLineOption_, 240, 300, 1575, 300);
    interchangeOption_ = named(new QRadioButton(QStringLiteral("积木法—互通"), modeFrame_), "Option4");
    place(interchangeOption_, 240, 630, 1455, 255);
    landXmlOption_ = named(new QRadioButton(QStringLiteral("LandXML文件"), modeFrame_), "Option5");
    place(landXmlOption_, 240, 960, 1635, 255);
    curvedSkewBox_ = named(new QCheckBox(QStringLiteral("曲线斜交桥"), modeFrame_), "Check4");
    place(curvedSkewBox_, 240, 1320, 1335, 255);
    initialiseButton_ = named(new QPushButton(QStringLiteral("  初始化"), modeFrame_), "Command4");
    place(initialiseButton_, 360, 1800, 1215, 375);

    calculateButton_ = named(new QPushButton(QStringLiteral("  计  算"), client), "xpcmdbutton2");
    place(calculateButton_, 2520, 360, 1215, 375);
    helpButton_ = named(new QPushButton(QStringLiteral("  帮  助"), client), "xpcmdbutton5");
    place(helpButton_, 2520, 960, 1215, 375);
    moreButton_ = named(new QPushButton(QStringLiteral("  更多软件"), client), "xpcmdbutton3");
    place(moreButton_, 2520, 1560, 1215, 375);
    exitButton_ = named(new QPushButton(QStringLiteral("  退  出"), client), "xpcmdbutton4");
    place(exitButton_, 2520, 2160, 1215, 375);
    return client;
}

void MainWindow::connectControls() {
    // Mode: the main line by intersection points is preselected; the forms only matter for a curved skew
    // bridge, so they are offered only while Check4 is ticked.
    mainLineOption_->setChecked(true);
    for (QRadioButton* o : {mainLineOption_, interchangeOption_, landXmlOption_}) o->setEnabled(false);
    connect(curvedSkewBox_, &QCheckBox::toggled, this, [this](bool ticked) {
        for (QRadioButton* o : {mainLineOption_, interchangeOption_, landXmlOption_}) o->setEnabled(ticked);
    });

    connect(initialiseButton_, &QPushButton::clicked, this, &MainWindow::initialise);
    connect(calculateButton_, &QPushButton::clicked, this, &MainWindow::calculate);
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::showHelp);
    connect(moreButton_, &QPushButton::clicked, this, &MainWindow::showMoreSoftware);
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::exitRequested);
}

void MainWindow::createLoadedRoadLine(QWidget* client) {
    // Below the buttons: which road is loaded, so that a calculation never runs on a road the user did not mean.
    loadedRoad_ = new QLabel(this);
    loadedRoad_->setObjectName(QStringLiteral("loadedRoad"));
    loadedRoad_->setWordWrap(true);
    loadedRoad_->setFixedWidth(client->width());
    const int margin = about::TwipsToPixels(240, client->logicalDpiX());
    loadedRoad_->setContentsMargins(margin, 0, margin, 4);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(client);
    column->addWidget(loadedRoad_);
    setCentralWidget(central);
}

void MainWindow::createStatusLine() {
    // The status line: hints on the workflow, then where the last workbook was written.
    status_ = new ElidedLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setContentsMargins(4, 0, 4, 0);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(status_, 1);
    setStatus(kStartHint);
    showLoadedRoad();
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

RoadMode MainWindow::currentMode() const {
    if (!curvedSkewBox_->isChecked()) return RoadMode::Straight;
    if (landXmlOption_->isChecked()) return RoadMode::LandXml;
    return mainLineOption_->isChecked() ? RoadMode::MainLine : RoadMode::Interchange;
}

QString MainWindow::helpFilePath() const { return HelpFileFor(helpFolder_); }

HelpWindow* MainWindow::helpWindow() const { return help_.data(); }

ResultWindow* MainWindow::resultWindow() const { return result_.data(); }

QString MainWindow::statusText() const { return status_->fullText(); }

QString MainWindow::loadedRoadText() const { return loadedRoad_->text(); }

void MainWindow::showLoadedRoad(const QString& failure) {
    const ProjectData& p = state_.project;
    QString text;
    QStringList paths;
    if (!state_.calculateEnabled) {
        text = QStringLiteral("未读入道路资料");
    } else {
        QStringList names;
        for (const auto& f : p.roadFiles) {
            names << FromPath(f.filename());
            paths << FromPath(f);
        }
        // A LandXML file holds several roads: name the one read.
        if (p.mode == RoadMode::LandXml && !names.isEmpty()) names.front() += LandXmlRoadText(p);
        text = QStringLiteral("道路资料（%1）：%2").arg(ModeText(p.mode), names.join(QStringLiteral("、")));
    }
    if (project_) {
        text += QStringLiteral("\n项目：") + QFileInfo(projectFile_).fileName();
        if (project_->layout)
            text += QStringLiteral("，计算使用垫石设置资料 ") + FromPath(project_->layout->path.filename());
        paths.prepend(projectFile_);
    }
    if (!failure.isEmpty() && state_.calculateEnabled) text += QLatin1Char('\n') + failure;
    loadedRoad_->setText(text);
    loadedRoad_->setToolTip(paths.join(QLatin1Char('\n')));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            if (button->isEnabled()) button->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setStatus(const QString& text, const QString& toolTip) {
    status_->setFullText(text);
    status_->setToolTip(toolTip);
}

void MainWindow::updateButtons() {
    calculateButton_->setEnabled(state_.calculateEnabled);
    saveProjectAction_->setEnabled(state_.calculateEnabled);
}

void MainWindow::initialise() {
    // A new 初始化: its first dialog opens where that dialog was last used, or at the file the command line named.
    justChosen_ = startFile_.value_or(QString());
    startFile_.reset();
    const bool loaded = InitializeCommand(state_, currentMode(), *this);
    justChosen_.reset();
    if (loaded) {
        setStatus(kLoadedHint);
        setProject(std::nullopt, {});  // a road of files chosen one by one: no project describes it
    }
    showLoadedRoad(loaded ? QString() : kInitialiseFailed);
    updateButtons();
}

void MainWindow::calculate() {
    // With a project open, its layout file answers the layout dialog.
    std::map<DialogId, std::filesystem::path> preset;
    if (project_ && project_->layout) preset[DialogId::LayoutFile] = project_->layout->path;
    PresetFilesPort port(*this, std::move(preset));
    const auto outcome = CalculateCommand(state_, currentMode(), port);
    if (outcome) lastLayout_ = outcome->layoutFile;
    updateButtons();
    // A failed calculation writes nothing: the line must not go on naming an earlier bridge's workbook.
    if (!outcome) setStatus(kNotCalculatedHint);
    if (outcome) showResult(*outcome);
}

void MainWindow::showResult(const CalculationOutcome& outcome) {
    std::optional<PlanDrawing> drawing;
    std::string points;
    RunCommand(*this, [&] {
        drawing = BuildPlanDrawing(outcome.road(), outcome.calculation);
        points = PointsFile(outcome.calculation);
    });
    if (!drawing) return;
    const bool opening = !result_;
    if (opening) result_ = new ResultWindow(ui_, this);
    result_->showResult(std::move(*drawing), lastWorkbook_);
    result_->setPointFile(std::move(points));
    if (opening) {
        // As tall as most of the screen: a bridge is often drawn north-south. The placement is of the window
        // with its frame; the new window has none yet, so it takes the frame the desktop put round this one.
        const QRect screenArea = screen()->availableGeometry();
        const QMargins frame = FrameMargins(*this);
        const QSize client(result_->width(), std::max(result_->height(), screenArea.height() * 85 / 100));
        // Never narrower than its controls allow: Qt would widen it past the planned place.
        const int narrowest =
            std::max(kNarrowestResult, result_->minimumSizeHint().width() + frame.left() + frame.right());
        const QRect at = PlaceBeside(frameGeometry(), client.grownBy(frame), screenArea, narrowest);
        result_->resize(at.size().shrunkBy(frame));
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

// Within one 初始化, each dialog after the first opens in the folder of the file just chosen, on the file there
// with the same base name and this dialog's own extension when there is one (road.dl -> road.zdm -> road.cg).
// The layout dialog opens in the folder of the road files loaded, on the layout file last chosen when it lies
// there. Otherwise a dialog opens on the file last chosen in it, or in the folder of the last file chosen.
QString MainWindow::dialogStart(DialogId id) const {
    const auto sameNameIn = [&](const QFileInfo& near) {
        const QString sibling =
            near.absoluteDir().filePath(near.completeBaseName() + QLatin1Char('.') + ExtensionOf(id));
        return QFileInfo(sibling).isFile() ? sibling : near.absolutePath();
    };
    if (justChosen_ && !justChosen_->isEmpty()) return sameNameIn(QFileInfo(*justChosen_));
    const auto last = lastFile_.find(id);
    if (id == DialogId::LayoutFile && state_.calculateEnabled && !state_.project.roadFiles.empty()) {
        const QString roadFolder = QFileInfo(FromPath(state_.project.roadFiles.back())).absolutePath();
        if (last != lastFile_.end() && QFileInfo(last->second).absolutePath() == roadFolder) return last->second;
        return roadFolder;
    }
    return last != lastFile_.end() ? last->second : lastFolder_;
}

void MainWindow::rememberFolder(const QString& folder) {
    lastFolder_ = folder;
    QSettings settings = Settings();
    settings.setValue(kLastFolderKey, folder);
}

std::optional<std::filesystem::path> MainWindow::askFile(DialogId id, std::string_view title, std::string_view filter) {
    const auto chosen = ui_.chooseFile(this, FromUtf8(title), QtFileFilter(filter), dialogStart(id));
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    lastFile_[id] = *chosen;
    if (justChosen_) justChosen_ = *chosen;
    rememberFolder(QFileInfo(*chosen).absolutePath());
    return ToPath(*chosen);
}

std::optional<std::size_t> MainWindow::chooseItem(ChoiceId, std::string_view title, std::string_view prompt,
                                                  const std::vector<std::string>& items) {
    QStringList shown;
    for (const std::string& item : items) shown << FromUtf8(item);
    const auto chosen = ui_.chooseItem(this, FromUtf8(title), FromUtf8(prompt), shown);
    if (!chosen || *chosen < 0) return std::nullopt;
    return static_cast<std::size_t>(*chosen);
}

void MainWindow::showMessage(std::string_view title, std::string_view text, MessageIcon icon) {
    // A message about the data belongs to this window: bring it to the front first.
    raise();
    activateWindow();
    ui_.showMessage(this, FromUtf8(title), FromUtf8(text), icon);
}

void MainWindow::showWarnings(const std::vector<std::string>& warnings) {
    // One box for all of them; a long list is cut so that the box stays on the screen.
    constexpr std::size_t kShown = 15;
    std::string text;
    for (std::size_t i = 0; i < warnings.size() && i < kShown; ++i) text += (i ? "\n" : "") + warnings[i];
    if (warnings.size() > kShown) text += "\n……另有 " + std::to_string(warnings.size() - kShown) + " 条提示";
    showMessage(kWarningTitle, text, MessageIcon::Information);
}

void MainWindow::deliverWorkbook(const std::filesystem::path& xlsx) {
    const QString path = FromPath(xlsx);
    lastWorkbook_ = path;
    setStatus(QStringLiteral("结果：") + path, path);
    if (!ui_.openUrl(QUrl::fromLocalFile(path)))
        ui_.showMessage(this, QStringLiteral("提示"), WorkbookNotOpenedText(path), MessageIcon::Information);
}

void MainWindow::createProjectMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("项目(&P)"));
    menu->setObjectName(QStringLiteral("projectMenu"));
    QAction* open = menu->addAction(QStringLiteral("打开项目(&O)…"), this, &MainWindow::openProject);
    open->setObjectName(QStringLiteral("openProject"));
    open->setShortcut(QKeySequence::Open);
    saveProjectAction_ = menu->addAction(QStringLiteral("保存项目(&S)…"), this, &MainWindow::saveProject);
    saveProjectAction_->setObjectName(QStringLiteral("saveProject"));
    saveProjectAction_->setShortcut(QKeySequence::Save);
    menu->addSeparator();
    recentMenu_ = menu->addMenu(QStringLiteral("最近的项目(&R)"));
    recentMenu_->setObjectName(QStringLiteral("recentProjects"));
    recentMenu_->setToolTipsVisible(true);
    // Menus are windows of their own: they take the controls' face only when given it.
    for (QMenu* m : {menu, recentMenu_}) m->setFont(font());
    updateRecentMenu();
}

void MainWindow::updateRecentMenu() {
    recentMenu_->clear();
    const QStringList& files = recent_.files();
    const QFontMetrics metrics(recentMenu_->font());
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString shown = metrics.elidedText(QDir::toNativeSeparators(files[i]), Qt::ElideMiddle, 400);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        entry->setToolTip(files[i]);
        // Queued: opening rebuilds this menu, which must not delete the action while it is being triggered.
        connect(
            entry, &QAction::triggered, this, [this, file = files[i]] { openProjectFile(file); }, Qt::QueuedConnection);
    }
    if (!files.isEmpty()) {
        recentMenu_->addSeparator();
        QAction* clear = recentMenu_->addAction(QStringLiteral("清除列表(&C)"));
        connect(
            clear, &QAction::triggered, this,
            [this] {
                recent_.clear();
                updateRecentMenu();
            },
            Qt::QueuedConnection);
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void MainWindow::openProject() {
    QString start = projectFile_;
    if (start.isEmpty()) start = recent_.files().isEmpty() ? lastFolder_ : recent_.files().constFirst();
    const auto chosen = ui_.chooseFile(this, QStringLiteral("打开项目"), kProjectFilter, start);
    if (chosen && !chosen->isEmpty()) openProjectFile(*chosen);
}

bool MainWindow::openProjectFile(const QString& file) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    auto project = OpenProjectCommand(state_, ToPath(absolute), *this);
    if (!project) {
        if (!QFileInfo::exists(absolute) && recent_.files().contains(absolute)) {
            recent_.remove(absolute);
            updateRecentMenu();
        }
        showLoadedRoad(kProjectFailed);
        updateButtons();
        return false;
    }
    showMode(state_.project.mode);
    startFile_.reset();
    lastLayout_.reset();
    if (project->layout) lastLayout_ = project->layout->path;
    // A later 初始化 or layout dialog opens on the project's files.
    for (const auto& [id, path] : DialogFilesOf(*project)) lastFile_[id] = FromPath(path);
    rememberFolder(QFileInfo(absolute).absolutePath());
    setProject(std::move(project), absolute);
    setStatus(kLoadedHint);
    showLoadedRoad();
    updateButtons();
    return true;
}

void MainWindow::saveProject() {
    if (!state_.calculateEnabled || state_.project.roadFiles.empty()) return;
    QString start = projectFile_;
    if (start.isEmpty()) {
        // A new project beside the road files, named after their folder (examples/mainline/mainline.tavrel).
        const QDir folder = QFileInfo(FromPath(state_.project.roadFiles.front())).absoluteDir();
        start = folder.filePath(folder.dirName() + QStringLiteral(".tavrel"));
    }
    const auto target =
        ui_.chooseSaveFile(this, QStringLiteral("保存项目"), kProjectFilter, start, QStringLiteral("tavrel"));
    if (!target || target->isEmpty()) return;
    const QString absolute = QFileInfo(*target).absoluteFilePath();
    if (!SaveProjectCommand(state_, lastLayout_, ToPath(absolute), *this)) return;
    setProject(ProjectOfRoad(state_.project, lastLayout_), absolute);
    setStatus(QStringLiteral("项目已保存：") + absolute, absolute);
    showLoadedRoad();
}

void MainWindow::setProject(std::optional<ProjectFile> project, const QString& file) {
    project_ = std::move(project);
    projectFile_ = project_ ? file : QString();
    setWindowTitle(project_ ? QFileInfo(file).fileName() + QStringLiteral(" - ") + kTitle : kTitle);
    if (!project_) return;
    recent_.add(file);
    updateRecentMenu();
}

void MainWindow::showMode(RoadMode mode) {
    curvedSkewBox_->setChecked(mode != RoadMode::Straight);
    if (mode == RoadMode::MainLine) mainLineOption_->setChecked(true);
    if (mode == RoadMode::Interchange) interchangeOption_->setChecked(true);
    if (mode == RoadMode::LandXml) landXmlOption_->setChecked(true);
}

void MainWindow::openFromCommandLine(const QString& file) {
    const QFileInfo info(file);
    const QString absolute = info.absoluteFilePath();
    if (info.suffix().compare(QStringLiteral("tavrel"), Qt::CaseInsensitive) == 0) {
        openProjectFile(absolute);
        return;
    }
    if (!info.isFile()) {
        showMessage(kErrorTitle, (QStringLiteral("文件不存在：") + absolute).toStdString(), MessageIcon::Error);
        return;
    }
    const QString suffix = info.suffix().toLower();
    if (suffix == QStringLiteral("jdx")) curvedSkewBox_->setChecked(true);  // a plan file: a curved skew bridge
    if (suffix == QStringLiteral("xml")) showMode(RoadMode::LandXml);
    if (suffix == QStringLiteral("txt")) lastFile_[DialogId::LayoutFile] = absolute;
    startFile_ = absolute;
    rememberFolder(info.absolutePath());
    setStatus(QStringLiteral("从 %1 开始初始化，请先选好道路形式。").arg(info.fileName()), absolute);
}

}  // namespace tavrel::window
