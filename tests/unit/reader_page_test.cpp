// The reader's page, line by line, and the names of its files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rss/ReaderPage.h"

namespace {

using Lines = std::vector<std::string>;

TEST(ReaderPage, AnItemIsTenLinesWithItsTextsAsTheyAre) {
  rss::ReaderPage page;
  page.Begin();
  page.AppendItem({"A <b> & \"title\"", "http://x.example/?a=1&b=2", "<p>desc</p>\r\nline two", "Tue, 09 Dec 2026",
                   "World", "not shown"},
                  "My feed");
  page.AppendItem({}, "");
  page.End();
  const Lines expected = {
      "<HTML>",
      "<HEAD>",
      "</HEAD>",
      "<BODY>",
      "<hr size=\"1\" noshade>",
      "<p><font size=\"4\">",
      "<p><a href=\"http://x.example/?a=1&b=2\">A <b> & \"title\"</a></p>",
      "</font></p>",
      "<p><font size=\"2\">",
      "<font size=\"3\" color=\"#FF0000\">Tue, 09 Dec 2026 </font> <font size=\"3\" color=\"#0080FF\"> World </font>",
      "<font color=\"#008040\" size=\"4\"><strong>My feed</strong></font>",
      "<p><font size=\"3\">",
      "<p>desc</p>\r\nline two",
      "</font></p>",
      "<hr size=\"1\" noshade>",
      "<p><font size=\"4\">",
      "<p><a href=\"\"></a></p>",
      "</font></p>",
      "<p><font size=\"2\">",
      "<font size=\"3\" color=\"#FF0000\"> </font> <font size=\"3\" color=\"#0080FF\">  </font>",
      "<font color=\"#008040\" size=\"4\"><strong></strong></font>",
      "<p><font size=\"3\">",
      "",
      "</font></p>",
      "</BODY>",
      "</HTML>",
  };
  EXPECT_EQ(page.lines(), expected);
}

TEST(ReaderPage, TheFileIsEveryLineFollowedByCrLf) {
  rss::ReaderPage page;
  page.Begin();
  page.End();
  EXPECT_EQ(page.Bytes(), "<HTML>\r\n<HEAD>\r\n</HEAD>\r\n<BODY>\r\n</BODY>\r\n</HTML>\r\n");
  page.SetErrorPage();
  EXPECT_EQ(page.Bytes(), "RSS source not found\r\n");
}

TEST(ReaderPage, OnlyTheReadersOwnPageFilesAreItsOwn) {
  EXPECT_EQ(rss::PageFileName(0), "rsss0.html");
  EXPECT_EQ(rss::PageFileName(99999), "rsss99999.html");
  EXPECT_EQ(rss::FeedFileName(42), "lmrss42.xml");
  for (const char* own : {"rsss0.html", "rsss12345.html", "rsss007.html"}) EXPECT_TRUE(rss::IsPageFileName(own)) << own;
  for (const char* other : {"rsss.html", "rsssx.html", "rsss12.htm", "rsss12.html.bak", "my.html", "RSSS1.HTML",
                            "a-rsss1.html", "rsss1 .html"})
    EXPECT_FALSE(rss::IsPageFileName(other)) << other;
}

}  // namespace
