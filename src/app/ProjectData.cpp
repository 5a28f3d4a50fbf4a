#include "app/ProjectData.h"

#include "common/Errors.h"

namespace tavrel {

std::optional<PlanAlignment> ProjectData::planAlignment() const {
    if (const auto* line = std::get_if<MainLine>(&plan)) return PlanAlignment(*line);
    if (const auto* ramp = std::get_if<ElementChain>(&plan)) return PlanAlignment(*ramp);
    return std::nullopt;
}

Road ProjectData::road(bool curved) const {
    Road r{chainBreaks, profile, superelevation, std::nullopt};
    if (curved) {
        r.plan = planAlignment();
        if (!r.plan) throw CalcError("no plan alignment was loaded");
    }
    return r;
}

}  // namespace tavrel
