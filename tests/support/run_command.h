// SPDX-License-Identifier: MIT
// Running a program as a shell would, for tests of command-line programs such as zorbal-cli.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbal::test {

/// What a program wrote on its standard output (and, from runProgram, its standard error), and
/// its exit status (-1 when it did not exit normally or could not be started).
struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
    int signal = 0; ///< the signal that ended the program, if one did
};

/// Runs `program` with `arguments` (a shell command line; the caller quotes what needs it),
/// its standard error discarded.
CommandRun runCommand(const std::string& program, const std::string& arguments);

/// Standard output of runProgram: a pipe whose reading end is closed before the program starts.
inline constexpr const char* kClosedPipe = "<closed pipe>";

/// Where runProgram's program writes and what limits it runs under.
struct ProgramSetup {
    /// Empty: standard output is captured; kClosedPipe; or a file opened for writing (created or
    /// emptied), such as "/dev/full".
    std::string standardOutput;
    /// The largest file the program may write, in bytes (as `ulimit -f` sets it); 0: no limit.
    std::uint64_t fileSizeLimit = 0;
};

/// Runs `program` with `arguments`, each passed as one argument without a shell, capturing its
/// standard error in `err`. SIGPIPE and SIGXFSZ are at their defaults in the program, as a shell
/// leaves them.
CommandRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramSetup& setup = {});

} // namespace zorbal::test
