#pragma once
// Splitting record lines into tokens, and reading the delimited header fields at the top of a file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Errors.h"
#include "common/TextFile.h"

namespace tavrel {

// No record of any input file comes near this many values on one line; a line with more is a format error, so
// that a small file cannot ask for unbounded memory.
inline constexpr std::size_t kMaxTokensPerLine = 10000;

// Steps shared by every record line: trim blanks, turn tabs into blanks, fold each run of blanks, split at
// single blanks. An empty line gives no token; more than kMaxTokensPerLine tokens throw FormatError.
std::vector<std::string> SplitTokens(std::string_view line);

// TokenizeLine: the tokens of a record line, or nullopt for a terminator line (nothing but blanks and tabs),
// at which reading of the file stops.
std::optional<std::vector<std::string>> TokenizeLine(std::string_view line);

// A blank line that ended a file's records before its last non-blank line: reading stops there (stored files
// rely on it), and the user is told.
struct EarlyEnd {
    std::size_t line = 0;         // 1-based number of the blank line in the file
    std::size_t unreadLines = 0;  // non-blank lines after it, not read
};

// A token whose lenient reading left characters of it unread: the value read stands (stored files rely on it),
// and the user is told.
struct PartlyReadToken {
    std::size_t line = 0;    // 1-based number of its line in the file
    std::string token;       // as written
    std::string asRead;      // the part that gave the value, as the user would write it
    bool isStation = false;  // a station text (otherwise a plain number)
};

// The early end when reading stopped at lines[stop] (a terminator), numbering lines[0] as firstLine; nullopt
// when nothing but blank lines follow.
std::optional<EarlyEnd> EarlyEndAt(const std::vector<std::string_view>& lines, std::size_t stop, std::size_t firstLine);

// The record lines of a file: whole lines of the file, so that a message shows a line as it stands. A header
// may end inside lines[0]; its records then start at column firstColumn.
struct RecordLines {
    std::vector<std::string_view> lines;
    std::size_t firstLine = 1;    // the file's 1-based number of lines[0]
    std::size_t firstColumn = 0;  // where the records of lines[0] start
    // The part of lines[i] that holds records.
    std::string_view recordText(std::size_t i) const { return i == 0 ? lines[0].substr(firstColumn) : lines[i]; }
};

// The records of lines from, from + 1, ... up to the first terminator line: onRecord(tokens) for each. A failure
// in a record gets that record's line. A terminator before the file's last non-blank line is reported in
// *earlyEnd when earlyEnd is given.
template <class OnRecord>
void ForEachRecord(const RecordLines& records, std::size_t from, std::optional<EarlyEnd>* earlyEnd,
                   OnRecord&& onRecord) {
    const auto& lines = records.lines;
    for (std::size_t i = from; i < lines.size(); ++i) {
        const bool stop = AtLine(records.firstLine + i, lines[i], [&] {
            auto tokens = TokenizeLine(records.recordText(i));
            if (!tokens) return true;
            onRecord(*tokens);
            return false;
        });
        if (stop) {
            if (earlyEnd) *earlyEnd = EarlyEndAt(lines, i, records.firstLine);
            return;
        }
    }
}

// The same over all lines of a whole file's text.
template <class OnRecord>
void ForEachRecord(std::string_view text, std::optional<EarlyEnd>* earlyEnd, OnRecord&& onRecord) {
    ForEachRecord(RecordLines{SplitLines(text), 1, 0}, 0, earlyEnd, onRecord);
}

// Delimited header fields, read from the start of a file's text. A number field ends at a comma, a blank or a
// line end; a text field at a comma or a line end (leading blanks skipped). Fields may be spread over several
// lines; the delimiter after a field is consumed with it, so after the last header field the records start on
// the next line.
class HeaderReader {
public:
    explicit HeaderReader(std::string_view text) : text_(text) {}
    // A number field; throws FormatError (with the field's line) when it is missing or not a number.
    double number();
    // A text field, trailing blanks removed; throws FormatError at the end of the text.
    std::string textField();
    // What follows the fields read so far: the record lines.
    std::string_view rest() const { return text_.substr(pos_); }
    // The 1-based line number in the file of the first line of rest().
    std::size_t restFirstLine() const;
    // The lines of rest() as whole lines of the file (the first may begin with the last header fields).
    RecordLines records() const;

private:
    [[noreturn]] void fail(const char* what, std::size_t at) const;
    bool atLineEnd() const;
    void consumeDelimiter();
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace tavrel
