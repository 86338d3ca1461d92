#include "tabs/StatusLine.h"

#include <vector>

namespace tabs {
namespace {

// Byte offsets just after each UTF-8 character of `text`.
std::vector<std::size_t> CharacterEnds(std::string_view text) {
  std::vector<std::size_t> ends;
  ends.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (i > 0 && !continuation) ends.push_back(i);
  }
  if (!text.empty()) ends.push_back(text.size());
  return ends;
}

}  // namespace

std::string FitStatusText(const std::string& text, int limit,
                          const std::function<int(std::string_view)>& width) {
  const std::string_view all(text);
  if (width(all) <= limit) return text;
  // Prefixes only grow wider as characters are added, so the shortest
  // prefix wider than the limit is found by halving.
  const std::vector<std::size_t> ends = CharacterEnds(all);
  std::size_t lo = 0, hi = ends.size() - 1;  // the whole text is wider
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (width(all.substr(0, ends[mid])) > limit)
      hi = mid;
    else
      lo = mid + 1;
  }
  return text.substr(0, ends[lo]) + "...";
}

}  // namespace tabs
