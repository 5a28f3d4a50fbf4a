#include "excel/ExcelApp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "excel/XlsxFile.h"

namespace tavrel {

namespace {

constexpr int kMaxNumberedNames = 9999;  // "<stem> (2).xlsx" ... "<stem> (9999).xlsx", then give up

std::string systemError(const std::string& what, const std::filesystem::path& p) {
    return "cannot " + what + " " + p.string() + ": " + std::strerror(errno);
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// One spelling per file, so that the same file reached by two paths is recognised.
std::filesystem::path normalised(const std::filesystem::path& p) {
    std::error_code ec;
    std::filesystem::path n = std::filesystem::weakly_canonical(p, ec);
    if (ec) n = std::filesystem::absolute(p, ec).lexically_normal();
    return ec ? p.lexically_normal() : n;
}

bool existsOrDangles(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(p, ec));
}

// Creates an empty file with a fresh name in the target's folder (so the final rename stays on one file
// system) and returns its path. The name is hidden and says what it belongs to.
std::filesystem::path createTemporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = folderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path tmp =
            folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "-" +
                      std::to_string(counter++) + ".tmp");
        // 0666 so that the finished file gets the user's usual permissions (the umask applies).
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return tmp;
        }
        if (errno != EEXIST) throw WorkbookWriteError(systemError("create a file in", folder));
    }
    throw WorkbookWriteError("no free temporary name in " + folder.string());
}

// Flushes the written file to the disk before it is renamed into place, so that a crash right after the
// rename cannot leave an empty or partial file under the target's name.
void syncToDisk(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw WorkbookWriteError(systemError("reopen", file));
    const int rc = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (rc != 0) {
        errno = err;
        throw WorkbookWriteError(systemError("flush", file));
    }
}

enum class Moved { Done, TargetExists };

// Renames the finished temporary file to the target. Without `replace`, an existing target is left alone and
// reported; the check and the rename are one step where the file system allows it.
Moved moveIntoPlace(const std::filesystem::path& tmp, const std::filesystem::path& target, bool replace) {
    if (!replace) {
#ifdef RENAME_NOREPLACE
        if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return Moved::Done;
        if (errno == EEXIST) return Moved::TargetExists;
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
            throw WorkbookWriteError(systemError("write", target));
#endif
        // This file system cannot refuse an existing target by itself: check, then rename.
        if (existsOrDangles(target)) return Moved::TargetExists;
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) throw WorkbookWriteError(systemError("write", target));
    return Moved::Done;
}

// Writes the workbook to a temporary file beside the target and renames it there once complete. Returns false
// (and leaves nothing behind) when the target exists and `replace` is false. Never leaves a partial file.
bool writeCompleteFile(const Workbook& book, const std::filesystem::path& target, bool replace) {
    if (target.filename().empty()) throw WorkbookWriteError("no file name in " + target.string());
    if (book.sheets().empty()) throw WorkbookWriteError("the workbook has no sheet");
    const std::filesystem::path tmp = createTemporaryBeside(target);
    Moved moved = Moved::TargetExists;
    try {
        WriteXlsxFile(book, tmp);
        syncToDisk(tmp);
        moved = moveIntoPlace(tmp, target, replace);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(tmp, ec);
        throw;
    }
    if (moved == Moved::TargetExists) {
        std::error_code ec;
        std::filesystem::remove(tmp, ec);
    }
    return moved == Moved::Done;
}

}  // namespace

std::optional<std::pair<std::filesystem::path, ExcelApp::FileIdentity>> ExcelApp::identify(
    const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return std::nullopt;
    return std::pair{normalised(file),
                     FileIdentity{static_cast<std::uintmax_t>(st.st_dev), static_cast<std::uintmax_t>(st.st_ino),
                                  static_cast<std::uintmax_t>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec}};
}

bool ExcelApp::wrote(const std::filesystem::path& file) const {
    const auto now = identify(file);
    if (!now) return false;
    const auto it = written_.find(now->first);
    return it != written_.end() && it->second == now->second;
}

void ExcelApp::remember(const std::filesystem::path& file) {
    if (const auto now = identify(file)) written_[now->first] = now->second;
}

bool IsOpenInSpreadsheet(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    const std::filesystem::path folder = folderOf(file);
    return existsOrDangles(folder / (".~lock." + name + "#")) || existsOrDangles(folder / ("~$" + name));
}

std::filesystem::path SaveWorkbookBeside(ExcelApp& excelApp, const Workbook& book,
                                         const std::filesystem::path& layoutFile) {
    const std::string stem = layoutFile.stem().string();
    if (stem.empty()) throw WorkbookWriteError("no layout file name in " + layoutFile.string());
    const std::filesystem::path folder = folderOf(layoutFile);
    for (int k = 1; k <= kMaxNumberedNames; ++k) {
        const std::filesystem::path target =
            folder / (k == 1 ? stem + ".xlsx" : stem + " (" + std::to_string(k) + ").xlsx");
        if (IsOpenInSpreadsheet(target)) continue;
        const bool ours = excelApp.wrote(target);
        if (!ours && existsOrDangles(target)) continue;
        if (writeCompleteFile(book, target, ours)) {
            excelApp.remember(target);
            return target;
        }
    }
    throw WorkbookWriteError("no free workbook name beside " + layoutFile.string());
}

void SaveWorkbookAs(ExcelApp& excelApp, const Workbook& book, const std::filesystem::path& path) {
    writeCompleteFile(book, path, /*replace*/ true);
    excelApp.remember(path);
}

}  // namespace tavrel
