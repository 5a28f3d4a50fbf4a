#pragma once
// Where one pedestal lies on the road: the station and offset of its point, and the deck elevation there.
#include <optional>

#include "common/Plane.h"
#include "road/Road.h"

namespace tavrel {

// One pedestal point on the road.
struct PedestalPlacement {
    Station station = 0;         // continuous station of the point's foot on the centreline
    double nominalStation = 0;   // the same in the written numbering
    double deckElevation = 0;    // m
    double crossSlope = 0;       // ratio that applied (0 in the central band)
    double offset = 0;           // m, signed, positive to the left
    std::optional<Point> point;  // plane point, on the curved skew path
};

// PlacePedestal (`qmjs`): station, offset and deck elevation of the pedestal at `distance` (m, positive to the
// left) along the pier axis from the centreline point at the reference station, for a skew angle in degrees. On
// the curved skew path a reference station outside the plan alignment is rejected with the message the user must
// see, and a point whose foot the search cannot find throws FootNotFound (StationOfPoint.h) for the caller to name
// it; the offset's sign is the side of the centreline the point lies on at its foot.
PedestalPlacement PlacePedestal(const Road& road, Station referenceStation, double skewAngle, double distance);

}  // namespace tavrel
