// The reader window with a scripted engine and feeds from the loopback
// server: its activation, choosing a feed by name, the error page, Download
// All, closing, "Open in Browser", the feeds of the current page, the
// manage window and the "Add RSS" path.
#include <gtest/gtest.h>
#include <gtkmm.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/FakeBrowser.h"
#include "listfile/ListFile.h"
#include "net/Download.h"
#include "rss/FeedList.h"
#include "rss/Tfmanage.h"
#include "rss/Tfrss.h"
#include "rss/Tfslide.h"
#include "support/FixtureServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

using listfile::Rows;
using rss::MakeFeed;
using testing_support::FixtureServer;
using testing_support::TempFolder;

std::string Feed(const std::vector<std::string>& titles) {
  std::string items;
  for (const std::string& t : titles)
    items += "<item><title>" + t + "</title><link>http://news.example/" + t + "</link><description>About " + t +
             "</description></item>";
  return "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>C</title>" + items + "</channel></rss>";
}

// Sends `keyval` to `window` as a key press, as the display would.
void PressKey(Gtk::Window& window, guint keyval) {
  ui::WaitUntil([&] { return window.get_mapped(); }, 2000);
  GdkEvent* key = gdk_event_new(GDK_KEY_PRESS);
  key->key.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
  key->key.keyval = keyval;
  gtk_widget_event(GTK_WIDGET(window.gobj()), key);
  gdk_event_free(key);
}

// The title bar's close button.
void CloseByTitleBar(Gtk::Window& window) {
  ui::WaitUntil([&] { return window.get_mapped(); }, 2000);
  GdkEvent* close = gdk_event_new(GDK_DELETE);
  close->any.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
  gtk_widget_event(GTK_WIDGET(window.gobj()), close);
  gdk_event_free(close);
}

class Reader : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetTerminating(false);
    server.AddPage("/a", Feed({"A1", "A2"}), 200, "application/rss+xml");
    server.AddPage("/b", Feed({"B1"}), 200, "application/rss+xml");
    server.AddPage("/c", Feed({"C1"}), 200, "application/rss+xml");
    server.AddPage("/html", "<html><body>Sorry</body></html>");
    server.AddPage("/nested", "<rss><channel><item><description><p>x</p></description></item></channel></rss>");
    server.AddPage("/empty", "<rss><channel><title>none</title></channel></rss>");
    server.AddPage("/404feed", Feed({"Kept"}), 404);
    page.links = {{server.Url("/a.rss"), ""}, {server.Url("/about"), ""}, {"http://x.example/RSS/one", ""},
                  {server.Url("/a.rss"), ""}, {"http://x.example/feed.xml", ""}};
  }
  void TearDown() override {
    rss::SetAddRssPending(false);
    reader.hide();
    ui::ProcessMessages();
  }

  void SaveFeeds(const Rows& rows) { ASSERT_TRUE(listfile::SaveListViewToFile(rows, settings / "2rss.lmf")); }
  engine::FakeBrowser& Engine() { return *static_cast<engine::FakeBrowser*>(reader.wb()); }
  // The page file the reader's engine was last sent to, as it is on disk.
  std::string Shown() {
    if (!reader.wb()) return "no engine";
    const std::string& location = Engine().location;
    if (location.rfind(settings.str(), 0) != 0) return "not a page file: " + location;
    return settings.Read(location.substr(settings.str().size()));
  }
  std::vector<std::string> PageFiles() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(settings.path()))
      if (rss::IsPageFileName(e.path().filename().string())) names.push_back(e.path().filename().string());
    return names;
  }
  // No feed download is left in the reader's temporary folder.
  bool TempFolderEmpty() const {
    const auto folder = temp.path() / "tmp";
    return !std::filesystem::exists(folder) || std::filesystem::is_empty(folder);
  }
  void Choose(int index) { reader.cbfeeds.set_active(index); }
  int Requests() const { return int(server.Requests().size()); }

  FixtureServer server;
  TempFolder settings;
  TempFolder temp;
  testing_support::ScriptedDialogs dialogs;
  engine::FakeBrowser page;  // the main window's current tab
  int enginesMade = 0;
  std::vector<std::string> probed;
  bool reachable = true;
  std::vector<std::string> openedInTabs;
  rss::Tfslide slide{{[] { return std::string(); }, [] { return std::string(); }}};
  rss::Tfmanage manage{settings.str(), &slide};
  rss::Tfrss reader{settings.str(), temp.str() + "tmp/",
                    rss::Tfrss::Callbacks{
                        [this]() -> std::unique_ptr<engine::Browser> {
                          ++enginesMade;
                          return std::make_unique<engine::FakeBrowser>(engine::Content::Generated);
                        },
                        [this]() -> engine::Browser* { return &page; },
                        [this](const std::string& address) {
                          probed.push_back(address);
                          return reachable;
                        },
                        [this](const std::string& address) { openedInTabs.push_back(address); },
                        [this] { return &manage; },
                        {}}};
};

