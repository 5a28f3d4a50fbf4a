#pragma once
// The vertical profile file (*.zdm): "station elevation radius" per line, no header; at most kMaxProfilePoints.
#include <optional>
#include <string_view>
#include <vector>

#include "common/Tokenize.h"
#include "profile/Profile.h"
#include "station/ChainBreak.h"

namespace tavrel {

inline constexpr std::size_t kMaxProfilePoints = 32767;  // the count is 16-bit

// The profile points in the decoded text of a whole file. Station texts are converted with the chain-break
// table as they are read (a rejected text throws RejectedText); elevation and radius are read leniently but must
// start with a number, a missing radius reads 0. A record that does not fit throws FormatError; each failure
// with its line. A blank line ends the records; when non-blank lines follow it, *earlyEnd says where (when
// earlyEnd is given). Station texts, elevations and radii with characters their reading left unread go into
// *partlyRead (when given), in the order of the file.
std::vector<ProfilePoint> ReadProfileFile(std::string_view text, const ChainBreakTable& chainBreaks,
                                          std::optional<EarlyEnd>* earlyEnd = nullptr,
                                          std::vector<PartlyReadToken>* partlyRead = nullptr);

}  // namespace tavrel
