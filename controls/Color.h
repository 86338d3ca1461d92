#pragma once
// Colours as red, green, blue; stored colours are 0x00BBGGRR.

#include <cstdint>

namespace controls {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr std::uint32_t ToStored(Rgb c) { return std::uint32_t(c.r) | std::uint32_t(c.g) << 8 | std::uint32_t(c.b) << 16; }
constexpr Rgb FromStored(std::uint32_t v) {
  return Rgb{std::uint8_t(v & 0xFF), std::uint8_t((v >> 8) & 0xFF), std::uint8_t((v >> 16) & 0xFF)};
}

}  // namespace controls
