// The feed list in its manage window and the Add dialog: adding, editing,
// moving and removing rows, the pre-fill from the current tab, saving on
// "Close" only, the files at start-up, and the Add of the "Add RSS" path.
#include <gtest/gtest.h>
#include <gtkmm.h>

#include <string>

#include "listfile/ListFile.h"
#include "rss/FeedList.h"
#include "rss/Tfmanage.h"
#include "rss/Tfslide.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

using listfile::Rows;
using rss::MakeFeed;

class ManageFeeds : public ::testing::Test {
 protected:
  void TearDown() override { rss::SetAddRssPending(false); }

  // The user in the Add dialog: sees its fields, types, and ends it.
  struct AddDialogAnswer {
    std::string name, url;
    bool ok = true;
  };
  void AnswerAddDialog(AddDialogAnswer answer) {
    dialogs.whileModal = [this, answer](Gtk::Window& w) {
      if (&w != &slide) return;
      ++addDialogs;
      seenName = slide.ename.get_text();
      seenUrl = slide.eurl.get_text();
      slide.ename.set_text(answer.name);
      slide.eurl.set_text(answer.url);
      answer.ok ? slide.OKClick() : slide.CancelClick();
    };
  }
  // The user in the Add dialog presses OK without touching it.
  void AcceptAddDialog() {
    dialogs.whileModal = [this](Gtk::Window& w) {
      if (&w != &slide) return;
      ++addDialogs;
      seenName = slide.ename.get_text();
      seenUrl = slide.eurl.get_text();
      slide.OKClick();
    };
  }
  Rows OnDisk() const { return listfile::Decode(dir.Read("2rss.lmf")).rows; }

  testing_support::TempFolder dir;
  testing_support::ScriptedDialogs dialogs;
  std::string addressBar = "http://example.com/page";
  std::string tabTitle = "Example page";
  rss::Tfslide slide{{[this] { return addressBar; }, [this] { return tabTitle; }}};
  rss::Tfmanage manage{dir.str(), &slide};
  int addDialogs = 0;
  std::string seenName, seenUrl;
};

TEST_F(ManageFeeds, AddAppendsWhatTheDialogHeldWhenItEndsWithOk) {
  struct Case {
    AddDialogAnswer answer;
    Rows after;
  };
  const Case cases[] = {
      {{"BBC", "http://feeds.example/bbc.xml", true}, {MakeFeed("BBC", "http://feeds.example/bbc.xml")}},
      {{"", "", true}, {MakeFeed("BBC", "http://feeds.example/bbc.xml"), MakeFeed("", "")}},
      {{"BBC", "anything at all", true},
       {MakeFeed("BBC", "http://feeds.example/bbc.xml"), MakeFeed("", ""), MakeFeed("BBC", "anything at all")}},
      {{"Dropped", "http://x", false},
       {MakeFeed("BBC", "http://feeds.example/bbc.xml"), MakeFeed("", ""), MakeFeed("BBC", "anything at all")}},
  };
  slide.ename.set_text("left over");
  for (const Case& c : cases) {
    AnswerAddDialog(c.answer);
    manage.sb1Click();
    EXPECT_EQ(seenName, "");  // the dialog opens empty
    EXPECT_EQ(seenUrl, "");
    EXPECT_EQ(manage.Feeds(), c.after) << c.answer.name;
  }
}

TEST_F(ManageFeeds, EditChangesTheSelectedRowOrTheFirstAndNothingOnAnEmptyList) {
  manage.sb1Click();  // nothing answers: no row
  AnswerAddDialog({"x", "y", true});
  manage.SB5Click();
  EXPECT_EQ(addDialogs, 0);
  EXPECT_TRUE(manage.Feeds().empty());

  manage.SetFeeds({MakeFeed("A", "http://a"), MakeFeed("B", "http://b"), {"C", {"http://c", "kept"}, 3}});
  AnswerAddDialog({"A2", "http://a2", true});
  manage.SB5Click();
  EXPECT_EQ(seenName, "A");
  EXPECT_EQ(seenUrl, "http://a");
  manage.Select(2);
  AnswerAddDialog({"C2", "http://c2", true});
  manage.SB5Click();
  EXPECT_EQ(seenName, "C");
  AnswerAddDialog({"B2", "http://b2", false});
  manage.Select(1);
  manage.SB5Click();
  EXPECT_EQ(manage.Feeds(),
            (Rows{MakeFeed("A2", "http://a2"), MakeFeed("B", "http://b"), {"C2", {"http://c2", "kept"}, 3}}));
}

TEST_F(ManageFeeds, AnAddressBarHoldingRssFillsTheDialogFromTheCurrentTabForAddAndEdit) {
  addressBar = "http://news.example/World.Rss";
  tabTitle = "World news";
  AcceptAddDialog();
  manage.sb1Click();
  EXPECT_EQ(manage.Feeds(), (Rows{MakeFeed("World news", "http://news.example/World.Rss")}));
  manage.SetFeeds({MakeFeed("Old", "http://old")});
  manage.SB5Click();
  EXPECT_EQ(seenName, "World news");
  EXPECT_EQ(manage.Feeds(), (Rows{MakeFeed("World news", "http://news.example/World.Rss")}));
  EXPECT_EQ(addDialogs, 2);
}

