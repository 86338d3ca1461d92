#include <gtest/gtest.h>

#include <string>

#include "settings/Geometry.h"
#include "support/TempFolder.h"

using settings::Geometry;
using settings::LoadGeometry;
using testing_support::TempFolder;

namespace {
constexpr Geometry kCurrent{1258, 811, 10, 20, 0};

Geometry Load(const TempFolder& dir, const std::string& text) {
  dir.Write("Progset.cfg", text);
  const std::optional<Geometry> g = LoadGeometry(dir / "Progset.cfg", kCurrent);
  EXPECT_TRUE(g.has_value());
  return g.value_or(Geometry{});
}
}  // namespace

TEST(LoadGeometry, AMissingFileGivesNothingSoTheWindowOpensMaximised) {
  TempFolder dir;
  EXPECT_EQ(LoadGeometry(dir / "Progset.cfg", kCurrent), std::nullopt);
}

TEST(LoadGeometry, ReadsEachKeyWithTheCurrentValueAsDefault) {
  TempFolder dir;
  Geometry g = Load(dir, "[Velikost]\r\nSirina=800\r\nVisina=600\r\nLevo=-8\r\nGor=30\r\nStatus=0\r\n");
  EXPECT_EQ(g.width, 800);
  EXPECT_EQ(g.height, 600);
  EXPECT_EQ(g.left, -8);
  EXPECT_EQ(g.top, 30);
  EXPECT_EQ(g.status, 0);

  g = Load(dir, "[velikost]\nSirina=wide\nVisina=0\nLevo=\n");
  EXPECT_EQ(g.width, kCurrent.width);    // not an integer
  EXPECT_EQ(g.height, kCurrent.height);  // not a usable size
  EXPECT_EQ(g.left, kCurrent.left);
  EXPECT_EQ(g.top, kCurrent.top);
  EXPECT_EQ(g.status, 2);  // default
}

TEST(LoadGeometry, OpensMinimisedWindowsNormalAndUnknownStatesMaximised) {
  TempFolder dir;
  for (auto [stored, opened] : {std::pair{"0", 0}, {"1", 0}, {"2", 2}, {"7", 2}, {"-1", 2}}) {
    EXPECT_EQ(Load(dir, std::string("[Velikost]\nStatus=") + stored).status, opened) << stored;
  }
}

TEST(SaveGeometry, WritesTheFiveKeysAndKeepsTheRest) {
  TempFolder dir;
  dir.Write("Progset.cfg", "[Velikost]\nSirina=1\nExtra=keep\n");
  ASSERT_TRUE(settings::SaveGeometry(dir / "Progset.cfg", Geometry{1024, 700, 5, 6, 1}));
  EXPECT_EQ(dir.Read("Progset.cfg"), "[Velikost]\nSirina=1024\nExtra=keep\nVisina=700\nLevo=5\nGor=6\nStatus=1\n");
  const std::optional<Geometry> g = LoadGeometry(dir / "Progset.cfg", kCurrent);
  ASSERT_TRUE(g);
  EXPECT_EQ(*g, (Geometry{1024, 700, 5, 6, 0}));
}
