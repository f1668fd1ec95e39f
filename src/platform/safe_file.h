// SPDX-License-Identifier: MIT
// Saving a whole file so that a failed save never leaves a half-written file in its place.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace zorbal::platform {

/// Writes `bytes` as the new content of the file at `path`, creating it if needed, and returns
/// why it failed (an empty error code on success).
///
/// The bytes go to a new temporary file in the target's folder, flushed to the disk and closed
/// without error, which then replaces the target in one rename. A replaced file keeps its
/// permissions (and its owner where allowed); a symbolic link is followed, so the linked file is
/// replaced and the link kept. A link in a sticky folder everyone may write (as /tmp) that belongs
/// neither to the user nor to the folder's owner is not followed: the save fails with EACCES
/// ("Permission denied") and changes nothing, as the system refuses to open such a link where
/// links are protected. When the folder does not allow the temporary file (or the rename) but the
/// existing file is writable, the file is rewritten in place under an exclusive lock (flock), so
/// saves at the same time end as one of their versions: the space is reserved first, and on any
/// failure the old content is written back. A folder, device, pipe or other special file, an
/// empty path, or an existing file the user may not write is refused before anything is written.
/// No temporary file survives a failure.
std::error_code saveFileSafely(const std::string& path, std::string_view bytes);

/// The error for a path that names an existing file which is not a regular file (a device, a
/// pipe, a socket); a folder gives EISDIR ("Is a directory").
std::error_code notARegularFileError();

/// Prepares the process for saving files: a file-size limit (SIGXFSZ) makes a write fail, so the
/// save reports it, instead of ending the program; SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1,
/// SIGUSR2, SIGALRM, SIGXCPU, SIGVTALRM and SIGPROF first remove the temporary files of saves in
/// progress, then end the program as they would have (signals the program ignores or already
/// handles stay so). Call once at start-up.
void prepareSignalsForSaving();

} // namespace zorbal::platform
