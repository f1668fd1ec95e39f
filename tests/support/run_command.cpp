// SPDX-License-Identifier: MIT
#include "support/run_command.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace {

/// Reads `out` and `err` (either may be -1) until both are at their end.
void readBoth(int out, int err, CommandRun& result) {
    std::array<char, 4096> buffer{};
    std::array<pollfd, 2> ends{pollfd{out, POLLIN, 0}, pollfd{err, POLLIN, 0}};
    std::array<std::string*, 2> texts{&result.out, &result.err};
    while (ends[0].fd >= 0 || ends[1].fd >= 0) {
        if (::poll(ends.data(), ends.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        for (std::size_t i = 0; i < ends.size(); ++i) {
            if (ends[i].fd < 0 || ends[i].revents == 0)
                continue;
            const ssize_t n = ::read(ends[i].fd, buffer.data(), buffer.size());
            if (n > 0)
                texts[i]->append(buffer.data(), static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                ends[i].fd = -1;
        }
    }
}

/// The exit status of a child that could not become the program, as a shell's.
constexpr int kCouldNotStart = 127;

/// Lowers the soft limit of `resource` to `value` (0: leaves it); false when it cannot.
bool limitResource(decltype(RLIMIT_AS) resource, std::uint64_t value) {
    if (value == 0)
        return true;
    rlimit limit{};
    ::getrlimit(resource, &limit);
    limit.rlim_cur = static_cast<rlim_t>(value);
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_cur > limit.rlim_max)
        return false;
    return ::setrlimit(resource, &limit) == 0;
}

} // namespace

unsigned unusedUserId() {
    // Counting down from below the user nobody, which many systems give to daemons.
    uid_t user = 65533;
    while (user > 1000 && ::getpwuid(user) != nullptr)
        --user;
    return user;
}

CommandRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramSetup& setup) {
    CommandRun result;
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // Standard error goes through a pipe, not a file, so that a file-size limit leaves it whole.
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (::pipe2(outPipe, O_CLOEXEC) != 0)
        return result;
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return result;
    }
    int output = outPipe[1];
    if (setup.standardOutput == kClosedPipe) {
        ::close(outPipe[0]);
        outPipe[0] = -1;
    } else if (!setup.standardOutput.empty()) {
        output = ::open(setup.standardOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    const auto user = static_cast<uid_t>(setup.isOwnUser ? unusedUserId() : 0);
    const pid_t child = output < 0 ? -1 : ::fork();
    if (child == 0) {
        ::dup2(output, STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        std::signal(SIGPIPE, SIG_DFL);
        std::signal(SIGXFSZ, SIG_DFL);
        if (setup.isOwnUser && (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0))
            ::_exit(kCouldNotStart);
        if (!limitResource(RLIMIT_FSIZE, setup.fileSizeLimit) ||
            !limitResource(RLIMIT_AS, setup.addressSpaceLimit) ||
            !limitResource(RLIMIT_NPROC, setup.processLimit))
            ::_exit(kCouldNotStart);
        ::execv(program.c_str(), argv.data());
        ::_exit(kCouldNotStart);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (output != outPipe[1] && output >= 0)
        ::close(output);
    if (child > 0)
        readBoth(outPipe[0], errPipe[0], result);
    if (outPipe[0] >= 0)
        ::close(outPipe[0]);
    ::close(errPipe[0]);
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFEXITED(status))
            result.status = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            result.signal = WTERMSIG(status);
    }
    return result;
}

} // namespace zorbal::test
