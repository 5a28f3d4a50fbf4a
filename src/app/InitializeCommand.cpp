#include "app/InitializeCommand.h"

#include <algorithm>

#include "app/FileReading.h"
#include "app/RunCommand.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "input/ChainBreakFile.h"
#include "input/ElementFile.h"
#include "input/IntersectionPointFile.h"
#include "input/LandXml.h"
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

// The name to read among `names`: the one named beforehand (the reader checks that the file holds it); none
// when there is no choice to make; otherwise the one the user chooses.
std::string chooseName(CommandPort& port, ChoiceId id, const std::string& preset, const std::vector<std::string>& names,
                       const std::string& prompt, bool ask) {
    if (!ask || !preset.empty() || names.size() < 2) return preset;
    const auto chosen = port.chooseItem(id, ChoiceDialogOf(id).title, prompt, names);
    if (!chosen || *chosen >= names.size()) throw InputCancelled("list cancelled");
    return names[*chosen];
}

// Which alignment and profile of a LandXML file to read: asks the user only where the file holds several and
// nothing was named beforehand.
LandXmlChoice chooseRoad(CommandPort& port, const LoadOptions& options, const std::filesystem::path& file,
                         const std::vector<LandXmlAlignmentNames>& alignments) {
    LandXmlChoice choice{options.landXmlAlignment, options.landXmlProfile};
    std::vector<std::string> names;
    for (const LandXmlAlignmentNames& a : alignments) names.push_back(a.name);
    choice.alignment = chooseName(port, ChoiceId::LandXmlAlignment, choice.alignment, names,
                                  file.filename().string() + " 中有多条路线，请选择一条：", options.askChoices);
    if (!choice.profile.empty()) return choice;
    // The alignment the reader will read: the named one, or the only one; none is the reader's to report.
    const auto read = std::find_if(alignments.begin(), alignments.end(), [&](const LandXmlAlignmentNames& a) {
        return choice.alignment.empty() ? alignments.size() == 1 : a.name == choice.alignment;
    });
    if (read != alignments.end()) {
        choice.profile = chooseName(port, ChoiceId::LandXmlProfile, {}, read->profiles,
                                    "路线“" + read->name + "”有多个纵断面，请选择一个：", options.askChoices);
    }
    return choice;
}

// The road of a LandXML file: plan, chain breaks from its station equations, profile when the alignment has one.
// Its warnings name the file and line. The lists are shown outside the file's reading, so that cancelling one
// is not taken for a fault in the file.
void loadLandXml(ProjectData& p, CommandPort& port, const LoadOptions& options) {
    const FileDialogInfo& dialog = FileDialogOf(DialogId::LandXmlFile);
    const auto path = port.askFile(dialog.id, dialog.title, dialog.filter);
    if (!path) throw InputCancelled("dialog cancelled");
    const std::string bytes = InFile(*path, [&] { return ReadFileBytes(*path); });
    const auto alignments = InFile(*path, [&] { return ListLandXmlAlignments(bytes); });
    const LandXmlChoice choice = chooseRoad(port, options, *path, alignments);
    InFile(*path, [&] {
        LandXmlRoad road = ReadLandXml(bytes, choice);
        p.plan = BuildElementChain(road.plan, kMaxLandXmlElements);
        p.chainBreaks = MakeChainBreakTable(road.chainBreaks);
        if (!road.profilePoints.empty()) p.profile = ProfileBuild(std::move(road.profilePoints));
        for (const LandXmlWarning& w : road.warnings) p.warnings.push_back(LineWarning(*path, w.where.line, w.text));
        p.landXmlAlignment = road.alignmentName;
        p.landXmlProfile = road.profileName;
    });
    p.roadFiles.push_back(*path);
}

}  // namespace

ProjectData LoadProject(RoadMode mode, CommandPort& port, const LoadOptions& options) {
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
        case RoadMode::LandXml: loadLandXml(p, port, options); break;
    }
    if (ReadsChainBreaks(mode)) {
        askAndLoad(p, port, DialogId::ChainBreakFile, [&](const std::string& text, FileNotes& notes) {
            p.chainBreaks = MakeChainBreakTable(ReadChainBreakFile(text, &notes.earlyEnd));
        });
    }
    if (ReadsProfileFile(mode)) {
        askAndLoad(p, port, DialogId::ProfileFile, [&](const std::string& text, FileNotes& notes) {
            p.profile = ProfileBuild(ReadProfileFile(text, p.chainBreaks, &notes.earlyEnd, &notes.partlyRead));
        });
    }
    if (options.readSuperelevation) {
        askAndLoad(p, port, DialogId::SuperelevationFile, [&](const std::string& text, FileNotes& notes) {
            p.superelevation = ReadSuperelevationFile(text, p.chainBreaks, &notes.earlyEnd, &notes.partlyRead);
        });
    }
    return p;
}

bool InitializeCommand(AppState& state, RoadMode mode, CommandPort& port, const LoadOptions& options) {
    return RunCommand(port, [&] {
        ProjectData fresh = LoadProject(mode, port, options);
        state.project = std::move(fresh);
        state.calculateEnabled = true;
        if (!state.project.warnings.empty()) port.showWarnings(state.project.warnings);
    });
}

}  // namespace tavrel
