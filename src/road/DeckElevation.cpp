#include "road/DeckElevation.h"

namespace tavrel {

DeckPoint DeckElevationAt(const Profile& profile, const Superelevation& cross, Station s, double u) {
    const CrossSlopes slopes = CrossSlopesAt(cross, s);
    const double e = ProfileElevationAt(profile, s);
    const CrossSectionWidths& w = cross.widths();
    if (w.centralRightEdge <= u && u <= w.centralLeftEdge) return {e, 0};
    if (u > w.centralLeftEdge) return {e - (u - w.centralLeftEdge) * slopes.leftSlope / 100, slopes.leftSlope / 100};
    return {e - (u - w.centralRightEdge) * slopes.rightSlope / 100, slopes.rightSlope / 100};
}

}  // namespace tavrel
