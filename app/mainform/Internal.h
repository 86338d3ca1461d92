#pragma once
// What the main window's feature files share: its colours and fixed sizes,
// and a helper to name widgets.

#include "controls/Color.h"

namespace app::mainform {

inline constexpr controls::Rgb kCurrentTabColor{255, 179, 64};
inline constexpr controls::Rgb kTabColor{58, 48, 48};
inline constexpr controls::Rgb kNewTabColor{128, 128, 128};
inline constexpr controls::Rgb kTopBarColor{214, 214, 214};

inline constexpr int kStripHeight = 76;  // poddrsni: the tab strip only
inline constexpr int kFullBarHeight = 103;  // the tab strip and the address bar
inline constexpr int kTabPanelHeight = 71;

// Sets `widget`'s name, so tests and accessibility tools find it.
template <class W>
W& Named(W& widget, const char* name) {
  widget.set_name(name);
  return widget;
}

}  // namespace app::mainform
