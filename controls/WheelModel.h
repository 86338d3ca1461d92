#pragma once
// The busy wheel's values: a circular gauge filling in quarter turns, whose
// two colours swap on every full turn.

#include "controls/Color.h"

namespace controls {

struct WheelModel {
  int minimum = 0;
  int maximum = 96;
  int position = 24;
  Rgb doneColor{61, 181, 229};
  Rgb doneColor2{61, 181, 229};  // the far end of the done part's gradient
  Rgb remainingColor{221, 221, 221};

  // One tick of the animation: a quarter more, and at a full turn back to
  // empty with the colours swapped.
  void Advance() {
    if (position < 100) position += 24;
    if (position >= maximum) {
      position = minimum;
      const Rgb oldRemaining = remainingColor;
      remainingColor = doneColor;
      doneColor = oldRemaining;
      doneColor2 = oldRemaining;
    }
  }
};

}  // namespace controls
