#pragma once
// The calculate command: reads the pedestal layout file and computes every pedestal of every pier on the road
// loaded by the initialise command, writes the result workbook where the front end asked, and returns the
// outcome the front end's writers work from.
#include <filesystem>
#include <optional>

#include "app/AppState.h"
#include "app/CalculationOutcome.h"
#include "app/CommandPort.h"

namespace tavrel {

// What the front end decides about the workbook.
struct CalculateOptions {
    // Where the workbook goes: nullopt = beside the layout file, named after it (never over a file this
    // process did not write or a spreadsheet program holds open); a path = exactly there (the batch front end's
    // --xlsx).
    std::optional<std::filesystem::path> workbookPath;
    bool writeWorkbook = true;  // false: compute only (the batch front end without --xlsx)
};

// CalculateCommand: the calculate button. Refuses a mode other than the one the road was loaded with (a 提示
// naming both) and a LandXML road loaded without a profile, before any dialog. Asks the port for the layout file
// (DialogId::LayoutFile), computes, writes a workbook of this calculation's sheets (WriteResultWorkbook), shows the
// calculation's warnings, then hands the workbook to the port. Every failure is reported through the port; returns
// the outcome on success.
std::optional<CalculationOutcome> CalculateCommand(AppState& state, RoadMode mode, CommandPort& port,
                                                   const CalculateOptions& options = {});

}  // namespace tavrel
