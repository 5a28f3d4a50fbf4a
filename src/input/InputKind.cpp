#include "input/InputKind.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/NumberText.h"
#include "common/TextFile.h"

namespace tavrel {

namespace {

// Enough lines to see the header and the shape of the records; the rest of a long file adds nothing.
constexpr std::size_t kLinesLookedAt = 60;
// A superelevation slope is a few percent; anything above this is a radius or a length.
constexpr double kLargestSlope = 30;

using Fields = std::vector<std::string>;

// The fields of a line split at blanks, tabs and (when `commas`) commas; empty fields dropped.
Fields fieldsOf(std::string_view line, bool commas) {
    Fields fields;
    std::string current;
    for (const char c : line) {
        if (c == ' ' || c == '\t' || (commas && c == ',')) {
            if (!current.empty()) fields.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) fields.push_back(std::move(current));
    return fields;
}

bool isNumber(std::string_view s) { return StrictNumber(s).has_value(); }

bool allNumbers(const Fields& f, std::size_t from = 0) {
    return std::all_of(f.begin() + static_cast<std::ptrdiff_t>(std::min(from, f.size())), f.end(),
                       [](const std::string& s) { return isNumber(s); });
}

// A station text: a number, optionally after a chain mark.
bool isStation(std::string_view s) {
    if (!s.empty() && s.front() >= 'A' && s.front() <= 'Z') s.remove_prefix(1);
    return isNumber(s);
}

bool isSlope(std::string_view s) {
    const auto v = StrictNumber(s);
    return v && std::fabs(*v) <= kLargestSlope;
}

// The lines looked at, split into fields: records at blanks only, or at commas too (header lines).
struct Shape {
    std::vector<Fields> records;  // every line split at blanks
    std::vector<Fields> headers;  // every line split at blanks and commas
};

Shape shapeOf(std::string_view text) {
    Shape shape;
    for (const std::string_view line : SplitLines(text)) {
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        shape.records.push_back(fieldsOf(line, false));
        shape.headers.push_back(fieldsOf(line, true));
        if (shape.records.size() == kLinesLookedAt) break;
    }
    return shape;
}

// Every line from `from` on satisfies `fits`, and there is at least one.
template <class Fits>
bool recordsFit(const std::vector<Fields>& lines, std::size_t from, Fits fits) {
    return lines.size() > from && std::all_of(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(), fits);
}

// A skew angle alone, the pedestal distances (L or X allowed before each), then pier lines of at least four
// values whose third and fourth are numbers.
bool looksLikeLayout(const Shape& s) {
    if (s.records.size() < 3 || s.records[0].size() != 1 || !isNumber(s.records[0][0])) return false;
    for (std::string_view d : s.records[1]) {
        if (!d.empty() && (d.front() == 'L' || d.front() == 'X' || d.front() == 'l' || d.front() == 'x'))
            d.remove_prefix(1);
        if (!isNumber(d)) return false;
    }
    return recordsFit(s.records, 2, [](const Fields& f) { return f.size() >= 4 && isNumber(f[2]) && isNumber(f[3]); });
}

// A road name (not a number) first; then somewhere a data line of five or seven numbers.
bool looksLikeIntersectionPoints(const Shape& s) {
    if (s.headers.empty() || s.headers[0].empty() || isNumber(s.headers[0][0])) return false;
    return std::any_of(s.records.begin() + 1, s.records.end(),
                       [](const Fields& f) { return (f.size() == 5 || f.size() == 7) && allNumbers(f); });
}

// Two numbers a line and nothing else.
bool looksLikeChainBreaks(const Shape& s) {
    return recordsFit(s.records, 0, [](const Fields& f) { return f.size() == 2 && allNumbers(f); });
}

// Station, elevation and (on some lines at least) radius.
bool looksLikeProfile(const Shape& s) {
    const bool pointsFit = recordsFit(s.records, 0, [](const Fields& f) {
        return (f.size() == 2 || f.size() == 3) && isStation(f[0]) && allNumbers(f, 1);
    });
    return pointsFit && std::any_of(s.records.begin(), s.records.end(), [](const Fields& f) { return f.size() == 3; });
}

bool fourNumberHeader(const Shape& s) {
    return !s.headers.empty() && s.headers[0].size() == 4 && allNumbers(s.headers[0]);
}

// Four widths, then station, left slope, right slope (percent).
bool looksLikeSuperelevation(const Shape& s) {
    return fourNumberHeader(s) && recordsFit(s.records, 1, [](const Fields& f) {
               return f.size() >= 3 && isStation(f[0]) && isSlope(f[1]) && isSlope(f[2]);
           });
}

// Start station, x, y and bearing, then radius, radius, length.
bool looksLikeElements(const Shape& s) {
    return fourNumberHeader(s) && recordsFit(s.records, 1, [](const Fields& f) {
               return f.size() >= 3 && isNumber(f[0]) && isNumber(f[1]) && isNumber(f[2]);
           });
}

}  // namespace

std::optional<InputKind> GuessInputKind(std::string_view text) {
    const Shape s = shapeOf(text);
    // The first lines tell the kinds apart (a lone number, a name, two numbers, four numbers); superelevation
    // before elements, whose radii and lengths are no slopes.
    if (looksLikeLayout(s)) return InputKind::Layout;
    if (looksLikeIntersectionPoints(s)) return InputKind::IntersectionPointPlan;
    if (looksLikeChainBreaks(s)) return InputKind::ChainBreaks;
    if (looksLikeProfile(s)) return InputKind::Profile;
    if (looksLikeSuperelevation(s)) return InputKind::Superelevation;
    if (looksLikeElements(s)) return InputKind::ElementPlan;
    return std::nullopt;
}

std::string_view InputKindName(InputKind kind) {
    switch (kind) {
        case InputKind::IntersectionPointPlan: return "平面资料（交点法—主线）";
        case InputKind::ElementPlan: return "平面资料（积木法—互通）";
        case InputKind::ChainBreaks: return "断链资料";
        case InputKind::Profile: return "纵断面设计资料";
        case InputKind::Superelevation: return "超高资料";
        case InputKind::Layout: break;
    }
    return "垫石设置资料";
}

}  // namespace tavrel
