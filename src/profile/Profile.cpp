#include "profile/Profile.h"

#include "app/Errors.h"

namespace tavrel {

Profile ProfileBuild(std::vector<ProfilePoint> loaded) {
    if (loaded.size() < 2) throw CalcError("profile needs two points");
    return Profile{std::move(loaded)};
}

double ProfileElevationAt(const Profile&, Station) { throw CalcError("profile not built"); }

}  // namespace tavrel
