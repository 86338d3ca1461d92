#pragma once
// Whole-file reads and writes. A write goes to a temporary file in the same
// folder that is then renamed over the old file, so a crash or a full disk
// leaves either the old content or the new one, never half a file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// What a file is on disk, without its content: which file (device and
// inode), how long and when last modified (to the nanosecond). Two stamps
// of one path differ when anything wrote the file in between: in place
// (size or time) or by replacing it (inode).
struct FileStamp {
  bool exists = false;
  bool regular = false;  // a regular file, not a folder, pipe or device
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of `path` now, following symbolic links; `exists` is false
// when there is nothing there to stat.
FileStamp StampOf(const std::string& path);

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
//
// `written`, when given, receives the stamp of the new file as this write
// left it.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                         FileStamp* written = nullptr);

struct FileContent {
  std::optional<std::string> bytes;  // the whole content, when it could be read
  bool missing = false;              // there is no file of that name
  std::string reason;                // why there are no bytes
  FileStamp stamp;                   // the file as it was when it was opened
};

// Reads the regular file `path` whole. A folder, a pipe or a device is not
// read (nor waited for) and is reported as such.
FileContent ReadFileContent(const std::string& path);

// The whole content of the regular file `path`, or nothing when it does not
// exist, is not a regular file or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// True when `path` names a regular file (following symbolic links).
bool IsRegularFile(const std::string& path);

}  // namespace settings
