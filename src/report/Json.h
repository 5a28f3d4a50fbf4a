#pragma once
// The pieces every JSON and CSV writer of the results is made of: numbers that read back exactly, JSON null for
// a missing value, escaped JSON strings.
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// The shortest text that reads back as the same double. Non-finite values never get here (CalcError).
std::string NumberText(double v);

// A JSON value: the number, or null when there is none.
std::string JsonNumber(std::optional<double> v);

// A JSON string literal with the necessary escapes (UTF-8 passes through).
std::string JsonString(std::string_view s);

}  // namespace tavrel
