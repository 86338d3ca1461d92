#pragma once
// A picture in memory: 24-bit RGB, rows top to bottom, no padding.

#include <cstdint>
#include <vector>

namespace engine {

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3 bytes

  Bitmap() = default;
  Bitmap(int w, int h) : width(w), height(h), rgb(std::size_t(w) * std::size_t(h) * 3, 0) {}

  bool empty() const { return width <= 0 || height <= 0; }
  std::uint8_t* pixel(int x, int y) { return rgb.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3; }
  const std::uint8_t* pixel(int x, int y) const {
    return rgb.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
  }
};

}  // namespace engine
