#pragma once
// What one run of the calculate command hands to the front ends: the calculation, what the user must be told
// about it, and everything the writers need, so that no front end reaches back into the program's state after
// the command.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ProjectData.h"
#include "pedestal/Results.h"
#include "road/Road.h"

namespace tavrel {

struct CalculationOutcome {
    RoadMode mode = RoadMode::Straight;  // the mode the calculation ran in
    std::filesystem::path layoutFile;    // the pedestal layout file read
    // The layout as read, per pier and pedestal its results, per pier its section; calculation.warnings holds
    // the calculation's own warnings only.
    CalculationResult calculation;
    // Everything the user was told: the warnings of loading the road, then those of the calculation (the JSON's
    // "warnings").
    std::vector<std::string> warnings;
    // The workbook the command wrote; none when the front end asked for none.
    std::optional<std::filesystem::path> workbook;
    // The road data the calculation ran on: a copy of the loaded project of its own, so that the outcome stays
    // whole when a later 初始化 loads another road.
    std::shared_ptr<const ProjectData> project;

    // The road the calculation ran on (the plan on the curved skew path), for the plan drawing
    // (BuildPlanDrawing(outcome.road(), outcome.calculation)). A view of `project`: valid while that lives.
    Road road() const { return project->road(ReadsPlan(mode)); }
};

}  // namespace tavrel
