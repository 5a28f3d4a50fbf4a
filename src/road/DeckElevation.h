#pragma once
// Deck surface elevation across the road: a flat central band at the design elevation, and sloped bands on
// either side following the cross slopes of the superelevation table.
#include "common/Station.h"
#include "profile/Profile.h"
#include "profile/Superelevation.h"

namespace tavrel {

struct DeckPoint {
    double elevation = 0;  // m
    double slope = 0;      // ratio that applied at the point (0 in the central band)
};

// Deck elevation at continuous station s and signed offset u (m, positive to the left). In the central band
// (centralRightEdge <= u <= centralLeftEdge, edges included) the design elevation; left of it the surface falls
// by (u - centralLeftEdge) * leftSlope%; right of it it lies (centralRightEdge - u) * rightSlope% above.
DeckPoint DeckElevationAt(const Profile& profile, const Superelevation& cross, Station s, double u);

}  // namespace tavrel
