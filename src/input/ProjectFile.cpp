#include "input/ProjectFile.h"

#include <algorithm>
#include <map>
#include <vector>

#include "common/TextFile.h"

namespace tavrel {

namespace {

constexpr std::string_view kRoadSection = kProjectRoadSection;
constexpr std::string_view kBridgeSection = "bridge";
constexpr std::string_view kModeKey = kProjectModeKey;
constexpr std::string_view kAlignmentKey = kProjectAlignmentKey;
constexpr std::string_view kProfAlignKey = kProjectProfAlignKey;

constexpr ProjectRoadForm kForms[] = {ProjectRoadForm::Straight, ProjectRoadForm::MainLine,
                                      ProjectRoadForm::Interchange, ProjectRoadForm::LandXml};

constexpr ProjectFileEntry kEntries[] = {
    {kRoadSection, "plan", "平面资料", &ProjectFile::plan},
    {kRoadSection, "chainbreaks", "断链资料", &ProjectFile::chainBreaks},
    {kRoadSection, "profile", "纵断面设计资料", &ProjectFile::profile},
    {kRoadSection, "superelevation", "超高资料", &ProjectFile::superelevation},
    {kRoadSection, "landxml", "LandXML 文件", &ProjectFile::landXml},
    {kBridgeSection, "layout", "垫石设置资料", &ProjectFile::layout},
};

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view Trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// A value wholly enclosed in double quotes is the text between them.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

[[noreturn]] void Fail(std::size_t line, std::string_view text, const std::string& message) {
    ProjectFileError e(message);
    e.where = SourceLocation{{}, line, std::string(text)};
    throw e;
}

// The keys a section holds.
std::vector<std::string_view> KeysOf(std::string_view section) {
    std::vector<std::string_view> keys;
    if (section == kRoadSection) keys.push_back(kModeKey);
    for (const ProjectFileEntry& e : kEntries)
        if (e.section == section) keys.push_back(e.key);
    if (section == kRoadSection) keys.insert(keys.end(), {kAlignmentKey, kProfAlignKey});
    return keys;
}

// One "key = value" as read: the value, its line and the line's text.
struct Pair {
    std::string value;
    std::size_t line = 0;
    std::string_view text;
};

// The lines of the text as pairs by "section/key", each checked for its kind, section and key; every line is
// checked to be UTF-8.
std::map<std::string, Pair> ReadPairs(const std::vector<std::string_view>& lines) {
    std::map<std::string, Pair> pairs;
    std::map<std::string, std::size_t> sections;  // section -> the line that opened it
    std::string section;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t number = i + 1;
        const std::string_view text = lines[i];
        if (!IsUtf8(text)) {
            std::string shown(text);
            for (char& c : shown)
                if (static_cast<unsigned char>(c) >= 0x80) c = '?';
            Fail(number, shown, "项目文件应为 UTF-8 文本，此行不是");
        }
        const std::string_view line = Trimmed(text);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        if (line.front() == '[') {
            if (line.back() != ']') Fail(number, text, "节名应写在一对方括号中，如 [road]");
            section = AsciiLower(Trimmed(line.substr(1, line.size() - 2)));
            if (section != kRoadSection && section != kBridgeSection)
                Fail(number, text, "未知的节“[" + section + "]”；项目文件只有 [road] 和 [bridge] 两节");
            if (const auto [at, fresh] = sections.emplace(section, number); !fresh)
                Fail(number, text, "节 [" + section + "] 重复（第 " + std::to_string(at->second) + " 行已有）");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            Fail(number, text, "无法识别此行：应为“[节名]”、“键 = 值”或以 # 开头的注释");
        const std::string key = AsciiLower(Trimmed(line.substr(0, equals)));
        if (section.empty()) Fail(number, text, "键“" + key + "”之前应有节名 [road] 或 [bridge]");
        if (const auto keys = KeysOf(section); std::find(keys.begin(), keys.end(), key) == keys.end()) {
            std::string known;
            for (const std::string_view k : keys) known += (known.empty() ? "" : "、") + std::string(k);
            Fail(number, text, "[" + section + "] 节中没有键“" + key + "”；可用的键：" + known);
        }
        const std::string value(Unquoted(Trimmed(line.substr(equals + 1))));
        if (value.empty()) Fail(number, text, "键“" + key + "”没有值");
        const auto [at, fresh] = pairs.emplace(section + "/" + key, Pair{value, number, text});
        if (!fresh) Fail(number, text, "键“" + key + "”重复（第 " + std::to_string(at->second.line) + " 行已有）");
    }
    return pairs;
}

ProjectRoadForm FormOf(const Pair& mode) {
    if (const auto form = ProjectRoadFormNamed(mode.value)) return *form;
    Fail(mode.line, mode.text,
         "未知的道路形式“" + mode.value + "”；可用的形式：straight、mainline、interchange、landxml");
}

}  // namespace

std::string_view ProjectRoadFormName(ProjectRoadForm form) {
    switch (form) {
        case ProjectRoadForm::Straight: return "straight";
        case ProjectRoadForm::MainLine: return "mainline";
        case ProjectRoadForm::Interchange: return "interchange";
        case ProjectRoadForm::LandXml: return "landxml";
    }
    return "straight";
}

std::optional<ProjectRoadForm> ProjectRoadFormNamed(std::string_view name) {
    const std::string lower = AsciiLower(name);
    for (const ProjectRoadForm form : kForms)
        if (ProjectRoadFormName(form) == lower) return form;
    return std::nullopt;
}

std::span<const ProjectFileEntry> ProjectFileEntries() { return kEntries; }

bool ProjectFormReads(ProjectRoadForm form, const ProjectFileEntry& entry) {
    const std::optional<ProjectPath> ProjectFile::*m = entry.member;
    if (m == &ProjectFile::plan) return form == ProjectRoadForm::MainLine || form == ProjectRoadForm::Interchange;
    if (m == &ProjectFile::chainBreaks) return form == ProjectRoadForm::Straight || form == ProjectRoadForm::MainLine;
    if (m == &ProjectFile::profile) return form != ProjectRoadForm::LandXml;  // LandXML holds its own profile
    if (m == &ProjectFile::landXml) return form == ProjectRoadForm::LandXml;
    return true;  // superelevation, layout
}

bool ProjectFormNeeds(ProjectRoadForm form, const ProjectFileEntry& entry) {
    // The layout is never needed; on a LandXML road the superelevation is left to the command that reads it.
    if (entry.member == &ProjectFile::layout) return false;
    if (form == ProjectRoadForm::LandXml && entry.member == &ProjectFile::superelevation) return false;
    return ProjectFormReads(form, entry);
}

ProjectFile ParseProjectFile(std::string_view bytes, const std::filesystem::path& folder) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        Fail(LineNumberAt(bytes, nul), "", "项目文件应为 UTF-8 文本，此行含有 NUL 字节");
    const std::vector<std::string_view> lines = SplitLines(bytes);
    const std::map<std::string, Pair> pairs = ReadPairs(lines);
    const auto pairOf = [&](std::string_view section, std::string_view key) -> const Pair* {
        const auto it = pairs.find(std::string(section) + "/" + std::string(key));
        return it == pairs.end() ? nullptr : &it->second;
    };

