#pragma once
// The tab table: which slots hold a live tab, where each tab sits in the
// strip, and which tab is current. No widgets here; the main window keeps
// the widgets of slot N in its own arrays and asks this table what to do.

#include <array>
#include <optional>
#include <vector>

namespace tabs {

inline constexpr int kSlotCount = 1001;
inline constexpr int kFirstTabLeft = 3;  // left of the first tab panel in the strip
inline constexpr int kTabStep = 115;     // 112 of panel plus a gap of 3

class TabTable {
 public:
  // Slots used so far: every loop over tabs runs over slots 0 .. TabCount-1.
  int TabCount() const { return tabCount_; }
  int CurrentTab() const { return current_; }
  void SetCurrentTab(int slot) { current_ = slot; }
  // Left position for the next tab panel in the strip.
  int NextTabLeft() const { return nextTabLeft_; }

  bool IsLive(int slot) const { return slot >= 0 && slot < kSlotCount && live_[std::size_t(slot)]; }
  bool AnyLive() const { return liveCount_ > 0; }
  int LiveCount() const { return liveCount_; }
  // Left of the live tab in `slot` within the strip.
  int Left(int slot) const { return left_[std::size_t(slot)]; }

  // The slot a new tab takes: a never-used slot while any remain, then the
  // lowest slot of a closed tab; nothing when every slot holds a live tab.
  std::optional<int> FreeSlot() const;

  // Marks `slot` live at the end of the strip and moves the next left on.
  void Open(int slot);
  // Marks `slot` closed. The caller chooses the new current tab.
  void Close(int slot);

  // The tab that becomes current when `closed` (the current one) closes:
  // the nearest live slot below it, else the nearest above it; nothing
  // when no tab is left.
  std::optional<int> NearestLive(int closed) const;

  // Packs the live tabs without gaps, keeping their order in the strip:
  // lefts 3, 118, 233, ...; the next left follows the last one.
  void Repack();

  // Live slots in strip order (left to right).
  std::vector<int> LiveInStripOrder() const;
  // The live tab `step` places right of `slot` in the strip (left of it
  // when negative), going round at either end; `slot` itself when it is
  // the only live tab, nothing when it is not live.
  std::optional<int> Neighbour(int slot, int step) const;

 private:
  std::array<bool, kSlotCount> live_{};
  std::array<int, kSlotCount> left_{};
  int tabCount_ = 0;
  int liveCount_ = 0;
  int current_ = 0;
  int nextTabLeft_ = kFirstTabLeft;
};

}  // namespace tabs
