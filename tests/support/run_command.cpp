// SPDX-License-Identifier: MIT
#include "support/run_command.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace zorbal::test {

CommandRun runCommand(const std::string& program, const std::string& arguments) {
    const std::string command = program + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    CommandRun result;
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    while (const auto n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace zorbal::test
