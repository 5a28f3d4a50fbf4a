#pragma once
// Everything the initialise command loads and the alignment and profile modules derive from it.
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/RoadMode.h"
#include "interchange/ElementChain.h"
#include "mainline/MainLine.h"
#include "profile/Profile.h"
#include "profile/Superelevation.h"
#include "road/Road.h"
#include "station/ChainBreak.h"

namespace tavrel {

struct ProjectData {
    RoadMode mode = RoadMode::Straight;  // the mode these data were loaded with
    // The road files read, in the order of the mode (plan, chain breaks, profile, superelevation; LandXML:
    // the LandXML file, then the superelevation file when one was read).
    std::vector<std::filesystem::path> roadFiles;
    // LandXML: the alignment read and its profile (empty: the alignment has none, or no name), as the file
    // names them.
    std::string landXmlAlignment, landXmlProfile;
    // What the user was told when these data were loaded (lines not read), in the user's words.
    std::vector<std::string> warnings;

    ChainBreakTable chainBreaks;
    // Plan alignment: loaded only for a curved skew bridge, in the form its option names.
    std::variant<std::monostate, MainLine, ElementChain> plan;
    Profile profile;                // no point: none was loaded (a LandXML alignment without a profile)
    Superelevation superelevation;  // no row: none was loaded (the station table of a LandXML road)

    // The loaded plan as the point-at-station service; none without a plan.
    std::optional<PlanAlignment> planAlignment() const;
    // The road of these data: on the curved skew path (curved = true, ReadsPlan of the mode) with the plan,
    // which must have been loaded; otherwise without.
    Road road(bool curved) const;
};

}  // namespace tavrel
