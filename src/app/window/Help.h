#pragma once
// The user manual: an HTML file beside the executable or in the installed share folder, shown in the program's
// own help window.
#include <QWidget>

class QKeyEvent;
class QTextBrowser;

namespace tavrel::window {

inline constexpr char kHelpFileName[] = "tavrel.html";

// The manual's path in `folder` (the executable's folder), with "/" as the separator: folder + "/tavrel.html",
// or folder + "tavrel.html" when the folder already ends in "/" (the root folder "/" gives "/tavrel.html").
QString HelpFilePath(const QString& folder);

// The manual the program in `programFolder` shows: the one beside it (a build tree, a copied program), else the
// one a package installs, programFolder/../share/tavrel (/usr/bin -> /usr/share/tavrel); when neither exists, the
// path beside the program, which the help window names as missing.
QString HelpFileFor(const QString& programFolder);

// A plain window around a text browser. Links inside the manual stay in the window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the manual at `path`, or a note naming the path when there is no such file.
    void showFile(const QString& path);
    QTextBrowser* browser() const { return browser_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* browser_;
};

}  // namespace tavrel::window
