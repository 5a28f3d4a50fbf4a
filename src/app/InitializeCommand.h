#pragma once
#include "app/AppState.h"
#include "app/CommandPort.h"
#include "app/ProjectData.h"

namespace tavrel {

// LoadProject: asks the port for the road files in the order the mode fixes (plan, chain breaks, profile,
// superelevation), reads each one whole and derives the alignment and profile. Throws on the first failure.
ProjectData LoadProject(RoadMode mode, CommandPort& port);

// InitializeCommand: the initialise button. All or nothing: the loaded project replaces state.project, and the
// calculate button is enabled, only when every file was read and every derived step succeeded; after a failure
// the previous project stays in force and the failure is reported through the port. Returns true on success.
bool InitializeCommand(AppState& state, RoadMode mode, CommandPort& port);

}  // namespace tavrel
