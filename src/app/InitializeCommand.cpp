#include "app/InitializeCommand.h"

#include "app/RunCommand.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "input/ChainBreakFile.h"
#include "input/ElementFile.h"
#include "input/IntersectionPointFile.h"
#include "input/ProfileFile.h"
#include "input/SuperelevationFile.h"

namespace tavrel {

namespace {

// Shows the dialog for one road file, reads the chosen file whole and hands its text to load(text, earlyEnd).
// Cancelling always cancels, even when a file was chosen in the same dialog before. A failure names the file
// (and the reader its line); a blank line that ended the records early becomes a warning.
template <class Load>
void askAndLoad(ProjectData& p, CommandPort& port, DialogId id, Load load) {
    const FileDialogInfo& dialog = FileDialogOf(id);
    const auto path = port.askFile(id, dialog.title, dialog.filter);
    if (!path) throw InputCancelled("dialog cancelled");
    InFile(*path, [&] {
        std::optional<EarlyEnd> earlyEnd;
        const std::string text = ReadTextFile(*path);
        try {
            load(text, &earlyEnd);
        } catch (TavrelError& e) {
            // A fault the geometry found in a record knows the record's line; show that line's text too.
            if (e.where && e.where->line > 0 && e.where->text.empty()) {
                const auto lines = SplitLines(text);
                if (e.where->line <= lines.size()) e.where->text = lines[e.where->line - 1];
            }
            throw;
        }
        if (earlyEnd) p.warnings.push_back(EarlyEndWarning(*path, *earlyEnd));
    });
    p.roadFiles.push_back(*path);
}

}  // namespace

ProjectData LoadProject(RoadMode mode, CommandPort& port) {
    ProjectData p;
    p.mode = mode;
    using Early = std::optional<EarlyEnd>*;
    switch (mode) {
        case RoadMode::Straight: break;
        case RoadMode::MainLine:
            askAndLoad(p, port, DialogId::PlanFile, [&](const std::string& text, Early early) {
                p.plan = MainLineBuild(ReadIntersectionPointFile(text, early));
            });
            break;
        case RoadMode::Interchange:
            askAndLoad(p, port, DialogId::PlanFile, [&](const std::string& text, Early early) {
                p.plan = BuildElementChain(ReadElementFile(text, early));
            });
            break;
    }
    if (ReadsChainBreaks(mode)) {
        askAndLoad(p, port, DialogId::ChainBreakFile, [&](const std::string& text, Early early) {
            p.chainBreaks = MakeChainBreakTable(ReadChainBreakFile(text, early));
        });
    }
    askAndLoad(p, port, DialogId::ProfileFile, [&](const std::string& text, Early early) {
        p.profile = ProfileBuild(ReadProfileFile(text, p.chainBreaks, early));
    });
    askAndLoad(p, port, DialogId::SuperelevationFile, [&](const std::string& text, Early early) {
        p.superelevation = ReadSuperelevationFile(text, p.chainBreaks, early);
    });
    return p;
}

bool InitializeCommand(AppState& state, RoadMode mode, CommandPort& port) {
    return RunCommand(port, [&] {
        ProjectData fresh = LoadProject(mode, port);
        state.project = std::move(fresh);
        state.calculateEnabled = true;
        if (!state.project.warnings.empty()) port.showWarnings(state.project.warnings);
    });
}

}  // namespace tavrel
