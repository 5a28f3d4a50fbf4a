#include "excel/ResultSheetStyle.h"

#include <algorithm>

namespace tavrel::resultsheet {

namespace {

constexpr double kMinPierColumnWidth = 6;
constexpr double kMaxColumnWidth = 255;

// The columns a text takes in the sheet's font: two for a wide (CJK or full-width) character, one for any other.
int displayWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = b < 0x80             ? 1
                              : (b & 0xE0) == 0xC0 ? 2
                              : (b & 0xF0) == 0xE0 ? 3
                              : (b & 0xF8) == 0xF0 ? 4
                                                   : 1;
        char32_t cp = n == 1 ? b : b & (0x7F >> n);
        for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF && cp != 0x303F) ||
                          (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                          (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                          (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
        width += wide ? 2 : 1;
        i += n;
    }
    return width;
}

}  // namespace

double PierColumnWidth(const std::vector<PierRecord>& piers) {
    double width = kMinPierColumnWidth;
    for (const PierRecord& p : piers) width = std::max(width, static_cast<double>(displayWidth(p.pierName)));
    return std::min(width, kMaxColumnWidth);
}

}  // namespace tavrel::resultsheet
