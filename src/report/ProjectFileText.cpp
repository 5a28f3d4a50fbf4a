#include "report/ProjectFileText.h"

#include <algorithm>
#include <iterator>

#include "common/Errors.h"
#include "common/TextFile.h"

namespace tavrel {

namespace {

// `file` as written in a project file in `folder` (both absolute): relative when they share more than the root.
std::filesystem::path WrittenPath(const std::filesystem::path& file, const std::filesystem::path& folder) {
    const std::filesystem::path target = std::filesystem::absolute(file).lexically_normal();
    const auto [t, f] = std::mismatch(target.begin(), target.end(), folder.begin(), folder.end());
    if (std::distance(target.begin(), t) <= 1) return target;  // only the root in common
    const std::filesystem::path relative = target.lexically_relative(folder);
    return relative.empty() ? target : relative;
}

// One "key = value" line; the value in double quotes when blanks at its ends would otherwise be lost.
std::string Line(std::string_view key, const std::string& value) {
    if (!IsUtf8(value)) throw WriteError("文件名不是 UTF-8 文本，无法写入项目文件：" + value);
    if (value.find_first_of("\r\n") != std::string::npos)
        throw WriteError("文件名含有换行符，无法写入项目文件：" + value);
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool quoted = !value.empty() && (blank(value.front()) || blank(value.back()) ||
                                           (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    return std::string(key) + " = " + (quoted ? "\"" + value + "\"" : value) + "\n";
}

}  // namespace

std::string ProjectFileText(const ProjectFile& project, const std::filesystem::path& projectFile) {
    const std::filesystem::path folder = std::filesystem::absolute(projectFile).lexically_normal().parent_path();
    std::string text = "# Tavrel 项目文件（UTF-8）：道路形式、道路资料和垫石设置资料，路径相对于本文件所在的文件夹\n";
    std::string_view section;
    const auto open = [&](std::string_view name) {
        if (section == name) return;
        text += std::string(section.empty() ? "" : "\n") + "[" + std::string(name) + "]\n";
        section = name;
    };
    open(kProjectRoadSection);
    text += Line(kProjectModeKey, std::string(ProjectRoadFormName(project.form)));
    for (const ProjectFileEntry& entry : ProjectFileEntries()) {
        const std::optional<ProjectPath>& file = project.*entry.member;
        if (!file || !ProjectFormReads(project.form, entry)) continue;
        open(entry.section);
        text += Line(entry.key, WrittenPath(file->path, folder).generic_string());
        if (entry.member == &ProjectFile::landXml) {
            if (!project.alignment.empty()) text += Line(kProjectAlignmentKey, project.alignment);
            if (!project.profAlign.empty()) text += Line(kProjectProfAlignKey, project.profAlign);
        }
    }
    return text;
}

}  // namespace tavrel
