#pragma once
// Splitting record lines into tokens, and reading the delimited header fields at the top of a file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// Steps shared by every record line: trim blanks, turn tabs into blanks, fold each run of blanks, split at
// single blanks. An empty line gives no token.
std::vector<std::string> SplitTokens(std::string_view line);

// TokenizeLine: the tokens of a record line, or nullopt for a terminator line (nothing but blanks and tabs),
// at which reading of the file stops.
std::optional<std::vector<std::string>> TokenizeLine(std::string_view line);

// Delimited header fields, read from the start of a file's text. A number field ends at a comma, a blank or a
// line end; a text field at a comma or a line end (leading blanks skipped). Fields may be spread over several
// lines; the delimiter after a field is consumed with it, so after the last header field the records start on
// the next line.
class HeaderReader {
public:
    explicit HeaderReader(std::string_view text) : text_(text) {}
    // A number field; throws FormatError when it is missing or not a number.
    double number();
    // A text field, trailing blanks removed; throws FormatError at the end of the text.
    std::string textField();
    // What follows the fields read so far: the record lines.
    std::string_view rest() const { return text_.substr(pos_); }

private:
    bool atLineEnd() const;
    void consumeDelimiter();
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace tavrel
