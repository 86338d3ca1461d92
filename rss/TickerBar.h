#pragma once
// The news ticker bar at the bottom of the pages: the first feed's items
// scroll in it, with a refresh and a close button at its right.

#include <functional>

#include "controls/GlyphButton.h"
#include "controls/Panel.h"
#include "controls/TALScrollingText.h"

namespace rss {

class TickerBar : public controls::Panel {
 public:
  struct Callbacks {
    std::function<void()> refresh;     // alsrefresh
    std::function<void()> close;       // alszapri
    std::function<void()> openReader;  // a click on the text
  };

  static constexpr int kHeight = 16;
  static constexpr controls::Rgb kColour{57, 56, 56};

  explicit TickerBar(Callbacks callbacks);

  void ptopResize();

  controls::TALScrollingText xals;
  controls::Panel buttons;  // 34 wide, at the right edge
  controls::GlyphButton alsrefresh{controls::GlyphButton::Glyph::Refresh};
  controls::GlyphButton alszapri{controls::GlyphButton::Glyph::Cross};

 private:
  Callbacks callbacks_;
  int laidOutWidth_ = 0;
  sigc::connection layout_;

 public:
  ~TickerBar() override { layout_.disconnect(); }
};

}  // namespace rss
