#include "common/NumberText.h"

#include "common/Errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavrel {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest number at the start of s: [sign] digits [. digits] [e [sign] digits], with at least
// one digit in the mantissa; an exponent counts only when it has digits. 0 when there is none.
std::size_t numberPrefix(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1;
        std::size_t frac = 0;
        while (j < s.size() && isDigit(s[j])) ++j, ++frac;
        if (digits + frac > 0) {
            i = j;
            digits += frac;
        }
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && isDigit(s[j])) ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

// Correctly rounded value of a text that numberPrefix accepted whole; infinite for an overflow.
double parseAccepted(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Overflow or underflow: let strtod decide which (inf or 0).
        return std::strtod(std::string(s).c_str(), nullptr);
    }
    (void)ptr;
    return v;
}

}  // namespace

std::optional<double> StrictNumber(std::string_view text) {
    const std::size_t n = numberPrefix(text);
    if (n == 0 || n != text.size()) return std::nullopt;
    const double v = parseAccepted(text);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

LeadingNumber ReadLeadingNumber(std::string_view text) {
    const std::size_t blanks = std::min(text.find_first_not_of(' '), text.size());
    text.remove_prefix(blanks);
    const std::size_t n = numberPrefix(text);
    if (n == 0) return {};
    const double v = parseAccepted(text.substr(0, n));
    if (!std::isfinite(v)) throw FormatError("number out of range");
    return {v, true, blanks + n};
}

std::string PlainNumber(double v) {
    if (v == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s = buf;
    std::string exponent;
    if (const auto e = s.find('E'); e != std::string::npos) {
        exponent = s.substr(e);  // "E+20"
        s.erase(e);
    }
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    return s + exponent;
}

std::string StationKText(double station) {
    if (!(std::fabs(station) < 1e12)) return PlainNumber(station);  // no road is a billion kilometres long
    const long long mm = std::llround(std::fabs(station) * 1000);
    const bool negative = station < 0 && mm != 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%sK%lld+%03lld.%03lld", negative ? "-" : "", mm / 1000000, mm / 1000 % 1000,
                  mm % 1000);
    return buf;
}

}  // namespace tavrel
