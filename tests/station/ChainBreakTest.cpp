#include <gtest/gtest.h>

#include <cmath>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "station/ChainBreak.h"
#include "station/ReadLabel.h"

using namespace tavrel;

namespace {

// Breaks (1000 -> 1100), a short chain, and (2000 -> 1950), a long chain.
ChainBreakTable shortThenLong() { return MakeChainBreakTable({{1000, 1100}, {2000, 1950}}); }

std::string rejection(const ChainBreakTable& t, std::string_view text) {
    try {
        MarkedStationText(t, text);
    } catch (const RejectedText& e) {
        EXPECT_EQ(e.title, "数据有误");
        return e.what();
    }
    return "";
}

}  // namespace

TEST(ChainBreakTable, SentinelsAndTheMinusOneRule) {
    const auto t = shortThenLong();
    EXPECT_EQ(t.chainBreakCount, 2);
    EXPECT_EQ(t.chainBreaks[0].beforeStation, 0);
    EXPECT_EQ(t.chainBreaks[3].beforeStation, 5000000);
    EXPECT_EQ(t.chainBreaks[3].afterStation, 5000000);

    const auto none = MakeChainBreakTable({{-1, -1}});
    EXPECT_EQ(none.chainBreakCount, 0);
    const auto empty = MakeChainBreakTable({});
    EXPECT_EQ(empty.chainBreakCount, 0);
    EXPECT_EQ(empty.chainBreaks[1].beforeStation, 5000000);

    std::vector<ChainBreak> nineteen(19, {10, 20});
    EXPECT_EQ(MakeChainBreakTable(nineteen).chainBreakCount, 19);
    nineteen.push_back({10, 20});
    EXPECT_THROW(MakeChainBreakTable(nineteen), FormatError);
}

TEST(StationText, MarksAndConvertsAcrossShortAndLongChains) {
    const auto t = shortThenLong();
    struct Row {
        const char* name;
        const char* text;
        const char* marked;
        double station;
    } rows[] = {
        {"after the short chain", "1500", "B1500", 1400},
        {"after the long chain", "2500", "C2500", 2450},
        {"exactly on a break belongs to the earlier interval", "1000", "A1000", 1000},
        {"before every break", "500", "A500", 500},
        {"marked by hand in the doubled stretch, first side", "B1980", "B1980", 1880},
        {"marked by hand in the doubled stretch, second side", "C1980", "C1980", 1930},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(MarkedStationText(t, r.text), r.marked);
        EXPECT_DOUBLE_EQ(StationOfText(t, r.text), r.station);
    }
}

TEST(StationText, RejectsGapsAndAmbiguousStretchesWithTheirMessages) {
    const auto t = shortThenLong();
    EXPECT_EQ(rejection(t, "1050"), "桩号1050不应存在1000和1100之间，请修改！");
    EXPECT_EQ(rejection(t, "1980"), "程序不能判断桩号1980所属的断链区间，需添加断链标识A、B、C...");
    // A text in both a gap and an overlap reports the gap.
    const auto both = MakeChainBreakTable({{2000, 1900}, {1950, 1990}});
    EXPECT_EQ(rejection(both, "1960"), "桩号1960不应存在1950和1990之间，请修改！");
    // Numbers in the message are written plainly.
    const auto frac = MakeChainBreakTable({{0.25, 0.75}});
    EXPECT_EQ(rejection(frac, "0.5"), "桩号0.5不应存在.25和.75之间，请修改！");
}

TEST(StationText, WithoutBreaksTextsPassUnchanged) {
    const ChainBreakTable never;  // never loaded: every entry 0
    EXPECT_EQ(MarkedStationText(never, "1234.5"), "1234.5");
    EXPECT_DOUBLE_EQ(StationOfText(never, "1234.5"), 1234.5);
    EXPECT_DOUBLE_EQ(StationOfText(never, "B1234.5"), 1234.5);
    // A lower-case letter is no mark and no number.
    EXPECT_DOUBLE_EQ(StationOfText(shortThenLong(), "b1500"), 0);
    EXPECT_EQ(MarkedStationText(never, ""), "");
}

TEST(StationText, MarksBeyondUNeedEntriesPastTheTable) {
    const auto t = shortThenLong();
    EXPECT_NO_THROW(StationTextToStation(t, "U100"));
    EXPECT_THROW(StationTextToStation(t, "V100"), CalcError);
}

TEST(ChainBreakRoundTrip, WrittenToContinuousAndBackAcrossShortAndLongChains) {
    const auto t = shortThenLong();
    EXPECT_DOUBLE_EQ(WrittenStation(t, 1400), 1500);
    EXPECT_DOUBLE_EQ(WrittenStation(t, 2450), 2500);
    EXPECT_DOUBLE_EQ(WrittenStation(t, 1000), 1000);
    // Every continuous station maps to a written number that converts back to it (marks added by hand where
    // the long chain numbers a stretch twice).
    for (double s = 0; s <= 3000; s += 12.5) {
        SCOPED_TRACE(s);
        const double written = WrittenStation(t, s);
        const char mark = s <= 1000 ? 'A' : s <= 1900 ? 'B' : 'C';
        const std::string text = std::string(1, mark) + PlainNumber(written);
        EXPECT_NEAR(StationTextToStation(t, text), s, 1e-9);
    }
}

