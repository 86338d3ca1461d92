#pragma once
// The list file (".lmf"): bookmarks, the web history and the feed list, each
// a list of rows with a caption, sub-item texts and an image index.
//
// Byte layout, little-endian, no padding:
//   "LVF", row count (u16), then per row: sub-item count (u16), image index
//   (i32), caption length (u16) and bytes, then per sub-item its length
//   (u16) and bytes.
// Texts are written as UTF-8; a text that is not valid UTF-8 when read (a
// file made on Windows) is read as Windows-1252.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AtomicFile.h"

namespace Gtk {
class Window;
}

namespace listfile {

struct Row {
  std::string caption;
  std::vector<std::string> subItems;
  std::int32_t imageIndex = 0;
  bool operator==(const Row&) const = default;
};
using Rows = std::vector<Row>;

inline constexpr std::size_t kMaxRows = 65535;
inline constexpr std::size_t kMaxText = 65535;
inline constexpr std::size_t kMaxSubItems = 65535;

// The file's bytes for `rows`. What the format cannot hold is left out, so
// the file is always well formed: only the first kMaxRows rows are written
// (the history is newest first, so the oldest visits go), only the first
// kMaxSubItems sub-items of a row, and a text longer than kMaxText bytes is
// cut to at most kMaxText bytes at a character boundary.
std::string Encode(const Rows& rows);

struct Decoded {
  bool signatureOk = false;  // the bytes begin with "LVF"
  bool complete = false;     // every announced row was there
  Rows rows;
};

// Reads the rows of a list file. A file that ends early keeps the rows read
// completely so far (a row cut short is dropped). A caption ends at its
// first NUL byte. Sub-items are kept as stored, NUL bytes included: the
// lists keep a sub-item's text whole in memory, so the next save writes
// back what the file held. Bytes after the last row are ignored. Nothing is
// reserved from a count before the bytes it announces are there.
Decoded Decode(std::string_view bytes);

// The list-loaded flag: true at program start, cleared by every successful
// LoadListViewToFile. The ticker and the breaking-news check consult it.
bool ListLoaded();
void SetListLoaded(bool loaded);

// Writes `rows` to `path` atomically. On failure the old file stays and
// `error` says why. `written` receives the stamp of the new file.
bool SaveListViewToFile(const Rows& rows, const std::string& path, std::string* error = nullptr,
                        settings::FileStamp* written = nullptr);

enum class LoadStatus {
  Loaded,        // the rows are those of the file
  Missing,       // no file of that name
  Unreadable,    // there is something of that name, but it cannot be read
  NotAListFile,  // it does not begin with "LVF"
};

struct ListFileContent {
  LoadStatus status = LoadStatus::Missing;
  Rows rows;                  // when Loaded
  std::string reason;         // when Unreadable: what is wrong
  settings::FileStamp stamp;  // the file as it was read
};

// Reads the list file `path` without telling the user anything and
// without touching the list-loaded flag.
ListFileContent ReadListFile(const std::string& path);

// Tells the user, in a message box owned by `owner` with the caption
// "I/O Error", why `content` (read from `path`) gave no rows.
void ReportLoadFailure(const ListFileContent& content, const std::string& path, Gtk::Window* owner);

// Replaces `rows` with the rows stored in `path` and clears the list-loaded
// flag. A missing file, one that cannot be read (with the reason) and one
// that does not begin with "LVF" are reported in a message box owned by
// `owner` ("I/O Error"); then `rows` and the flag stay as they were.
// Answers whether the list was loaded.
bool LoadListViewToFile(Rows& rows, const std::string& path, Gtk::Window* owner = nullptr);

// The file name of `path` without its folder, as the messages name it.
std::string DisplayName(const std::string& path);

}  // namespace listfile
