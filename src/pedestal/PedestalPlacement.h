#pragma once
// The deck above one pedestal: where the pedestal point lies on the road (station and offset) and the deck
// elevation there, and the deck elevation interpolated on a pier's section.
#include <optional>

#include "common/Plane.h"
#include "pedestal/Results.h"
#include "road/DeckElevation.h"
#include "road/Road.h"

namespace tavrel {

// One pedestal point on the deck.
struct PedestalPoint {
    Station station = 0;         // continuous station of the point's foot on the centreline
    double nominalStation = 0;   // the same in the written numbering
    double deckElevation = 0;    // m
    double crossSlope = 0;       // ratio that applied (0 in the central band)
    double offset = 0;           // m, signed, positive to the left
    std::optional<Point> point;  // plane point, on the curved skew path
};

// qmjs: station, offset and deck elevation of the pedestal at `distance` (m, positive to the left) along the
// pier axis from the centreline point at the reference station zhzh, for a skew angle in degrees. On the curved
// skew path a reference station outside the plan alignment is rejected with the message the user must see, and a
// point whose foot the search cannot find throws FootNotFound (StationOfPoint.h) for the caller to name it; the
// offset's sign is the side of the centreline the point lies on at its foot.
PedestalPoint qmjs(const Road& road, Station zhzh, double skewAngle, double distance);

// qmjs1: deck elevation at distance dsjltemp (m) along the pier axis, interpolated on the pier's section: flat
// between the inner edges, along the axis slopes beyond them.
double qmjs1(const PierSection& section, double dsjltemp);

}  // namespace tavrel
