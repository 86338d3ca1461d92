// The search highlight and the row colours of the history and bookmark
// lists.
#include <gtest/gtest.h>

#include "library/RowColors.h"

namespace {

using library::BookmarkCellColors;
using library::CellColors;
using library::HistoryCellColors;
using library::HistoryColumn;
using library::kFoundColors;
using library::SearchText;

TEST(SearchHighlight, FindsTheTextInBothTextsJoinedIgnoringTheCaseOfAToZOnly) {
  struct Case {
    const char* search;
    const char* first;   // the title or name
    const char* second;  // the address
    bool found;
  };
  const Case cases[] = {
      {"", "Debian", "https://www.debian.org/", false},           // an empty search finds nothing
      {"debian", "The DEBIAN project", "", true},                 // case of a to z ignored
      {"DEBIAN", "", "https://www.debian.org/", true},            // in the address alone
      {"ojecthttps", "The Debian project", "https://x/", true},   // across the seam
      {"project https", "The Debian project", "https://x/", false},  // no separator between them
      {"tic", "Arctic", "", true},
      {"é", "CAFÉ", "", false},                                   // only a to z change case
      {"É", "CAFÉ", "", true},
      {"{", "[", "", false},                                      // '{' is not the upper case of '['
      {"x", "", "", false},
  };
  for (const Case& c : cases) {
    const SearchText search(c.search);
    EXPECT_EQ(search.FoundIn(c.first, c.second), c.found) << c.search << " in " << c.first << c.second;
  }
}

TEST(SearchHighlight, TakesANewTextWhenTheBoxChanges) {
  SearchText search;
  EXPECT_FALSE(search.FoundIn("Page", "http://a/"));
  search.Set("page");
  EXPECT_EQ(search.text(), "PAGE");
  EXPECT_TRUE(search.FoundIn("Page", "http://a/"));
  search.Set("");
  EXPECT_FALSE(search.FoundIn("Page", "http://a/"));
}

TEST(RowColours, HistoryCellsAlternateAndOnlyTitleAndUrlAreHighlighted) {
  const controls::Rgb darkOdd{85, 85, 85}, darkEven{105, 105, 105}, lightOdd{243, 241, 241}, white{255, 255, 255};
  const controls::Rgb listText{255, 230, 204}, black{0, 0, 0}, grey{128, 128, 128};
  struct Case {
    std::size_t row;
    HistoryColumn column;
    bool found;
    CellColors expected;
  };
  const Case cases[] = {
      {0, HistoryColumn::Date, false, {darkEven, listText}},
      {1, HistoryColumn::Date, false, {darkOdd, listText}},
      {2, HistoryColumn::Date, true, {darkEven, listText}},  // the date is never highlighted
      {0, HistoryColumn::Title, false, {white, black}},
      {1, HistoryColumn::Title, false, {lightOdd, black}},
      {0, HistoryColumn::Url, false, {white, grey}},
      {3, HistoryColumn::Url, false, {lightOdd, grey}},
      {1, HistoryColumn::Title, true, kFoundColors},
      {4, HistoryColumn::Url, true, kFoundColors},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HistoryCellColors(c.row, c.column, c.found), c.expected) << "row " << c.row << " column " << int(c.column);
  EXPECT_EQ(kFoundColors, (CellColors{{255, 255, 185}, {0, 106, 213}}));
}

TEST(RowColours, BookmarkRowsAlternateDarkGreysInALightText) {
  EXPECT_EQ(BookmarkCellColors(0, false), (CellColors{{105, 105, 105}, {243, 243, 243}}));
  EXPECT_EQ(BookmarkCellColors(1, false), (CellColors{{85, 85, 85}, {243, 243, 243}}));
  EXPECT_EQ(BookmarkCellColors(7, true), kFoundColors);
}

}  // namespace
