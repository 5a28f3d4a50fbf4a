#include "common/Errors.h"

namespace tavrel {

namespace {

constexpr std::size_t kShownLineCharacters = 60;

// The first `count` characters of UTF-8 text (whole characters; a malformed byte counts as one).
std::string_view firstCharacters(std::string_view s, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; i < s.size() && n < count; ++n) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return s.substr(0, i);
}

}  // namespace

std::string ShownName(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string s;
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
            case '\n': s += "\\n"; break;
            case '\r': s += "\\r"; break;
            case '\t': s += "\\t"; break;
            default:
                if (b < 0x20 || b == 0x7F) s += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
                else s += c;
        }
    }
    return s;
}

std::string LocationText(const SourceLocation& where) {
    std::string s = "位置: " + ShownName(where.file);
    if (where.line == 0) return s;
    s += " 第 " + std::to_string(where.line) + " 行";
    if (where.text.find_first_not_of(" \t") == std::string::npos) return s + "（空行）";
    s += ": ";
    const std::string_view shown = firstCharacters(where.text, kShownLineCharacters);
    // A message shows one line of plain text: a tab reads as a blank, other control characters as '?'.
    for (const char c : shown) s += c == '\t' ? ' ' : (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    if (shown.size() < where.text.size()) s += "…";
    return s;
}

}  // namespace tavrel
