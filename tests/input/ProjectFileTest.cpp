// The project file reader: what a good file names, and each fault of a bad one located by its line.
#include <gtest/gtest.h>

#include "common/TempFiles.h"
#include "common/TextFile.h"
#include "input/ProjectFile.h"

using namespace tavrel;
using namespace std::string_literals;
using tavrel::testing::TempDir;

namespace {

const std::filesystem::path kFolder = "/data/bridge";

// The form, every file (or "-") and the LandXML names, in one line.
std::string Summary(const ProjectFile& p) {
    std::string s(ProjectRoadFormName(p.form));
    for (const ProjectFileEntry& e : ProjectFileEntries())
        s += " " + ((p.*e.member) ? (p.*e.member)->path.string() : "-");
    return s + " [" + p.alignment + "|" + p.profAlign + "]";
}

}  // namespace

TEST(ProjectFileRead, GoodFilesNameTheFormTheFilesAndTheLandXmlChoice) {
    const struct {
        const char* name;
        std::string text;
        const char* summary;  // form, plan, chain breaks, profile, superelevation, LandXML, layout, names
    } rows[] = {
        {"main line as saved",
         "# c\n[road]\nmode = mainline\nplan = r.jdx\nchainbreaks = r.dl\nprofile = r.zdm\nsuperelevation = r.cg\n\n"
         "[bridge]\nlayout = b.txt\n",
         "mainline /data/bridge/r.jdx /data/bridge/r.dl /data/bridge/r.zdm /data/bridge/r.cg - /data/bridge/b.txt [|]"},
        {"byte-order mark, CR LF, comments, blanks, any case, no layout",
         "\xEF\xBB\xBF; 注释\r\n  [ ROAD ]\r\n\tMode=Straight \r\n#x = y\r\nChainBreaks= a.dl\r\nprofile =b.zdm\r\n"
         "superelevation = c.cg\r\n",
         "straight - /data/bridge/a.dl /data/bridge/b.zdm /data/bridge/c.cg - - [|]"},
        {"quotes keep blanks, # and ; belong to the value, sub and parent folders, absolute paths",
         "[bridge]\nlayout = \" 桥 1.txt \"\n[road]\nmode = interchange\nplan = ../roads/r #1.jdx\n"
         "profile = ./sub/../p;2.zdm\nsuperelevation = /srv/x.cg\n",
         "interchange /data/roads/r #1.jdx - /data/bridge/p;2.zdm /srv/x.cg - /data/bridge/ 桥 1.txt  [|]"},
        {"LandXML with its alignment and profile names",
         "[road]\nmode = landxml\nlandxml = 道路.xml\nalignment = 匝道 A\nprofalign = 设计线\n",
         "landxml - - - - /data/bridge/道路.xml - [匝道 A|设计线]"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Summary(ParseProjectFile(r.text, kFolder)), r.summary);
    }
}

TEST(ProjectFileRead, EachFaultIsAProjectFileErrorAtItsLine) {
    const std::string road = "[road]\nmode = straight\nchainbreaks = a.dl\nprofile = a.zdm\nsuperelevation = a.cg\n";
    struct Row {
        const char* name;
        std::string text;
        std::size_t line;     // 0: the file as a whole
        const char* message;  // a part of the message
    } rows[] = {
        {"GBK text", road + "[bridge]\nlayout = \xC7\xC5.txt\n", 7, "UTF-8"},
        {"NUL byte", road + "[bridge]\nlayout = a\0.txt\n"s, 7, "NUL"},
        {"a line of no kind", road + "layout bridge.txt\n", 6, "无法识别此行"},
        {"section without its bracket", "[road\n", 1, "方括号"},
        {"unknown section", road + "[pier]\n", 6, "未知的节“[pier]”"},
        {"repeated section", road + "[bridge]\n[Road]\n", 7, "节 [road] 重复（第 1 行已有）"},
        {"pair before any section", "mode = straight\n", 1, "之前应有节名"},
        {"unknown key", road + "zdm = a.zdm\n", 6, "[road] 节中没有键“zdm”；可用的键：mode、plan"},
        {"key of the other section", road + "[bridge]\nplan = a.jdx\n", 7, "[bridge] 节中没有键“plan”"},
        {"repeated key", road + "Profile = b.zdm\n", 6, "键“profile”重复（第 4 行已有）"},
        {"empty value", road + "[bridge]\nlayout = \n", 7, "键“layout”没有值"},
        {"unknown mode", "[road]\nchainbreaks = a.dl\nmode = curved\n", 3, "未知的道路形式“curved”"},
        {"no mode", "[bridge]\nlayout = b.txt\n", 0, "未写道路形式"},
        {"a file the mode needs is missing",
         "[road]\n\nmode = mainline\nchainbreaks = a.dl\nprofile = a.zdm\n"
         "superelevation = a.cg\n",
         3, "道路形式 mainline 需要平面资料，项目文件中没有键“plan”"},
        {"a file the mode does not read", road + "plan = a.jdx\n", 6, "道路形式 straight 不读平面资料（plan）"},
        {"a LandXML name outside landxml", road + "alignment = A\n", 6, "只有道路形式 landxml 才用键“alignment”"},
        {"a profile file on a LandXML road", "[road]\nmode = landxml\nlandxml = a.xml\nprofile = a.zdm\n", 4,
         "不读纵断面设计资料"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        try {
            ParseProjectFile(r.text, kFolder);
            ADD_FAILURE() << "accepted";
        } catch (const ProjectFileError& e) {
            EXPECT_EQ(e.title, "项目文件有误");
            EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
            ASSERT_EQ(e.where.has_value(), r.line > 0);
            if (r.line == 0) continue;
            EXPECT_EQ(e.where->line, r.line);
            // The location shows the line at fault (bytes that are not UTF-8 as '?').
            const std::string_view shown = SplitLines(r.text)[r.line - 1];
            if (IsUtf8(shown) && shown.find('\0') == std::string_view::npos) {
                EXPECT_EQ(e.where->text, shown);
            }
        }
    }
}

TEST(ProjectFileRead, FilesAreLookedForOnTheDiskAndTheFaultNamesTheProjectAndLine) {
    TempDir dir;
    dir.write("a.dl", "");
    const auto file = dir.write("p.tavrel",
                                "[road]\nmode = straight\nchainbreaks = a.dl\nprofile = a.zdm\n"
                                "superelevation = a.cg\n");
    EXPECT_NO_THROW(ReadProjectFile(file, /*checkFiles*/ false));
    const auto failure = [](const std::filesystem::path& f) {
        try {
            ReadProjectFile(f);
        } catch (const ProjectFileError& e) {
            return std::string(e.what()) + (e.where ? "\n" + LocationText(*e.where) : "");
        }
        return std::string("accepted");
    };
    EXPECT_EQ(failure(file), "项目文件中的纵断面设计资料不存在：" + (dir.path() / "a.zdm").string() +
                                 "\n位置: p.tavrel 第 4 行: profile = a.zdm");
    EXPECT_EQ(failure(dir.path() / "none.tavrel"),
              "项目文件不存在：" + (dir.path() / "none.tavrel").string() + "\n位置: none.tavrel");
}
