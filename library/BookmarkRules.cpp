#include "library/BookmarkRules.h"

#include <glib.h>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace library {
namespace {

const std::string kNoUrl;

std::string Owned(gchar* text) {
  std::string s = text ? text : "";
  g_free(text);
  return s;
}

// `text` upper-cased in the user's locale. Texts are UTF-8; bytes that are
// not are replaced first, so nothing is read past a broken sequence.
std::string LocaleUpper(const std::string& text) {
  if (g_utf8_validate(text.data(), gssize(text.size()), nullptr))
    return Owned(g_utf8_strup(text.data(), gssize(text.size())));
  const std::string valid = Owned(g_utf8_make_valid(text.data(), gssize(text.size())));
  return Owned(g_utf8_strup(valid.data(), gssize(valid.size())));
}

// What a row is sorted by, worked out once per row.
struct SortKey {
  bool noUrl = false;
  std::string nameCollation;  // the upper-cased name, case-folded, as a collation key
  std::string urlUpper;
  std::string nameUpper;
};

SortKey KeyOf(const listfile::Row& row, int column) {
  SortKey key;
  const std::string& url = BookmarkUrl(row);
  key.noUrl = url.empty();
  key.nameUpper = LocaleUpper(row.caption);
  if (column == kUrlColumn) {
    key.urlUpper = LocaleUpper(url);
  } else {
    const std::string folded = Owned(g_utf8_casefold(key.nameUpper.data(), gssize(key.nameUpper.size())));
    key.nameCollation = Owned(g_utf8_collate_key(folded.data(), gssize(folded.size())));
  }
  return key;
}

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

int Compare(const SortKey& a, const SortKey& b, int column, bool inverted) {
  if (a.noUrl != b.noUrl) return a.noUrl ? -1 : 1;
  int result = 0;
  if (column == kUrlColumn) {
    result = Sign(a.urlUpper.compare(b.urlUpper));
    if (result == 0) result = Sign(a.nameUpper.compare(b.nameUpper));
  } else {
    result = Sign(std::strcmp(a.nameCollation.c_str(), b.nameCollation.c_str()));
  }
  return inverted ? -result : result;
}

}  // namespace

const std::string& BookmarkUrl(const listfile::Row& row) {
  return row.subItems.empty() ? kNoUrl : row.subItems.front();
}

listfile::Row Bookmark(const std::string& name, const std::string& url) { return {name, {url}, 0}; }

void SetBookmark(listfile::Row& row, const std::string& name, const std::string& url) {
  row.caption = name;
  if (row.subItems.empty())
    row.subItems.push_back(url);
  else
    row.subItems.front() = url;
}

int CompareBookmarks(const listfile::Row& a, const listfile::Row& b, int column, bool inverted) {
  return Compare(KeyOf(a, column), KeyOf(b, column), column, inverted);
}

std::vector<std::size_t> SortedOrder(const listfile::Rows& rows, int column, bool inverted) {
  std::vector<SortKey> keys;
  keys.reserve(rows.size());
  for (const listfile::Row& row : rows) keys.push_back(KeyOf(row, column));
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return Compare(keys[a], keys[b], column, inverted) < 0;
  });
  return order;
}

std::string RemoveQuestion(const std::string& name) { return "Remove \"" + name + "\" from bookmarks ?"; }

}  // namespace library