TEST_F(Reader, ShowingItOpensTheFirstFeedOfTheListInAnEngineOfItsOwn) {
  SaveFeeds({MakeFeed("Alpha", server.Url("/a")), MakeFeed("Beta", server.Url("/b"))});
  reader.ShowModal();
  ASSERT_TRUE(reader.wb());
  EXPECT_EQ(Engine().content, engine::Content::Generated);
  EXPECT_EQ(reader.cbfeeds.get_active_text(), "Alpha");
  EXPECT_EQ(reader.cbfeeds.get_model()->children().size(), 2u);
  ASSERT_EQ(Engine().navigations.size(), 2u);
  EXPECT_EQ(Engine().navigations[0], "about:blank");
  const std::string shown = Shown();
  EXPECT_EQ(shown.rfind("<HTML>\r\n<HEAD>\r\n</HEAD>\r\n<BODY>\r\n<hr size=\"1\" noshade>\r\n", 0), 0u) << shown;
  EXPECT_NE(shown.find("<p><a href=\"http://news.example/A2\">A2</a></p>\r\n"), std::string::npos);
  EXPECT_NE(shown.find("<strong>Alpha</strong>"), std::string::npos);
  EXPECT_TRUE(TempFolderEmpty());
  // The feed download goes under the program's own name.
  EXPECT_EQ(server.RequestsFor("/a").at(0).userAgent, net::ExecutableFileName());

  // "Open in Browser" waits for the page.
  EXPECT_FALSE(reader.sb1.get_sensitive());
  Engine().FinishLoad(Engine().location, "");
  EXPECT_TRUE(reader.sb1.get_sensitive());

  // Shown again: a new engine, the list read again, the first feed again.
  SaveFeeds({MakeFeed("Beta", server.Url("/b"))});
  reader.SpeedButton10Click();
  reader.ShowModal();
  EXPECT_EQ(enginesMade, 2);
  EXPECT_EQ(reader.cbfeeds.get_active_text(), "Beta");
  EXPECT_NE(Shown().find(">B1</a>"), std::string::npos);
}

TEST_F(Reader, ANameChoosesTheFirstRowWithItIgnoringAsciiCase) {
  SaveFeeds({MakeFeed("Other", server.Url("/c")), MakeFeed("News", server.Url("/a")),
             MakeFeed("NEWS", server.Url("/b"))});
  reader.ShowModal();
  Choose(2);  // "NEWS"
  EXPECT_EQ(reader.currentFeedAddress, server.Url("/a"));
  EXPECT_EQ(reader.currentFeedName, "News");
  EXPECT_EQ(server.RequestCount("/b"), 0);
  EXPECT_NE(Shown().find("<strong>News</strong>"), std::string::npos);
  // The "Feeds" button opens the chosen feed again.
  reader.SpeedButton7Click();
  EXPECT_EQ(server.RequestCount("/a"), 2);
}

