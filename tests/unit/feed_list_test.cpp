// The feed list's rules: finding a feed by name, moving, removing and
// editing rows, the Add dialog's pre-fill and the page links taken for
// feeds.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "rss/FeedList.h"

namespace {

listfile::Rows Feeds(const std::string& names) {
  listfile::Rows rows;
  for (char c : names) rows.push_back(rss::MakeFeed(std::string(1, c), std::string("http://") + c));
  return rows;
}

std::string Names(const listfile::Rows& rows) {
  std::string names;
  for (const auto& r : rows) names += r.caption;
  return names;
}

TEST(FeedList, MovesGoOnePlaceAndTheEndsBehaveAsTheyAlwaysHave) {
  struct Case {
    std::string before;
    std::optional<std::size_t> selected;
    bool up;
    std::string after;
    std::optional<std::size_t> moved;
  };
  const Case cases[] = {
      {"abcd", 2, true, "acbd", 1},
      {"abcd", 1, false, "acbd", 2},
      {"abcd", 0, true, "bcda", 3},  // up from the top: to the end
      {"abcd", 3, false, "abcd", 3},  // down from the bottom: nothing changes
      {"abcd", 2, false, "abdc", 3},
      {"a", 0, true, "a", 0},
      {"a", 0, false, "a", 0},
      {"abcd", std::nullopt, true, "abcd", std::nullopt},
      {"abcd", 4, false, "abcd", std::nullopt},
      {"", 0, true, "", std::nullopt},
  };
  for (const Case& c : cases) {
    listfile::Rows rows = Feeds(c.before);
    EXPECT_EQ(rss::MoveRow(rows, c.selected, c.up), c.moved) << c.before;
    EXPECT_EQ(Names(rows), c.after) << c.before;
  }
  // The row goes whole: name, address, image and every sub-item.
  listfile::Rows rows = {{"x", {"http://x", "more"}, 7}, {"y", {"http://y"}, 0}};
  rss::MoveRow(rows, 1, true);
  EXPECT_EQ(rows[1], (listfile::Row{"x", {"http://x", "more"}, 7}));
}

TEST(FeedList, TheFirstRowWithTheNameWinsComparingAsciiLettersWithoutCase) {
  const listfile::Rows rows = {rss::MakeFeed("Other", "http://o"), rss::MakeFeed("NEWS", "http://first"),
                               rss::MakeFeed("news", "http://second"), rss::MakeFeed("Caf\xc3\xa9", "http://cafe")};
  EXPECT_EQ(rss::FindFeed(rows, "news"), 1u);
  EXPECT_EQ(rss::FindFeed(rows, "NeWs"), 1u);
  EXPECT_EQ(rss::FindFeed(rows, "CAF\xc3\xa9"), 3u);
  // Other letters must match exactly.
  EXPECT_EQ(rss::FindFeed(rows, "CAF\xc3\x89"), std::nullopt);
  EXPECT_EQ(rss::FindFeed(rows, "new"), std::nullopt);
  EXPECT_EQ(rss::FindFeed(rows, ""), std::nullopt);
}

TEST(FeedList, RemoveAndEditWorkOnTheSelection) {
  listfile::Rows rows = Feeds("abcd");
  rss::RemoveRows(rows, {1, 3});
  EXPECT_EQ(Names(rows), "ac");
  rss::RemoveRows(rows, {});
  EXPECT_EQ(Names(rows), "ac");

  EXPECT_EQ(rss::EditTarget(Feeds("abc"), {2, 1}), 1u);
  EXPECT_EQ(rss::EditTarget(Feeds("abc"), {}), 0u);  // no selection: the first row
  EXPECT_EQ(rss::EditTarget(Feeds(""), {}), std::nullopt);
  EXPECT_EQ(rss::FeedAddress({"no address", {}, 0}), "");
}

TEST(FeedList, AnAddressBarHoldingRssFillsTheAddDialogFromTheCurrentTab) {
  using Fill = std::optional<std::pair<std::string, std::string>>;
  EXPECT_EQ(rss::AddDialogPrefill("http://site.example/feed.RSS", "Site"),
            Fill({"Site", "http://site.example/feed.RSS"}));
  EXPECT_EQ(rss::AddDialogPrefill("http://example.com/RsS/x", "T"), Fill({"T", "http://example.com/RsS/x"}));
  EXPECT_EQ(rss::AddDialogPrefill("http://example.com/atom.xml", "T"), std::nullopt);
  EXPECT_EQ(rss::AddDialogPrefill("", "T"), std::nullopt);
}

TEST(FeedList, PageLinksTakenForFeeds) {
  struct Case {
    const char* address;
    bool feed;
  };
  const Case cases[] = {
      {"http://a.example/news.rss", true},
      {"http://a.example/NEWS.RSS?x=1", true},
      {"http://a.example/rss/", true},
      {"http://a.example/rssfeeds/world", true},
      {"http://a.example/Rss.xml", true},
      {"file:///C:\\feeds\\rss.xml", true},
      {"http://a.example/feed.xml", false},
      {"http://a.example/atom", false},
      // The rule looks at the whole address: a host beginning with rss
      // has "/rss" in it too.
      {"http://rss.example/feed", true},
      {"http://a.example/ressources/x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(rss::LooksLikeFeedLink(c.address), c.feed) << c.address;
  EXPECT_EQ(rss::PageFeeds({"http://a/x.rss", "http://a/page", "http://a/x.rss", "http://a/rss"}),
            (std::vector<std::string>{"http://a/x.rss", "http://a/x.rss", "http://a/rss"}));
}

}  // namespace
