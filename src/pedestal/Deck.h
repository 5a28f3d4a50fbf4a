#pragma once
// Deck surface elevation across the road: a flat central band at the design elevation, and sloped bands on
// either side following the cross slopes of the superelevation table.
#include "profile/Profile.h"
#include "profile/Superelevation.h"
#include "station/Station.h"

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

#include <optional>

#include "mainline/Plane.h"
#include "pedestal/Results.h"
#include "pedestal/Road.h"

namespace tavrel {

// One pedestal point on the deck.
struct PedestalPoint {
    Station station = 0;        // continuous station of the point's foot on the centreline
    double nominalStation = 0;  // the same in the written numbering
    double deckElevation = 0;   // m
    double crossSlope = 0;      // ratio that applied (0 in the central band)
    double offset = 0;          // m, signed, positive to the left
    std::optional<Point> point;  // plane point, on the curved skew path
};

// qmjs: station, offset and deck elevation of the pedestal at `distance` (m, positive to the left) along the
// pier axis from the centreline point at the reference station zhzh, for a skew angle in degrees. On the curved
// skew path a reference station outside the plan alignment is rejected with the message the user must see.
PedestalPoint qmjs(const Road& road, Station zhzh, double skewAngle, double distance);

// qmjs1: deck elevation at distance dsjltemp (m) along the pier axis, interpolated on the pier's section: flat
// between the inner edges, along the axis slopes beyond them.
double qmjs1(const PierSection& section, double dsjltemp);

}  // namespace tavrel
