#include "tabs/TabTable.h"

#include <algorithm>

namespace tabs {

std::optional<int> TabTable::FreeSlot() const {
  if (tabCount_ < kSlotCount) return tabCount_;
  for (int slot = 0; slot < kSlotCount; ++slot)
    if (!live_[std::size_t(slot)]) return slot;
  return std::nullopt;
}

void TabTable::Open(int slot) {
  live_[std::size_t(slot)] = true;
  left_[std::size_t(slot)] = nextTabLeft_;
  nextTabLeft_ += kTabStep;
  ++liveCount_;
  tabCount_ = std::max(tabCount_, slot + 1);
}

void TabTable::Close(int slot) {
  if (!IsLive(slot)) return;
  live_[std::size_t(slot)] = false;
  --liveCount_;
}

std::optional<int> TabTable::NearestLive(int closed) const {
  for (int slot = closed - 1; slot >= 0; --slot)
    if (IsLive(slot)) return slot;
  for (int slot = closed + 1; slot < tabCount_; ++slot)
    if (IsLive(slot)) return slot;
  return std::nullopt;
}

std::vector<int> TabTable::LiveInStripOrder() const {
  std::vector<int> slots;
  slots.reserve(std::size_t(liveCount_));
  for (int slot = 0; slot < tabCount_; ++slot)
    if (live_[std::size_t(slot)]) slots.push_back(slot);
  std::stable_sort(slots.begin(), slots.end(),
                   [this](int a, int b) { return left_[std::size_t(a)] < left_[std::size_t(b)]; });
  return slots;
}

std::optional<int> TabTable::Neighbour(int slot, int step) const {
  const std::vector<int> order = LiveInStripOrder();
  const auto at = std::find(order.begin(), order.end(), slot);
  if (at == order.end()) return std::nullopt;
  const int count = int(order.size());
  const int index = int(at - order.begin());
  return order[std::size_t(((index + step) % count + count) % count)];
}

void TabTable::Repack() {
  int left = kFirstTabLeft;
  for (int slot : LiveInStripOrder()) {
    left_[std::size_t(slot)] = left;
    left += kTabStep;
  }
  nextTabLeft_ = left;
}

}  // namespace tabs
