#include <gtest/gtest.h>

#include "tabs/StripLayout.h"
#include "tabs/TabTable.h"

namespace {

using tabs::TabTable;

TabTable WithTabs(int n) {
  TabTable t;
  for (int i = 0; i < n; ++i) t.Open(*t.FreeSlot());
  return t;
}

TEST(TabTable, NewTabsTakeNeverUsedSlotsAndSitAtTheEndOfTheStrip) {
  TabTable t = WithTabs(3);
  EXPECT_EQ(t.TabCount(), 3);
  EXPECT_EQ(t.Left(0), 3);
  EXPECT_EQ(t.Left(1), 118);
  EXPECT_EQ(t.Left(2), 233);
  EXPECT_EQ(t.NextTabLeft(), 348);

  t.Close(1);
  t.Repack();
  // Slot 1 is not given again while never-used slots remain.
  EXPECT_EQ(t.FreeSlot(), 3);
  t.Open(3);
  EXPECT_EQ(t.Left(0), 3);
  EXPECT_EQ(t.Left(2), 118);
  EXPECT_EQ(t.Left(3), 233);
}

TEST(TabTable, AfterEverySlotWasUsedTheLowestClosedSlotIsReusedAndAFullTableRefuses) {
  TabTable t = WithTabs(tabs::kSlotCount);
  EXPECT_FALSE(t.FreeSlot().has_value());
  t.Close(700);
  t.Close(5);
  t.Repack();
  ASSERT_EQ(t.FreeSlot(), 5);
  t.Open(5);
  // The reused slot goes to the end of the strip; live tabs keep their slots.
  EXPECT_EQ(t.Left(5), 3 + 115 * (tabs::kSlotCount - 2));
  EXPECT_TRUE(t.IsLive(999));
  EXPECT_EQ(t.FreeSlot(), 700);
  EXPECT_EQ(t.TabCount(), tabs::kSlotCount);
}

TEST(TabTable, ClosingTheCurrentTabPrefersTheNearestLiveSlotBelow) {
  struct Case {
    std::vector<int> closedBefore;
    int closing;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {{}, 2, 1},       // middle of five: the one below
      {{1}, 2, 0},      // skips closed slots below
      {{}, 0, 1},       // first one: the one above
      {{0, 1}, 2, 3},   // nothing left below
      {{0, 1, 3, 4}, 2, std::nullopt},
  };
  for (const Case& c : cases) {
    TabTable t = WithTabs(5);
    for (int s : c.closedBefore) t.Close(s);
    t.Close(c.closing);
    EXPECT_EQ(t.NearestLive(c.closing), c.expected) << "closing " << c.closing;
  }
}

TEST(TabTable, RepackClosesTheGapsAndKeepsTheOrderOfTheStrip) {
  TabTable t = WithTabs(5);
  t.Close(0);
  t.Close(3);
  t.Repack();
  EXPECT_EQ(t.LiveInStripOrder(), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(t.Left(1), 3);
  EXPECT_EQ(t.Left(2), 118);
  EXPECT_EQ(t.Left(4), 233);
  EXPECT_EQ(t.NextTabLeft(), 348);
  EXPECT_EQ(t.LiveCount(), 3);
}

TEST(TabTable, NeighboursFollowTheStripAndGoRoundAtItsEnds) {
  TabTable t = WithTabs(tabs::kSlotCount);
  // Slot 5, closed and opened again, sits at the end of the strip.
  t.Close(5);
  t.Repack();
  t.Open(5);
  const int last = tabs::kSlotCount - 1;
  struct Case {
    int slot, step;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {4, 1, 6},       // over the gap slot 5 left
      {last, 1, 5},    // strip order, not slot order
      {5, 1, 0},       // round from the end
      {0, -1, 5},      // round from the start
      {6, -1, 4},
  };
  for (const Case& c : cases) EXPECT_EQ(t.Neighbour(c.slot, c.step), c.expected) << c.slot << " " << c.step;

  TabTable one = WithTabs(3);
  one.Close(0);
  one.Close(2);
  EXPECT_EQ(one.Neighbour(1, 1), 1);
  EXPECT_EQ(one.Neighbour(1, -1), 1);
  EXPECT_EQ(one.Neighbour(0, 1), std::nullopt);
}

TEST(StripLayout, OverflowShowsTheScrollButtonsAndParksTheNewTabButton) {
  tabs::StripLayout s;
  s.areaWidth = 600;
  // Four tabs: next left 463, strip 490 wide: fits in 600.
  s.Layout(463, 4);
  EXPECT_FALSE(s.overflow);
  EXPECT_FALSE(s.buttonParked);
  EXPECT_EQ(s.buttonLeft, 3 + 115 * 4);
  EXPECT_EQ(s.stripWidth, 490);

  // Five tabs: 605 wide, more than the viewport.
  s.Layout(578, 5);
  EXPECT_TRUE(s.overflow);
  EXPECT_TRUE(s.buttonParked);
  EXPECT_EQ(s.ViewportWidth(), 600 - 25 - 47);

  // Back to four: 490 is less than the narrowed viewport of 528, so the
  // strip fits again and returns to left 0.
  s.stripLeft = -115;
  s.Layout(463, 4);
  EXPECT_FALSE(s.overflow);
  EXPECT_EQ(s.stripLeft, 0);
  EXPECT_EQ(s.buttonLeft, 3 + 115 * 4);
}

TEST(StripLayout, TheNarrowedViewportKeepsTheOverflowUntilTheStripFitsIt) {
  tabs::StripLayout s;
  s.areaWidth = 600;
  s.Layout(578, 5);
  ASSERT_TRUE(s.overflow);
  // 560 wide is less than the whole area but not less than the viewport of
  // 528 that the overflow leaves: the scroll buttons stay.
  s.Layout(533, 5);
  EXPECT_TRUE(s.overflow);
}

TEST(StripLayout, ScrollingMovesTheStripByOneTabWithinItsEnds) {
  tabs::StripLayout s;
  s.areaWidth = 600;
  const int next = 3 + 115 * 8;  // eight tabs
  s.Layout(next, 8);
  ASSERT_TRUE(s.overflow);
  s.ScrollRight(next, 8);  // already at the left end
  EXPECT_EQ(s.stripLeft, 0);
  s.ScrollLeft(next, 8);
  EXPECT_EQ(s.stripLeft, -115);
  for (int i = 0; i < 10; ++i) s.ScrollLeft(next, 8);
  // It stops once the strip's end is inside the viewport.
  EXPECT_LT(s.stripEnd, s.ViewportWidth());
  EXPECT_GE(s.stripEnd + 115, s.ViewportWidth());
  const int left = s.stripLeft;
  s.ScrollRight(next, 8);
  EXPECT_EQ(s.stripLeft, left + 115);
}

TEST(StripLayout, ShowingATabScrollsByWholeStepsUntilItIsFullyInTheViewport) {
  tabs::StripLayout s;
  s.areaWidth = 1000;  // viewport 928 while the scroll buttons show
  const int next = 3 + 115 * 10;
  struct Case {
    int tabLeft, expectedStripLeft;
  };
  const Case cases[] = {
      {3 + 115 * 9, -230},  // the newest tab, at the right end
      {3 + 115 * 5, -230},  // already in view: the strip stays
      {3, 0},               // back at the left end
  };
  for (const Case& c : cases) {
    s.ShowTab(c.tabLeft, next, 10);
    EXPECT_EQ(s.stripLeft, c.expectedStripLeft) << c.tabLeft;
    EXPECT_GE(c.tabLeft + s.stripLeft, 0) << c.tabLeft;
    EXPECT_LE(c.tabLeft + s.stripLeft + tabs::kTabPanelWidth, s.ViewportWidth()) << c.tabLeft;
  }
  // Scrolled left, a tab further left comes back into view.
  s.ShowTab(3 + 115 * 9, next, 10);
  s.ShowTab(3 + 115, next, 10);
  EXPECT_EQ(s.stripLeft, -115);
  // Without overflow the strip stays at 0.
  s.ShowTab(3 + 115 * 2, 3 + 115 * 3, 3);
  EXPECT_FALSE(s.overflow);
  EXPECT_EQ(s.stripLeft, 0);
}

}  // namespace
