#pragma once
// Where the searches on the curved skew path start: a bracket of stations from the skew angle widened by
// kSkewBracketDegrees either way, inside which a skew pier axis meets the centreline's normals (the foot of a
// pedestal point) and the lines parallel to the centreline (the deck edges).
#include <utility>

#include "common/Station.h"

namespace tavrel {

inline constexpr double kSkewBracketDegrees = 20;  // degrees either side of the skew angle

// Stations [first, second] (not ordered for a skew angle within the bracket of 0 or 180 degrees).
using StationBracket = std::pair<Station, Station>;

// The bracket of the foot of the point at `distance` (m, positive to the left) along the axis of a pier at
// station `st` with the skew angle in degrees: st - distance * cos(angle -+ kSkewBracketDegrees).
StationBracket FootBracket(Station st, double skewAngle, double distance);

// The bracket of the stations where the axis of a pier at station `S` meets the line at offset h (m, positive to
// the left): S - h / tan(angle -+ kSkewBracketDegrees). Throws CalcError where the tangent is 0.
StationBracket OffsetLineBracket(Station S, double skewAngle, double h);

}  // namespace tavrel
