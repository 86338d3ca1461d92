// Sorting bookmarks by a column header, and the rows a bookmark makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/BookmarkRules.h"

namespace {

using library::kNameColumn;
using library::kUrlColumn;
using listfile::Row;
using listfile::Rows;

std::vector<std::string> NamesInOrder(const Rows& rows, const std::vector<std::size_t>& order) {
  std::vector<std::string> names;
  for (std::size_t i : order) names.push_back(rows[i].caption);
  return names;
}

using Names = std::vector<std::string>;

TEST(BookmarkSort, RowsWithoutAnAddressComeFirstInEitherDirection) {
  const Rows rows{{"banana", {"http://b.example/"}, 0},
                  {"No address", {""}, 0},
                  {"Apple", {"http://a.example/"}, 0},
                  {"No sub-item", {}, 0},
                  {"cherry", {"http://c.example/"}, 0}};
  struct Case {
    int column;
    bool inverted;
    Names expected;
  };
  const Case cases[] = {
      {kNameColumn, false, {"No address", "No sub-item", "Apple", "banana", "cherry"}},
      {kNameColumn, true, {"No sub-item", "No address", "cherry", "banana", "Apple"}},
      {kUrlColumn, false, {"No address", "No sub-item", "Apple", "banana", "cherry"}},
      {kUrlColumn, true, {"No sub-item", "No address", "cherry", "banana", "Apple"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NamesInOrder(rows, library::SortedOrder(rows, c.column, c.inverted)), c.expected)
        << "column " << c.column << (c.inverted ? " inverted" : "");
}

TEST(BookmarkSort, AddressesCompareUpperCasedByteByByteThenByName) {
  const Rows rows{{"b", {"http://x.example/"}, 0},
                  {"a", {"HTTP://X.EXAMPLE/"}, 0},
                  {"_under", {"http://_.example/"}, 0},
                  {"c", {"http://a.example/"}, 0}};
  // Upper-cased, "A" (0x41) < "X" (0x58) < "_" (0x5F); the two equal
  // addresses go by name.
  EXPECT_EQ(NamesInOrder(rows, library::SortedOrder(rows, kUrlColumn, false)), (Names{"c", "a", "b", "_under"}));
}

TEST(BookmarkSort, NamesCompareWithoutRegardToCase) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"apple", "Banana", -1}, {"Banana", "apple", 1}, {"Debian", "DEBIAN", 0}, {"Ärger", "ärger", 0},
  };
  for (const Case& c : cases) {
    const Row a{c.a, {"http://a/"}, 0}, b{c.b, {"http://b/"}, 0};
    EXPECT_EQ(library::CompareBookmarks(a, b, kNameColumn, false), c.expected) << c.a << " : " << c.b;
    EXPECT_EQ(library::CompareBookmarks(a, b, kNameColumn, true), -c.expected) << c.a << " : " << c.b;
  }
  // Without an address the row is first, whatever the direction.
  const Row none{"zzz", {}, 0}, some{"aaa", {"http://a/"}, 0};
  EXPECT_EQ(library::CompareBookmarks(none, some, kNameColumn, false), -1);
  EXPECT_EQ(library::CompareBookmarks(none, some, kNameColumn, true), -1);
}

TEST(BookmarkRows, ABookmarkIsANameAndAnAddressAndEditingKeepsFurtherSubItems) {
  EXPECT_EQ(library::Bookmark("Debian", "https://www.debian.org/"), (Row{"Debian", {"https://www.debian.org/"}, 0}));
  EXPECT_EQ(library::Bookmark("", ""), (Row{"", {""}, 0}));

  Row bare{"old", {}, 3};
  library::SetBookmark(bare, "new", "http://new/");
  EXPECT_EQ(bare, (Row{"new", {"http://new/"}, 3}));
  Row wide{"old", {"http://old/", "kept"}, 0};
  library::SetBookmark(wide, "new", "http://new/");
  EXPECT_EQ(wide, (Row{"new", {"http://new/", "kept"}, 0}));
  EXPECT_EQ(library::BookmarkUrl(Row{"x", {}, 0}), "");

  EXPECT_EQ(library::RemoveQuestion("Debian"), "Remove \"Debian\" from bookmarks ?");
}

}  // namespace
