#pragma once
// Reading a station label of the outputs back as a user would type it, for the tests of the chain marks.
#include <optional>
#include <regex>
#include <string>

#include "common/Errors.h"
#include "station/ChainBreak.h"

namespace tavrel::testing {

// The continuous station a label ("K1+234.500", "B K1+950.000", "-K0+012.500", "A K1+190") names when the user
// types it as a station text ("B1950.000"); none when the text is not a label or the program would refuse it
// as ambiguous (a number a long chain uses twice, written without its mark).
inline std::optional<Station> ReadLabelBack(const ChainBreakTable& table, const std::string& label) {
    static const std::regex form(R"(^(?:([A-Z]) )?(-?)K(\d+)\+(\d{3}(?:\.\d{3})?)$)");
    std::smatch m;
    if (!std::regex_match(label, m, form)) return std::nullopt;
    const double number = std::stod(m[3].str()) * 1000 + std::stod(m[4].str());
    const std::string text = m[1].str() + m[2].str() + std::to_string(number);
    try {
        return StationOfText(table, text);
    } catch (const RejectedText&) {
        return std::nullopt;
    }
}

}  // namespace tavrel::testing
