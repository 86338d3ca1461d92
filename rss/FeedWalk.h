#pragma once
// Reading a feed: the document is parsed from memory with libxml2 (never
// resolving external entities or loading DTDs) and walked into items of
// six texts. RSS 2.0 (and the older RSS 0.9x) is walked by the classic
// rule: the first child of the root (the channel), its first "item"
// element, and then every following sibling, whatever it is, as an item.
// Atom 1.0 and RSS 1.0 documents are read through the same six fields.
//
// A field is read by the text rule: the text of its only child when that
// is text or CDATA, empty when it has no children, and an error (the whole
// feed fails) for anything else, such as nested elements. Blank text
// between elements does not count as a child.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace rss {

// All texts are UTF-8, as the parser delivers them.
struct FeedItem {
  std::string title;
  std::string link;
  std::string description;
  std::string pubDate;
  std::string category;
  std::string author;
  bool operator==(const FeedItem&) const = default;
};

// Why a feed could not be read: not XML, no item, or a field with content
// that is not text. `what()` says which, in words for the user.
class FeedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses `bytes` (in the encoding its XML declaration names; UTF-8, with
// or without a byte-order mark, when it names none) and answers its items
// in document order. Throws FeedError when the document is not well-formed
// XML, has no item, or an item has a field that breaks the text rule.
std::vector<FeedItem> ReadFeed(std::string_view bytes);

// A W3C date-time ("2026-12-09T14:03:22Z", "2026-12-09T16:03:22.5+02:00",
// "2026-12-09") as an RFC 822 date ("Wed, 09 Dec 2026 14:03:22 +0000"),
// keeping its own offset; a time without an offset counts as UTC. Text
// that is not such a date comes back unchanged.
std::string Rfc822FromW3cDate(std::string_view text);

}  // namespace rss
