#include "excel/ExcelApp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/Errors.h"
#include "common/OutputFile.h"
#include "excel/XlsxFile.h"

namespace tavrel {

namespace {

constexpr int kMaxNumberedNames = 9999;  // "<stem> (2).xlsx" ... "<stem> (9999).xlsx", then give up

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

// The writer of the workbook's file for `target`: a failure names the target and the reason.
std::function<void(const std::filesystem::path&)> workbookWriter(const Workbook& book,
                                                                 const std::filesystem::path& target) {
    if (book.sheets().empty()) throw WorkbookWriteError("the workbook has no sheet");
    return [&book, target](const std::filesystem::path& tmp) {
        try {
            WriteXlsxFile(book, tmp);
        } catch (const WorkbookWriteError& e) {
            throw WriteError(WriteFailureText(target, e.error));
        }
    };
}

// Writes the workbook to a temporary file beside the target and renames it there once complete (WriteOutputFile).
// Returns false (and leaves nothing behind) when the target exists and `replace` is false. Never leaves a partial
// file; a failure names the target and the reason.
bool writeCompleteFile(const Workbook& book, const std::filesystem::path& target, bool replace) {
    return WriteOutputFileWith(target, workbookWriter(book, target), OutputRules{{}, replace});
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

void RefuseOpenWorkbook(const std::filesystem::path& file) {
    if (IsOpenInSpreadsheet(file))
        throw WriteError("不能写入文件 " + ShownName(file.string()) + "：它已在电子表格程序中打开，请关闭后重试！");
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
    RefuseOpenWorkbook(path);
    writeCompleteFile(book, path, /*replace*/ true);
    excelApp.remember(path);
}

void AddWorkbook(OutputSet& outputs, const Workbook& book, const std::filesystem::path& path) {
    RefuseOpenWorkbook(path);
    outputs.addWith(path, workbookWriter(book, path));
}

}  // namespace tavrel
