#include "pedestal/Deck.h"

namespace tavrel {

DeckPoint DeckElevationAt(const Profile& profile, const Superelevation& cross, Station s, double u) {
    const CrossSlopes slopes = cgjs(cross, s);
    const double e = ProfileElevationAt(profile, s);
    if (cross.centralRightEdge <= u && u <= cross.centralLeftEdge) return {e, 0};
    if (u > cross.centralLeftEdge)
        return {e - (u - cross.centralLeftEdge) * slopes.zcgz / 100, slopes.zcgz / 100};
    return {e - (u - cross.centralRightEdge) * slopes.ycgz / 100, slopes.ycgz / 100};
}

}  // namespace tavrel
