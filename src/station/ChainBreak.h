#pragma once
// The chain-break model: which station numbers the road's numbering skips (short chains) or uses twice (long
// chains), and the conversions between station texts, continuous stations and written station numbers.
//
// Interval m (1-based) runs from break m-1 to break m and is named by the letter with code 64 + m (A before the
// first break, B after it, ...). A station text is a number of metres, optionally preceded by that letter.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Station.h"

namespace tavrel {

struct ChainBreak {
    double beforeStation = 0;  // m: number of the break point in the numbering up to the break
    double afterStation = 0;   // m: number of the same point in the numbering after it
};

inline constexpr int kChainBreakEntries = 21;           // entries 0 ... 20
inline constexpr int kMaxChainBreaks = 19;              // entry count + 1 holds the closing sentinel
inline constexpr double kChainBreakSentinel = 5000000;  // m: the closing entry {5000000, 5000000}

struct ChainBreakTable {
    std::int16_t chainBreakCount = 0;                          // breaks in use: entries 1 ... chainBreakCount
    std::array<ChainBreak, kChainBreakEntries> chainBreaks{};  // entry 0 is {0, 0}
};

// The table of the chain-break file's records, in road order: the sentinel after the last record, and no
// breaks at all when the first record's beforeStation is exactly -1. More than 19 records throw FormatError.
ChainBreakTable MakeChainBreakTable(const std::vector<ChainBreak>& records);

// MarkedStationText (`zh_dlstr`): a plain station text prefixed with the letter of its chain-break interval. A text
// that is empty, already marked (first character A ... Z) or read without breaks comes back unchanged. A number
// inside the gap of a short chain, or inside the doubly numbered stretch of a long chain, is rejected with
// RejectedText (title "数据有误") carrying the message the user must see.
std::string MarkedStationText(const ChainBreakTable& table, std::string_view text);

// Continuous station of a station text, marked or not. A mark beyond U needs entries past the table and throws
// CalcError.
Station StationTextToStation(const ChainBreakTable& table, std::string_view text);

// MarkedStationText followed by StationTextToStation: what every reader of a station text calls.
Station StationOfText(const ChainBreakTable& table, std::string_view text);

// The part of a station text its lenient reading takes, as the user writes it: the chain mark, then the number
// read ("0" when the text gives none). Equal to the text when every character of it counts; anything else means
// characters the reading passed over.
std::string StationTextAsRead(std::string_view text);

// WrittenStation (`sj_dl_chg`): continuous station -> the station number written on the drawings (no mark).
double WrittenStation(const ChainBreakTable& table, Station continuous);

// The chain mark a written station needs to name one point: the letter of the interval that holds `continuous`
// where its written number, as shown to the millimetre, lies in the doubly numbered stretch of a long chain
// (afterStation <= number <= beforeStation, the stretch MarkedStationText refuses unmarked); none elsewhere.
std::optional<char> DoubledStationMark(const ChainBreakTable& table, Station continuous);

// StationLabel: the written station of a continuous station as every output shows it: "K13+208.000", and where
// the number occurs twice on the road, its chain mark, a blank and the same ("B K13+186.453", the point a user
// writes as B13186.453).
std::string StationLabel(const ChainBreakTable& table, Station continuous);

// PierStationOfText (`dszhjs`): a pier station text with an optional signed shift ("1500+L2.5" along the road,
// "1500-3" along the pier axis, converted to the road with the skew angle in degrees).
struct PierStation {
    Station baseStation = 0;  // continuous station of the base text
    double stationShift = 0;  // m, signed shift along the road
};
PierStation PierStationOfText(const ChainBreakTable& table, std::string_view text, double skewAngle);

// The part of a pier station text PierStationOfText takes, as the user writes it (the base as StationTextAsRead
// reads it, then the separator and the shift as read). Equal to the text when every character of it counts.
std::string PierStationTextAsRead(std::string_view text);

}  // namespace tavrel
