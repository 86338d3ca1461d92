#pragma once
// How the rows of the history and bookmark lists are coloured, and the
// search highlight both lists share: a row is highlighted when the search
// text occurs in its two texts joined without a separator, comparing the
// letters a to z without regard to case.

#include <cstddef>
#include <string>
#include <string_view>

#include "controls/Color.h"

namespace library {

struct CellColors {
  controls::Rgb background;
  controls::Rgb text;
  friend bool operator==(const CellColors&, const CellColors&) = default;
};

// A cell that holds the search text.
inline constexpr CellColors kFoundColors{{255, 255, 185}, {0, 106, 213}};
// What a list shows where it has no rows.
inline constexpr CellColors kHistoryListColors{{255, 255, 255}, {255, 230, 204}};
inline constexpr CellColors kBookmarkListColors{{85, 85, 85}, {243, 243, 243}};

// The search text of a list, upper-cased once.
class SearchText {
 public:
  explicit SearchText(std::string_view text = {});

  // Takes a new text; the same text again costs nothing.
  void Set(std::string_view text);
  // The text upper-cased.
  const std::string& text() const { return needle_; }
  // Whether the search text occurs in `first` immediately followed by
  // `second`. Only a to z are upper-cased; an empty search text is found
  // nowhere.
  bool FoundIn(std::string_view first, std::string_view second) const;

 private:
  std::string source_;
  std::string needle_;
  mutable std::string joined_;
};

enum class HistoryColumn { Date, Title, Url };

// The history list: the Date column alternates dark greys in the list's
// text colour and is never highlighted; Title (black) and URL (grey) lie
// on white and a light grey.
CellColors HistoryCellColors(std::size_t row, HistoryColumn column, bool found);

// The bookmark list: both cells alternate dark greys in a light text, and
// both are highlighted when the row holds the search text.
CellColors BookmarkCellColors(std::size_t row, bool found);

}  // namespace library