TEST(StationLabel, MarksExactlyTheNumbersALongChainUsesTwiceAndReadsBackToItsPoint) {
    // The long chain 2000 -> 1950 lies at continuous 1900: written 1950 ... 2000 occur in B and in C.
    const auto t = shortThenLong();
    struct Row {
        const char* name;
        Station station;
        const char* label;
    } rows[] = {
        {"before every break", 500, "K0+500.000"},
        {"on the short chain: no number twice", 1000, "K1+000.000"},
        {"after the short chain", 1400, "K1+500.000"},
        {"just before the doubled stretch", 1849, "K1+949.000"},
        {"shown rounded onto its start", 1849.9996, "B K1+950.000"},
        {"its start, first time", 1850, "B K1+950.000"},
        {"on the long chain: the earlier interval", 1900, "B K2+000.000"},
        {"its start, second time, shown rounded", 1900.0004, "C K1+950.000"},
        {"inside, second time", 1925, "C K1+975.000"},
        {"past its end, shown rounded onto it", 1950.0004, "C K2+000.000"},
        {"past its end", 1950.001, "K2+000.001"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(StationLabel(t, r.station), r.label);
        EXPECT_EQ(DoubledStationMark(t, r.station).has_value(), r.label[0] != 'K');
    }
    EXPECT_EQ(StationLabel(ChainBreakTable{}, 1975), "K1+975.000");  // no breaks: never a mark
    // Every label names one point, the labelled one, to the millimetre it is shown at.
    for (double s = 0; s <= 3000; s += 0.2501) {
        SCOPED_TRACE(s);
        const auto back = tavrel::testing::ReadLabelBack(t, StationLabel(t, s));
        ASSERT_TRUE(back) << StationLabel(t, s);
        EXPECT_NEAR(*back, s, 0.0005 + 1e-9);
    }
}

TEST(PierStationShift, AlongTheRoadOrAlongThePierAxis) {
    const ChainBreakTable never;
    auto r = PierStationOfText(never, "1500+L2.5", 90);
    EXPECT_DOUBLE_EQ(r.baseStation, 1500);
    EXPECT_DOUBLE_EQ(r.stationShift, 2.5);
    r = PierStationOfText(never, "1500-3", 30);
    EXPECT_NEAR(r.stationShift, -6, 1e-12);
    EXPECT_DOUBLE_EQ(PierStationOfText(never, "1500", 30).stationShift, 0);
    r = PierStationOfText(never, "-20+L5", 90);
    EXPECT_DOUBLE_EQ(r.baseStation, -20);
    EXPECT_DOUBLE_EQ(r.stationShift, 5);
    EXPECT_DOUBLE_EQ(PierStationOfText(never, "1500+x1.5", 45).stationShift, 1.5);
    EXPECT_THROW(PierStationOfText(never, "1500+2", 0), CalcError);
}

// What a lenient reading takes of a text, written out, reads as the same station: the value of a text never
// depends on the characters the warning says were passed over.
TEST(StationText, TheTextAsReadGivesTheSameStationAndDiffersExactlyWhenCharactersWereSkipped) {
    const auto t = shortThenLong();
    const struct {
        const char* text;
        const char* asRead;
    } stations[] = {
        {"1500", "1500"},  {"B1500.25", "B1500.25"}, {"139OO.000", "139"},
        {"24b.500", "24"}, {"C2500m", "C2500"},      {"abc", "0"},
        {"B", "B0"},       {"1.5e3", "1.5e3"},       {"1e", "1"},
        {"+12.", "+12."},
    };
    for (const auto& s : stations) {
        SCOPED_TRACE(s.text);
        EXPECT_EQ(StationTextAsRead(s.text), s.asRead);
        EXPECT_EQ(StationOfText(t, StationTextAsRead(s.text)), StationOfText(t, s.text));
    }
    const struct {
        const char* text;
        const char* asRead;
    } piers[] = {
        {"2395+L0.5", "2395+L0.5"}, {"2395-0.3", "2395-0.3"}, {"2395+x1.5m", "2395+x1.5"},
        {"2395+3+4", "2395+3"},     {"-50", "0-50"},          {"B1500+L", "B1500+L0"},
        {"-20+L5", "-20+L5"},       {"1500x-2", "1500-2"},
    };
    for (const auto& p : piers) {
        SCOPED_TRACE(p.text);
        EXPECT_EQ(PierStationTextAsRead(p.text), p.asRead);
        const PierStation read = PierStationOfText(t, p.text, 60), again = PierStationOfText(t, p.asRead, 60);
        EXPECT_EQ(again.baseStation, read.baseStation);
        EXPECT_EQ(again.stationShift, read.stationShift);
    }
}