TEST_F(Reader, AFeedThatCannotBeReadShowsTheErrorPageAndTheBodyOfAnErrorAnswerIsAFeed) {
  testing_support::RefusedPort refused;
  struct Case {
    std::string address;
    bool readable;
  };
  const Case cases[] = {
      {server.Url("/html"), false},   {server.Url("/nested"), false}, {server.Url("/empty"), false},
      {refused.Url("/feed"), false},  {server.Url("/missing"), false}, {server.Url("/404feed"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    SaveFeeds({MakeFeed("F", c.address)});
    reader.ShowModal();
    if (c.readable)
      EXPECT_NE(Shown().find(">Kept</a>"), std::string::npos);
    else
      EXPECT_EQ(Shown(), "RSS source not found\r\n");
    EXPECT_TRUE(TempFolderEmpty());
    reader.SpeedButton10Click();
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Reader, ClosedWhileItsFeedIsStillComingItLeavesNothingBehind) {
  server.AddEndlessPage("/endless");
  SaveFeeds({MakeFeed("Endless", server.Url("/endless"))});
  // The user closes the reader as soon as the download has begun.
  sigc::connection closer = Glib::signal_timeout().connect(
      [this] {
        if (server.RequestCount("/endless") == 0) return true;
        reader.SpeedButton10Click();
        return false;
      },
      20);
  reader.ShowModal();
  closer.disconnect();
  EXPECT_FALSE(reader.get_visible());
  EXPECT_EQ(reader.wb(), nullptr);
  EXPECT_TRUE(PageFiles().empty());
  EXPECT_TRUE(TempFolderEmpty());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Reader, AFeedFileThatCannotBeMadeShowsTheErrorPage) {
  SaveFeeds({MakeFeed("F", server.Url("/a"))});
  temp.Write("tmp", "a file where the folder should be");
  reader.ShowModal();
  EXPECT_EQ(Shown(), "RSS source not found\r\n");
  EXPECT_EQ(server.RequestCount("/a"), 0);
}

TEST_F(Reader, DownloadAllPutsEveryFeedOnOnePageInListOrderAndSkipsTheMarker) {
  SaveFeeds({MakeFeed("All of them", rss::kDownloadAllMarker), MakeFeed("Alpha", server.Url("/a")),
             MakeFeed("Beta", server.Url("/b"))});
  reader.ShowModal();
  const std::string shown = Shown();
  const auto a1 = shown.find(">A1</a>"), a2 = shown.find(">A2</a>"), b1 = shown.find(">B1</a>");
  ASSERT_NE(b1, std::string::npos) << shown;
  EXPECT_LT(a1, a2);
  EXPECT_LT(a2, b1);
  EXPECT_NE(shown.find("<strong>Alpha</strong>"), std::string::npos);
  EXPECT_NE(shown.find("<strong>Beta</strong>"), std::string::npos);
  EXPECT_EQ(reader.currentFeedName, "Beta");
  EXPECT_TRUE(TempFolderEmpty());
  // Its page stays while another feed is shown, until the reader closes.
  const std::vector<std::string> allPage = PageFiles();
  Choose(1);
  EXPECT_NE(Shown().find(">A1</a>"), std::string::npos);
  EXPECT_EQ(PageFiles().size(), 2u);
  EXPECT_TRUE(settings.Exists(allPage.at(0)));
  reader.SpeedButton10Click();
  EXPECT_TRUE(PageFiles().empty());
}

TEST_F(Reader, DownloadAllOverAnEmptyListShowsAnEmptyPage) {
  reader.ShowModal();
  EXPECT_EQ(reader.cbfeeds.get_model()->children().size(), 0u);
  EXPECT_TRUE(Engine().navigations.empty());  // nothing to open
  reader.nalozivse();
  EXPECT_EQ(Shown(), "<HTML>\r\n<HEAD>\r\n</HEAD>\r\n<BODY>\r\n</BODY>\r\n</HTML>\r\n");
}

TEST_F(Reader, DownloadAllEndsAtTheFirstFeedThatFailsWithAMessageAndNoPage) {
  SaveFeeds({MakeFeed("Alpha", server.Url("/a")), MakeFeed("Broken", server.Url("/nested")),
             MakeFeed("Gamma", server.Url("/c")), MakeFeed("All", rss::kDownloadAllMarker)});
  reader.ShowModal();
  const std::size_t before = Engine().navigations.size();
  Choose(3);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "Lumivale web browser");
  EXPECT_EQ(dialogs.shown[0].text.rfind("The feed \"Broken\" (" + server.Url("/nested") + ") cannot be read.", 0), 0u)
      << dialogs.shown[0].text;
  EXPECT_NE(dialogs.shown[0].text.find("\"description\""), std::string::npos);
  // The view was blanked and no page came.
  ASSERT_EQ(Engine().navigations.size(), before + 1);
  EXPECT_EQ(Engine().navigations.back(), "about:blank");
  EXPECT_EQ(server.RequestCount("/c"), 0);
  EXPECT_EQ(reader.currentFeedName, "Broken");
  EXPECT_TRUE(TempFolderEmpty());

  // An unreachable second feed: its reason is the download's.
  testing_support::RefusedPort refused;
  SaveFeeds({MakeFeed("Alpha", server.Url("/a")), MakeFeed("Gone", refused.Url("/feed"))});
  reader.SpeedButton10Click();
  reader.ShowModal();
  dialogs.shown.clear();
  reader.nalozivse();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text.rfind("The feed \"Gone\"", 0), 0u) << dialogs.shown[0].text;
  EXPECT_EQ(dialogs.shown[0].text.find("well-formed"), std::string::npos) << dialogs.shown[0].text;
}

TEST_F(Reader, AfterDownloadAllAFeedChosenByNameIsThatFeed) {
  // With the marker row last, Download All ends on the marker; the next
  // choice is still the feed chosen.
  SaveFeeds({MakeFeed("Alpha", server.Url("/a")), MakeFeed("Beta", server.Url("/b")),
             MakeFeed("All", rss::kDownloadAllMarker)});
  reader.ShowModal();
  Choose(2);
  EXPECT_NE(Shown().find(">B1</a>"), std::string::npos);
  EXPECT_EQ(reader.currentFeedAddress, rss::kDownloadAllMarker);
  Choose(1);
  EXPECT_EQ(reader.currentFeedAddress, server.Url("/b"));
  const std::string shown = Shown();
  EXPECT_NE(shown.find(">B1</a>"), std::string::npos);
  EXPECT_EQ(shown.find(">A1</a>"), std::string::npos);
}

TEST_F(Reader, EveryWayOfClosingRemovesOnlyTheReadersOwnPagesAndItsEngine) {
  SaveFeeds({MakeFeed("Alpha", server.Url("/a"))});
  const std::vector<std::string> others = {"rsss.html", "notes.html", "rsss12.htm", "rsssx.html", "2rss.lmf"};
  for (int way = 0; way < 3; ++way) {
    SCOPED_TRACE(way);
    for (const std::string& name : others)
      if (name != "2rss.lmf") settings.Write(name, "keep");
    settings.Write("rsss4711.html", "an old page");
    reader.ShowModal();
    ASSERT_EQ(PageFiles().size(), 2u);
    if (way == 0) reader.SpeedButton10Click();
    if (way == 1) PressKey(reader, GDK_KEY_Escape);
    if (way == 2) CloseByTitleBar(reader);
    EXPECT_FALSE(reader.get_visible());
    EXPECT_EQ(reader.wb(), nullptr);
    EXPECT_TRUE(PageFiles().empty());
    for (const std::string& name : others) EXPECT_TRUE(settings.Exists(name)) << name;
  }
}

TEST_F(Reader, OpenInBrowserHandsOnlyAReachableWebAddressToANewTab) {
  SaveFeeds({MakeFeed("Alpha", server.Url("/a"))});
  reader.ShowModal();
  // The reader's own page: a local file, never a tab's.
  reader.sb1Click();
  EXPECT_TRUE(probed.empty());
  EXPECT_TRUE(openedInTabs.empty());

  struct Case {
    std::string shown;
    bool reachable;
  };
  const Case cases[] = {
      {"http://news.example/A1", true},
      {"https://secure.example/story", true},
      {"http://news.example/gone", false},
  };
  for (const Case& c : cases) {
    Engine().location = c.shown;  // a link of the page was followed
    reachable = c.reachable;
    const int stops = Engine().stops;
    reader.sb1Click();
    EXPECT_EQ(probed.back(), c.shown);
    EXPECT_EQ(Engine().stops, stops + (c.reachable ? 1 : 0));
  }
  EXPECT_EQ(openedInTabs, (std::vector<std::string>{"http://news.example/A1", "https://secure.example/story"}));
  // The second tab's button does the same.
  Engine().location = "http://news.example/A2";
  reachable = true;
  reader.SpeedButton6.clicked();
  EXPECT_EQ(openedInTabs.back(), "http://news.example/A2");
}

TEST_F(Reader, TheSecondTabListsAndOpensTheFeedLinksOfTheCurrentPage) {
  SaveFeeds({MakeFeed("Alpha", server.Url("/a"))});
  page.state = engine::ReadyState::Loading;  // listed at activation whatever the state
  reader.ShowModal();
  const std::vector<std::string> listed = {server.Url("/a.rss"), "http://x.example/RSS/one", server.Url("/a.rss")};
  auto entries = [this] {
    std::vector<std::string> texts;
    for (const auto& row : reader.cbstran.get_model()->children()) {
      Glib::ustring text;
      row.get_value(0, text);
      texts.push_back(text);
    }
    return texts;
  };
  EXPECT_EQ(entries(), listed);
  EXPECT_EQ(reader.cbstran.get_active_text(), server.Url("/a.rss"));

  // Switching to the tab while the page is still loading keeps the list;
  // once it is complete, the list is made again.
  page.links = {{server.Url("/b.rss"), ""}};
  reader.PageControl1.set_current_page(1);
  EXPECT_EQ(entries(), listed);
  reader.PageControl1.set_current_page(0);
  page.state = engine::ReadyState::Complete;
  reader.PageControl1.set_current_page(1);
  EXPECT_EQ(entries(), (std::vector<std::string>{server.Url("/b.rss")}));

  // Opening one: its items name the address they came from; the list's
  // current name stays.
  server.AddPage("/b.rss", Feed({"Paged"}));
  reader.XiButton5Click();
  EXPECT_NE(Shown().find(">Paged</a>"), std::string::npos);
  EXPECT_NE(Shown().find("<strong>" + server.Url("/b.rss") + "</strong>"), std::string::npos);
  EXPECT_EQ(reader.currentFeedName, "Alpha");
  EXPECT_EQ(reader.currentFeedAddress, server.Url("/b.rss"));
}

TEST_F(Reader, APageFeedNeedsAFeedListToOpen) {
  reader.ShowModal();  // an empty list: no name in the selector
  server.AddPage("/a.rss", Feed({"X"}));
  reader.XiButton5Click();
  EXPECT_EQ(server.RequestCount("/a.rss"), 0);
}

TEST_F(Reader, AfterManageTheFirstFeedIsShownAgain) {
  SaveFeeds({MakeFeed("Alpha", server.Url("/a")), MakeFeed("Beta", server.Url("/b"))});
  reader.ShowModal();
  Choose(1);
  EXPECT_NE(Shown().find(">B1</a>"), std::string::npos);
  dialogs.whileModal = [this](Gtk::Window& w) {
    if (&w == &manage) manage.BitBtn1Click();
  };
  reader.SpeedButton9Click();
  EXPECT_EQ(enginesMade, 2);
  EXPECT_EQ(reader.cbfeeds.get_active_text(), "Alpha");
  EXPECT_NE(Shown().find(">A1</a>"), std::string::npos);
}

TEST_F(Reader, AddRssAddsOneFeedThenTheListIsShownAgain) {
  SaveFeeds({MakeFeed("Alpha", server.Url("/a"))});
  int addDialogs = 0;
  dialogs.whileModal = [&](Gtk::Window& w) {
    if (&w == &slide) {
      ++addDialogs;
      slide.ename.set_text("Gamma");
      slide.eurl.set_text(server.Url("/c"));
      slide.OKClick();
    } else if (&w == &manage) {
      manage.BitBtn1Click();
    }
  };
  rss::SetAddRssPending(true);
  reader.ShowModal();
  EXPECT_FALSE(rss::AddRssPending());
  EXPECT_EQ(addDialogs, 1);
  EXPECT_EQ(listfile::Decode(settings.Read("2rss.lmf")).rows,
            (Rows{MakeFeed("Alpha", server.Url("/a")), MakeFeed("Gamma", server.Url("/c"))}));
  EXPECT_EQ(reader.cbfeeds.get_model()->children().size(), 2u);
  EXPECT_EQ(reader.cbfeeds.get_active_text(), "Alpha");
  EXPECT_EQ(enginesMade, 2);
}

TEST_F(Reader, AMessageDuringTheActivationDoesNotRunItAgain) {
  settings.Write("2rss.lmf", "not a list");
  reader.ShowModal();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "\"2rss.lmf\" is not a ListView file!");
  EXPECT_EQ(enginesMade, 1);
}

