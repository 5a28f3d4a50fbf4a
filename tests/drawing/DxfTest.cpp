#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "drawing/Dxf.h"
#include "drawing/ExampleDrawings.h"

using namespace tavrel;
using tavrel::testing::RunExample;

namespace {

struct Tag {
    int code;
    std::string value;
};

// The group code / value pairs of an ASCII DXF text.
std::vector<Tag> Tags(const std::string& dxf) {
    std::vector<Tag> tags;
    std::size_t at = 0;
    const auto line = [&]() {
        const std::size_t end = dxf.find("\r\n", at);
        std::string s = dxf.substr(at, end - at);
        at = end == std::string::npos ? dxf.size() : end + 2;
        return s;
    };
    while (at < dxf.size()) {
        const int code = std::stoi(line());
        tags.push_back({code, line()});
    }
    return tags;
}

}  // namespace

TEST(DxfText, SectionsInOrderHandlesUniqueBelowTheSeedAndEveryOwnerExists) {
    const auto tags = Tags(DxfText(RunExample("mainline").drawing));
    ASSERT_FALSE(tags.empty());
    std::vector<std::string> sections;
    std::set<unsigned long> handles;
    std::vector<unsigned long> owners;
    unsigned long seed = 0;
    for (std::size_t k = 0; k < tags.size(); ++k) {
        const Tag& t = tags[k];
        if (t.code == 0 && t.value == "SECTION") sections.push_back(tags[k + 1].value);
        if (t.code == 9 && t.value == "$HANDSEED") seed = std::stoul(tags[k + 1].value, nullptr, 16);
        if ((t.code == 5 && k > 0 && tags[k - 1].code != 9) || t.code == 105) {
            EXPECT_TRUE(handles.insert(std::stoul(t.value, nullptr, 16)).second) << t.value;
        }
        if (t.code == 330 && t.value != "0") owners.push_back(std::stoul(t.value, nullptr, 16));
    }
    EXPECT_EQ(sections, (std::vector<std::string>{"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"}));
    EXPECT_EQ(tags.back().value, "EOF");
    ASSERT_FALSE(handles.empty());
    EXPECT_GT(seed, *handles.rbegin());
    for (unsigned long o : owners) EXPECT_TRUE(handles.count(o)) << std::hex << o;
}

TEST(DxfText, PointsKeepEveryDigitWithEastAsCadXAndNorthAsCadY) {
    const PlanDrawing d = RunExample("interchange").drawing;
    const auto tags = Tags(DxfText(d));
    std::vector<Point> cad;  // (CAD x, CAD y) of every POINT, in order
    for (std::size_t k = 0; k < tags.size(); ++k) {
        if (tags[k].code != 0 || tags[k].value != "POINT") continue;
        double x = 0, y = 0;
        for (std::size_t j = k + 1; j < tags.size() && tags[j].code != 0; ++j) {
            if (tags[j].code == 10) x = std::strtod(tags[j].value.c_str(), nullptr);
            if (tags[j].code == 20) y = std::strtod(tags[j].value.c_str(), nullptr);
        }
        cad.push_back({x, y});
    }
    ASSERT_EQ(cad.size(), d.points.size());
    for (std::size_t k = 0; k < cad.size(); ++k) {
        EXPECT_EQ(cad[k].x, d.points[k].at.y);  // bit for bit
        EXPECT_EQ(cad[k].y, d.points[k].at.x);
    }
}

TEST(DxfText, TextRotationIsCounterclockwiseFromEast) {
    PlanDrawing d;
    struct Row {
        const char* name;
        double bearing, rotation;
    };
    const Row rows[] = {
        {"reading east", kPi / 2, 0}, {"reading north", 0, 90}, {"reading south-east", 3 * kPi / 4, 315}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        d.texts = {{DrawingLayer::Text, {1, 2}, "1#墩", 1.5, r.bearing, HAlign::Right, VAlign::Middle}};
        const auto tags = Tags(DxfText(d));
        std::map<int, std::string> text;
        bool in = false;
        for (const Tag& t : tags) {
            if (t.code == 0) in = t.value == "TEXT";
            if (in) text[t.code] = t.value;
        }
        EXPECT_NEAR(std::strtod(text[50].c_str(), nullptr), r.rotation, 1e-9);
        EXPECT_EQ(text[1], "1#墩");
        EXPECT_EQ(text[72], "2");  // right
        EXPECT_EQ(text[73], "2");  // middle
        EXPECT_EQ(text[11], "2.0");
        EXPECT_EQ(text[21], "1.0");
        EXPECT_EQ(text[7], kDxfTextStyle);
    }
}
