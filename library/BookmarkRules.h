#pragma once
// The bookmark list's rules: a row's caption is the bookmark's name and its
// first sub-item the address; how the list sorts by a column header; the
// question before a bookmark is removed.

#include <cstddef>
#include <string>
#include <vector>

#include "listfile/ListFile.h"

namespace library {

// The column headers, by index.
inline constexpr int kNameColumn = 0;  // "Bookmarks"
inline constexpr int kUrlColumn = 1;   // "URL"

// The address of a bookmark; empty for a row without one.
const std::string& BookmarkUrl(const listfile::Row& row);

// A new bookmark row, and a bookmark renamed and readdressed (any further
// sub-items a row read from a file has stay).
listfile::Row Bookmark(const std::string& name, const std::string& url);
void SetBookmark(listfile::Row& row, const std::string& name, const std::string& url);

// Orders two bookmarks for a sort by `column`: -1, 0 or 1. Rows without
// an address come first, in either direction. By name: the names
// upper-cased in the user's locale, compared by the locale's
// case-insensitive collation. By address: the addresses upper-cased in the
// user's locale, compared byte by byte, then the names the same way.
// `inverted` turns the result of the name or address comparison round.
int CompareBookmarks(const listfile::Row& a, const listfile::Row& b, int column, bool inverted);

// The rows sorted by CompareBookmarks: entry i is the index in `rows` of
// the row that goes to place i. Rows that compare equal keep their order.
std::vector<std::size_t> SortedOrder(const listfile::Rows& rows, int column, bool inverted);

// "Remove "<name>" from bookmarks ?"
std::string RemoveQuestion(const std::string& name);

}  // namespace library
