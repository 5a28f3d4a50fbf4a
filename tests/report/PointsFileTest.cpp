// The point file for total stations and CAD: its bytes, rows and fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "excel/SampleResults.h"
#include "report/PointsFile.h"

using namespace tavrel;
using tavrel::testing::SamplePier;
using tavrel::testing::SampleResult;
using tavrel::testing::WithPlanePoints;

TEST(PointsFile, OneCsvRowPerStakeOutPointWithNameXyzStationAndOffset) {
    // Pedestals at -1.5, 0, 1.5; the second pier (mark Z) lists the two at 0 and 1.5; edge RI has no plane point.
    // Pier names that CSV must quote.
    CalculationResult r =
        WithPlanePoints(SampleResult(60, {-1.5, 0, 1.5},
                                     {SamplePier("1#墩", 12345.678), SamplePier("2,\"右\"", 375.5, SideMark::Left)}),
                        {RI});
    r.tables.pedestalOffset[0][1] = -0.00001;  // rounds to zero: no sign
    const std::string file = PointsFile(r);
    ASSERT_EQ(file.substr(0, 3), "\xEF\xBB\xBF");
    std::vector<std::string> lines;
    for (std::size_t at = 3; at < file.size();) {
        const auto end = file.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        lines.push_back(file.substr(at, end - at));
        at = end + 2;
    }
    const std::vector<std::string> expected = {
        // name, X, Y, Z (top elevation), station, offset
        "1#墩-1,3345000.1234,512000.5678,100.0004,K12+345.678,-1.5000",
        "1#墩-2,3345001.1234,511999.5678,100.1004,K12+346.678,0.0000",
        "1#墩-3,3345002.1234,511998.5678,100.2004,K12+347.678,1.5000",
        // edges: Z = the deck elevation there, the edge's offset; no plane point for RI
        "1#墩-LO,3345500.2500,512500.7500,200.0004,K12+343.678,7.5000",
        "1#墩-LI,3345501.2500,512501.7500,200.1004,K12+344.678,2.2500",
        "1#墩-RI,,,200.2004,K12+345.678,-3.0000",
        "1#墩-RO,3345503.2500,512503.7500,200.3004,K12+346.678,-8.2500",
        "\"2,\"\"右\"\"-2\",3345011.1234,512009.5678,101.1004,K0+376.500,0.0000",
        "\"2,\"\"右\"\"-3\",3345012.1234,512008.5678,101.2004,K0+377.500,1.5000",
        "\"2,\"\"右\"\"-LO\",3345510.2500,512510.7500,201.0004,K0+373.500,7.5000",
        "\"2,\"\"右\"\"-LI\",3345511.2500,512511.7500,201.1004,K0+374.500,2.2500",
        "\"2,\"\"右\"\"-RI\",,,201.2004,K0+375.500,-3.0000",
        "\"2,\"\"右\"\"-RO\",3345513.2500,512513.7500,201.3004,K0+376.500,-8.2500",
    };
    EXPECT_EQ(lines, expected);
}
