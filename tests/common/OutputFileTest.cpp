#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "common/Errors.h"
#include "common/OutputFile.h"
#include "common/TempFiles.h"

using namespace tavrel;
using tavrel::testing::TempDir;
namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The text of the WriteError that f throws ("" when it throws none).
template <class F>
std::string writeErrorOf(F f) {
    try {
        f();
    } catch (const WriteError& e) {
        return e.what();
    }
    return "";
}

// The id of a process that has ended.
pid_t deadProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

}  // namespace

TEST(OutputFile, ReplacesCompletelyAndLeavesNothingElse) {
    TempDir dir;
    const fs::path target = dir.write("out.json", "old");
    EXPECT_TRUE(WriteOutputFile(target, "new content"));
    EXPECT_EQ(contents(target), "new content");
    EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"out.json"});
    // Told not to replace, an existing file stays as it was.
    EXPECT_FALSE(WriteOutputFile(target, "other", OutputRules{{}, false}));
    EXPECT_EQ(contents(target), "new content");
    EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"out.json"});
}

TEST(OutputFile, UnsafeTargetsAreRefusedAndLeftAlone) {
    TempDir dir;
    const fs::path input = dir.write("road.zdm", "0 100 0\r\n");
    fs::create_directory(dir.path() / "folder");
    const fs::path fifo = dir.path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(dir.path() / "nowhere.json", dir.path() / "dangling");
    fs::create_symlink(dir.path() / "folder", dir.path() / "to-folder");
    struct Row {
        const char* name;
        fs::path target;
        std::string reason;
    } rows[] = {
        {"a folder", dir.path() / "folder", "这是一个文件夹"},
        {"a FIFO", fifo, "这不是普通文件"},
        {"a device", "/dev/null", "这不是普通文件"},
        {"a link to nothing", dir.path() / "dangling", "指向的不是已有的普通文件"},
        {"a link to a folder", dir.path() / "to-folder", "指向的不是已有的普通文件"},
        {"one of the run's inputs", input, "这是本次读入的资料文件"},
        {"an input reached by another path", dir.path() / "folder" / ".." / "road.zdm", "这是本次读入的资料文件"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string text = writeErrorOf([&] { WriteOutputFile(r.target, "x", OutputRules{{input}, true}); });
        EXPECT_EQ(text.rfind("不能写入文件 " + r.target.string() + "：", 0), 0u) << text;
        EXPECT_NE(text.find(r.reason), std::string::npos) << text;
    }
    EXPECT_EQ(contents(input), "0 100 0\r\n");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"dangling", "folder", "pipe", "road.zdm", "to-folder"}));
}

TEST(OutputFile, ALinkToARegularFileIsWrittenThroughAndStaysALink) {
    TempDir dir;
    const fs::path real = dir.write("real.json", "old");
    fs::create_symlink(real, dir.path() / "link.json");
    WriteOutputFile(dir.path() / "link.json", "new");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.json"));
    EXPECT_EQ(contents(real), "new");
}

TEST(OutputFile, FailuresNameTheFileAndTheReason) {
    TempDir dir;
    const fs::path missing = dir.path() / "missing" / "out.json";
    EXPECT_EQ(writeErrorOf([&] { WriteOutputFile(missing, "x"); }),
              "文件 " + missing.string() + " 写入失败：文件夹不存在！");
    if (::geteuid() != 0) {  // root writes anywhere
        fs::create_directory(dir.path() / "locked");
        fs::permissions(dir.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        const fs::path locked = dir.path() / "locked" / "out.json";
        EXPECT_NE(writeErrorOf([&] { WriteOutputFile(locked, "x"); }).find("没有写入权限"), std::string::npos);
        fs::permissions(dir.path() / "locked", fs::perms::owner_all);
    }
}

TEST(OutputFile, ControlCharactersOfNamesAreShownEscapedSoEveryMessageStaysOneLine) {
    TempDir dir;
    const fs::path missing = dir.path() / "no\rfolder" /
                             "a\nb\tc\x1B"
                             "d.json";
    EXPECT_EQ(writeErrorOf([&] { WriteOutputFile(missing, "x"); }),
              "文件 " + dir.path().string() + "/no\\rfolder/a\\nb\\tc\\x1Bd.json 写入失败：文件夹不存在！");
    EXPECT_EQ(LocationText({"a\nb.zdm", 3, "1 2\t3"}), "位置: a\\nb.zdm 第 3 行: 1 2 3");
    EXPECT_EQ(ShownName("桥\x7F台"), "桥\\x7F台");
}

TEST(OutputFile, AReplacedFileKeepsItsPermissions) {
    TempDir dir;
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                                 fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read}) {
        const fs::path target = dir.write("out.json", "old");
        fs::permissions(target, mode);
        WriteOutputFile(target, "new");
        EXPECT_EQ(contents(target), "new");
        EXPECT_EQ(fs::status(target).permissions(), mode);
    }
}

TEST(OutputSet, TheOutputsOfARunArePublishedAllOrNone) {
    TempDir dir;
    const fs::path kept = dir.write("a.json", "old"), sub = dir.path() / "sub", fresh = sub / "b.dxf";
    const auto state = [&] { return contents(kept) + "|" + (fs::exists(fresh) ? contents(fresh) : "none"); };
    // Refused while adding: nothing is written. The second rename fails (its folder went): the first is put back.
    for (const bool atPublish : {false, true}) {
        fs::create_directory(sub);
        OutputSet set;
        set.add(kept, "new a");
        if (atPublish) {
            set.add(fresh, "new b");
            fs::remove_all(sub);
        }
        EXPECT_FALSE(writeErrorOf([&] { atPublish ? set.publish() : set.add(sub, "x"); }).empty());
    }
    EXPECT_EQ(state(), "old|none");
    fs::create_directory(sub);
    OutputSet set;
    set.add(kept, "new a");
    set.add(fresh, "new b");
    set.publish();
    EXPECT_EQ(state(), "new a|new b");
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"a.json", "sub"}));
    EXPECT_EQ(listing(sub), std::vector<std::string>{"b.dxf"});
}

TEST(OutputFile, TemporariesOfAKilledRunGoNextTimeThoseOfLiveRunsStay) {
    TempDir dir;
    const std::string dead = ".out.json." + std::to_string(deadProcess()) + "-3.tmp";
    const std::string alive = ".out.json." + std::to_string(::getppid()) + "-0.tmp";
    dir.write(dead, "half");
    dir.write(alive, "busy");
    dir.write(".other.json.1-0.tmp", "someone else's");
    WriteOutputFile(dir.path() / "out.json", "done");
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{".other.json.1-0.tmp", alive, "out.json"}));
}

TEST(OutputFile, AFullDiskLeavesTheOldFileWhole) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    TempDir dir;
    const fs::path mnt = dir.path() / "small";
    fs::create_directory(mnt);
    if (::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "cannot mount a tmpfs here";
    {
        std::ofstream(mnt / "out.json") << "old results";
        const std::string big(200 * 1024, 'x');
        const std::string text = writeErrorOf([&] { WriteOutputFile(mnt / "out.json", big); });
        EXPECT_EQ(text, "文件 " + (mnt / "out.json").string() + " 写入失败：磁盘已满！");
        EXPECT_EQ(contents(mnt / "out.json"), "old results");
        EXPECT_EQ(listing(mnt), std::vector<std::string>{"out.json"});
    }
    ::umount(mnt.c_str());
}
