#include "tabs/StripLayout.h"

#include "tabs/TabTable.h"

namespace tabs {

int StripLayout::ViewportWidth() const {
  return overflow ? areaWidth - kScrollButtonWidth - rightPanelWidth : areaWidth;
}

void StripLayout::Layout(int nextTabLeft, int liveTabs) {
  stripWidth = nextTabLeft + kStripSlack;
  stripEnd = stripLeft + stripWidth;
  if (stripWidth >= ViewportWidth()) {
    overflow = true;
    buttonParked = true;
    buttonLeft = 0;
  }
  // Measured again: the overflow above narrows the viewport.
  if (stripWidth < ViewportWidth()) {
    overflow = false;
    buttonParked = false;
    stripLeft = 0;
  }
  PlaceNewTabButton(liveTabs);
}

void StripLayout::PlaceNewTabButton(int liveTabs) {
  if (!buttonParked) buttonLeft = kFirstTabLeft + kTabStep * liveTabs;
}

void StripLayout::ScrollLeft(int nextTabLeft, int liveTabs) {
  if (stripEnd >= ViewportWidth()) stripLeft -= kTabStep;
  Layout(nextTabLeft, liveTabs);
}

void StripLayout::ScrollRight(int nextTabLeft, int liveTabs) {
  if (stripLeft < 0) stripLeft += kTabStep;
  Layout(nextTabLeft, liveTabs);
}

void StripLayout::ShowTab(int tabLeft, int nextTabLeft, int liveTabs) {
  Layout(nextTabLeft, liveTabs);
  if (!overflow) return;
  const int viewport = ViewportWidth();
  while (tabLeft + stripLeft + kTabPanelWidth > viewport && tabLeft + stripLeft > 0) stripLeft -= kTabStep;
  while (tabLeft + stripLeft < 0) stripLeft += kTabStep;
  Layout(nextTabLeft, liveTabs);
}

}  // namespace tabs
