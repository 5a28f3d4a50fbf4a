#pragma once
// What every fuzz target shares: the decoded text of an input, the failures a reader may report, and the check
// that no non-finite number leaves the core.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/Errors.h"
#include "common/TextFile.h"

namespace tavrel::fuzz {

inline std::string_view BytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Runs body(); a failure the program reports to the user as a message (any TavrelError) is an expected outcome
// of a bad file. Anything else escapes and libFuzzer reports it as a crash.
template <class Body>
void ExpectingReportedFailures(Body&& body) {
    try {
        body();
    } catch (const TavrelError&) {}
}

// Stops the run when a value that reaches a result or a file is not finite.
inline void AbortUnlessFinite(double v, const char* what) {
    if (!std::isfinite(v)) {
        std::fprintf(stderr, "non-finite %s: %g\n", what, v);
        std::abort();
    }
}

// The bytes of a file as a reader gets them: decoded from GBK or UTF-8 the way every input file is.
template <class Read>
void ReadDecoded(std::string_view bytes, Read&& read) {
    ExpectingReportedFailures([&] { read(DecodeInputText(bytes)); });
}

}  // namespace tavrel::fuzz
