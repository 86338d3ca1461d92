// Reading a large feed and building the reader's page from it: 1000 items
// with typical texts (escaped markup in the descriptions, as news feeds
// have), from the bytes to the page file's bytes. Also an Atom feed of the
// same size, whose dates are rewritten.

#include <benchmark/benchmark.h>

#include <string>

#include "rss/FeedWalk.h"
#include "rss/ReaderPage.h"

namespace {

std::string RssFeed(int items) {
  std::string feed = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel><title>News</title>\n";
  for (int i = 0; i < items; ++i) {
    const std::string n = std::to_string(i);
    feed += "<item>\n  <title>A headline of a typical length, number " + n + "</title>\n"
            "  <link>https://news.example/2026/12/09/a-typical-story-address-" + n + ".html</link>\n"
            "  <description>&lt;p&gt;&lt;img src=\"https://news.example/img/" + n + ".jpg\"&gt;A first paragraph "
            "that says what the story is about, in about two lines of text as most news feeds give.&lt;/p&gt;"
            "</description>\n  <pubDate>Tue, 09 Dec 2026 14:03:22 +0000</pubDate>\n  <category>World</category>\n"
            "  <guid>https://news.example/" + n + "</guid>\n</item>\n";
  }
  return feed + "</channel></rss>\n";
}

std::string AtomFeed(int entries) {
  std::string feed = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed xmlns=\"http://www.w3.org/2005/Atom\">"
                     "<title>Blog</title>\n";
  for (int i = 0; i < entries; ++i) {
    const std::string n = std::to_string(i);
    feed += "<entry><title>A post title, number " + n + "</title><link rel=\"alternate\" href=\"https://blog.example/" +
            n + "\"/><id>urn:" + n + "</id><updated>2026-12-09T14:03:22Z</updated><summary type=\"html\">&lt;p&gt;"
            "A summary of the post of a typical length.&lt;/p&gt;</summary><author><name>Ann</name></author>"
            "<category term=\"notes\"/></entry>\n";
  }
  return feed + "</feed>\n";
}

void ReadAndBuild(benchmark::State& state, const std::string& feed) {
  for (auto _ : state) {
    rss::ReaderPage page;
    page.Begin();
    for (const rss::FeedItem& item : rss::ReadFeed(feed)) page.AppendItem(item, "News");
    page.End();
    benchmark::DoNotOptimize(page.Bytes());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(feed.size()));
}

void BM_Rss1000ItemsToPage(benchmark::State& state) { ReadAndBuild(state, RssFeed(1000)); }
BENCHMARK(BM_Rss1000ItemsToPage)->Unit(benchmark::kMillisecond);

void BM_Atom1000EntriesToPage(benchmark::State& state) { ReadAndBuild(state, AtomFeed(1000)); }
BENCHMARK(BM_Atom1000EntriesToPage)->Unit(benchmark::kMillisecond);

}  // namespace
