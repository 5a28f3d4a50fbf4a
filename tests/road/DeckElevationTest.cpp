#include <gtest/gtest.h>

#include "road/DeckElevation.h"

using namespace tavrel;

namespace {

// A level road at elevation 100 with slopes 2 % left and -3 % right, central band from -0.5 to 0.5.
struct LevelRoad {
    Profile profile = ProfileBuild({{"0", 0, 100, 0}, {"1000", 1000, 100, 0}});
    Superelevation cross = SuperelevationBuild({12, 0.5, -0.5, -12}, {{"0", 0, 2, -3}});
};

}  // namespace

TEST(DeckBandRule, CentralBandIsFlatEdgesIncluded) {
    LevelRoad r;
    for (double u : {0.5, 0.0, -0.5}) {
        SCOPED_TRACE(u);
        const DeckPoint d = DeckElevationAt(r.profile, r.cross, 500, u);
        EXPECT_DOUBLE_EQ(d.elevation, 100);
        EXPECT_EQ(d.slope, 0);
    }
}

TEST(DeckBandRule, SlopedBandsFollowTheCrossSlopeSigns) {
    LevelRoad r;
    // Left: a positive slope falls outwards.
    DeckPoint d = DeckElevationAt(r.profile, r.cross, 500, 10.5);
    EXPECT_NEAR(d.elevation, 100 - 10 * 0.02, 1e-12);
    EXPECT_DOUBLE_EQ(d.slope, 0.02);
    // Right: the surface lies (centralRightEdge - u) * rightSlope above; a negative slope falls outwards.
    d = DeckElevationAt(r.profile, r.cross, 500, -10.5);
    EXPECT_NEAR(d.elevation, 100 - 10 * 0.03, 1e-12);
    EXPECT_DOUBLE_EQ(d.slope, -0.03);
}
