// The user manual: where the program looks for it, that the build puts it there, that its contents links
// lead somewhere, and that every example file it shows is accepted by the program's own readers.
#include <algorithm>
#include <deque>
#include <map>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include "QtPrinters.h"
#include "app/InitializeCommand.h"
#include "app/window/Help.h"
#include "common/TextFile.h"
#include "input/LayoutFile.h"

using namespace tavrel;
using tavrel::window::HelpFileFor;
using tavrel::window::HelpFilePath;

namespace {

QString ReadManual(const QString& path = QStringLiteral(TAVREL_HELP_SOURCE)) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

// The example files of the manual: the text of each <pre data-format="...">, as a reader would see it.
std::map<QString, QString> ManualExamples() {
    static const QRegularExpression pre(QStringLiteral("<pre[^>]*data-format=\"([a-z-]+)\"[^>]*>(.*?)</pre>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    std::map<QString, QString> examples;
    for (const auto& m : pre.globalMatch(ReadManual())) {
        examples[m.captured(1)] =
            QTextDocumentFragment::fromHtml(QStringLiteral("<pre>") + m.captured(2) + QStringLiteral("</pre>"))
                .toPlainText();
    }
    return examples;
}

// Answers the commands' file dialogs with files in order; records any message.
struct FilesInOrder : CommandPort {
    std::deque<std::filesystem::path> files;
    std::vector<std::string> messages;
    std::optional<std::filesystem::path> askFile(DialogId, std::string_view, std::string_view) override {
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    void showMessage(std::string_view, std::string_view text, MessageIcon) override { messages.emplace_back(text); }
    void showWarnings(const std::vector<std::string>& shown) override {
        messages.insert(messages.end(), shown.begin(), shown.end());
    }
    void deliverWorkbook(const std::filesystem::path&) override {}
};

}  // namespace

TEST(HelpPath, FolderAndFileNameJoinWithOneSlash) {
    struct Row {
        const char* name;
        const char* folder;
        const char* path;
    } rows[] = {
        {"ordinary folder", "/opt/tavrel", "/opt/tavrel/tavrel.html"},
        {"root folder: no doubled slash", "/", "/tavrel.html"},
        {"folder given with its slash", "/opt/tavrel/", "/opt/tavrel/tavrel.html"},
        {"non-ASCII folder", "/home/工程师/桥梁 工具", "/home/工程师/桥梁 工具/tavrel.html"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(HelpFilePath(QString::fromUtf8(r.folder)), QString::fromUtf8(r.path));
    }
}

TEST(HelpPath, BesideTheProgramFirstThenTheInstalledShareFolder) {
    struct Row {
        const char* name;
        bool beside;
        bool installed;
        const char* found;  // relative to the prefix
    } rows[] = {
        {"build tree: beside the program", true, false, "bin/tavrel.html"},
        {"package: prefix/share/tavrel", false, true, "share/tavrel/tavrel.html"},
        {"both: the one beside wins", true, true, "bin/tavrel.html"},
        {"neither: the path beside, to be named as missing", false, false, "bin/tavrel.html"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("share/tavrel")));
        if (r.beside) QFile(root.filePath(QStringLiteral("bin/tavrel.html"))).open(QIODevice::WriteOnly);
        if (r.installed) QFile(root.filePath(QStringLiteral("share/tavrel/tavrel.html"))).open(QIODevice::WriteOnly);
        EXPECT_EQ(HelpFileFor(root.filePath(QStringLiteral("bin"))), root.filePath(QString::fromUtf8(r.found)));
    }
}

TEST(HelpManual, IsInstalledBesideTheProgram) {
    const QString installed = HelpFilePath(QStringLiteral(TAVREL_BUILD_ROOT));
    ASSERT_TRUE(QFile::exists(installed)) << installed.toStdString();
    EXPECT_EQ(ReadManual(installed), ReadManual());
}

TEST(HelpManual, EveryInPageLinkHasItsTarget) {
    const QString html = ReadManual();
    ASSERT_FALSE(html.isEmpty());
    QStringList targets;
    static const QRegularExpression name(QStringLiteral("<a name=\"([^\"]+)\""));
    for (const auto& m : name.globalMatch(html)) targets << m.captured(1);
    static const QRegularExpression href(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (const auto& m : href.globalMatch(html)) {
        ++links;
        EXPECT_TRUE(targets.contains(m.captured(1))) << m.captured(1).toStdString();
    }
    EXPECT_GE(links, 12);  // the contents list at least
}

TEST(HelpManual, ExamplesLoadAsAProjectInEveryMode) {
    const auto examples = ManualExamples();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::map<QString, std::filesystem::path> file;
    for (const auto& [format, text] : examples) {
        const QString path = dir.filePath(format + QStringLiteral(".txt"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        file[format] = QFile::encodeName(path).toStdString();
    }
    struct Row {
        const char* name;
        RoadMode mode;
        std::vector<const char*> files;
    } rows[] = {
        {"straight road", RoadMode::Straight, {"dl", "zdm", "cg"}},
        {"main line by intersection points", RoadMode::MainLine, {"jdx-points", "dl", "zdm", "cg"}},
        {"ramp by elements", RoadMode::Interchange, {"jdx-elements", "zdm", "cg"}},
        {"LandXML road", RoadMode::LandXml, {"landxml", "cg"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FilesInOrder port;
        for (const char* f : r.files) port.files.push_back(file[QString::fromLatin1(f)]);
        AppState state;
        EXPECT_TRUE(InitializeCommand(state, r.mode, port));
        EXPECT_TRUE(port.messages.empty()) << port.messages.front();
        EXPECT_TRUE(port.files.empty()) << "every example file was asked for";
    }

    // The layout example with the chain break of the chain-break example: every pier station lies after it.
    FilesInOrder port;
    port.files = {file["dl"], file["zdm"], file["cg"]};
    AppState state;
    ASSERT_TRUE(InitializeCommand(state, RoadMode::Straight, port));
    const PedestalLayout layout = ReadLayoutFile(examples.at("layout").toStdString(), state.project.chainBreaks);
    EXPECT_EQ(layout.skewAngle, 90);
    EXPECT_EQ(layout.pedestalDistances.size(), 6u);
    ASSERT_EQ(layout.piers.size(), 4u);
    EXPECT_EQ(layout.piers[1].stationShift, 0.5);
    EXPECT_EQ(layout.piers[3].sideMark, SideMark::Right);
}

// The manual says in which order the pedestal distances are written, and every layout it shows or names keeps
// that order: right to left, pedestal 1 at the most negative Distance (on the right).
TEST(HelpManual, ThePedestalOrderItStatesIsThatOfEveryExampleAndItNamesTheExamplesFolder) {
    const QString manual = ReadManual();
    EXPECT_TRUE(manual.contains(QStringLiteral("<b>从右到左</b>")));
    EXPECT_FALSE(manual.contains(QStringLiteral("从左到右")));
    EXPECT_TRUE(manual.contains(QStringLiteral("<code>examples</code> 文件夹")));
    std::map<std::string, std::string> layouts{{"the manual's", ManualExamples().at("layout").toStdString()}};
    for (const char* example : {"straight", "mainline", "interchange"})
        layouts[example] = ReadTextFile(std::string(TAVREL_EXAMPLES_DIR) + "/" + example + "/bridge.txt");
    for (const auto& [name, text] : layouts) {
        SCOPED_TRACE(name);
        const auto distances = ReadLayoutFile(text, ChainBreakTable{}).pedestalDistances;
        ASSERT_GE(distances.size(), 2u);
        EXPECT_TRUE(std::is_sorted(distances.begin(), distances.end()));
        EXPECT_LT(distances.front(), 0);
    }
}
