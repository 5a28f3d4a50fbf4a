#pragma once
// Failures inside the core. Core code throws; only the two commands turn these into messages.
#include <cmath>
#include <stdexcept>
#include <string>

namespace tavrel {

struct TavrelError : std::runtime_error {
    using std::runtime_error::runtime_error;
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

// x / 0 and overflow stop the command instead of producing inf or NaN.
inline double checkedDiv(double num, double den) {
    if (den == 0.0) throw CalcError("division by zero");
    const double q = num / den;
    if (!std::isfinite(q)) throw CalcError("overflow");
    return q;
}

// A value that must be finite from here on (results, tables, anything written out).
inline double requireFinite(double v, const char* what = "value") {
    if (!std::isfinite(v)) throw CalcError(std::string("non-finite ") + what);
    return v;
}

}  // namespace tavrel
