// Reading feeds: the RSS 2.0 walk with its text rule, Atom and RSS 1.0
// through the same six fields, encodings, and documents that must never
// make the parser open anything.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "rss/FeedWalk.h"
#include "support/TempFolder.h"

using rss::FeedError;
using rss::FeedItem;
using rss::ReadFeed;

namespace {

std::string Rss(const std::string& channelBody) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">\n  <channel>\n    <title>T</title>\n" +
         channelBody + "\n  </channel>\n</rss>\n";
}

TEST(FeedWalk, ItemsComeInOrderWithTheirSixFieldsAndWhateverFollowsTheFirstItemIsAnItem) {
  const std::string feed = Rss(R"(
    <link>http://channel.example/</link>
    <item>
      <title>First</title>
      <link>http://a.example/1</link>
      <description>&lt;b&gt;escaped&lt;/b&gt; &amp; more</description>
      <pubDate>Tue, 09 Dec 2026 14:03:22 +0000</pubDate>
      <category>World</category>
      <author>ann@example.com</author>
      <guid>ignored</guid>
    </item>
    <item>
      <title><![CDATA[Second <i>cdata</i>]]></title>
      <description>
        <![CDATA[<p>markup kept</p>]]>
      </description>
    </item>
    <image><url>http://a.example/logo.png</url></image>
    <!-- a comment between items -->
    <item><title>   </title><link>x</link></item>)");
  const std::vector<FeedItem> items = ReadFeed(feed);
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0], (FeedItem{"First", "http://a.example/1", "<b>escaped</b> & more",
                                "Tue, 09 Dec 2026 14:03:22 +0000", "World", "ann@example.com"}));
  // Missing fields are empty; the blank around a CDATA section is no node.
  EXPECT_EQ(items[1], (FeedItem{"Second <i>cdata</i>", "", "<p>markup kept</p>", "", "", ""}));
  // A channel element after the first item, and a comment, are items with
  // empty texts.
  EXPECT_EQ(items[2], FeedItem{});
  EXPECT_EQ(items[3], FeedItem{});
  EXPECT_EQ(items[4], (FeedItem{"", "x", "", "", "", ""}));
}

TEST(FeedWalk, WhatMakesTheWholeFeedFail) {
  struct Case {
    const char* what;
    std::string document;
  };
  const Case cases[] = {
      {"nested markup in a description", Rss("<item><description><p>not escaped</p></description></item>")},
      {"nested markup in a later item", Rss("<item><title>ok</title></item><item><title>a<b>b</b></title></item>")},
      {"text and CDATA side by side", Rss("<item><title>a<![CDATA[b]]></title></item>")},
      {"an entity the document declares", "<!DOCTYPE rss [<!ENTITY e \"text\">]><rss><channel><item><title>&e;"
                                          "</title></item></channel></rss>"},
      {"no item in the channel", Rss("<description>nothing</description>")},
      {"an empty channel", "<rss><channel/></rss>"},
      {"a comment before the channel", "<rss><!-- c --><channel><item><title>x</title></item></channel></rss>"},
      {"a root without children", "<rss/>"},
      {"not well-formed", Rss("<item><title>a & b</title></item>")},
      {"text after the root", Rss("<item/>") + "<script>x</script>"},
      {"no XML at all", "<html><body>Sorry</body>"},
      {"nothing", ""},
      {"an undeclared legacy encoding",
       std::string("<rss><channel><item><title>caf\xe9</title></item></channel></rss>")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_THROW(ReadFeed(c.document), FeedError);
  }
}

TEST(FeedWalk, TheFailureSaysWhy) {
  try {
    ReadFeed(Rss("<item><description><p>x</p></description></item>"));
    FAIL();
  } catch (const FeedError& e) {
    EXPECT_NE(std::string(e.what()).find("\"description\""), std::string::npos) << e.what();
  }
  try {
    ReadFeed("<rss><channel><item>");
    FAIL();
  } catch (const FeedError& e) {
    EXPECT_NE(std::string(e.what()).find("not well-formed XML"), std::string::npos) << e.what();
  }
}

TEST(FeedWalk, DeclaredEncodingsAndTheByteOrderMarkAreRead) {
  const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss><channel><item><title>caf\xe9"
                             "</title></item></channel></rss>";
  EXPECT_EQ(ReadFeed(latin1).at(0).title, "caf\xc3\xa9");
  const std::string cp1251 = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><rss><channel><item><title>\xcf\xf0\xe8"
                             "</title></item></channel></rss>";
  EXPECT_EQ(ReadFeed(cp1251).at(0).title, "\xd0\x9f\xd1\x80\xd0\xb8");  // "При"
  const std::string bom = "\xef\xbb\xbf<rss><channel><item><title>\xc3\xa9</title></item></channel></rss>";
  EXPECT_EQ(ReadFeed(bom).at(0).title, "\xc3\xa9");
}

TEST(FeedWalk, AtomEntriesAreReadThroughTheSameFields) {
  const std::string feed = R"(<?xml version="1.0" encoding="utf-8"?>
<feed xmlns="http://www.w3.org/2005/Atom" xmlns:x="http://other.example/">
  <title>Blog</title>
  <link href="http://blog.example/"/>
  <updated>2026-12-09T14:03:22Z</updated>
  <entry>
    <title type="html">A &amp;lt;b&amp;gt; title</title>
    <link rel="related" href="http://related.example/"/>
    <link rel="alternate" type="text/html" href="http://blog.example/1"/>
    <id>urn:1</id>
    <published>2026-12-01T08:00:00Z</published>
    <updated>2026-12-09T16:03:22.250+02:00</updated>
    <summary>Short</summary>
    <content type="html">&lt;p&gt;Long&lt;/p&gt;</content>
    <category term="go" label="Go"/>
    <category term="second"/>
    <author><name>Ann</name><email>ann@example.com</email></author>
  </entry>
  <entry>
    <title>Second</title>
    <link href="http://blog.example/2"/>
    <published>2026-02-28T23:59:59-05:30</published>
    <content type="xhtml"><div xmlns="http://www.w3.org/1999/xhtml"><p>Some <b>bold</b></p></div></content>
  </entry>
  <x:entry><title>not an Atom entry</title></x:entry>
  <entry>
    <title><![CDATA[Third]]></title>
    <link rel="self" href="http://self.example/"/>
    <content type="html"><![CDATA[<i>html</i>]]></content>
  </entry>
</feed>)";
  const std::vector<FeedItem> items = ReadFeed(feed);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0], (FeedItem{"A &lt;b&gt; title", "http://blog.example/1", "Short",
                                "Wed, 09 Dec 2026 16:03:22 +0200", "go", "Ann"}));
  EXPECT_EQ(items[1].link, "http://blog.example/2");
  EXPECT_EQ(items[1].pubDate, "Sat, 28 Feb 2026 23:59:59 -0530");
  EXPECT_EQ(items[1].description, "<div xmlns=\"http://www.w3.org/1999/xhtml\"><p>Some <b>bold</b></p></div>");
  EXPECT_EQ(items[1].author, "");
  EXPECT_EQ(items[2], (FeedItem{"Third", "", "<i>html</i>", "", "", ""}));
}

