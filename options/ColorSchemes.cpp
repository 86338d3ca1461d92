#include "options/ColorSchemes.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace options {
namespace {

using controls::Rgb;
using controls::Tile;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGreenBar{158, 180, 12};

constexpr std::array<SchemeInfo, 12> kSchemes = {{
    {{158, 180, 12}, {158, 180, 12}, true},   // 1 olive green
    {{199, 194, 139}, kBlack, true},          // 2 khaki
    {{51, 181, 229}, {61, 181, 229}, true},   // 3 sky blue
    {{117, 132, 149}, kBlack, true},          // 4 slate
    {{70, 67, 67}, {58, 48, 48}, true},       // 5 dark grey
    {{217, 213, 201}, {255, 198, 62}, true},  // 6 beige
    {{155, 155, 155}, {136, 136, 136}, true}, // 7 grey
    {{203, 78, 69}, {186, 36, 54}, true},     // 8 brick red
    {{168, 205, 216}, kBlack, true},          // 9 pale blue
    {{36, 118, 72}, kGreenBar, false},        // 10 plain green
    {{75, 95, 95}, kGreenBar, false},         // 11 plain slate
    {{0, 115, 198}, kGreenBar, false},        // 12 plain blue
}};

std::uint8_t Clamp(int v) { return std::uint8_t(std::clamp(v, 0, 255)); }

Rgb Shift(Rgb c, int delta) { return {Clamp(c.r + delta), Clamp(c.g + delta), Clamp(c.b + delta)}; }

// The four shades of a texture: the main one, a lighter, a darker and a
// slightly darker one.
std::array<Rgb, 4> ShadesOf(Rgb main) { return {main, Shift(main, 14), Shift(main, -16), Shift(main, -7)}; }

}  // namespace

std::optional<SchemeInfo> SchemeOf(int scheme) {
  if (scheme < 1 || scheme > 12) return std::nullopt;
  return kSchemes[std::size_t(scheme - 1)];
}

std::optional<Tile> SchemeTile(int scheme) {
  const auto info = SchemeOf(scheme);
  if (!info) return std::nullopt;
  Tile tile;
  if (!info->texture) {
    tile.pixels.fill(info->shade);
    return tile;
  }
  const auto shades = ShadesOf(info->shade);
  if (scheme == 5 || scheme == 6) {
    // Irregular grain: a fixed pseudo-random choice per pixel, weighted
    // towards the main shade.
    std::uint32_t state = 0x9E3779B9u * std::uint32_t(scheme);
    for (Rgb& p : tile.pixels) {
      state = state * 1664525u + 1013904223u;
      const unsigned pick = (state >> 24) % 8;
      p = shades[pick < 4 ? 0 : pick - 4];
    }
    return tile;
  }
  // A 4 x 4 cell: a diagonal weave of the four shades.
  static constexpr int kCell[4][4] = {{0, 1, 0, 2}, {1, 0, 3, 0}, {0, 3, 0, 1}, {2, 0, 1, 0}};
  for (int y = 0; y < Tile::kSize; ++y)
    for (int x = 0; x < Tile::kSize; ++x) tile.at(x, y) = shades[std::size_t(kCell[y % 4][x % 4])];
  return tile;
}

bool ApplyScheme(int scheme, Rgb custom, Look& look) {
  if (scheme == kCustomScheme) {
    look.strip = {std::nullopt, custom};
    look.stripArea = {std::nullopt, custom};
    // The common refresh: the strip's (now absent) tile goes to the top
    // bar and the button bar; then both take the plain custom colour.
    look.topBar = {std::nullopt, custom};
    look.buttonBar = {std::nullopt, custom};
    look.rightOfStrip.color = kBlack;
    return true;
  }
  const auto info = SchemeOf(scheme);
  if (!info) return false;
  const auto tile = SchemeTile(scheme);
  look.strip.tile = tile;
  look.stripArea.tile = tile;
  look.topBar.tile = tile;
  look.buttonBar.tile = tile;
  look.buttonBar.color = info->buttonBar;
  look.rightOfStrip.color = kBlack;
  look.topBar.color = kBlack;
  return true;
}

}  // namespace options
