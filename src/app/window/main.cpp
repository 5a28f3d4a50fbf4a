// The desktop program: the main window with its promotion windows.
#include <clocale>

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "app/window/DesktopUi.h"
#include "app/window/Fonts.h"
#include "app/window/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(TAVREL_VERSION));
    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral("Tavrel: bearing pedestal elevations of a bridge"));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("file"),
                                    QStringLiteral("a project file (*.tavrel) to open, or a road or layout file "
                                                   "for the first dialog of 初始化"),
                                    QStringLiteral("[file]"));
    arguments.process(app);
    // QApplication takes the user's locale for the C library too; the core and the workbook writer print and
    // read numbers with '.' as the decimal point whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    tavrel::window::InstallSongFace();
    // The program speaks Simplified Chinese: Qt's own texts (the file dialog's buttons and columns) too, where
    // Qt's translations are installed (Debian: qt6-translations-l10n); otherwise they stay in English.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    tavrel::window::QtDesktopUi ui;
    tavrel::window::MainWindow window(ui);
    QObject::connect(&window, &tavrel::window::MainWindow::exitRequested, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.start();
    window.show();
    // The file named on the command line (the desktop's "Open with"), once the window is on the screen.
    if (const QStringList files = arguments.positionalArguments(); !files.isEmpty())
        QTimer::singleShot(0, &window, [&window, file = files.constFirst()] { window.openFromCommandLine(file); });
    return app.exec();
}
