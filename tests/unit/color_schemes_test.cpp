// The colour schemes: the twelve tiles, the button-bar colours and what
// each scheme leaves on the panels of the top area.
#include <gtest/gtest.h>

#include <set>

#include "options/ColorSchemes.h"

namespace {

using controls::Rgb;
using options::Look;

constexpr Rgb kBlack{0, 0, 0};

struct SchemeCase {
  int scheme;
  Rgb shade;
  Rgb buttonBar;
  bool texture;
};

const SchemeCase kCases[] = {
    {1, {158, 180, 12}, {158, 180, 12}, true},   {2, {199, 194, 139}, kBlack, true},
    {3, {51, 181, 229}, {61, 181, 229}, true},   {4, {117, 132, 149}, kBlack, true},
    {5, {70, 67, 67}, {58, 48, 48}, true},       {6, {217, 213, 201}, {255, 198, 62}, true},
    {7, {155, 155, 155}, {136, 136, 136}, true}, {8, {203, 78, 69}, {186, 36, 54}, true},
    {9, {168, 205, 216}, kBlack, true},          {10, {36, 118, 72}, {158, 180, 12}, false},
    {11, {75, 95, 95}, {158, 180, 12}, false},   {12, {0, 115, 198}, {158, 180, 12}, false},
};

std::size_t ShadeCount(const controls::Tile& tile, Rgb shade, std::set<std::tuple<int, int, int>>* distinct) {
  std::size_t n = 0;
  for (const Rgb& p : tile.pixels) {
    if (p == shade) ++n;
    if (distinct) distinct->insert({p.r, p.g, p.b});
  }
  return n;
}

TEST(ColorSchemes, EachFixedSchemeTilesTheTopAreaInItsShadeAndColoursTheButtonBar) {
  for (const SchemeCase& c : kCases) {
    SCOPED_TRACE(c.scheme);
    Look look;
    look.strip.color = look.stripArea.color = {1, 2, 3};
    ASSERT_TRUE(options::ApplyScheme(c.scheme, {9, 9, 9}, look));
    const auto tile = options::SchemeTile(c.scheme);
    ASSERT_TRUE(tile);
    for (const Look::Panel* p : {&look.topBar, &look.stripArea, &look.strip, &look.buttonBar}) EXPECT_EQ(p->tile, tile);
    EXPECT_EQ(look.buttonBar.color, c.buttonBar);
    EXPECT_EQ(look.topBar.color, kBlack);
    EXPECT_EQ(look.rightOfStrip.color, kBlack);
    // The strip keeps its colour under the tile.
    EXPECT_EQ(look.strip.color, (Rgb{1, 2, 3}));

    std::set<std::tuple<int, int, int>> distinct;
    const std::size_t main = ShadeCount(*tile, c.shade, &distinct);
    if (!c.texture) {
      EXPECT_EQ(main, tile->pixels.size());
      continue;
    }
    // A texture: four shades, the main one the commonest.
    EXPECT_EQ(distinct.size(), 4u);
    EXPECT_GE(main, tile->pixels.size() / 3);
    bool repeatsEvery4 = true;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) repeatsEvery4 &= tile->at(x, y) == tile->at(x % 4, y % 4);
    EXPECT_EQ(repeatsEvery4, c.scheme != 5 && c.scheme != 6);
  }
}

TEST(ColorSchemes, CustomSchemeShowsThePlainCustomColourEverywhereAndBlackAtTheStripsEnd) {
  Look look;
  ASSERT_TRUE(options::ApplyScheme(8, {}, look));  // a textured scheme first
  const Rgb custom{12, 200, 99};
  ASSERT_TRUE(options::ApplyScheme(options::kCustomScheme, custom, look));
  for (const Look::Panel* p : {&look.topBar, &look.stripArea, &look.strip, &look.buttonBar}) {
    EXPECT_FALSE(p->tile);
    EXPECT_EQ(p->color, custom);
  }
  EXPECT_EQ(look.rightOfStrip.color, kBlack);
}

TEST(ColorSchemes, NumbersOutsideOneToThirteenPaintNothing) {
  for (int scheme : {-1, 0, 14, 100}) {
    SCOPED_TRACE(scheme);
    Look look;
    look.topBar.color = {5, 5, 5};
    const Look before = look;
    EXPECT_FALSE(options::ApplyScheme(scheme, {1, 1, 1}, look));
    EXPECT_EQ(look, before);
    EXPECT_FALSE(options::SchemeTile(scheme));
  }
}

}  // namespace
