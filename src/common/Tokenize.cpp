#include "common/Tokenize.h"

#include <algorithm>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "common/TextFile.h"

namespace tavrel {

namespace {

// A run of n blanks after the folding passes k = 50, 49, ..., 2, each of which replaces every k consecutive
// blanks (left to right, no overlap) by one: floor(n/k) + n mod k. Any run of practical length ends as 1.
std::size_t foldedRunLength(std::size_t n) {
    for (std::size_t k = 50; k >= 2; --k) n = n / k + n % k;
    return n;
}

}  // namespace

std::vector<std::string> SplitTokens(std::string_view line) {
    std::string s(TrimBlanks(line));
    for (char& c : s)
        if (c == '\t') c = ' ';
    const std::string_view t = TrimBlanks(s);

    std::vector<std::string> tokens;
    if (t.empty()) return tokens;
    std::string current;
    for (std::size_t i = 0; i < t.size();) {
        if (t[i] != ' ') {
            current += t[i++];
            continue;
        }
        std::size_t run = 0;
        while (i < t.size() && t[i] == ' ') ++i, ++run;
        // Each blank left after folding separates two tokens; extra blanks leave empty tokens between them.
        tokens.push_back(std::move(current));
        current.clear();
        for (std::size_t extra = foldedRunLength(run); extra > 1; --extra) tokens.emplace_back();
        if (tokens.size() >= kMaxTokensPerLine) throw FormatError("too many values on one line");
    }
    tokens.push_back(std::move(current));
    return tokens;
}

std::optional<std::vector<std::string>> TokenizeLine(std::string_view line) {
    auto tokens = SplitTokens(line);
    if (tokens.empty()) return std::nullopt;
    return tokens;
}

std::optional<EarlyEnd> EarlyEndAt(const std::vector<std::string_view>& lines, std::size_t stop,
                                   std::size_t firstLine) {
    std::size_t unread = 0;
    for (std::size_t i = stop + 1; i < lines.size(); ++i) {
        const bool blank = lines[i].find_first_not_of(" \t") == std::string_view::npos;
        if (!blank) ++unread;
    }
    if (unread == 0) return std::nullopt;
    return EarlyEnd{firstLine + stop, unread};
}

std::size_t HeaderReader::restFirstLine() const { return LineNumberAt(text_, pos_); }

RecordLines HeaderReader::records() const {
    std::size_t lineStart = std::min(pos_, text_.size());
    while (lineStart > 0 && text_[lineStart - 1] != '\r' && text_[lineStart - 1] != '\n') --lineStart;
    return {SplitLines(text_.substr(lineStart)), restFirstLine(), pos_ - lineStart};
}

void HeaderReader::fail(const char* what, std::size_t at) const {
    FormatError e(what);
    e.where = SourceLocation{};  // past the end: the file as a whole (it ends too early)
    if (at < text_.size()) e.where = SourceLocation{{}, LineNumberAt(text_, at), std::string(LineAt(text_, at))};
    throw e;
}

bool HeaderReader::atLineEnd() const { return pos_ >= text_.size() || text_[pos_] == '\r' || text_[pos_] == '\n'; }

void HeaderReader::consumeDelimiter() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == ',') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
}

double HeaderReader::number() {
    // Leading blanks, tabs and line ends before a number field are skipped.
    while (pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n'))
        ++pos_;
    if (pos_ >= text_.size()) fail("header ends early", pos_);
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != ' ' && !atLineEnd()) ++pos_;
    const auto value = StrictNumber(text_.substr(start, pos_ - start));
    if (!value) fail("header field is not a number", start);
    consumeDelimiter();
    return *value;
}

std::string HeaderReader::textField() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    if (pos_ >= text_.size()) fail("header ends early", pos_);
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd()) ++pos_;
    std::string field(TrimBlanks(text_.substr(start, pos_ - start)));
    consumeDelimiter();
    return field;
}

}  // namespace tavrel
