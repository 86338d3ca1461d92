#pragma once
// The rules of the feed list, without any window: finding a feed by name,
// moving, removing and editing rows, the Add dialog's pre-fill, the
// "Add RSS" pending flag, and which links of a page look like feeds.
//
// A row of the list is a list-file row: the caption is the feed's name,
// the first sub-item its address.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "listfile/ListFile.h"

namespace rss {

// A row with this address is not a feed: choosing it fetches every feed of
// the list in turn (the spelling is the program's own).
inline constexpr const char* kDownloadAllMarker = " Downlaod All";

// The list files of the feed list, in the settings folder.
inline constexpr const char* kFeedListFile = "2rss.lmf";
inline constexpr const char* kLegacyFeedListFile = "rss.lmf";

std::string FeedName(const listfile::Row& row);
std::string FeedAddress(const listfile::Row& row);
listfile::Row MakeFeed(const std::string& name, const std::string& address);

// True when `a` and `b` are equal once ASCII letters a-z are capitals in
// both (other letters must match exactly).
bool SameName(std::string_view a, std::string_view b);

// The index of the first row named `name` (ignoring ASCII case), or none.
std::optional<std::size_t> FindFeed(const listfile::Rows& rows, std::string_view name);

// Moves row `selected` one place up (`up`) or down the way the list always
// has: a row is inserted at the target (one above, or two below, counted
// as unsigned 16-bit numbers; a target beyond the end appends), the row is
// copied there and the old one deleted. So Move Down on the last row
// changes nothing and Move Up on the first row moves it to the end.
// Answers the index of the moved row; nothing happens without a valid
// selection.
std::optional<std::size_t> MoveRow(listfile::Rows& rows, std::optional<std::size_t> selected, bool up);

// Deletes the rows whose indices are in `selected`.
void RemoveRows(listfile::Rows& rows, const std::set<std::size_t>& selected);

// The row Edit works on: the lowest selected one, else row 0; none for an
// empty list.
std::optional<std::size_t> EditTarget(const listfile::Rows& rows, const std::set<std::size_t>& selected);

// The Add dialog's pre-fill: when the address bar's text contains "RSS"
// (ASCII letters in any case), the name becomes the current tab's title
// and the address the address bar's text. Answers {name, address}, or
// nothing when the fields stay as they are.
std::optional<std::pair<std::string, std::string>> AddDialogPrefill(const std::string& addressBar,
                                                                    const std::string& tabTitle);

// Set by the main window's "Add RSS" command; the reader, seeing it at the
// end of its activation, opens the manage window with the Add dialog, and
// then clears it.
bool AddRssPending();
void SetAddRssPending(bool pending);

// A page link that looks like a feed: with ASCII letters in capitals its
// address contains ".RSS", "\RSS" or "/RSS".
bool LooksLikeFeedLink(std::string_view address);
// The links of `addresses` that look like feeds, in order, duplicates kept.
std::vector<std::string> PageFeeds(const std::vector<std::string>& addresses);

}  // namespace rss
