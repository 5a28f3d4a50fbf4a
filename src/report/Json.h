#pragma once
// Small writers for the batch front end's JSON and CSV output.
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// The shortest text that reads back as the same double. Non-finite values never get here (CalcError).
std::string numberText(double v);

// A JSON value: the number, or null when there is none.
std::string jsonNumber(std::optional<double> v);

// A JSON string literal with the necessary escapes (UTF-8 passes through).
std::string jsonString(std::string_view s);

}  // namespace tavrel
