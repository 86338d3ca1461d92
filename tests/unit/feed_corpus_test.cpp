// The shared corpus of real-world feeds (news, blogs, podcasts, legacy
// encodings, Atom, RSS 1.0, malformed and hostile files): each file either
// gives its items and a page, or fails as the reader's "RSS source not
// found". Files the table does not know are held to that rule as well.
#include <glib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "rss/FeedWalk.h"
#include "rss/ReaderPage.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFails = -1;

// File name -> number of items, or kFails.
const std::map<std::string, int>& Expected() {
  static const std::map<std::string, int> table = {
      {"atom-blog-daringfireball.xml", 48},
      {"atom-blog-russcox-cjk-greek-large.xml", 19},
      {"atom-github-user-activity.xml", 30},
      {"atom-hebrew-planet-foss-il-rtl.xml", 8},
      {"atom-news-heise-de.xml", 15},
      {"bom-utf8-rss2-donthitsave.xml", 10},
      {"doctype-internal-entity-in-guid.xml", 1},
      {"empty-zero-bytes.xml", kFails},
      {"hostile-xxe-doctype-feedforall-windows1252.xml", 3},
      {"malformed-rss092-script-tag-after-root.xml", kFails},
      {"malformed-rss2-bare-ampersands-iso8859-1.xml", kFails},
      {"malformed-rss2-control-char-in-text.xml", kFails},
      {"notfeed-gzip-body-not-decoded.bin", kFails},
      {"notfeed-html-tumblr-sorry-page.html", kFails},
      {"notfeed-php-warning-instead-of-feed.xml", kFails},
      {"rss1-biorxiv-plant-biology.xml", 30},
      {"rss1-craigslist-listings.xml", 25},
      {"rss1-japanese-hatena-bookmarks.xml", 20},
      {"rss1-laut-de-declared-latin1-utf8-bytes.xml", 20},
      {"rss2-blog-dcrainmaker-huge-contentencoded.xml", 8},
      {"rss2-blog-scriptingnews-no-encoding-decl.xml", 50},
      {"rss2-blog-wordpress-contentencoded-dc.xml", 10},
      {"rss2-chinese-gb2312-kc0011.xml", 20},
      {"rss2-facebook-error-feed-empty-title-link.xml", 1},
      {"rss2-iso8859-1-jornal-de-noticias.xml", 40},
      {"rss2-korean-tistory-blog.xml", 10},
      {"rss2-metrolibrary-372-items-declared-latin1-really-cp1252.xml", 372},
      {"rss2-news-cnn-latest-iso8859-1.xml", 20},
      {"rss2-news-guardian-dccreator-escaped-html.xml", 55},
      {"rss2-news-livemint-cdata.xml", 25},
      {"rss2-news-macworld-enclosures-no-xmldecl.xml", 30},
      {"rss2-news-repubblica-it-escaped-html.xml", 25},
      {"rss2-podcast-atp-itunes-emoji.xml", 100},
      {"rss2-podcast-giantbomb-730-items.xml", 730},
      {"rss2-russian-windows1251-ibash.xml", 50},
      {"rss2-thai-tis620-undeclared-encoding.xml", kFails},
      {"rss2-tumblr-empty-channel-no-items.xml", kFails},
      {"rss2-urdu-bbc-rtl-cdata.xml", 26},
      {"rss2-windows1252-declared-euro-sign.xml", kFails},
  };
  return table;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool ValidUtf8(const std::string& text) {
  return g_utf8_validate(text.data(), gssize(text.size()), nullptr);
}

TEST(FeedCorpus, EveryFileRendersOrFailsAsTheReaderSaysAndNoneReadsALocalFile) {
  const fs::path folder = LUMIVALE_FEED_CORPUS;
  if (!fs::is_directory(folder)) GTEST_SKIP() << "no feed corpus at " << folder;
  int known = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
    SCOPED_TRACE(name);
    const auto expected = Expected().find(name);
    int items = kFails;
    rss::ReaderPage page;
    try {
      const std::vector<rss::FeedItem> read = rss::ReadFeed(ReadAll(entry.path()));
      items = int(read.size());
      page.Begin();
      for (const rss::FeedItem& item : read) {
        for (const std::string& text : {item.title, item.link, item.description, item.pubDate, item.category}) {
          EXPECT_TRUE(ValidUtf8(text));
          EXPECT_EQ(text.find("root:x:0:0"), std::string::npos);  // /etc/passwd
        }
        page.AppendItem(item, name);
      }
      page.End();
      EXPECT_EQ(page.lines().size(), 4u + 10u * read.size() + 2u);
    } catch (const rss::FeedError& e) {
      EXPECT_STRNE(e.what(), "");
    }
    if (expected == Expected().end()) continue;
    ++known;
    EXPECT_EQ(items, expected->second);
  }
  // The table is about this folder: a corpus that lost its files shows.
  if (fs::exists(folder / "README.md") && ReadAll(folder / "README.md").find("developers' set") != std::string::npos)
    EXPECT_EQ(known, int(Expected().size()));
}

TEST(FeedCorpus, LegacyEncodingsArriveAsUnicode) {
  const fs::path folder = LUMIVALE_FEED_CORPUS;
  if (!fs::is_directory(folder)) GTEST_SKIP() << "no feed corpus at " << folder;
  struct Case {
    const char* file;
    const char* firstTitle;
  };
  const Case cases[] = {
      {"rss2-russian-windows1251-ibash.xml", "\xd0\xa6\xd0\xb8\xd1\x82\xd0\xb0\xd1\x82\xd0\xb0 #16099"},
      {"rss2-iso8859-1-jornal-de-noticias.xml", "M\xc3\xa3" "e de utente \xc3\xa9 a nova presidente da R"},
      {"rss2-chinese-gb2312-kc0011.xml", "\xe5\xbb\xba\xe5\x9b\xbd" "35"},
  };
  for (const Case& c : cases) {
    const fs::path path = folder / c.file;
    if (!fs::exists(path)) continue;
    EXPECT_EQ(rss::ReadFeed(ReadAll(path)).at(0).title.rfind(c.firstTitle, 0), 0u) << c.file;
  }
}

}  // namespace
