#pragma once
// The one-line status text under the page: the address of the link under
// the mouse, cut to fit.

#include <functional>
#include <string>
#include <string_view>

namespace tabs {

inline constexpr int kStatusWidthLimit = 425;  // pixels

// `text` when it is at most `limit` pixels wide as `width` measures it;
// otherwise the shortest prefix (whole characters) wider than `limit`,
// followed by "...".
std::string FitStatusText(const std::string& text, int limit,
                          const std::function<int(std::string_view)>& width);

// A shown text that holds ":" (as a link address does) keeps the status
// line open; any other text lets it close.
inline bool KeepsStatusLineOpen(std::string_view shown) { return shown.find(':') != std::string_view::npos; }

}  // namespace tabs