TEST(FeedWalk, AtomFeedsFailLikeRssOnes) {
  const std::string atom = "<feed xmlns=\"http://www.w3.org/2005/Atom\">";
  EXPECT_THROW(ReadFeed(atom + "<title>no entries</title></feed>"), FeedError);
  EXPECT_THROW(ReadFeed(atom + "<entry><summary>a <b>b</b></summary></entry></feed>"), FeedError);
  EXPECT_THROW(ReadFeed(atom + "<entry><author><name><i>x</i></name></author></entry></feed>"), FeedError);
  // Not in the Atom namespace: walked as RSS, which finds no item.
  EXPECT_THROW(ReadFeed("<feed><entry><title>x</title></entry></feed>"), FeedError);
}

TEST(FeedWalk, Rss1ItemsAreTheItemsOfTheRoot) {
  const std::string feed = R"(<?xml version="1.0"?>
<rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#" xmlns="http://purl.org/rss/1.0/"
         xmlns:dc="http://purl.org/dc/elements/1.1/">
  <channel rdf:about="http://news.example/">
    <title>News</title>
    <items><rdf:Seq><rdf:li rdf:resource="http://news.example/1"/></rdf:Seq></items>
  </channel>
  <item rdf:about="http://news.example/1">
    <title>One</title>
    <link>http://news.example/1</link>
    <description><![CDATA[<p>First</p>]]></description>
    <dc:date>2026-12-09T14:03+01:00</dc:date>
    <dc:subject>Local</dc:subject>
    <dc:creator>Bob</dc:creator>
  </item>
  <item rdf:about="http://news.example/2">
    <title>Two</title>
    <dc:date>2026-12-10</dc:date>
  </item>
</rdf:RDF>)";
  const std::vector<FeedItem> items = ReadFeed(feed);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0], (FeedItem{"One", "http://news.example/1", "<p>First</p>", "Wed, 09 Dec 2026 14:03:00 +0100",
                                "Local", "Bob"}));
  EXPECT_EQ(items[1], (FeedItem{"Two", "", "", "Thu, 10 Dec 2026 00:00:00 +0000", "", ""}));
  const std::string rdf = "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
                          "xmlns=\"http://purl.org/rss/1.0/\">";
  EXPECT_THROW(ReadFeed(rdf + "<channel/></rdf:RDF>"), FeedError);
  EXPECT_THROW(ReadFeed(rdf + "<item><title>a<b/></title></item></rdf:RDF>"), FeedError);
}

