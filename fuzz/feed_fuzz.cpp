// The feed walk and the reader's page on arbitrary bytes. Beyond not
// crashing, leaking or reading out of bounds, it checks what the walk
// promises: a feed either fails with a reason or gives at least one item,
// every text is UTF-8, and each item is ten lines of the page.

#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "rss/FeedWalk.h"
#include "rss/ReaderPage.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool Utf8(const std::string& text) { return g_utf8_validate(text.data(), gssize(text.size()), nullptr); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    const std::vector<rss::FeedItem> items = rss::ReadFeed(bytes);
    Check(!items.empty());
    rss::ReaderPage page;
    page.Begin();
    for (const rss::FeedItem& item : items) {
      for (const std::string& text :
           {item.title, item.link, item.description, item.pubDate, item.category, item.author})
        Check(Utf8(text));
      page.AppendItem(item, "feed");
    }
    page.End();
    Check(page.lines().size() == 6 + 10 * items.size());
  } catch (const rss::FeedError& e) {
    Check(*e.what() != '\0');
  }
  // A date rewrite gives an RFC 822 date or the text as it was.
  const std::string date = rss::Rfc822FromW3cDate(bytes.substr(0, 64));
  Check(date == bytes.substr(0, 64) || date.size() == 31);
  return 0;
}
