// SPDX-License-Identifier: MIT
// Checking what zorbal-cli writes to standard output.
#include "standard_output.h"

#include "platform/safe_file.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace zorbal::cli {

namespace {

int g_outputError = 0; ///< errno of the first lost output; 0 while none was lost

} // namespace

void prepareSignals() {
    std::signal(SIGPIPE, SIG_IGN);
    platform::prepareSignalsForSaving();
}

bool standardOutputFailed() {
    if (g_outputError != 0)
        return true;
    if (!std::cout.fail() && !std::ferror(stdout))
        return false;
    g_outputError = errno != 0 ? errno : EIO;
    return true;
}

int checkedExitStatus(int status) {
    if (!standardOutputFailed()) {
        errno = 0;
        std::cout.flush();
        if (std::fflush(stdout) != 0 && errno == 0)
            errno = EIO;
    }
    if (!standardOutputFailed())
        return status;
    std::cerr << "zorbal-cli: could not write to standard output: " << std::strerror(g_outputError) << "\n";
    return status == 0 ? 1 : status;
}

} // namespace zorbal::cli
