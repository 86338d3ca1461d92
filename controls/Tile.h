#pragma once
// A small picture that a panel repeats over its whole area from its top
// left corner, in front of the panel's colour.

#include <array>

#include "controls/Color.h"

namespace controls {

struct Tile {
  static constexpr int kSize = 16;
  std::array<Rgb, kSize * kSize> pixels{};
  Rgb& at(int x, int y) { return pixels[std::size_t(y * kSize + x)]; }
  const Rgb& at(int x, int y) const { return pixels[std::size_t(y * kSize + x)]; }
  friend bool operator==(const Tile&, const Tile&) = default;
};

}  // namespace controls
