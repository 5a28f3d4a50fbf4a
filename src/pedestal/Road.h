#pragma once
// What the pedestal geometry reads of the loaded road: chain breaks, profile, cross slopes and, on the curved
// skew path, the plan alignment.
#include "app/PlanAlignment.h"
#include "app/ProjectData.h"

namespace tavrel {

struct Road {
    const ProjectData& project;
    const PlanAlignment* plan = nullptr;  // set on the curved skew path only
    bool curved() const { return plan != nullptr; }
};

}  // namespace tavrel
