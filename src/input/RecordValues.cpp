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

double LeadingValueAt(const std::vector<std::string>& tokens, std::size_t index) {
    if (index >= tokens.size()) throw FormatError("record has too few values");
    const LeadingNumber n = ReadLeadingNumber(tokens[index]);
    if (!n.found) throw FormatError("value does not start with a number");
    return n.value;
}

}  // namespace tavrel
