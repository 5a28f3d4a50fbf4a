#pragma once
// Failures inside the core. Core code throws; only the two commands turn these into messages.
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrel {

// Where in an input file a failure lies: the file's name (without its folder) and, when one line is at fault,
// its number in the file (1-based) and its text.
struct SourceLocation {
    std::string file;      // empty until the command that read the file names it
    std::size_t line = 0;  // 0: the file as a whole
    std::string text;      // the line as read (UTF-8)
};

// A file name or path as a message shows it: control characters written as escapes (\n, \r, \t, others \xHH), so
// that no name can break a message into lines or hide part of itself.
std::string ShownName(std::string_view name);

// The second line of a message about an input file: "位置: road.zdm 第 5 行: 1290 251.3 abc", the line's text
// cut to 60 characters; "位置: road.zdm 第 2 行（空行）" for a blank line; "位置: road.zdm" when the file as a
// whole is at fault.
std::string LocationText(const SourceLocation& where);

struct TavrelError : std::runtime_error {
    using std::runtime_error::runtime_error;
    std::optional<SourceLocation> where;  // set as the failure passes the reader and the command
    std::vector<std::string> why;         // lines after the location that say why (what the file seems to be)
    // Why the file named by `where` could not be read at all ("文件不存在"), shown after its name.
    std::string unreadable;
};

// No file was chosen, or the chosen path cannot be opened as a file (empty path, folder, no access):
// the command reports "读取文件被取消！".
struct InputCancelled : TavrelError {
    using TavrelError::TavrelError;
};

// The content of an input file does not fit its format (missing or non-numeric token, table overflow, bad
// encoding, a missing file): the command reports "数据文件格式有误或操作有误！".
struct FormatError : TavrelError {
    using TavrelError::TavrelError;
};

// Arithmetic that has no finite answer (division by zero, overflow, parallel lines, index past a table):
// reported like a format error.
struct CalcError : TavrelError {
    using TavrelError::TavrelError;
};

// A station text or a pier datum the user must correct. what() is the text shown to the user under `title`,
// with the error icon or none.
struct RejectedText : TavrelError {
    RejectedText(std::string title, const std::string& text, bool errorIcon = false)
        : TavrelError(text), title(std::move(title)), errorIcon(errorIcon) {}
    std::string title;
    bool errorIcon;
};

// Runs body(); a failure in it that says nothing of its place gets line `number` with `text`.
template <class Body>
decltype(auto) AtLine(std::size_t number, std::string_view text, Body&& body) {
    try {
        return body();
    } catch (TavrelError& e) {
        if (!e.where) e.where = SourceLocation{{}, number, std::string(text)};
        throw;
    }
}

// Runs body() for a record that came from line `line` of its file (0: not from a file); a failure in it that
// says nothing of its place gets that line (its text is filled in by whoever holds the file's text).
template <class Body>
decltype(auto) AtRecord(std::size_t line, Body&& body) {
    if (line == 0) return body();
    return AtLine(line, {}, std::forward<Body>(body));
}

// Runs body(); a failure in it gets the name of the file it happened in (the file's name, not its folder).
template <class Body>
decltype(auto) InFile(const std::filesystem::path& file, Body&& body) {
    try {
        return body();
    } catch (TavrelError& e) {
        if (!e.where) e.where = SourceLocation{};
        if (e.where->file.empty()) e.where->file = file.filename().string();
        throw;
    }
}

// An output file could not be written, or must not be (a target that is not a regular file, one of the run's
// own input files). what() is the message the user sees, in the program's words: the file and the reason.
struct WriteError : TavrelError {
    using TavrelError::TavrelError;
};

// x / 0 and overflow stop the command instead of producing inf or NaN.
inline double CheckedDiv(double num, double den) {
    if (den == 0.0) throw CalcError("division by zero");
    const double q = num / den;
    if (!std::isfinite(q)) throw CalcError("overflow");
    return q;
}

// A value that must be finite from here on (results, tables, anything written out).
inline double RequireFinite(double v, const char* what = "value") {
    if (!std::isfinite(v)) throw CalcError(std::string("non-finite ") + what);
    return v;
}

}  // namespace tavrel
