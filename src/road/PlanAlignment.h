#pragma once
// The point-at-station service: the centreline point and bearing of whichever plan alignment was loaded (main
// line by intersection points, or interchange ramp by elements). Everything that needs plan coordinates goes
// through this one interface.
#include <variant>

#include "common/Plane.h"
#include "interchange/ElementChain.h"
#include "mainline/MainLine.h"

namespace tavrel {

// A view of one built alignment; the alignment must outlive it.
class PlanAlignment {
public:
    explicit PlanAlignment(const MainLine& mainLine) : line_(&mainLine) {}
    explicit PlanAlignment(const ElementChain& ramp) : line_(&ramp) {}

    // Centreline point and tangent bearing at a continuous station; the bearing as the alignment gives it
    // (the main line in [0, 2*pi), the ramp as computed). Never inf or NaN: throws CalcError instead.
    PointAtStation pointAt(Station station) const;

    // Stations of the plan's first and last points (first and last intersection point, or chain start and
    // end): the stretch on which a bridge may stand. Throws CalcError for an empty alignment.
    Station firstStation() const;
    Station lastStation() const;

private:
    std::variant<const MainLine*, const ElementChain*> line_;
};

}  // namespace tavrel
