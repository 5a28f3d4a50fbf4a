#pragma once
// The formats of the four road data files. Each reader takes the decoded text of a whole file and returns what
// it holds; a file that does not fit its format throws FormatError, a rejected station text RejectedText, each
// with the line at fault. A blank line ends a file's records; when non-blank lines follow it, *earlyEnd says
// where (when earlyEnd is given).
#include <optional>
#include <string_view>
#include <vector>

#include "common/Tokenize.h"
#include "interchange/ElementChain.h"
#include "mainline/MainLine.h"
#include "profile/Profile.h"
#include "profile/Superelevation.h"
#include "station/ChainBreak.h"

namespace tavrel {

inline constexpr std::size_t kMaxIntersectionPoints = 1000;
inline constexpr std::size_t kMaxElements = 1000;
inline constexpr std::size_t kMaxListRecords = 32767;  // profile and superelevation counts are 16-bit

// Chain breaks (*.dl): "before after" per line, no header; at most 19 records.
std::vector<ChainBreak> ReadChainBreakFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd = nullptr);

// Plan by intersection points (*.jdx): a name and the start station, then a name line and a data line
// (x y R Ls1 Ls2 [RD1 RD2]) per point, up to a blank name line; at most 1000 points.
MainLineInput ReadIntersectionPointFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd = nullptr);

// Plan by elements (*.jdx): start station, x, y, bearing (d.mmss, returned in decimal degrees), then "R1 R2 L"
// per line; at most 1000.
ElementInput ReadElementFile(std::string_view text, std::optional<EarlyEnd>* earlyEnd = nullptr);

// Vertical profile (*.zdm): "station elevation radius" per line, no header. Station texts are converted with
// the chain-break table as they are read.
std::vector<ProfilePoint> ReadProfileFile(std::string_view text, const ChainBreakTable& chainBreaks,
                                          std::optional<EarlyEnd>* earlyEnd = nullptr);

// Superelevation (*.cg): the four cross-section widths, then "station left% right%" per line; a table without
// rows throws FormatError.
Superelevation ReadSuperelevationFile(std::string_view text, const ChainBreakTable& chainBreaks,
                                      std::optional<EarlyEnd>* earlyEnd = nullptr);

}  // namespace tavrel
