#pragma once
// Everything the initialise command loads and the alignment and profile modules derive from it.
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "interchange/ElementChain.h"
#include "mainline/MainLine.h"
#include "profile/Profile.h"
#include "profile/Superelevation.h"
#include "road/Road.h"
#include "station/ChainBreak.h"

namespace tavrel {

// The mode chosen on the main window when a command runs.
struct Mode {
    bool isCurvedSkewBridge = false;  // Check4 "曲线斜交桥": the plan alignment is read and used
    bool mainLineMode = true;         // Option3 "交点法—主线"; otherwise Option4 "积木法—互通"
    bool interchangeMode() const { return !mainLineMode; }
    bool readsChainBreaks() const { return !isCurvedSkewBridge || mainLineMode; }
};

struct ProjectData {
    Mode mode;  // the mode these data were loaded with
    // The road files read, in the order of the mode (plan, chain breaks, profile, superelevation).
    std::vector<std::filesystem::path> roadFiles;
    // What the user was told when these data were loaded (lines not read), in the user's words.
    std::vector<std::string> warnings;

    ChainBreakTable chainBreaks;
    // Plan alignment: loaded only for a curved skew bridge, in the form its option names.
    std::variant<std::monostate, MainLine, ElementChain> plan;
    Profile profile;
    Superelevation superelevation;

    // The loaded plan as the point-at-station service; none without a plan.
    std::optional<PlanAlignment> planAlignment() const;
    // The road of these data: on the curved skew path (curved = true) with the plan, which must have been
    // loaded; otherwise without.
    Road road(bool curved) const;
};

}  // namespace tavrel
