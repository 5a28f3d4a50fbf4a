#include "common/OutputFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "common/Errors.h"

namespace tavrel {

namespace {

// The reason of a failure as the user reads it.
std::string reasonOf(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT: return "磁盘已满";
        case EACCES:
        case EPERM: return "没有写入权限";
        case EROFS: return "磁盘为只读";
        case ENOENT:
        case ENOTDIR: return "文件夹不存在";
        case ENAMETOOLONG: return "文件名太长";
        case EISDIR: return "这是一个文件夹";
        case EIO: return "磁盘读写错误";
        case EPIPE:
        case EBADF: return "输出已被关闭";
        default: return "系统错误 " + std::to_string(error) + "：" + std::strerror(error);
    }
}

[[noreturn]] void fail(const std::filesystem::path& target, int error) {
    throw WriteError(WriteFailureText(target, error));
}

[[noreturn]] void refuse(const std::filesystem::path& target, const std::string& why) {
    throw WriteError("不能写入文件 " + ShownName(target.string()) + "：" + why + "！");
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Temporary files are named ".<target name>.<process id>-<counter>.tmp" in the target's folder: hidden, and
// saying what they belong to and which run made them.
std::string temporaryPrefix(const std::filesystem::path& target) { return "." + target.filename().string() + "."; }

// Removes the temporary files of the target that runs no longer alive left behind (a killed run).
void removeStaleTemporaries(const std::filesystem::path& target) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(target), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() + 4 || name.rfind(prefix, 0) != 0 || !name.ends_with(".tmp")) continue;
        const std::string tail = name.substr(prefix.size(), name.size() - prefix.size() - 4);  // "<pid>-<n>"
        const auto dash = tail.find('-');
        if (dash == std::string::npos || dash == 0) continue;
        char* end = nullptr;
        const long pid = std::strtol(tail.c_str(), &end, 10);
        if (end != tail.c_str() + dash || pid <= 0 || pid == ::getpid()) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;  // still running, or unknown
        std::error_code removeError;
        std::filesystem::remove(entry.path(), removeError);
    }
}

// A name for a temporary file of the target that no file of this process has had.
std::filesystem::path temporaryName(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    return folderOf(target) /
           (temporaryPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
}

constexpr int kTemporaryNameAttempts = 100;

std::filesystem::path createTemporaryBeside(const std::filesystem::path& target) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::filesystem::path tmp = temporaryName(target);
        // 0666 so that a new file gets the user's usual permissions (the umask applies).
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return tmp;
        }
        if (errno != EEXIST) fail(target, errno);
    }
    fail(target, EEXIST);
}

// The file actually written for `target` after the checks: a symbolic link is followed to its final target.
std::filesystem::path checkedTarget(const std::filesystem::path& target, const OutputRules& rules) {
    if (target.empty() || target.filename().empty()) refuse(target, "没有文件名");
    std::error_code ec;
    const auto link = std::filesystem::symlink_status(target, ec);
    std::filesystem::path file = target;
    if (!ec && std::filesystem::is_symlink(link)) {
        std::error_code resolveError;
        file = std::filesystem::canonical(target, resolveError);
        if (resolveError || !std::filesystem::is_regular_file(std::filesystem::status(file, resolveError)))
            refuse(target, "它是一个链接，指向的不是已有的普通文件");
    }
    const auto status = std::filesystem::status(file, ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        refuse(target, std::filesystem::is_directory(status) ? "这是一个文件夹" : "这不是普通文件");
    for (const std::filesystem::path& input : rules.inputs) {
        std::error_code sameError;
        if (std::filesystem::equivalent(file, input, sameError)) refuse(target, "这是本次读入的资料文件");
    }
    const auto folder = std::filesystem::status(folderOf(file), ec);
    if (ec || !std::filesystem::is_directory(folder)) fail(target, ENOENT);
    return file;
}

// Writes all of bytes to fd; the errno of the failure, or 0.
int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// Flushes the written file to the disk before it is renamed into place, so that a crash right after the rename
// cannot leave an empty or partial file under the target's name.
void syncToDisk(const std::filesystem::path& file, const std::filesystem::path& target) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail(target, errno);
    const int rc = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (rc != 0) fail(target, err);
}

// A replaced file keeps its permission bits: the new content gets those of the old file.
void keepPermissions(const std::filesystem::path& file, const std::filesystem::path& tmp,
                     const std::filesystem::path& target) {
    struct stat old {};
    if (::stat(file.c_str(), &old) != 0) return;  // a new file
    if (::chmod(tmp.c_str(), old.st_mode & 0777) != 0) fail(target, errno);
}

// The checked target with its new content complete and on the disk in a temporary file beside it.
OutputSet::Staged stage(const std::filesystem::path& target,
                        const std::function<void(const std::filesystem::path&)>& write, const OutputRules& rules) {
    const std::filesystem::path file = checkedTarget(target, rules);
    removeStaleTemporaries(file);
    const std::filesystem::path tmp = createTemporaryBeside(file);
    try {
        write(tmp);
        keepPermissions(file, tmp, target);
        syncToDisk(tmp, target);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(tmp, ec);
        throw;
    }
    return {target, file, tmp};
}

