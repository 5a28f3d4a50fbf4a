#pragma once
// The batch front end's side of the commands' port: files come from the command line, messages go to stderr. The
// message of a failure is always the first line: warnings are held until the run ends or fails, and then follow.
#include <filesystem>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "app/CommandPort.h"

namespace tavrel {

class CliPort : public CommandPort {
public:
    CliPort(std::map<DialogId, std::filesystem::path> files, std::ostream& err) : files_(std::move(files)), err_(err) {}

    // The path given for that dialog's file; nullopt (reported as a cancelled dialog) when none was given.
    std::optional<std::filesystem::path> askFile(DialogId id, std::string_view, std::string_view) override;
    // A list is asked for only where nothing was named beforehand: the first profile of the alignment (the
    // default of --profile); an alignment among several cannot be guessed, which is a failure listing the names
    // to give with --alignment.
    std::optional<std::size_t> chooseItem(ChoiceId id, std::string_view, std::string_view,
                                          const std::vector<std::string>& items) override;
    // "TITLE: TEXT" on stderr, then the warnings held so far.
    void showMessage(std::string_view title, std::string_view text, MessageIcon) override;
    // Held until a message or the end of the run (showHeldWarnings).
    void showWarnings(const std::vector<std::string>& warnings) override;
    // One line "警告: TEXT" per warning held, on stderr.
    void showHeldWarnings();
    // The workbook is already where --xlsx asked for it; nothing to show.
    void deliverWorkbook(const std::filesystem::path&) override {}

private:
    std::map<DialogId, std::filesystem::path> files_;
    std::ostream& err_;
    std::vector<std::string> heldWarnings_;
};

}  // namespace tavrel