TEST_F(Reader, TheGaugeShowsWhileTheEnginesProgressRuns) {
  struct Step {
    int progress, max;
    bool visibleAfter;
    int value;
  };
  // It shows or hides by the value the step before left.
  const Step steps[] = {
      {10, 100, false, 10}, {60, 100, true, 60}, {100, 100, true, 100}, {0, 100, true, 0}, {-1, 100, false, 0},
      {5, 50, false, 5},
  };
  for (const Step& s : steps) {
    reader.WebBrowserProgressChange(s.progress, s.max);
    EXPECT_EQ(reader.ProgressBar.get_visible(), s.visibleAfter) << s.progress;
    EXPECT_EQ(reader.gaugeValue(), s.value) << s.progress;
  }
  EXPECT_EQ(reader.gaugeMax(), 50);
  EXPECT_DOUBLE_EQ(reader.ProgressBar.get_fraction(), 0.1);
}

TEST_F(Reader, ItTakesTwoThirdsOfTheScreen) {
  reader.FormCreate(1920, 1080);
  int width = 0, height = 0;
  reader.get_default_size(width, height);
  EXPECT_EQ(width, 1280);
  EXPECT_EQ(height, 720);
  reader.FormCreate(1366, 768);
  reader.get_default_size(width, height);
  EXPECT_EQ(width, 911);
  EXPECT_EQ(height, 512);
}

}  // namespace
