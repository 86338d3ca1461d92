#pragma once
// The side button bar: which of its ten buttons the mask shows, and where.

#include <array>
#include <optional>
#include <string_view>

namespace app {

inline constexpr int kSideButtons = 10;
inline constexpr int kSideButtonStep = 24;

// Top of each shown button, in mask order; nothing for a hidden one. A "1"
// shows the button of its position; any other character, or a missing
// position, hides it. Shown buttons stack from 0 down in steps of 24.
inline std::array<std::optional<int>, kSideButtons> SideButtonTops(std::string_view mask) {
  std::array<std::optional<int>, kSideButtons> tops{};
  int top = 0;
  for (std::size_t i = 0; i < tops.size() && i < mask.size(); ++i) {
    if (mask[i] != '1') continue;
    tops[i] = top;
    top += kSideButtonStep;
  }
  return tops;
}

}  // namespace app
