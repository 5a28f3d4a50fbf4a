#pragma once
// What reading one input file tells the user besides its values: warnings for a file that was read, and for a
// file that failed, where and why.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandPort.h"
#include "app/RoadMode.h"
#include "common/Errors.h"
#include "common/Tokenize.h"
#include "input/InputKind.h"

namespace tavrel {

// What a reader noted while it read one file.
struct FileNotes {
    std::optional<EarlyEnd> earlyEnd;         // a blank line ended the records before the last non-blank line
    std::vector<PartlyReadToken> partlyRead;  // tokens read leniently with characters left unread
};

// The warnings of a file that was read, in the order of its lines: each token read only in part, then the
// blank line that ended the records early.
std::vector<std::string> FileWarnings(const std::filesystem::path& file, const FileNotes& notes);

// The kind of file a dialog asks for in a mode (the plan dialog asks for the plan form of the mode).
InputKind ExpectedKind(DialogId id, RoadMode mode);

// Completes the failure `e` that reading the decoded text of a file of kind `expected` ended in: a line the
// geometry named gets its text; a failure that names no line of a file whose records a blank line ended early
// is placed on that blank line (too few records is the likely fault) and says so; and a file that looks like
// another kind says which one it seems to be.
void ExplainReadFailure(TavrelError& e, std::string_view text, InputKind expected, const FileNotes& notes);

}  // namespace tavrel
