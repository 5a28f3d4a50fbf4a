#include "common/Tokenize.h"

#include "common/Errors.h"
#include "common/NumberText.h"

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
    std::string s(trimBlanks(line));
    for (char& c : s)
        if (c == '\t') c = ' ';
    const std::string_view t = trimBlanks(s);

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
    }
    tokens.push_back(std::move(current));
    return tokens;
}

std::optional<std::vector<std::string>> TokenizeLine(std::string_view line) {
    auto tokens = SplitTokens(line);
    if (tokens.empty()) return std::nullopt;
    return tokens;
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
    if (pos_ >= text_.size()) throw FormatError("header ends early");
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != ' ' && !atLineEnd()) ++pos_;
    const auto value = strictNumber(text_.substr(start, pos_ - start));
    if (!value) throw FormatError("header field is not a number");
    consumeDelimiter();
    return *value;
}

std::string HeaderReader::textField() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    if (pos_ >= text_.size()) throw FormatError("header ends early");
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd()) ++pos_;
    std::string field(trimBlanks(text_.substr(start, pos_ - start)));
    consumeDelimiter();
    return field;
}

}  // namespace tavrel
