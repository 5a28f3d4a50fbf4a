#pragma once
// The road a calculation runs on: chain breaks, vertical profile, superelevation and, on the curved skew path,
// the plan alignment. Each part is a view of data held elsewhere (the loaded project), which must outlive it.
#include <optional>

#include "profile/Profile.h"
#include "profile/Superelevation.h"
#include "road/PlanAlignment.h"
#include "station/ChainBreak.h"

namespace tavrel {

struct Road {
    const ChainBreakTable& chainBreaks;
    const Profile& profile;
    const Superelevation& superelevation;
    std::optional<PlanAlignment> plan;  // set on the curved skew path only
    bool curved() const { return plan.has_value(); }
};

}  // namespace tavrel
