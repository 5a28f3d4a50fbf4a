#pragma once
// All that the two commands need from outside: choosing a file or an item of a list, showing a message, handing
// over the workbook.
// The window implements it with dialogs, the batch front end with its arguments and stderr, tests with a
// scripted fake.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Tokenize.h"

namespace tavrel {

// The file dialogs of the two commands, one per kind of input file.
enum class DialogId { PlanFile, SuperelevationFile, ChainBreakFile, ProfileFile, LayoutFile, LandXmlFile };

struct FileDialogInfo {
    DialogId id;
    std::string_view title;
    std::string_view filter;  // "description|patterns|description|patterns"
};

// Title and filter of each file dialog.
const FileDialogInfo& FileDialogOf(DialogId id);

enum class MessageIcon { None, Error, Information };

// The lists the initialise command asks the user to choose from: which road of a LandXML file holding several.
enum class ChoiceId { LandXmlAlignment, LandXmlProfile };

struct ChoiceDialogInfo {
    ChoiceId id;
    std::string_view title;
};

// Title of each list (the prompt names the file or alignment it is about).
const ChoiceDialogInfo& ChoiceDialogOf(ChoiceId id);

struct CommandPort {
    virtual ~CommandPort() = default;
    // The chosen file, or nullopt when the user cancelled.
    virtual std::optional<std::filesystem::path> askFile(DialogId id, std::string_view title,
                                                         std::string_view filter) = 0;
    // The index of the item chosen from `items` (two or more), or nullopt when the user cancelled. A port that
    // cannot show a list leaves it cancelled.
    virtual std::optional<std::size_t> chooseItem(ChoiceId /*id*/, std::string_view /*title*/,
                                                  std::string_view /*prompt*/,
                                                  const std::vector<std::string>& /*items*/) {
        return std::nullopt;
    }
    // A modal message with an OK button.
    virtual void showMessage(std::string_view title, std::string_view text, MessageIcon icon) = 0;
    // What a command that succeeded must tell the user (lines not read, data the road does not cover); called
    // once per command with every warning, never with none.
    virtual void showWarnings(const std::vector<std::string>& warnings) = 0;
    // The workbook just written, to be shown to the user.
    virtual void deliverWorkbook(const std::filesystem::path& xlsx) = 0;
};

// Message titles and texts of the commands.
inline constexpr std::string_view kErrorTitle = "错误";
inline constexpr std::string_view kCancelledText = "读取文件被取消！";
inline constexpr std::string_view kFormatErrorText = "数据文件格式有误或操作有误！";
inline constexpr std::string_view kWarningTitle = "提示";     // the window's box of warnings
inline constexpr std::string_view kWarningPrefix = "警告: ";  // a warning line of the batch front end

// The warning of a file whose records a blank line ended before its last non-blank line.
std::string EarlyEndWarning(const std::filesystem::path& file, const EarlyEnd& end);

// A warning about a line of a file that was read all the same ("road.xml 第 12 行：TEXT"; the file alone when
// line is 0).
std::string LineWarning(const std::filesystem::path& file, std::size_t line, std::string_view text);

// The warning of a token whose lenient reading left characters of it unread: "road.zdm 第 3 行: “24b.500”不是
// 完整的数值，按“24”读入".
std::string PartlyReadWarning(const std::filesystem::path& file, const PartlyReadToken& token);

}  // namespace tavrel
