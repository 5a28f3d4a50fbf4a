#include <gtest/gtest.h>

#include <functional>

#include "common/Errors.h"
#include "input/ElementFile.h"
#include "input/IntersectionPointFile.h"
#include "input/LayoutFile.h"
#include "input/SuperelevationFile.h"

using namespace tavrel;

// Where the header's last fields and the first records share a line, a fault in those records is shown with the
// whole line as the file has it, not with what the header left of it.
TEST(RecordLocation, AFaultShowsItsLineAsItStandsInTheFile) {
    const ChainBreakTable none;
    const struct {
        const char* name;
        std::function<void()> read;
        std::size_t line;
        std::string text;
    } rows[] = {
        {"superelevation missing its fourth width",
         [&] { ReadSuperelevationFile("7.5,0.5,-0.5\r\n2000.000 2 -2\r\n", none); }, 2, "2000.000 2 -2"},
        {"layout with the distances beside the skew angle", [&] { ReadLayoutFile("90 -3 x\r\n1# 100 1 1\r\n", none); },
         1, "90 -3 x"},
        {"element plan with the first element beside the start", [&] { ReadElementFile("0,0,0,45 9999 9999\r\n"); }, 1,
         "0,0,0,45 9999 9999"},
        {"intersection points with the only name beside the start station",
         [&] { ReadIntersectionPointFile("路线,0 JD1\r\n"); }, 1, "路线,0 JD1"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        try {
            r.read();
            ADD_FAILURE() << "accepted";
        } catch (const TavrelError& e) {
            ASSERT_TRUE(e.where);
            EXPECT_EQ(e.where->line, r.line);
            EXPECT_EQ(e.where->text, r.text);
        }
    }
}
