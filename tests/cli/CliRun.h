#pragma once
// The batch front end run in-process, as a test sees it: the exit status and what went to standard output and
// standard error.
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace tavrel::testing {

struct CliRun {
    int status;
    std::string out, err;
};

// With `stdoutFails`, its standard output fails at the first write (closed or full).
inline CliRun RunCliCaptured(const std::vector<std::string>& args, bool stdoutFails = false) {
    std::ostringstream out, err;
    if (stdoutFails) out.setstate(std::ios::badbit);
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace tavrel::testing
