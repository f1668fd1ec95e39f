// SPDX-License-Identifier: MIT
// zorbal-cli's standard output, checked: output that could not be written fails the command.
#pragma once

namespace zorbal::cli {

/// Thrown by a command that streams its output (sweep) when standard output stopped taking it,
/// to stop work whose output would be lost.
struct StandardOutputLost {};

/// Sets the signals for a tool whose writes may fail: a closed pipe and a file-size limit make
/// the write fail (the command reports it) instead of ending the program, and an interrupt
/// removes the temporary files of saves in progress.
void prepareSignals();

/// True once anything written to standard output was lost; remembers the system's reason.
bool standardOutputFailed();

/// Flushes standard output. When anything written to it was lost, says so with the system's
/// reason on standard error and returns 1 in place of a `status` of 0; otherwise returns `status`.
int checkedExitStatus(int status);

} // namespace zorbal::cli
