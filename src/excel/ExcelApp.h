#pragma once
// The workbook files this process has written (excelApp), so that a later calculation may replace its own
// earlier file beside the layout, and never a file somebody else wrote or changed. Each calculation writes a
// workbook of its own (PedestalTables' ResultWorkbook).
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <utility>

#include "common/OutputFile.h"
#include "excel/Workbook.h"

namespace tavrel {

class ExcelApp {
private:
    friend std::filesystem::path SaveWorkbookBeside(ExcelApp&, const Workbook&, const std::filesystem::path&);
    friend void SaveWorkbookAs(ExcelApp&, const Workbook&, const std::filesystem::path&);

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

    std::map<std::filesystem::path, FileIdentity> written_;  // key: the file's absolute, normalised path
};

// True when a spreadsheet program holds `file` open: LibreOffice's lock file ".~lock.<name>#" or Excel's owner
// file "~$<name>" lies beside it.
bool IsOpenInSpreadsheet(const std::filesystem::path& file);

// Throws WriteError naming the file when a spreadsheet program holds it open (IsOpenInSpreadsheet): replacing it
// under the program would lose what the user edits there, or the program would save its copy over the new one.
void RefuseOpenWorkbook(const std::filesystem::path& file);

// Writes `book` beside the layout file as "<layout stem>.xlsx" and returns the path written. A file of that
// name is replaced only when this process wrote it, nobody changed it since and no spreadsheet program holds it
// open (IsOpenInSpreadsheet); otherwise the next free "<stem> (2).xlsx", "<stem> (3).xlsx", ... is taken. The
// file appears complete or not at all. Throws WorkbookWriteError on failure.
std::filesystem::path SaveWorkbookBeside(ExcelApp& excelApp, const Workbook& book,
                                         const std::filesystem::path& layoutFile);

// Writes `book` exactly to `path`, replacing any file there (the user named it) unless a spreadsheet program holds
// it open (RefuseOpenWorkbook), with the same complete-or-nothing guarantee. Throws WriteError or
// WorkbookWriteError on failure.
void SaveWorkbookAs(ExcelApp& excelApp, const Workbook& book, const std::filesystem::path& path);

// Adds `book` to the outputs of a run as the file `path` (the user named it; refused as by SaveWorkbookAs).
void AddWorkbook(OutputSet& outputs, const Workbook& book, const std::filesystem::path& path);

}  // namespace tavrel
