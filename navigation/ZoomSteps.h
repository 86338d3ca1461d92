#pragma once
// The zoom levels Ctrl+plus and Ctrl+minus step through.

#include <array>

namespace navigation {

// From the engine's least zoom to the top of the zoom window's slider.
inline constexpr std::array<int, 19> kZoomSteps = {10,  25,  33,  50,  67,  75,  80,  90,  100, 110,
                                                   125, 150, 175, 200, 250, 300, 400, 500, 999};

// The next level above `current` (direction > 0) or below it (direction
// < 0); a zoom between two levels goes to the nearer one in that
// direction. At either end the zoom stays where it is.
constexpr int NextZoomStep(int current, int direction) {
  if (direction > 0) {
    for (int step : kZoomSteps)
      if (step > current) return step;
    return current;
  }
  for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
    if (*it < current) return *it;
  return current;
}

}  // namespace navigation
