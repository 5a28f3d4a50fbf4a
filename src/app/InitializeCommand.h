#pragma once
#include "app/AppState.h"
#include "app/CommandPort.h"
#include "app/ProjectData.h"

#include <string>

namespace tavrel {

// What a front end settles before the road files are read.
struct LoadOptions {
    // LandXML: the alignment and profile to read, named beforehand (the command line, a project file); the
    // file must hold them. Empty: the port is asked to choose when the file holds several (a file with one
    // alignment needs no name; an alignment's first profile is read when it has one).
    std::string landXmlAlignment, landXmlProfile;
    // Whether the port is asked at all. False (a project file): an empty name is the file's only alignment or
    // the alignment's first profile, and a file of several alignments fails with their names.
    bool askChoices = true;
    // Whether the superelevation file is read. Only the station table of a LandXML road goes without (its
    // slopes are then left out); the pedestal calculation needs it.
    bool readSuperelevation = true;
};

// LoadProject: asks the port for the road files in the order the mode fixes (plan, chain breaks, profile,
// superelevation; LandXML: the LandXML file, which alignment and profile when it holds several, then
// superelevation), reads each one whole and derives the alignment and profile. Throws on the first failure;
// cancelling a dialog or a list throws InputCancelled.
ProjectData LoadProject(RoadMode mode, CommandPort& port, const LoadOptions& options = {});

// InitializeCommand: the initialise button. All or nothing: the loaded project replaces state.project, and the
// calculate button is enabled, only when every file was read and every derived step succeeded; after a failure
// the previous project stays in force and the failure is reported through the port. Returns true on success.
bool InitializeCommand(AppState& state, RoadMode mode, CommandPort& port, const LoadOptions& options = {});

}  // namespace tavrel
