#pragma once
// Reading and writing numbers in the program's text files and messages.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// Strict: the whole text is a number (optional sign, digits, optional point and fraction, optional exponent).
// Anything else gives nullopt.
std::optional<double> StrictNumber(std::string_view text);

// The longest number at the start of the text (after leading blanks), and whether there was one. A number too
// large for a double throws FormatError rather than becoming infinite.
struct LeadingNumber {
    double value = 0;
    bool found = false;      // false: the text does not start with a number and value is 0
    std::size_t length = 0;  // characters of the text the number took, leading blanks included (0 when none)
};
LeadingNumber ReadLeadingNumber(std::string_view text);

// Lenient: the longest number at the start of the text; 0 when it does not start with a number. Never fails.
inline double LenientNumber(std::string_view text) { return ReadLeadingNumber(text).value; }

// The text without leading and trailing blanks (spaces only: tabs are kept).
inline std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A number as the user reads it in messages: up to 15 significant digits, no trailing zeros, no leading blank
// and no zero before the point of a value between -1 and 1 (0.5 -> ".5", -0.25 -> "-.25", 1100 -> "1100").
std::string PlainNumber(double v);

// A written station as drawings show it, rounded to the millimetre: kilometres, "+", and the metres with three
// digits before and after the point (12345.678 -> "K12+345.678", 345.5 -> "K0+345.500", -12.5 -> "-K0+012.500").
std::string StationKText(double station);

}  // namespace tavrel
