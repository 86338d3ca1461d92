// The news ticker and breaking news with the main window, against feeds on
// the loopback fixture server.
#include "listfile/ListFile.h"
#include "rss/Tfmanage.h"
#include "rss/Tfhotwords.h"
#include "rss/Tfnews.h"
#include "settings/AtomicFile.h"
#include "rss/TickerText.h"
#include "support/FixtureServer.h"
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

std::string Feed(const std::vector<std::array<std::string, 3>>& items) {
  std::string xml = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>N</title>";
  for (const auto& [date, title, description] : items)
    xml += "<item><title>" + title + "</title><link>http://news.example/" + title + "</link><description><![CDATA[" +
           description + "]]></description><pubDate>" + date + "</pubDate></item>";
  return xml + "</channel></rss>";
}

class NewsTest : public MainFormTest {
 protected:
  void StartWithFeed(const std::string& body) {
    server.AddPage("/feed.xml", body, 200, "application/rss+xml");
    Start();
    AddRssWindows();
    manage->SetFeeds({{"World", {server.Url("/feed.xml")}, 0}});
    listfile::SetListLoaded(false);  // a list file was read
    news = std::make_unique<rss::Tfnews>([](const std::string&) {});
    app::forms().fnews = news.get();
  }
  void TearDown() override {
    app::forms().fnews = nullptr;
    news.reset();
    MainFormTest::TearDown();
  }
  bool TickerShows(const std::string& text) {
    return ui::WaitUntil([&] { return form->ptop.xals.Text() == text; }, 10000);
  }

  testing_support::FixtureServer server;
  std::unique_ptr<rss::Tfnews> news;
};

TEST_F(NewsTest, TheTickerShowsTheFirstFeedsItemsAndScrolls) {
  StartWithFeed(Feed({{"Tue, 09 Dec 2026 10:00:00 +0000", "One", "a"}, {"Tue, 09 Dec 2026 09:00:00 +0000", "Two", "b"}}));
  form->ScrollingRSS1.activate();
  EXPECT_TRUE(form->ptop.get_visible());
  EXPECT_TRUE(form->rsstimerEnabled());
  ASSERT_TRUE(TickerShows("   World ::: Tue, 09 Dec 2026 10:00:00 +0000:  One :::    "
                          "Tue, 09 Dec 2026 09:00:00 +0000:  Two :::    "));
  ui::WaitUntil([&] { return form->ptop.xals.get_mapped(); }, 3000);
  const int position = form->ptop.xals.Position();
  ui::WaitWithMessages(300);
  EXPECT_LT(form->ptop.xals.Position(), position);  // right to left, a pixel a step
  EXPECT_EQ(form->ptop.get_allocated_height(), 16);

  form->ptop.alszapri.signal_clicked().emit();
  EXPECT_FALSE(form->ptop.get_visible());
  EXPECT_FALSE(form->rsstimerEnabled());
}

TEST_F(NewsTest, AFeedThatCannotBeReadShowsSourceNotFound) {
  StartWithFeed("<html>not a feed</html>");
  form->ScrollingRSS1Click();
  EXPECT_TRUE(TickerShows(rss::SourceNotFound()));
  // With an empty feed list the command does nothing.
  form->alszapriClick();
  manage->SetFeeds({});
  form->ScrollingRSS1Click();
  EXPECT_FALSE(form->ptop.get_visible());
}

TEST_F(NewsTest, ANewerItemWithAKeywordRaisesThePopupTheFirstCheckOnlyRecords) {
  StartWithFeed(Feed({{"Tue, 09 Dec 2026 10:00:00 +0000", "Storm", "<p>A storm is near</p>"}}));
  data.Write("Lumivale/rss.hot", "flood,storm");
  form->SetBreakingNews(true);
  form->TimerTimer();
  ASSERT_TRUE(server.WaitForRequest("/feed.xml", 10000));
  ui::WaitWithMessages(300);
  EXPECT_FALSE(news->get_visible());  // the first check records the date
  EXPECT_TRUE(dialogs.beeps.empty());

  server.AddPage("/feed.xml", Feed({{"Tue, 09 Dec 2026 11:00:00 +0000", "Storm", "<p>A storm is near</p>"}}), 200,
                 "application/rss+xml");
  form->TimerTimer();
  ASSERT_TRUE(ui::WaitUntil([&] { return news->get_visible(); }, 10000));
  EXPECT_EQ(news->LB.get_text(), "World:  Tue, 09 Dec 2026 11:00:00 +0000");
  EXPECT_EQ(news->LA.get_text(), "Keyword: storm");
  EXPECT_EQ(news->l3.get_text(), "Storm");
  EXPECT_EQ(news->NewsLink(), "http://news.example/Storm");
  EXPECT_EQ(news->L5.get_buffer()->get_text(), "A STORM IS NEAR</P>");
  EXPECT_EQ(dialogs.beeps.size(), 1u);

  // The next minute hides it first; the same item is not new.
  const int requests = server.RequestCount("/feed.xml");
  form->TimerTimer();
  EXPECT_FALSE(news->get_visible());
  ASSERT_TRUE(ui::WaitUntil([&] { return server.RequestCount("/feed.xml") > requests; }, 10000));
  ui::WaitWithMessages(300);
  EXPECT_FALSE(news->get_visible());
}

TEST_F(NewsTest, WithBreakingNewsOffNothingIsDownloaded) {
  StartWithFeed(Feed({{"Tue, 09 Dec 2026 10:00:00 +0000", "Storm", "storm"}}));
  data.Write("Lumivale/rss.hot", "storm");
  form->SetBreakingNews(false);
  form->TimerTimer();
  ui::WaitWithMessages(500);
  EXPECT_EQ(server.RequestCount("/feed.xml"), 0);
}

}  // namespace

namespace {

TEST(KeywordEditor, ShowsTheFileAndSavesExactlyWhatItShowsWithCrLf) {
  testing_support::TempFolder folder;
  folder.Write("rss.hot", "storm,\r\nflood\rhail");
  rss::Tfhotwords editor(folder / "rss.hot", [] { return std::string("World"); });
  editor.show();
  EXPECT_EQ(editor.Memo1.get_buffer()->get_text(), "storm,\nflood\nhail");
  EXPECT_EQ(editor.Label1.get_text(), "Extract breaking news from World");
  editor.Memo1.get_buffer()->set_text("storm,\nflood");
  ASSERT_TRUE(editor.SaveClick());
  EXPECT_EQ(settings::ReadWholeFile(folder / "rss.hot"), std::optional<std::string>("storm,\r\nflood"));
  // What was typed and not saved is replaced when the window is shown again.
  editor.Memo1.get_buffer()->set_text("unsaved");
  editor.hide();
  editor.show();
  EXPECT_EQ(editor.Memo1.get_buffer()->get_text(), "storm,\nflood");
}

}  // namespace
