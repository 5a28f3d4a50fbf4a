#pragma once
// Reading one value of a record line, shared by the readers of the road files.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/Tokenize.h"

namespace tavrel {

// Token `index` of a record read as a whole number text; a missing token or one that is not a number throws
// FormatError.
double StrictValueAt(const std::vector<std::string>& tokens, std::size_t index);

// Token `index` of a record read leniently (a number followed by other characters gives that number); the token
// must be present and must start with a number, or FormatError is thrown. A token with characters after its
// number goes into *partlyRead (when given) with `line`, its record's line in the file.
double LeadingValueAt(const std::vector<std::string>& tokens, std::size_t index, std::size_t line = 0,
                      std::vector<PartlyReadToken>* partlyRead = nullptr);

// Notes a station text of line `line` in *partlyRead (when given) when its lenient reading, `asRead`
// (StationTextAsRead, PierStationTextAsRead), leaves characters of it unread.
void NoteStationText(std::string_view token, std::string asRead, std::size_t line,
                     std::vector<PartlyReadToken>* partlyRead);

}  // namespace tavrel
