#include "rss/FeedList.h"

#include <cstdint>

#include "ui/Text.h"

namespace rss {

namespace {
bool addRssPending = false;
}

std::string FeedName(const listfile::Row& row) { return row.caption; }

std::string FeedAddress(const listfile::Row& row) { return row.subItems.empty() ? std::string() : row.subItems[0]; }

listfile::Row MakeFeed(const std::string& name, const std::string& address) { return {name, {address}, 0}; }

bool SameName(std::string_view a, std::string_view b) { return ui::Upper(a) == ui::Upper(b); }

std::optional<std::size_t> FindFeed(const listfile::Rows& rows, std::string_view name) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (SameName(rows[i].caption, name)) return i;
  return std::nullopt;
}

std::optional<std::size_t> MoveRow(listfile::Rows& rows, std::optional<std::size_t> selected, bool up) {
  if (!selected || *selected >= rows.size()) return std::nullopt;
  const std::size_t i = *selected;
  const std::uint16_t target = up ? std::uint16_t(i - 1) : std::uint16_t(i + 2);
  const std::size_t t = std::min<std::size_t>(target, rows.size());
  const listfile::Row copy = rows[i];
  rows.insert(rows.begin() + std::ptrdiff_t(t), copy);
  const std::size_t old = t <= i ? i + 1 : i;
  rows.erase(rows.begin() + std::ptrdiff_t(old));
  return t <= i ? t : t - 1;
}

void RemoveRows(listfile::Rows& rows, const std::set<std::size_t>& selected) {
  for (std::size_t i = rows.size(); i-- > 0;)
    if (selected.count(i)) rows.erase(rows.begin() + std::ptrdiff_t(i));
}

std::optional<std::size_t> EditTarget(const listfile::Rows& rows, const std::set<std::size_t>& selected) {
  if (rows.empty()) return std::nullopt;
  for (std::size_t i : selected)
    if (i < rows.size()) return i;
  return 0;
}

std::optional<std::pair<std::string, std::string>> AddDialogPrefill(const std::string& addressBar,
                                                                    const std::string& tabTitle) {
  if (ui::Upper(addressBar).find("RSS") == std::string::npos) return std::nullopt;
  return std::make_pair(tabTitle, addressBar);
}

bool AddRssPending() { return addRssPending; }
void SetAddRssPending(bool pending) { addRssPending = pending; }

bool LooksLikeFeedLink(std::string_view address) {
  const std::string upper = ui::Upper(address);
  for (const char* mark : {".RSS", "\\RSS", "/RSS"})
    if (upper.find(mark) != std::string::npos) return true;
  return false;
}

std::vector<std::string> PageFeeds(const std::vector<std::string>& addresses) {
  std::vector<std::string> feeds;
  for (const std::string& a : addresses)
    if (LooksLikeFeedLink(a)) feeds.push_back(a);
  return feeds;
}

}  // namespace rss
