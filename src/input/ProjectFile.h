#pragma once
// The project file (*.tavrel): a small INI text in UTF-8 that names the form of the road, its road files and the
// pedestal layout file, so that one file reopens a whole job.
//
//   # Tavrel 项目文件
//   [road]
//   # straight, mainline, interchange or landxml (then: landxml = FILE, alignment = NAME, profalign = NAME)
//   mode = mainline
//   plan = road.jdx
//   chainbreaks = road.dl
//   profile = road.zdm
//   superelevation = road.cg
//   [bridge]
//   layout = bridge.txt
//
// A line is a section "[name]", a pair "key = value", a comment (first non-blank character '#' or ';') or blank.
// Section names, keys and the mode are ASCII and matched without regard to case; a value is the rest of its line
// with the blanks around it removed, or the text between double quotes when it is wholly enclosed in them (a
// file name with blanks at its ends). There are no comments after a value: '#' and ';' there belong to the value.
// Paths are relative to the project file's folder, or absolute.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/Errors.h"

namespace tavrel {

// A project file that cannot be used as it is: what() says why in the user's words, `where` gives the line (the
// file's name is added by whoever read the file).
struct ProjectFileError : RejectedText {
    explicit ProjectFileError(const std::string& text) : RejectedText("项目文件有误", text, true) {}
};

// The section of the road and its keys besides the files.
inline constexpr std::string_view kProjectRoadSection = "road";
inline constexpr std::string_view kProjectModeKey = "mode";
inline constexpr std::string_view kProjectAlignmentKey = "alignment";
inline constexpr std::string_view kProjectProfAlignKey = "profalign";

// The forms of road a project names ("mode = ..."), as the batch front end names them.
enum class ProjectRoadForm { Straight, MainLine, Interchange, LandXml };

// "straight", "mainline", "interchange" or "landxml".
std::string_view ProjectRoadFormName(ProjectRoadForm form);
// The form of that name (ASCII case ignored); nullopt for any other text.
std::optional<ProjectRoadForm> ProjectRoadFormNamed(std::string_view name);

// A file a project names: the path resolved against the project's folder, and the line that names it (line 0:
// not read from a file).
struct ProjectPath {
    std::filesystem::path path;
    SourceLocation where;
};

struct ProjectFile {
    ProjectRoadForm form = ProjectRoadForm::Straight;
    SourceLocation formWhere;  // the line of "mode = ..."
    // [road]: the road files the form reads (none other is accepted).
    std::optional<ProjectPath> plan, chainBreaks, profile, superelevation, landXml;
    // [road], landxml only: which Alignment and which ProfAlign of the LandXML file (empty: the file's only
    // alignment, that alignment's first profile).
    std::string alignment, profAlign;
    // [bridge]: the pedestal layout file; none: the calculation asks for one.
    std::optional<ProjectPath> layout;
};

// One file a project can name: its section and key, what the user calls it, where the value type keeps it.
struct ProjectFileEntry {
    std::string_view section, key;
    std::string_view title;  // 平面资料, 断链资料, ...
    std::optional<ProjectPath> ProjectFile::*member;
};

// The files a project can name, in the order they are written: plan, chain breaks, profile, superelevation,
// LandXML file, layout.
std::span<const ProjectFileEntry> ProjectFileEntries();

// Whether a form reads the file of `entry` / needs it named in every project of that form.
bool ProjectFormReads(ProjectRoadForm form, const ProjectFileEntry& entry);
bool ProjectFormNeeds(ProjectRoadForm form, const ProjectFileEntry& entry);

// The project in the bytes of a project file, relative paths resolved against `folder`. A byte-order mark is
// skipped. Throws ProjectFileError with the line at fault for: text that is not UTF-8 or holds a NUL byte, a line
// that is none of the kinds above, an unknown or repeated section, a pair before any section, an unknown or
// repeated key, an empty value, an unknown mode, a file or name the mode does not read, and (at the mode's line)
// a file the mode needs that is not named; without a mode, for the file as a whole. Never looks at the disk.
ProjectFile ParseProjectFile(std::string_view bytes, const std::filesystem::path& folder);

// Throws ProjectFileError at its line for the first file the project names that is not an existing regular file.
void CheckProjectFilesExist(const ProjectFile& project);

// The project file at `file`, parsed with its folder and (checkFiles) its files checked; every failure names the
// file. A project file that does not exist throws ProjectFileError; one that cannot be read otherwise throws as
// ReadFileBytes does.
ProjectFile ReadProjectFile(const std::filesystem::path& file, bool checkFiles = true);

}  // namespace tavrel