TEST(FeedWalk, W3cDatesBecomeRfc822Dates) {
  struct Case {
    const char* w3c;
    const char* rfc822;
  };
  const Case cases[] = {
      {"2026-12-09T14:03:22Z", "Wed, 09 Dec 2026 14:03:22 +0000"},
      {"2026-12-08T14:03:22z", "Tue, 08 Dec 2026 14:03:22 +0000"},
      {" 2024-02-29T00:00:00.123456-08:00\n", "Thu, 29 Feb 2024 00:00:00 -0800"},
      {"2000-01-01T23:59:60+0530", "Sat, 01 Jan 2000 23:59:60 +0530"},
      {"1999-12-31T12:30", "Fri, 31 Dec 1999 12:30:00 +0000"},
      {"1970-01-01", "Thu, 01 Jan 1970 00:00:00 +0000"},
      {"1900-03-01 10:00:00Z", "Thu, 01 Mar 1900 10:00:00 +0000"},
      // Not such a date: kept as written.
      {"Tue, 09 Dec 2026 14:03:22 +0000", "Tue, 09 Dec 2026 14:03:22 +0000"},
      {"2023-02-29T00:00:00Z", "2023-02-29T00:00:00Z"},
      {"2026-13-01", "2026-13-01"},
      {"2026-12-09T24:00:00Z", "2026-12-09T24:00:00Z"},
      {"2026-12-09T10:00:00Zjunk", "2026-12-09T10:00:00Zjunk"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(rss::Rfc822FromW3cDate(c.w3c), c.rfc822) << c.w3c;
}

// Named pipes stand for the local files a hostile feed points at: a
// watcher thread's open of the writing end returns as soon as anything
// opens them for reading.
class PipeWatcher {
 public:
  explicit PipeWatcher(std::string path) : path_(std::move(path)) {
    mkfifo(path_.c_str(), 0600);
    thread_ = std::thread([this] {
      const int fd = open(path_.c_str(), O_WRONLY);
      if (!done_) openedEarly_ = true;
      if (fd >= 0) close(fd);
    });
  }
  // Ends the watch; true when something opened the pipe before.
  bool Finish() {
    done_ = true;
    const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK);
    thread_.join();
    if (fd >= 0) close(fd);
    return openedEarly_;
  }

 private:
  std::string path_;
  std::thread thread_;
  std::atomic<bool> done_{false};
  std::atomic<bool> openedEarly_{false};
};

TEST(FeedWalk, NoDocumentMakesTheParserOpenAFile) {
  testing_support::TempFolder dir;
  PipeWatcher secretFile(dir / "secret.txt");
  PipeWatcher dtdFile(dir / "evil.dtd");
  const std::string secret = "file://" + (dir / "secret.txt");
  const std::string dtd = "file://" + (dir / "evil.dtd");
  struct Case {
    std::string document;
    const char* title;  // null: the feed fails
  };
  const Case cases[] = {
      // The reference sits in a field that is read: the feed fails.
      {"<!DOCTYPE rss [<!ENTITY xxe SYSTEM \"" + secret + "\">]><rss><channel><item><title>&xxe;</title>"
       "</item></channel></rss>",
       nullptr},
      // In a field that is not read: the feed is read without it.
      {"<!DOCTYPE rss [<!ENTITY xxe SYSTEM \"" + secret + "\">]><rss><channel><item><title>t</title><date>&xxe;"
       "</date></item></channel></rss>",
       "t"},
      // Parameter entities and external DTDs are not loaded either.
      {"<!DOCTYPE rss [<!ENTITY % p SYSTEM \"" + dtd + "\"> %p;]><rss><channel><item><title>&ext;</title></item>"
       "</channel></rss>",
       nullptr},
      {"<!DOCTYPE rss SYSTEM \"" + dtd + "\"><rss><channel><item><title>&ext;</title></item></channel></rss>",
       nullptr},
      {"<!DOCTYPE rss SYSTEM \"" + dtd + "\"><rss><channel><item><title>ok</title></item></channel></rss>", "ok"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.document);
    if (c.title)
      EXPECT_EQ(ReadFeed(c.document).at(0).title, c.title);
    else
      EXPECT_THROW(ReadFeed(c.document), FeedError);
  }
  EXPECT_FALSE(secretFile.Finish());
  EXPECT_FALSE(dtdFile.Finish());
}

TEST(FeedWalk, AnEntityExpansionBombIsRefusedWithoutBeingExpanded) {
  std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE rss [<!ENTITY a \"aaaaaaaaaa\">";
  for (char c = 'b'; c <= 'k'; ++c) {
    const char prev = char(c - 1);
    bomb += std::string("<!ENTITY ") + c + " \"";
    for (int i = 0; i < 10; ++i) bomb += std::string("&") + prev + ";";
    bomb += "\">";
  }
  bomb += "]><rss><channel><item><title>&k;</title><description>&k;&k;&k;</description></item></channel></rss>";
  EXPECT_THROW(ReadFeed(bomb), FeedError);
}

}  // namespace