    ProjectFile project;
    const Pair* mode = pairOf(kRoadSection, kModeKey);
    if (!mode)
        throw ProjectFileError(
            "项目文件未写道路形式：[road] 节中应有 mode = straight、mainline、interchange 或 landxml");
    project.form = FormOf(*mode);
    project.formWhere = SourceLocation{{}, mode->line, std::string(mode->text)};
    const std::string formName(ProjectRoadFormName(project.form));
    for (const ProjectFileEntry& entry : kEntries) {
        const Pair* named = pairOf(entry.section, entry.key);
        if (named && !ProjectFormReads(project.form, entry))
            Fail(named->line, named->text,
                 "道路形式 " + formName + " 不读" + std::string(entry.title) + "（" + std::string(entry.key) + "）");
        if (!named && ProjectFormNeeds(project.form, entry))
            Fail(mode->line, mode->text,
                 "道路形式 " + formName + " 需要" + std::string(entry.title) + "，项目文件中没有键“" +
                     std::string(entry.key) + "”");
        if (!named) continue;
        const std::filesystem::path written(named->value);
        project.*entry.member = ProjectPath{(written.is_absolute() ? written : folder / written).lexically_normal(),
                                            SourceLocation{{}, named->line, std::string(named->text)}};
    }
    for (const auto& [key, name] :
         {std::pair{kAlignmentKey, &project.alignment}, {kProfAlignKey, &project.profAlign}}) {
        const Pair* named = pairOf(kRoadSection, key);
        if (!named) continue;
        if (project.form != ProjectRoadForm::LandXml)
            Fail(named->line, named->text, "只有道路形式 landxml 才用键“" + std::string(key) + "”");
        *name = named->value;
    }
    return project;
}

void CheckProjectFilesExist(const ProjectFile& project) {
    for (const ProjectFileEntry& entry : kEntries) {
        const std::optional<ProjectPath>& file = project.*entry.member;
        if (!file) continue;
        std::error_code ec;
        const auto status = std::filesystem::status(file->path, ec);
        std::string problem;
        if (status.type() == std::filesystem::file_type::not_found) problem = "不存在";
        else if (!ec && !std::filesystem::is_regular_file(status)) problem = "不是文件";
        if (problem.empty()) continue;
        // The location shows the line as written; the message the path it was taken to mean.
        ProjectFileError e("项目文件中的" + std::string(entry.title) + problem + "：" + file->path.string());
        e.where = file->where;
        throw e;
    }
}

ProjectFile ReadProjectFile(const std::filesystem::path& file, bool checkFiles) {
    return InFile(file, [&] {
        std::error_code ec;
        if (std::filesystem::status(file, ec).type() == std::filesystem::file_type::not_found)
            throw ProjectFileError("项目文件不存在：" + file.string());
        ProjectFile project = ParseProjectFile(ReadFileBytes(file), std::filesystem::absolute(file).parent_path());
        if (checkFiles) CheckProjectFilesExist(project);
        return project;
    });
}

}  // namespace tavrel