TEST_F(ManageFeeds, MovesAndRemoveActOnTheSelectedRow) {
  manage.SetFeeds({MakeFeed("a", "1"), MakeFeed("b", "2"), MakeFeed("c", "3")});
  auto names = [this] {
    std::string s;
    for (const auto& r : manage.Feeds()) s += r.caption;
    return s;
  };
  manage.SB3Click();  // no selection
  EXPECT_EQ(names(), "abc");
  manage.Select(0);
  manage.SB3Click();
  EXPECT_EQ(names(), "bca");
  EXPECT_EQ(manage.Selected(), (std::set<std::size_t>{2}));
  manage.sb4Click();  // the last row stays
  EXPECT_EQ(names(), "bca");
  manage.Select(0);
  manage.sb4Click();
  EXPECT_EQ(names(), "cba");
  EXPECT_EQ(manage.Selected(), (std::set<std::size_t>{1}));
  manage.SB2Click();
  EXPECT_EQ(names(), "ca");
  manage.tabela.get_selection()->unselect_all();
  manage.SB2Click();
  EXPECT_EQ(names(), "ca");
}

TEST_F(ManageFeeds, CloseAndEscSaveTheListTheTitleBarCloseDoesNot) {
  manage.SetFeeds({MakeFeed("A", "http://a")});
  manage.show();
  manage.BitBtn1Click();
  EXPECT_FALSE(manage.get_visible());
  EXPECT_EQ(OnDisk(), (Rows{MakeFeed("A", "http://a")}));

  manage.SetFeeds({});
  manage.show();
  ui::WaitUntil([this] { return manage.get_mapped(); }, 2000);
  GdkEvent* close = gdk_event_new(GDK_DELETE);
  close->any.window = GDK_WINDOW(g_object_ref(manage.get_window()->gobj()));
  gtk_widget_event(GTK_WIDGET(manage.gobj()), close);
  gdk_event_free(close);
  EXPECT_FALSE(manage.get_visible());
  EXPECT_EQ(OnDisk(), (Rows{MakeFeed("A", "http://a")}));

  manage.show();
  ui::WaitUntil([this] { return manage.get_mapped(); }, 2000);
  GdkEvent* esc = gdk_event_new(GDK_KEY_PRESS);
  esc->key.window = GDK_WINDOW(g_object_ref(manage.get_window()->gobj()));
  esc->key.keyval = GDK_KEY_Escape;
  gtk_widget_event(GTK_WIDGET(manage.gobj()), esc);
  gdk_event_free(esc);
  EXPECT_FALSE(manage.get_visible());
  // Removing every row and closing writes a list with no rows.
  EXPECT_EQ(dir.Read("2rss.lmf"), std::string("LVF\0\0", 5));
}

TEST_F(ManageFeeds, StartUpDropsTheOldListFileAndLoadsTheList) {
  dir.Write("rss.lmf", "an old release's list");
  listfile::SaveListViewToFile({MakeFeed("A", "http://a"), MakeFeed("Download all", rss::kDownloadAllMarker)},
                               dir / "2rss.lmf");
  manage.FormCreate();
  EXPECT_FALSE(dir.Exists("rss.lmf"));
  EXPECT_EQ(manage.Feeds(),
            (Rows{MakeFeed("A", "http://a"), MakeFeed("Download all", rss::kDownloadAllMarker)}));
  EXPECT_TRUE(dialogs.shown.empty());

  // No list file: an empty list, and nothing said.
  testing_support::TempFolder empty;
  rss::Tfmanage fresh(empty.str(), &slide);
  fresh.FormCreate();
  EXPECT_TRUE(fresh.Feeds().empty());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ManageFeeds, AFileThatIsNotAListIsReportedAndKeptWhenTheListIsSaved) {
  dir.Write("2rss.lmf", "<html>saved over the feeds</html>");
  manage.FormCreate();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "\"2rss.lmf\" is not a ListView file!");
  EXPECT_TRUE(manage.Feeds().empty());
  manage.SetFeeds({MakeFeed("A", "http://a")});
  manage.BitBtn1Click();
  EXPECT_EQ(dir.Read("2rss.lmf.bad"), "<html>saved over the feeds</html>");
  EXPECT_EQ(OnDisk(), (Rows{MakeFeed("A", "http://a")}));
}

TEST_F(ManageFeeds, WithAddRssPendingTheAddDialogOpensOnceWhenTheWindowIsShown) {
  rss::SetAddRssPending(true);
  addressBar = "http://site.example/rss";
  tabTitle = "Site";
  AcceptAddDialog();
  manage.ShowModal();
  EXPECT_EQ(addDialogs, 1);
  EXPECT_EQ(manage.Feeds(), (Rows{MakeFeed("Site", "http://site.example/rss")}));
  // Shown without the flag: no Add.
  rss::SetAddRssPending(false);
  manage.ShowModal();
  EXPECT_EQ(addDialogs, 1);
}

}  // namespace
