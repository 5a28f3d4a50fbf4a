#pragma once
// Building input file texts for the readers' tests.
#include <string>

namespace tavrel::testing {

// `line` written n times: a file of n equal records.
inline std::string Repeated(const std::string& line, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += line;
    return out;
}

}  // namespace tavrel::testing
