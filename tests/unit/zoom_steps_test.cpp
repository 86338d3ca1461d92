#include <gtest/gtest.h>

#include "navigation/ZoomSteps.h"

namespace {

TEST(ZoomSteps, StepsGoToTheNextLevelInTheirDirectionAndStopAtTheEnds) {
  struct Case {
    int current, direction, expected;
  };
  const Case cases[] = {
      {100, 1, 110}, {100, -1, 90},  // from the designed zoom
      {900, 1, 999}, {900, -1, 500}, // the zoom window's designed position
      {117, 1, 125}, {117, -1, 110}, // between two levels: the nearer one that way
      {999, 1, 999}, {10, -1, 10},   // the ends hold
      {1000, -1, 999}, {5, 1, 10},   // outside the range: back into it
  };
  for (const Case& c : cases)
    EXPECT_EQ(navigation::NextZoomStep(c.current, c.direction), c.expected) << c.current << " " << c.direction;
}

}  // namespace
