// SPDX-License-Identifier: MIT
// Running a program as a shell would, for tests of command-line programs such as zorbal-cli.
#pragma once

#include <string>

namespace zorbal::test {

/// What a program wrote on its standard output, and its exit status (-1 when it did not exit
/// normally or could not be started).
struct CommandRun {
    int status = -1;
    std::string out;
};

/// Runs `program` with `arguments` (a shell command line; the caller quotes what needs it),
/// its standard error discarded.
CommandRun runCommand(const std::string& program, const std::string& arguments);

} // namespace zorbal::test
