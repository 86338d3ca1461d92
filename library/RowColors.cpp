#include "library/RowColors.h"

namespace library {
namespace {

void UpperAscii(std::string& s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
}

constexpr controls::Rgb kDarkOdd{85, 85, 85};
constexpr controls::Rgb kDarkEven{105, 105, 105};
constexpr controls::Rgb kLightOdd{243, 241, 241};
constexpr controls::Rgb kWhite{255, 255, 255};

}  // namespace

SearchText::SearchText(std::string_view text) : source_(text), needle_(text) { UpperAscii(needle_); }

void SearchText::Set(std::string_view text) {
  if (text == source_) return;
  source_.assign(text);
  needle_.assign(text);
  UpperAscii(needle_);
}

bool SearchText::FoundIn(std::string_view first, std::string_view second) const {
  if (needle_.empty()) return false;
  joined_.assign(first);
  joined_.append(second);
  UpperAscii(joined_);
  return joined_.find(needle_) != std::string::npos;
}

CellColors HistoryCellColors(std::size_t row, HistoryColumn column, bool found) {
  const bool odd = row % 2 == 1;
  switch (column) {
    case HistoryColumn::Date:
      return {odd ? kDarkOdd : kDarkEven, kHistoryListColors.text};
    case HistoryColumn::Title:
      return found ? kFoundColors : CellColors{odd ? kLightOdd : kWhite, {0, 0, 0}};
    case HistoryColumn::Url:
      break;
  }
  return found ? kFoundColors : CellColors{odd ? kLightOdd : kWhite, {128, 128, 128}};
}

CellColors BookmarkCellColors(std::size_t row, bool found) {
  if (found) return kFoundColors;
  return {row % 2 == 1 ? kDarkOdd : kDarkEven, kBookmarkListColors.text};
}

}  // namespace library
