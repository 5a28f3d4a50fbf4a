#pragma once
// The main window (Form1): the mode controls, the initialise and calculate buttons, help, the publisher's
// page and exit. The window holds the program's state and is the commands' port: a button reads the mode
// from the controls and runs its command with the window as the port. It holds no geometry and reads no
// file itself.
#include <map>
#include <memory>

#include <QMainWindow>
#include <QPointer>
#include <QUrl>

#include "app/AppState.h"
#include "app/CalculationOutcome.h"
#include "app/CommandPort.h"
#include "app/window/RecentProjects.h"
#include "input/ProjectFile.h"

class QAction;
class QCheckBox;
class QLabel;
class QGroupBox;
class QMenu;
class QPushButton;
class QRadioButton;

namespace tavrel::about {
class PromoWindow;
}

namespace tavrel::window {

class DesktopUi;
class ElidedLabel;
class HelpWindow;
class ResultWindow;

// Client area of the window, without the status line (twips).
inline constexpr int kClientWidthTwips = 4020;
inline constexpr int kClientHeightTwips = 2850;

class MainWindow : public QMainWindow, public CommandPort {
    Q_OBJECT
public:
    explicit MainWindow(DesktopUi& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence, before the window is first shown: the two promotion windows (modeless), the help
    // file's path, then PlaceWindow.
    void start();

    RoadMode currentMode() const;
    const AppState& state() const { return state_; }

    // Where the promotion windows' pages are (the publisher's site unless set otherwise, before start()).
    void setPublisherSite(const QUrl& site) { publisherSite_ = site; }

    // The executable's folder (start() sets it again): the manual is looked for beside it, then in its
    // ../share/tavrel.
    void setHelpFolder(const QString& folder) { helpFolder_ = folder; }
    QString helpFilePath() const;
    HelpWindow* helpWindow() const;  // null until help was asked for
    // The result window "计算结果": null until a calculation succeeded.
    ResultWindow* resultWindow() const;

    // The full text of the status line (the line may show it shortened).
    QString statusText() const;

    // The project file open now (its absolute path), empty when none is: the road was loaded from it, and 计  算
    // takes the layout file it names without asking.
    QString projectFile() const { return projectFile_; }
    // The projects opened or saved last, newest first (the menu 最近的项目).
    QStringList recentProjects() const { return recent_.files(); }

    // What the command line names: a project file (*.tavrel) is opened; a road or layout file prepares the
    // next 初始化 to start there (its first dialog opens on that file or its namesake, 曲线斜交桥 ticked for a
    // plan file).
    void openFromCommandLine(const QString& file);

    // The lines below the buttons: the mode and the file names of the road now loaded, or "未读入道路资料"; after
    // a failed 初始化, a line saying the previous road data is still in use.
    QString loadedRoadText() const;

    // CommandPort
    std::optional<std::filesystem::path> askFile(DialogId id, std::string_view title, std::string_view filter) override;
    std::optional<std::size_t> chooseItem(ChoiceId id, std::string_view title, std::string_view prompt,
                                          const std::vector<std::string>& items) override;
    void showMessage(std::string_view title, std::string_view text, MessageIcon icon) override;
    void showWarnings(const std::vector<std::string>& warnings) override;
    void deliverWorkbook(const std::filesystem::path& xlsx) override;

public slots:
    void initialise();                          // Command4
    void calculate();                           // xpcmdbutton2
    void openProject();                         // 项目 > 打开项目: asks for the file
    bool openProjectFile(const QString& file);  // opens that project; true when its road was loaded
    void saveProject();                         // 项目 > 保存项目
    void showHelp();                            // xpcmdbutton5
    void showMoreSoftware();                    // xpcmdbutton3

signals:
    // The exit button, the window's close box or a promotion window's exit picture: end the program.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter or Return on a focused push button presses it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The steps of building the window: the client area with its controls placed in twips (returned), the
    // controls' behaviour, the line naming the loaded road below them, and the status line.
    QWidget* createControls();
    void connectControls();
    void createLoadedRoadLine(QWidget* client);
    void createStatusLine();
    void createProjectMenu();
    void setStatus(const QString& text, const QString& toolTip = {});
    void updateButtons();
    // The lines below the buttons; `failure` (when not empty) says what just failed while the old road stays.
    void showLoadedRoad(const QString& failure = {});
    // The project that now describes the loaded road (none: the road was loaded otherwise), in the title, the
    // lines below the buttons and the recent projects.
    void setProject(std::optional<ProjectFile> project, const QString& file);
    void showMode(RoadMode mode);
    void updateRecentMenu();
    // Where a file dialog opens: the file to preselect or the folder (see askFile).
    QString dialogStart(DialogId id) const;
    void rememberFolder(const QString& folder);
    // The result window with the drawing of a calculation just made; placed beside this window when it first
    // opens.
    void showResult(const CalculationOutcome& outcome);

    DesktopUi& ui_;
    AppState state_;
    QString helpFolder_;
    QUrl publisherSite_;
    std::map<DialogId, QString> lastFile_;  // each dialog opens at the file last chosen in it
    QString lastFolder_;                    // ... or else in the folder of the last file chosen (kept between runs)
    std::optional<QString> justChosen_;     // within one 初始化: the road file chosen just before
    std::optional<QString> startFile_;      // the file the command line named, for the next 初始化

    QGroupBox* modeFrame_;
    QRadioButton* mainLineOption_;
    QRadioButton* interchangeOption_;
    QRadioButton* landXmlOption_;  // LandXML
    QCheckBox* curvedSkewBox_;
    QPushButton* initialiseButton_;
    QPushButton* calculateButton_;  // xpcmdbutton2
    QPushButton* helpButton_;       // xpcmdbutton5
    QPushButton* moreButton_;       // xpcmdbutton3
    QPushButton* exitButton_;       // xpcmdbutton4
    ElidedLabel* status_;
    QLabel* loadedRoad_;
    QPointer<HelpWindow> help_;
    QPointer<ResultWindow> result_;
    QString lastWorkbook_;                // the workbook the last calculation wrote
    std::optional<ProjectFile> project_;  // the project the loaded road came from (or was saved as)
    QString projectFile_;
    std::optional<std::filesystem::path> lastLayout_;  // the layout file of the last calculation or project
    RecentProjects recent_;
    QAction* saveProjectAction_;
    QMenu* recentMenu_;
    QPointer<about::PromoWindow> rightPromo_;  // adfrm
    QPointer<about::PromoWindow> leftPromo_;   // ad1frm
};

}  // namespace tavrel::window
