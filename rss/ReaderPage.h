#pragma once
// The reader's page: the items of a feed written as a small HTML page,
// line by line, exactly as the reader has always written it. Item texts go
// in as they are, without escaping (a description's markup is rendered as
// markup); the reader's engine is what keeps such a page harmless.

#include <string>
#include <string_view>
#include <vector>

#include "rss/FeedWalk.h"

namespace rss {

// The whole of the page shown when a feed cannot be read.
inline constexpr const char* kSourceNotFound = "RSS source not found";

class ReaderPage {
 public:
  // Clears the page and writes its head: "<HTML>", "<HEAD>", "</HEAD>",
  // "<BODY>".
  void Begin();
  // The ten lines of one item, with `feedName` as the name it came from.
  void AppendItem(const FeedItem& item, std::string_view feedName);
  // "</BODY>", "</HTML>".
  void End();
  // Only the line "RSS source not found".
  void SetErrorPage();
  void Clear() { lines_.clear(); }

  const std::vector<std::string>& lines() const { return lines_; }
  // The file's bytes: every line followed by CR LF.
  std::string Bytes() const;

 private:
  std::vector<std::string> lines_;
};

// The name of a reader page file: "rsss" + number + ".html".
std::string PageFileName(unsigned number);
// True for the names PageFileName makes ("rsss", decimal digits,
// ".html"), and nothing else.
bool IsPageFileName(std::string_view name);
// The name of a temporary feed file: "lmrss" + number + ".xml".
std::string FeedFileName(unsigned number);

}  // namespace rss
