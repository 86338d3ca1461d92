// The floating toolbar's fading and opacity rules, and the redirect
// notice's ticks.
#include <gtest/gtest.h>

#include <vector>

#include "navigation/ToolbarFade.h"

namespace {

using navigation::FadeStep;
using navigation::Pointer;

constexpr Pointer kAway{500, 300, 40, 1258};  // below the toolbar's band

TEST(ToolbarFade, FromOpaqueItFadesTo49In156StepsAndStaysThere) {
  std::vector<int> seen;
  int alpha = 255;
  while (true) {
    const int next = FadeStep(alpha, kAway);
    if (next == alpha) break;
    alpha = next;
    seen.push_back(alpha);
    ASSERT_LT(seen.size(), 1000u);
  }
  ASSERT_EQ(seen.size(), 156u);
  EXPECT_EQ(seen.front(), 254);
  EXPECT_EQ(seen[143], 111);  // by 1 down to 111
  const std::vector<int> tail(seen.begin() + 144, seen.end());
  EXPECT_EQ(tail, (std::vector<int>{105, 99, 94, 89, 84, 79, 74, 69, 64, 59, 54, 49}));
  EXPECT_EQ(FadeStep(49, kAway), 49);
  // The start value fades no further either.
  EXPECT_EQ(FadeStep(50, kAway), 50);
}

TEST(ToolbarFade, TheMouseInsideMakesItOpaqueAndTheBandKeepsIt) {
  struct Case {
    const char* where;
    Pointer p;
    int alpha, expected;
  };
  const Case cases[] = {
      {"inside the toolbar", {100, 20, 40, 1258}, 60, 255},
      // At the toolbar's height but beyond the main window's width (or left
      // of it): opaque, and the step's fading follows.
      {"level with it, right of the main window", {5000, 20, 40, 1258}, 60, 254},
      {"level with it, left of the main window", {-1, 20, 40, 1258}, 180, 254},
      {"on the top edge of the band", {100, 0, 40, 1258}, 180, 180},
      {"on the bottom edge of the band", {1258, 40, 40, 1258}, 180, 180},
      {"above the toolbar", {100, -1, 40, 1258}, 180, 179},
      {"below the toolbar", {100, 41, 40, 1258}, 108, 102},
  };
  for (const Case& c : cases) EXPECT_EQ(FadeStep(c.alpha, c.p), c.expected) << c.where;
}

TEST(ToolbarFade, OnlyTheToolbarsHintMakesItOpaque) {
  EXPECT_TRUE(navigation::OpaqueForHint("105"));
  for (const char* hint : {"", "1050", "Search", " 105"}) EXPECT_FALSE(navigation::OpaqueForHint(hint)) << hint;
}

TEST(NoticeFade, ShowsFourAlphasThenClosesReadyForTheNextTime) {
  navigation::NoticeFade fade;
  fade.Start();
  std::vector<int> alphas{fade.alpha};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(fade.Tick());
    alphas.push_back(fade.alpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{255, 205, 155, 105}));
  EXPECT_TRUE(fade.Tick());
  EXPECT_FALSE(fade.running);
  EXPECT_EQ(fade.alpha, 255);
  EXPECT_EQ(fade.ticks, 0);
}

}  // namespace
