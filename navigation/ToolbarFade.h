#pragma once
// The floating toolbar's translucency and the redirect notice's fade, as
// plain rules.

#include <string_view>

namespace navigation {

// The alpha the toolbar starts with, and where its fading stops.
inline constexpr int kToolbarStartAlpha = 50;
inline constexpr int kOpaque = 255;

// The hint text every control of the toolbar carries: while the mouse is
// on one of them, the toolbar is fully opaque.
inline constexpr std::string_view kToolbarHint = "105";

// True when the hint under the mouse makes the toolbar opaque (blending
// off); any other hint lets the current alpha apply again.
inline bool OpaqueForHint(std::string_view hint) { return hint == kToolbarHint; }

// Where the mouse is, for one fading step: in the toolbar's client
// coordinates, with the toolbar's client height and the main window's
// width.
struct Pointer {
  int x = 0;
  int y = 0;
  int toolbarHeight = 0;
  int mainWidth = 0;
};

// One fading step of the toolbar's alpha, every 125 ms. With the mouse
// inside the toolbar's height it becomes opaque; within the band of the
// toolbar's height across the main window's width it stays as it is;
// anywhere else it fades: by 1 while above 100, and then by 5 more while
// above 50 and at most 110. From 255 that is 254, 253 .. 111, then 105,
// 99, 94 .. 54, 49, where it stays: 156 steps.
int FadeStep(int alpha, const Pointer& pointer);

// The redirect notice: shown at alpha 255, every 150 ms tick lowers it by
// 50, and at the fourth tick it closes (and is ready at 255 again).
struct NoticeFade {
  int ticks = 0;
  int alpha = kOpaque;
  bool running = false;

  void Start() {
    ticks = 0;
    alpha = kOpaque;
    running = true;
  }
  // Answers true when this tick closes the notice.
  bool Tick();
};

}  // namespace navigation
