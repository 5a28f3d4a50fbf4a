#include "road/DeckElevation.h"

namespace tavrel {

DeckPoint DeckElevationAt(const Profile& profile, const Superelevation& cross, Station s, double u) {
    const CrossSlopes slopes = cgjs(cross, s);
    const double e = ProfileElevationAt(profile, s);
    const CrossSectionWidths& w = cross.widths();
    if (w.centralRightEdge <= u && u <= w.centralLeftEdge) return {e, 0};
    if (u > w.centralLeftEdge) return {e - (u - w.centralLeftEdge) * slopes.zcgz / 100, slopes.zcgz / 100};
    return {e - (u - w.centralRightEdge) * slopes.ycgz / 100, slopes.ycgz / 100};
}

}  // namespace tavrel
