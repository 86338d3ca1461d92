// The main window's RSS commands: the menu item, the side button and
// "Add RSS" (F8) show the reader; the Add dialog takes the current tab's
// title and address; "Open in Browser" puts the reader's article in a new
// tab.
#include <gtest/gtest.h>

#include "listfile/ListFile.h"
#include "rss/FeedList.h"
#include "support/MainFormFixture.h"

namespace {

class MainFormRss : public testing_support::MainFormTest {
 protected:
  void TearDown() override {
    rss::SetAddRssPending(false);
    MainFormTest::TearDown();
  }
};

TEST_F(MainFormRss, TheMenuItemAndTheSideButtonShowTheReaderWithAnEngineForGeneratedPages) {
  Start();
  AddRssWindows();
  listfile::SaveListViewToFile({rss::MakeFeed("Local", "http://127.0.0.1:1/feed")}, Settings("2rss.lmf"));
  form->RSSReader1.activate();
  EXPECT_EQ(dialogs.modalRuns, 1);
  ASSERT_NE(reader->wb(), nullptr);
  EXPECT_EQ(generatedBrowsersMade, 1);
  EXPECT_EQ(reader->cbfeeds.get_active_text(), "Local");
  reader->SpeedButton10Click();
  form->xq1.clicked();
  EXPECT_EQ(dialogs.modalRuns, 2);
  EXPECT_EQ(generatedBrowsersMade, 2);
}

TEST_F(MainFormRss, AddRssOpensTheAddDialogFilledFromTheCurrentTab) {
  Start();
  AddRssWindows();
  Current().FinishLoad("http://news.example/world.rss", "World news");
  ASSERT_EQ(form->eurl.get_text(), "http://news.example/world.rss");
  std::string name, url;
  dialogs.whileModal = [&](Gtk::Window& w) {
    if (&w == slide.get()) {
      name = slide->ename.get_text();
      url = slide->eurl.get_text();
      slide->OKClick();
    } else if (&w == manage.get()) {
      manage->BitBtn1Click();
    }
  };
  form->AddRSS2.activate();
  EXPECT_EQ(name, "World news");
  EXPECT_EQ(url, "http://news.example/world.rss");
  EXPECT_FALSE(rss::AddRssPending());
  EXPECT_EQ(listfile::Decode(data.Read("Lumivale/2rss.lmf")).rows,
            (listfile::Rows{rss::MakeFeed("World news", "http://news.example/world.rss")}));
}

TEST_F(MainFormRss, OpenInBrowserPutsTheArticleInANewTab) {
  Start();
  AddRssWindows();
  form->RSSReader1Click();
  auto& engine = *static_cast<engine::FakeBrowser*>(reader->wb());
  engine.location = "https://news.example/story";
  const int tabs = form->table.LiveCount();
  reader->sb1Click();
  EXPECT_EQ(probed.back(), "https://news.example/story");
  EXPECT_EQ(form->table.LiveCount(), tabs + 1);
  EXPECT_EQ(form->eurl.get_text(), "https://news.example/story");
  EXPECT_EQ(Current().navigations.back(), "https://news.example/story");
  EXPECT_EQ(engine.stops, 1);
}

}  // namespace
