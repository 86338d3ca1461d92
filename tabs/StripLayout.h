#pragma once
// Arithmetic of the tab strip: the strip `drsni` is a panel wider than its
// viewport `drsniAll`, moved left and right to scroll. When the tabs no
// longer fit, the two scroll buttons and the right-hand panel show and the
// new-tab button parks there; when they fit again the strip returns to 0.

namespace tabs {

inline constexpr int kScrollButtonWidth = 25;  // drsnisx, drsnidx
inline constexpr int kRightPanelWidth = 47;    // Panel2 as designed
inline constexpr int kStripSlack = 27;         // the strip is this much wider than its tabs
inline constexpr int kTabPanelWidth = 112;

struct StripLayout {
  // The width of the whole strip area (poddrsni) and of its right-hand
  // panel (Panel2), which the side panel narrows while it is open.
  int areaWidth = 0;
  int rightPanelWidth = kRightPanelWidth;

  // Scroll buttons, the right-hand panel and the parking panel shown.
  bool overflow = false;
  int stripLeft = 0;   // left of drsni in the viewport
  int stripWidth = 0;  // width of drsni
  int stripEnd = 0;    // right edge of drsni as the last layout found it
  // The new-tab button sits in the parking panel (at its left 0) while
  // parked, else on the strip at `buttonLeft`.
  bool buttonParked = false;
  int buttonLeft = 0;

  // Width of the strip viewport for the current overflow state.
  int ViewportWidth() const;

  // Lays the strip out for tabs ending at `nextTabLeft` (poravnava);
  // `liveTabs` is the number of live tab panels.
  void Layout(int nextTabLeft, int liveTabs);
  // Places the new-tab button after the last tab unless parked (poravnaj).
  void PlaceNewTabButton(int liveTabs);
  // The left scroll button moves the strip 115 to the left while its end
  // is beyond the viewport; the right one moves it back while it is left
  // of 0. Both lay the strip out again.
  void ScrollLeft(int nextTabLeft, int liveTabs);
  void ScrollRight(int nextTabLeft, int liveTabs);
  // Scrolls the strip by whole tab steps until the tab panel at `tabLeft`
  // is fully inside the viewport, then lays it out again.
  void ShowTab(int tabLeft, int nextTabLeft, int liveTabs);
};

}  // namespace tabs
