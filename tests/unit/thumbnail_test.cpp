#include <gtest/gtest.h>

#include <cstring>

#include "tabs/Thumbnail.h"

namespace {

using engine::Bitmap;

Bitmap Filled(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  Bitmap bmp(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bmp.pixel(x, y)[0] = r;
      bmp.pixel(x, y)[1] = g;
      bmp.pixel(x, y)[2] = b;
    }
  return bmp;
}

TEST(SmoothBitmap, ACentrePixelBecomesTheIntegerAverageOfItsFourNeighbours) {
  Bitmap bmp = Filled(3, 3, 0, 0, 0);
  // Neighbours 10 (above), 20 (left), 30 (right), 41 (below) in red.
  bmp.pixel(1, 0)[0] = 10;
  bmp.pixel(0, 1)[0] = 20;
  bmp.pixel(2, 1)[0] = 30;
  bmp.pixel(1, 2)[0] = 41;
  bmp.pixel(1, 1)[0] = 200;  // its own value takes no part
  bmp.pixel(1, 1)[1] = 99;
  const Bitmap before = bmp;
  tabs::SmoothBitmap(bmp);
  EXPECT_EQ(bmp.pixel(1, 1)[0], 25);  // 101 div 4
  EXPECT_EQ(bmp.pixel(1, 1)[1], 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      if (x == 1 && y == 1) continue;
      EXPECT_EQ(0, std::memcmp(bmp.pixel(x, y), before.pixel(x, y), 3)) << x << "," << y;
    }
  }
}

TEST(SmoothBitmap, WorksInPlaceSoTheLeftAndUpperNeighboursAreAlreadySmoothed) {
  Bitmap bmp = Filled(4, 4, 0, 0, 0);
  bmp.pixel(0, 1)[2] = 200;  // left of (1,1)
  tabs::SmoothBitmap(bmp);
  EXPECT_EQ(bmp.pixel(1, 1)[2], 50);
  EXPECT_EQ(bmp.pixel(2, 1)[2], 12);  // its left neighbour is the smoothed 50
  EXPECT_EQ(bmp.pixel(1, 2)[2], 12);  // and so is its upper neighbour
  EXPECT_EQ(bmp.pixel(2, 2)[2], 6);   // (12 + 12) div 4
}

TEST(SmoothBitmap, LeavesBitmapsUnderThreeByThreeUnchanged) {
  for (auto [w, h] : {std::pair{2, 5}, {5, 2}, {0, 0}}) {
    Bitmap bmp = Filled(w, h, 7, 8, 9);
    if (w > 0) bmp.pixel(0, 0)[0] = 100;
    const Bitmap before = bmp;
    tabs::SmoothBitmap(bmp);
    EXPECT_EQ(bmp.rgb, before.rgb);
  }
}

TEST(ResizeBmp, RepeatsAndDropsRowsAndColumnsWithoutFiltering) {
  Bitmap bmp(2, 1);
  bmp.pixel(0, 0)[0] = 10;
  bmp.pixel(1, 0)[0] = 250;
  ASSERT_TRUE(tabs::ResizeBmp(bmp, 4, 2));
  EXPECT_EQ(bmp.width, 4);
  EXPECT_EQ(bmp.height, 2);
  const std::uint8_t expected[] = {10, 10, 250, 250};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bmp.pixel(x, y)[0], expected[x]);

  ASSERT_TRUE(tabs::ResizeBmp(bmp, 2, 1));
  EXPECT_EQ(bmp.pixel(0, 0)[0], 10);
  EXPECT_EQ(bmp.pixel(1, 0)[0], 250);
}

TEST(ResizeBmp, FailsWithoutChangingTheBitmap) {
  Bitmap bmp = Filled(5, 5, 1, 2, 3);
  const Bitmap before = bmp;
  EXPECT_FALSE(tabs::ResizeBmp(bmp, 0, 10));
  EXPECT_FALSE(tabs::ResizeBmp(bmp, 10, -1));
  EXPECT_EQ(bmp.width, 5);
  EXPECT_EQ(bmp.rgb, before.rgb);
  Bitmap empty;
  EXPECT_FALSE(tabs::ResizeBmp(empty, 10, 10));
}

TEST(CutScrollBar, LeavesOutTheRightmostTwentyColumns) {
  Bitmap capture = Filled(25, 2, 0, 0, 0);
  capture.pixel(4, 1)[1] = 77;
  capture.pixel(5, 1)[1] = 88;  // first column of the scroll bar
  const Bitmap cut = tabs::CutScrollBar(capture);
  EXPECT_EQ(cut.width, 5);
  EXPECT_EQ(cut.height, 2);
  EXPECT_EQ(cut.pixel(4, 1)[1], 77);
  EXPECT_TRUE(tabs::CutScrollBar(Filled(20, 5, 0, 0, 0)).empty());
}

TEST(Preview, SizeIsAQuarterOfTheScreenWideAndItsHeightOver415High) {
  EXPECT_EQ(tabs::PreviewWidthFor(1920), 480);
  EXPECT_EQ(tabs::PreviewHeightFor(1080), 260);  // 260.2 truncated
  EXPECT_EQ(tabs::PreviewWidthFor(1280), 320);
  EXPECT_EQ(tabs::PreviewHeightFor(1024), 246);  // 246.7 truncated
}

TEST(Preview, PlacedUnderItsTabOrLeftOfItNearTheRightEdge) {
  struct Case {
    int panelLeft, stripLeft;
    bool scrolled;
    int clientWidth, previewWidth, expected;
  };
  const Case cases[] = {
      {118, -115, true, 1000, 315, 28},  // 118 - 115 + 25 when it fits
      {118, 0, false, 1000, 315, 118},
      {800, 0, false, 1000, 315, 595},   // 205 left of the panel
      {685, 0, false, 1000, 315, 42},    // ends exactly at the edge: left kept (42)
      // A quarter of a 1920 screen wide: it ends with the tab, inside the window.
      {1498, 0, false, 1900, 480, 1128},
      {1450, 0, false, 1900, 480, 1080},
      {1268, 0, false, 1900, 480, 1268},
      {100, 0, false, 300, 480, 0},      // a window narrower than the preview
  };
  for (const Case& c : cases) {
    const int left = tabs::PreviewLeft(c.panelLeft, c.stripLeft, c.scrolled, c.clientWidth, c.previewWidth, 42);
    EXPECT_EQ(left, c.expected) << c.panelLeft;
    if (c.previewWidth <= c.clientWidth) EXPECT_LE(left + c.previewWidth, c.clientWidth) << c.panelLeft;
  }
}

}  // namespace
