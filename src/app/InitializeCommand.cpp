#include "app/InitializeCommand.h"

#include "app/FileReading.h"
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

// Shows the dialog for one road file, reads the chosen file whole and hands its text to load(text, notes).
// Cancelling always cancels, even when a file was chosen in the same dialog before. A failure names the file
// (and the reader its line) and says why where it can; what the reader noted becomes warnings.
template <class Load>
void askAndLoad(ProjectData& p, CommandPort& port, DialogId id, Load load) {
    const FileDialogInfo& dialog = FileDialogOf(id);
    const auto path = port.askFile(id, dialog.title, dialog.filter);
    if (!path) throw InputCancelled("dialog cancelled");
    InFile(*path, [&] {
        FileNotes notes;
        const std::string text = ReadTextFile(*path);
        try {
            load(text, notes);
        } catch (TavrelError& e) {
            ExplainReadFailure(e, text, ExpectedKind(id, p.mode), notes);
            throw;
        }
        for (std::string& w : FileWarnings(*path, notes)) p.warnings.push_back(std::move(w));
    });
    p.roadFiles.push_back(*path);
}

}  // namespace

ProjectData LoadProject(RoadMode mode, CommandPort& port) {
    ProjectData p;
    p.mode = mode;
    switch (mode) {
        case RoadMode::Straight: break;
        case RoadMode::MainLine:
            askAndLoad(p, port, DialogId::PlanFile, [&](const std::string& text, FileNotes& notes) {
                p.plan = MainLineBuild(ReadIntersectionPointFile(text, &notes.earlyEnd));
            });
            break;
        case RoadMode::Interchange:
            askAndLoad(p, port, DialogId::PlanFile, [&](const std::string& text, FileNotes& notes) {
                p.plan = BuildElementChain(ReadElementFile(text, &notes.earlyEnd));
            });
            break;
    }
    if (ReadsChainBreaks(mode)) {
        askAndLoad(p, port, DialogId::ChainBreakFile, [&](const std::string& text, FileNotes& notes) {
            p.chainBreaks = MakeChainBreakTable(ReadChainBreakFile(text, &notes.earlyEnd));
        });
    }
    askAndLoad(p, port, DialogId::ProfileFile, [&](const std::string& text, FileNotes& notes) {
        p.profile = ProfileBuild(ReadProfileFile(text, p.chainBreaks, &notes.earlyEnd, &notes.partlyRead));
    });
    askAndLoad(p, port, DialogId::SuperelevationFile, [&](const std::string& text, FileNotes& notes) {
        p.superelevation = ReadSuperelevationFile(text, p.chainBreaks, &notes.earlyEnd, &notes.partlyRead);
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
