#include "app/InitializeCommand.h"

#include "app/InputFiles.h"
#include "app/RunCommand.h"
#include "common/Errors.h"
#include "common/TextFile.h"

namespace tavrel {

namespace {

// Shows the dialog and reads the chosen file whole, noting it among the project's files. Cancelling always
// cancels, even when a file was chosen in the same dialog before.
std::string askAndRead(CommandPort& port, DialogId id, ProjectData& p) {
    const FileDialogInfo& dialog = FileDialogOf(id);
    const auto path = port.askFile(id, dialog.title, dialog.filter);
    if (!path) throw InputCancelled("dialog cancelled");
    p.roadFiles.push_back(*path);
    return ReadTextFile(*path);
}

}  // namespace

ProjectData LoadProject(const Mode& mode, CommandPort& port) {
    ProjectData p;
    p.mode = mode;
    if (mode.isCurvedSkewBridge && mode.mainLineMode)
        p.plan = MainLineBuild(ReadIntersectionPointFile(askAndRead(port, DialogId::CommonDialog1, p)));
    else if (mode.isCurvedSkewBridge)
        p.plan = BuildElementChain(ReadElementFile(askAndRead(port, DialogId::CommonDialog1, p)));
    if (mode.readsChainBreaks())
        p.chainBreaks = MakeChainBreakTable(ReadChainBreakFile(askAndRead(port, DialogId::CommonDialog3, p)));
    p.profile = ProfileBuild(ReadProfileFile(askAndRead(port, DialogId::CommonDialog4, p), p.chainBreaks));
    p.superelevation = ReadSuperelevationFile(askAndRead(port, DialogId::CommonDialog2, p), p.chainBreaks);
    return p;
}

bool InitializeCommand(AppState& state, const Mode& mode, CommandPort& port) {
    return RunCommand(port, [&] {
        ProjectData fresh = LoadProject(mode, port);
        state.project = std::move(fresh);
        state.calculateEnabled = true;
    });
}

}  // namespace tavrel
