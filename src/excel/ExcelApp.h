#pragma once
// The spreadsheet session of this process (excelApp): one workbook that every calculation adds its sheets to,
// written to a file after each calculation, and the files this process has written.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <utility>

#include "excel/Workbook.h"

namespace tavrel {

class ExcelApp {
public:
    bool hasWorkbook() const { return workbook_.has_value(); }
    // Starts a new, empty workbook as the session's workbook.
    void startWorkbook() { workbook_.emplace(); }
    // The session's workbook; throws CalcError when none was started (ExcelConnect was never called).
    Workbook& workbook();
    const Workbook& workbook() const;

private:
    friend std::filesystem::path SaveWorkbookBeside(ExcelApp&, const std::filesystem::path&);
    friend void SaveWorkbookAs(ExcelApp&, const std::filesystem::path&);

    // What a file looked like when this process had just written it. A file that no longer matches (replaced or
    // saved again by someone else) is not this process's any more.
    struct FileIdentity {
        std::uintmax_t device = 0, inode = 0, size = 0;
        std::intmax_t modifiedSeconds = 0, modifiedNanoseconds = 0;
        friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
    };
    // The file's normalised path and identity now; nullopt when it cannot be examined (e.g. it does not exist).
    static std::optional<std::pair<std::filesystem::path, FileIdentity>> identify(const std::filesystem::path& file);
    bool wrote(const std::filesystem::path& file) const;
    void remember(const std::filesystem::path& file);

    std::optional<Workbook> workbook_;
    std::map<std::filesystem::path, FileIdentity> written_;  // key: the file's absolute, normalised path
};

// ExcelConnect: attaches to the session's workbook, or starts one when there is none yet. Afterwards the
// session has a workbook to write into.
void ExcelConnect(ExcelApp& excelApp);

// Writes the session's workbook beside the layout file as "<layout stem>.xlsx" and returns the path written.
// A file of that name that this process did not write is never replaced: the next free "<stem> (2).xlsx",
// "<stem> (3).xlsx", ... is taken instead; a file this process wrote there earlier (and nobody changed since)
// is rewritten in place. The file appears complete or not at all. Throws WorkbookWriteError on failure.
std::filesystem::path SaveWorkbookBeside(ExcelApp& excelApp, const std::filesystem::path& layoutFile);

// Writes the session's workbook exactly to `path`, replacing any file there (the user named it), with the same
// complete-or-nothing guarantee. Throws WorkbookWriteError on failure.
void SaveWorkbookAs(ExcelApp& excelApp, const std::filesystem::path& path);

}  // namespace tavrel
