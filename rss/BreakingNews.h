#pragma once
// The keyword alert's rules: the comma-separated keyword pieces, the scan
// of an item's description for them, the popup's body, and the item date.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rss {

// The keyword file's text as the check and the editor take it: its line
// breaks (CR LF, CR or LF) as CR LF.
std::string WithCrLf(const std::string& text);

// The n-th piece of `text` between `separator`s, counting from 1; piece 0
// and pieces past the end are empty. For "a,b": "", "a", "b", "".
std::string NthField(std::string_view text, char separator, int n);

// `text` with the ASCII letters a-z in capitals, every other byte as it is.
std::string AsciiUpper(std::string_view text);

// The keyword of `keywords` (the keyword file's text) found in `matchText`
// (the description in capitals), as written in the file: pieces 1, 2, ...
// are tried in order, each in capitals, until one occurs; the scan stops at
// the first empty piece and after piece 255. Nothing when none occurs.
std::optional<std::string> FindKeyword(std::string_view keywords, std::string_view matchText);

// The popup's body: the match text after the description's first ">", or
// all of it when the description has none.
std::string PopupBody(std::string_view description, std::string_view matchText);

// An item's date as a count of seconds on the clock the date is written
// in (its time zone is not applied), from an Internet date such as
// "Tue, 09 Dec 2026 14:03:22 +0000" (the day name and the seconds may be
// left out). Text that is not such a date gives day 0.
std::int64_t ItemDate(std::string_view text);
// Day 0: what an undated item counts as.
inline constexpr std::int64_t kDayZero = 0;
// Before the first check: a date tens of thousands of years ahead, so the
// first check after start only records the newest item's date.
inline constexpr std::int64_t kFarFuture = std::int64_t(50000) * 366 * 86400;

}  // namespace rss
