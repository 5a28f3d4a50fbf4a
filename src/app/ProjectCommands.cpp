#include "app/ProjectCommands.h"

#include <stdexcept>
#include <vector>

#include "app/InitializeCommand.h"
#include "app/RunCommand.h"
#include "common/OutputFile.h"
#include "report/ProjectFileText.h"

namespace tavrel {

namespace {

// The file each dialog answers with, as a member of the project.
struct DialogMember {
    DialogId id;
    std::optional<ProjectPath> ProjectFile::*member;
};
constexpr DialogMember kDialogMembers[] = {
    {DialogId::PlanFile, &ProjectFile::plan},       {DialogId::ChainBreakFile, &ProjectFile::chainBreaks},
    {DialogId::ProfileFile, &ProjectFile::profile}, {DialogId::SuperelevationFile, &ProjectFile::superelevation},
    {DialogId::LayoutFile, &ProjectFile::layout},   {DialogId::LandXmlFile, &ProjectFile::landXml},
};

// The dialogs of the road files in the order LoadProject asks them in a mode (ProjectData::roadFiles).
std::vector<DialogId> RoadFileDialogs(RoadMode mode) {
    switch (mode) {
        case RoadMode::Straight: return {DialogId::ChainBreakFile, DialogId::ProfileFile, DialogId::SuperelevationFile};
        case RoadMode::MainLine:
            return {DialogId::PlanFile, DialogId::ChainBreakFile, DialogId::ProfileFile, DialogId::SuperelevationFile};
        case RoadMode::Interchange: return {DialogId::PlanFile, DialogId::ProfileFile, DialogId::SuperelevationFile};
        case RoadMode::LandXml: return {DialogId::LandXmlFile, DialogId::SuperelevationFile};
    }
    return {};
}

ProjectRoadForm FormOf(RoadMode mode) {
    switch (mode) {
        case RoadMode::Straight: return ProjectRoadForm::Straight;
        case RoadMode::MainLine: return ProjectRoadForm::MainLine;
        case RoadMode::Interchange: return ProjectRoadForm::Interchange;
        case RoadMode::LandXml: return ProjectRoadForm::LandXml;
    }
    return ProjectRoadForm::Straight;
}

}  // namespace

RoadMode RoadModeOf(const ProjectFile& project) {
    switch (project.form) {
        case ProjectRoadForm::Straight: return RoadMode::Straight;
        case ProjectRoadForm::MainLine: return RoadMode::MainLine;
        case ProjectRoadForm::Interchange: return RoadMode::Interchange;
        case ProjectRoadForm::LandXml: return RoadMode::LandXml;
    }
    ProjectFileError e("道路形式 " + std::string(ProjectRoadFormName(project.form)) +
                       " 需要更新版本的 Tavrel 才能读入");
    e.where = project.formWhere;
    throw e;
}

std::map<DialogId, std::filesystem::path> DialogFilesOf(const ProjectFile& project) {
    std::map<DialogId, std::filesystem::path> files;
    for (const auto& [id, member] : kDialogMembers)
        if (const auto& file = project.*member) files[id] = file->path;
    return files;
}

ProjectFile ProjectOfRoad(const ProjectData& road, const std::optional<std::filesystem::path>& layout) {
    ProjectFile project;
    project.form = FormOf(road.mode);
    std::vector<DialogId> dialogs = RoadFileDialogs(road.mode);
    // A LandXML road read for its station table alone may have gone without the superelevation file.
    if (road.mode == RoadMode::LandXml && road.roadFiles.size() + 1 == dialogs.size()) dialogs.pop_back();
    if (dialogs.size() != road.roadFiles.size()) throw std::logic_error("road files do not match the road's mode");
    for (std::size_t i = 0; i < dialogs.size(); ++i)
        for (const auto& [id, member] : kDialogMembers)
            if (id == dialogs[i]) project.*member = ProjectPath{road.roadFiles[i], {}};
    if (layout) project.layout = ProjectPath{*layout, {}};
    project.alignment = road.landXmlAlignment;
    project.profAlign = road.landXmlProfile;
    return project;
}

std::optional<std::filesystem::path> PresetFilesPort::askFile(DialogId id, std::string_view title,
                                                              std::string_view filter) {
    const auto it = files_.find(id);
    if (it != files_.end()) return it->second;
    return inner_.askFile(id, title, filter);
}

std::optional<ProjectFile> OpenProjectCommand(AppState& state, const std::filesystem::path& file, CommandPort& port) {
    std::optional<ProjectFile> project;
    RoadMode mode = RoadMode::Straight;
    const bool read = RunCommand(port, [&] {
        project = ReadProjectFile(file);
        mode = InFile(file, [&] { return RoadModeOf(*project); });
    });
    if (!read) return std::nullopt;
    PresetFilesPort answers(port, DialogFilesOf(*project));
    // The project names the alignment and profile, or means the file's only alignment and its first profile.
    LoadOptions options;
    options.landXmlAlignment = project->alignment;
    options.landXmlProfile = project->profAlign;
    options.askChoices = false;
    if (!InitializeCommand(state, mode, answers, options)) return std::nullopt;
    return project;
}

bool SaveProjectCommand(const AppState& state, const std::optional<std::filesystem::path>& layout,
                        const std::filesystem::path& target, CommandPort& port) {
    return RunCommand(port, [&] {
        if (!state.calculateEnabled) throw std::logic_error("no road loaded to save as a project");
        const ProjectFile project = ProjectOfRoad(state.project, layout);
        OutputRules rules;
        rules.inputs = state.project.roadFiles;
        if (layout) rules.inputs.push_back(*layout);
        WriteOutputFile(target, ProjectFileText(project, target), rules);
    });
}

}  // namespace tavrel
