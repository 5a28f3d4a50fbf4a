#pragma once
// Output files written so that nothing is ever lost: the new content goes to a temporary file in the target's
// folder and is renamed over the target only when it is complete and on the disk. A failure leaves the old file
// as it was and no temporary file behind; a temporary file left by a run that was killed is removed the next time
// the same target is written. A file that is replaced keeps its permission bits. The outputs of one run go
// together through an OutputSet: all of them or none.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

struct OutputRules {
    // The files this run reads: writing onto one of them is refused.
    std::vector<std::filesystem::path> inputs;
    // False: an existing target is left alone (WriteOutputFile then returns false).
    bool replace = true;
};

// Writes `bytes` to `target` as above. Refused with WriteError: a target that exists and is not a regular file
// (a folder, a device, a FIFO, a socket), a symbolic link whose final target is not an existing regular file (a
// link to a regular file is written through, and stays a link), and one of rules.inputs. Any failure throws
// WriteError whose text names the file and the reason (磁盘已满, 没有写入权限, 文件夹不存在, ...). Returns false
// only when the target exists and rules.replace is false.
bool WriteOutputFile(const std::filesystem::path& target, std::string_view bytes, const OutputRules& rules = {});

// The same for a writer that writes a file itself: write(temporaryPath) creates the complete file there (throwing
// on failure).
bool WriteOutputFileWith(const std::filesystem::path& target,
                         const std::function<void(const std::filesystem::path&)>& write, const OutputRules& rules = {});

// The checks WriteOutputFile makes before it writes anything (a target that is not a regular file, a link to
// anything else, an input of the run, a missing folder); throws WriteError.
void CheckOutputTarget(const std::filesystem::path& target, const OutputRules& rules);

// The outputs of one run, published together. add() checks the target as WriteOutputFile does and writes the
// complete content to a temporary file beside it; publish() renames them all into place. A failure in add() or
// publish() throws WriteError and leaves every target as it was: the targets publish() had already replaced are
// put back (from a hard link to the old file; where the file system has none, an old file cannot be put back and
// keeps the new content). Temporary files of outputs not published are removed when the set goes.
class OutputSet {
public:
    explicit OutputSet(OutputRules rules = {}) : rules_(std::move(rules)) { rules_.replace = true; }
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;
    ~OutputSet();

    void add(const std::filesystem::path& target, std::string_view bytes);
    // The same for a writer that writes a file itself: write(temporaryPath) creates the complete file there.
    void addWith(const std::filesystem::path& target, const std::function<void(const std::filesystem::path&)>& write);
    void publish();

    struct Staged {
        std::filesystem::path target, file, temporary;  // as named, as written (links followed), the new content
    };

private:
    OutputRules rules_;
    std::vector<Staged> staged_;
};

// The message of a failed write, in the program's words, from the errno of the failure.
std::string WriteFailureText(const std::filesystem::path& target, int error);

// The message of a failed write to the standard output.
std::string StandardOutputFailureText(int error);

}  // namespace tavrel
