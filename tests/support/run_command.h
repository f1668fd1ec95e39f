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
    /// The most address space the program may map, in bytes (as `ulimit -v` sets it, in KiB
    /// there); 0: no limit.
    std::uint64_t addressSpaceLimit = 0;
    /// The most processes and threads the program's user may have (as `ulimit -u` sets it),
    /// counting the program's own first thread; 0: no limit. The system ignores it for root, so
    /// it needs `isOwnUser`.
    std::uint64_t processLimit = 0;
    /// Runs the program as a user id of its own (one no account has), with no supplementary
    /// groups, so that it has an ordinary user's rights and a process limit counts only its own
    /// threads. Only root can do so; for anyone else the program does not start (status 127, as
    /// for a program that cannot be run, or a limit that cannot be set).
    bool isOwnUser = false;
};

/// A user id that no account on this machine has (for ProgramSetup::isOwnUser).
unsigned unusedUserId();

/// Runs `program` with `arguments`, each passed as one argument without a shell, capturing its
/// standard error in `err`. SIGPIPE and SIGXFSZ are at their defaults in the program, as a shell
/// leaves them.
CommandRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramSetup& setup = {});

} // namespace zorbal::test
