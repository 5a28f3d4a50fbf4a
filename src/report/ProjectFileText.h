#pragma once
// The writer of the project file (*.tavrel), the text ParseProjectFile reads back.
#include <filesystem>
#include <string>

#include "input/ProjectFile.h"

namespace tavrel {

// The text of `project` as a project file saved at `projectFile`: UTF-8 with LF line ends, a comment line, then
// [road] with the mode, the files the form reads and (landxml) the alignment and profile names, then [bridge]
// with the layout file when there is one. A path is written relative to the project file's folder when the two
// share a folder below the root (road.jdx, ../roads/road.jdx), otherwise absolute. A value with blanks at its ends
// is written in double quotes. A path or name that is not UTF-8 or holds a line break throws WriteError.
std::string ProjectFileText(const ProjectFile& project, const std::filesystem::path& projectFile);

}  // namespace tavrel
