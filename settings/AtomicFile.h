#pragma once
// Whole-file reads and writes. A write goes to a temporary file in the same
// folder that is then renamed over the old file, so a crash or a full disk
// leaves either the old content or the new one, never half a file.

#include <optional>
#include <string>
#include <string_view>

namespace settings {

// Writes `bytes` as the whole content of `path`. On failure the old file is
// untouched, no temporary file is left behind and `error` (when given)
// says why. A symbolic link is followed: the file it points to is replaced
// and the link stays. An existing file keeps its permission bits.
//
// Before the rename the new content is flushed to the disk (fdatasync)
// when it replaces an existing, non-empty file: without that flush a crash
// shortly after the rename can leave an empty file where the user's data
// was. A brand-new file is not flushed: a crash then loses nothing that
// existed before.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// The whole content of the regular file `path`, or nothing when it does not
// exist, is not a regular file or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// True when `path` names a regular file (following symbolic links).
bool IsRegularFile(const std::string& path);

}  // namespace settings
