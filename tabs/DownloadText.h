#pragma once
// The words and names of file downloads: the name the save dialog
// proposes, the progress in the status line and the messages at the end.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabs {

// The name proposed for the file of a download whose server or link
// suggested `suggested`: valid UTF-8 with no path separators ("/" and "\"
// become "_"), no control characters, no leading dots or blanks, no
// trailing blanks, at most 255 bytes (the extension kept); "download" when
// nothing is left.
std::string SafeFileName(std::string_view suggested);

// The name of the file at the end of the address `url` (its last path
// segment, percent-decoded), made safe as SafeFileName does.
std::string FileNameFromUrl(std::string_view url);

// A byte count for people: "512 bytes", "1.5 KB", "3.4 MB", "1.0 GB"
// (units of 1024, one decimal).
std::string ByteSize(std::uint64_t bytes);

struct DownloadProgress {
  std::string name;
  std::uint64_t received = 0;
  std::uint64_t expected = 0;  // 0: not known
};

// The status line while downloads run: "Downloading report.zip: 1.2 MB
// of 3.4 MB (35%)", without the total when it is not known; several at
// once are summed up ("Downloading 2 files: ..."). A name longer than 40
// characters is shortened with "...". Empty when none runs.
std::string DownloadStatusText(const std::vector<DownloadProgress>& running);

// The messages at the end of a download.
std::string DownloadCompleteText(const std::string& path);
std::string DownloadFailedText(const std::string& name, const std::string& reason);

}  // namespace tabs
