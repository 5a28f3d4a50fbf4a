#pragma once
// Project files in the commands: opening one loads its road as 初始化 would, with the project's files as the
// answers to the file dialogs; saving one records the road now loaded and a layout file. A calculation takes the
// project's layout file the same way, through a port that answers its dialog.
#include <filesystem>
#include <map>
#include <optional>

#include "app/AppState.h"
#include "app/CommandPort.h"
#include "app/RoadMode.h"
#include "input/ProjectFile.h"

namespace tavrel {

// The road mode of a project's form. A form this program has no mode for throws ProjectFileError at the mode's
// line.
RoadMode RoadModeOf(const ProjectFile& project);

// The files a project names, by the dialog that would ask for each.
std::map<DialogId, std::filesystem::path> DialogFilesOf(const ProjectFile& project);

// The project of a loaded road (its mode and its files) with a layout file; paths as loaded, lines 0.
ProjectFile ProjectOfRoad(const ProjectData& road, const std::optional<std::filesystem::path>& layout);

// A port that answers the file dialogs it has a file for and hands everything else (other dialogs, messages,
// warnings, the workbook) to the port it wraps.
class PresetFilesPort : public CommandPort {
public:
    PresetFilesPort(CommandPort& inner, std::map<DialogId, std::filesystem::path> files)
        : inner_(inner), files_(std::move(files)) {}

    std::optional<std::filesystem::path> askFile(DialogId id, std::string_view title, std::string_view filter) override;
    void showMessage(std::string_view title, std::string_view text, MessageIcon icon) override {
        inner_.showMessage(title, text, icon);
    }
    void showWarnings(const std::vector<std::string>& warnings) override { inner_.showWarnings(warnings); }
    void deliverWorkbook(const std::filesystem::path& xlsx) override { inner_.deliverWorkbook(xlsx); }

private:
    CommandPort& inner_;
    std::map<DialogId, std::filesystem::path> files_;
};

// OpenProjectCommand: 打开项目. Reads the project file (every fault a message naming its line) and runs the
// initialise command in the project's mode with the project's files: all or nothing as 初始化 is, so that a
// project that cannot be opened leaves the road loaded before in use. Returns the project when its road was
// loaded.
std::optional<ProjectFile> OpenProjectCommand(AppState& state, const std::filesystem::path& file, CommandPort& port);

// SaveProjectCommand: 保存项目. Writes the project file of the loaded road and `layout` to `target` through the
// safe output writer (a file there is replaced: the front end asked first; never one of the road or layout
// files). A failure is reported through the port. Returns true when the file was written.
bool SaveProjectCommand(const AppState& state, const std::optional<std::filesystem::path>& layout,
                        const std::filesystem::path& target, CommandPort& port);

}  // namespace tavrel
