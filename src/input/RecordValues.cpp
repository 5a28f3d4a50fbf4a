#include "input/RecordValues.h"

#include "common/Errors.h"
#include "common/NumberText.h"

namespace tavrel {

double StrictValueAt(const std::vector<std::string>& tokens, std::size_t index) {
    if (index >= tokens.size()) throw FormatError("record has too few values");
    const auto v = StrictNumber(tokens[index]);
    if (!v) throw FormatError("value is not a number");
    return *v;
}

double LeadingValueAt(const std::vector<std::string>& tokens, std::size_t index, std::size_t line,
                      std::vector<PartlyReadToken>* partlyRead) {
    if (index >= tokens.size()) throw FormatError("record has too few values");
    const std::string& token = tokens[index];
    const LeadingNumber n = ReadLeadingNumber(token);
    if (!n.found) throw FormatError("value does not start with a number");
    if (partlyRead && n.length < token.size()) partlyRead->push_back({line, token, token.substr(0, n.length), false});
    return n.value;
}

void NoteStationText(std::string_view token, std::string asRead, std::size_t line,
                     std::vector<PartlyReadToken>* partlyRead) {
    if (partlyRead && asRead != token) partlyRead->push_back({line, std::string(token), std::move(asRead), true});
}

}  // namespace tavrel
