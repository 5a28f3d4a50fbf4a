#pragma once
// Reading one value of a record line, shared by the readers of the road files.
#include <cstddef>
#include <string>
#include <vector>

namespace tavrel {

// Token `index` of a record read as a whole number text; a missing token or one that is not a number throws
// FormatError.
double StrictValueAt(const std::vector<std::string>& tokens, std::size_t index);

// Token `index` of a record read leniently (a number followed by other characters gives that number); the token
// must be present and must start with a number, or FormatError is thrown.
double LeadingValueAt(const std::vector<std::string>& tokens, std::size_t index);

}  // namespace tavrel