// A second name (a hard link) for a file about to be replaced, so that it can be put back; nullopt where the
// file system makes none.
std::optional<std::filesystem::path> keepOldFile(const std::filesystem::path& file) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::filesystem::path name = temporaryName(file);
        if (::link(file.c_str(), name.c_str()) == 0) return name;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

// Writes bytes into the file `tmp` made for target.
void writeBytes(const std::filesystem::path& tmp, const std::filesystem::path& target, std::string_view bytes) {
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) fail(target, errno);
    const int err = writeAll(fd, bytes);
    const int closeErr = ::close(fd) == 0 ? 0 : errno;
    if (err != 0) fail(target, err);
    if (closeErr != 0) fail(target, closeErr);
}

enum class Moved { Done, TargetExists };

// Renames the finished temporary file to the target. Without `replace`, an existing target is left alone and
// reported; the check and the rename are one step where the file system allows it.
Moved moveIntoPlace(const std::filesystem::path& tmp, const std::filesystem::path& file,
                    const std::filesystem::path& target, bool replace) {
    if (!replace) {
#ifdef RENAME_NOREPLACE
        if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) == 0) return Moved::Done;
        if (errno == EEXIST) return Moved::TargetExists;
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) fail(target, errno);
#endif
        // This file system cannot refuse an existing target by itself: check, then rename.
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return Moved::TargetExists;
    }
    if (::rename(tmp.c_str(), file.c_str()) != 0) fail(target, errno);
    return Moved::Done;
}

}  // namespace

void CheckOutputTarget(const std::filesystem::path& target, const OutputRules& rules) { checkedTarget(target, rules); }

std::string WriteFailureText(const std::filesystem::path& target, int error) {
    return "文件 " + ShownName(target.string()) + " 写入失败：" + reasonOf(error) + "！";
}

std::string StandardOutputFailureText(int error) { return "标准输出写入失败：" + reasonOf(error) + "！"; }

bool WriteOutputFileWith(const std::filesystem::path& target,
                         const std::function<void(const std::filesystem::path&)>& write, const OutputRules& rules) {
    const OutputSet::Staged staged = stage(target, write, rules);
    Moved moved = Moved::TargetExists;
    try {
        moved = moveIntoPlace(staged.temporary, staged.file, target, rules.replace);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(staged.temporary, ec);
        throw;
    }
    if (moved == Moved::TargetExists) {
        std::error_code ec;
        std::filesystem::remove(staged.temporary, ec);
    }
    return moved == Moved::Done;
}

bool WriteOutputFile(const std::filesystem::path& target, std::string_view bytes, const OutputRules& rules) {
    return WriteOutputFileWith(
        target, [&](const std::filesystem::path& tmp) { writeBytes(tmp, target, bytes); }, rules);
}

OutputSet::~OutputSet() {
    for (const Staged& s : staged_) {
        std::error_code ec;
        if (!s.temporary.empty()) std::filesystem::remove(s.temporary, ec);
    }
}

void OutputSet::add(const std::filesystem::path& target, std::string_view bytes) {
    addWith(target, [&](const std::filesystem::path& tmp) { writeBytes(tmp, target, bytes); });
}

void OutputSet::addWith(const std::filesystem::path& target,
                        const std::function<void(const std::filesystem::path&)>& write) {
    staged_.push_back(stage(target, write, rules_));
}

void OutputSet::publish() {
    struct Replaced {
        std::filesystem::path file;
        std::optional<std::filesystem::path> old;  // the old file under a second name
        bool existed = false;
    };
    std::vector<Replaced> done;
    try {
        for (Staged& s : staged_) {
            std::error_code ec;
            Replaced r{s.file, std::nullopt, std::filesystem::exists(std::filesystem::symlink_status(s.file, ec))};
            if (r.existed) r.old = keepOldFile(s.file);
            if (::rename(s.temporary.c_str(), s.file.c_str()) != 0) {
                const int error = errno;
                if (r.old) std::filesystem::remove(*r.old, ec);
                fail(s.target, error);
            }
            s.temporary.clear();
            done.push_back(std::move(r));
        }
    } catch (...) {
        // Back as it was, last replaced first.
        for (auto r = done.rbegin(); r != done.rend(); ++r) {
            std::error_code ec;
            if (r->old) std::filesystem::rename(*r->old, r->file, ec);
            else if (!r->existed) std::filesystem::remove(r->file, ec);
        }
        throw;
    }
    for (const Replaced& r : done) {
        std::error_code ec;
        if (r.old) std::filesystem::remove(*r.old, ec);
    }
    staged_.clear();
}

}  // namespace tavrel
