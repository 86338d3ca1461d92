// The reader with the real engine: feeds from the loopback server become
// pages the engine shows (one after another, after the manage window, and
// on the screen at every showing), a hostile feed's markup runs nothing,
// and an article followed in the reader goes to a new tab through the
// address probe.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "engine/WebKitBrowser.h"
#include "listfile/ListFile.h"
#include "navigation/UrlResolution.h"
#include "rss/FeedList.h"
#include "rss/Tfmanage.h"
#include "rss/Tfrss.h"
#include "rss/Tfslide.h"
#include "support/FixtureServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

class ReaderWithEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetTerminating(false);
    server.AddPage("/story", "<title>Story</title><p>the story</p>");
    server.AddPage("/calm", "<rss><channel><item><title>Calm item</title><link>" + server.Url("/story") +
                                "</link><description>quiet</description></item></channel></rss>");
    // Every item text goes into the page as it is.
    server.AddPage("/hostile",
                   "<rss><channel><item><title>Hostile &lt;b&gt;bold&lt;/b&gt;</title><link>" + server.Url("/story") +
                       "</link><description><![CDATA[<script>document.title='owned'</script>"
                       "<img src=x onerror=\"document.title='owned'\"><iframe id=f src='file:///etc/hostname'>"
                       "</iframe>]]></description></item></channel></rss>");
    listfile::SaveListViewToFile({rss::MakeFeed("Hostile", server.Url("/hostile")),
                                  rss::MakeFeed("Calm", server.Url("/calm"))},
                                 settings / "2rss.lmf");
    reader.set_default_size(800, 600);
  }
  void TearDown() override {
    reader.hide();
    ui::ProcessMessages();
  }

  // Waits until the reader's engine shows a page whose text contains
  // `text`; answers that text.
  std::string WaitForText(const std::string& text) {
    std::string seen;
    ui::WaitUntil(
        [&] {
          engine::Browser* b = reader.wb();
          if (!b || !b->IsComplete()) return false;
          seen = b->RunScript("document.body ? document.body.innerText : ''").value_or("");
          return seen.find(text) != std::string::npos;
        },
        engine_testing::kLoadTimeoutMs);
    return seen;
  }

  testing_support::FixtureServer server;
  testing_support::TempFolder settings;
  testing_support::TempFolder temp;
  testing_support::ScriptedDialogs dialogs;
  std::vector<std::string> openedInTabs;
  rss::Tfslide slide{{[] { return std::string(); }, [] { return std::string(); }}};
  rss::Tfmanage manage{settings.str(), &slide};
  rss::Tfrss reader{settings.str(), temp.str(),
                    rss::Tfrss::Callbacks{
                        [] { return engine::CreateWebKitBrowser(engine::Content::Generated); },
                        []() -> engine::Browser* { return nullptr; },
                        [](const std::string& address) { return navigation::CheckUrl(address); },
                        [this](const std::string& address) { openedInTabs.push_back(address); },
                        [this] { return &manage; },
                        {}}};
};

TEST_F(ReaderWithEngine, AHostileFeedIsShownAsTextAndMarkupThatRunsNothing) {
  reader.ShowModal();
  const std::string text = WaitForText("Hostile bold");
  EXPECT_NE(text.find("Hostile"), std::string::npos) << text;
  engine::Browser& b = *reader.wb();
  EXPECT_NE(b.LocationURL().rfind("file://", 0), std::string::npos);
  ui::WaitWithMessages(300);
  EXPECT_EQ(b.RunScript("document.title").value_or("?"), "");
  EXPECT_EQ(b.RunScript("(function(){var d=document.getElementById('f').contentDocument;"
                        "return d ? d.body.innerText : 'frame loaded';})()")
                .value_or("?"),
            "");
  // The next feed's page, in the same engine, and the first one's again
  // with a new engine after the manage window closed.
  reader.cbfeeds.set_active(1);
  EXPECT_NE(WaitForText("Calm item").find("quiet"), std::string::npos);
  dialogs.whileModal = [this](Gtk::Window& w) {
    if (&w == &manage) manage.BitBtn1Click();
  };
  reader.SpeedButton9Click();
  EXPECT_NE(WaitForText("Hostile").find("Hostile"), std::string::npos);
}

// The colour the screen shows in the middle of `area`: what the display
// holds, not what the engine would render for a snapshot.
std::string ShownColour(Gtk::Widget& area) {
  int x = 0, y = 0;
  area.translate_coordinates(*area.get_toplevel(), area.get_allocated_width() / 2, area.get_allocated_height() / 2, x,
                             y);
  int ox = 0, oy = 0;
  area.get_toplevel()->get_window()->get_origin(ox, oy);
  auto shot = Gdk::Pixbuf::create(Gdk::Screen::get_default()->get_root_window(), ox + x, oy + y, 1, 1);
  if (!shot) return "none";
  const guint8* p = shot->get_pixels();
  char text[16];
  std::snprintf(text, sizeof text, "%02x%02x%02x", p[0], p[1], p[2]);
  return text;
}

TEST_F(ReaderWithEngine, EveryShowingPaintsItsPage) {
  server.AddPage("/green", "<rss><channel><item><title>g</title><description><![CDATA[<div style='position:fixed;"
                           "left:0;top:0;width:100%;height:100%;background:#00ff00'></div>]]></description></item>"
                           "</channel></rss>");
  listfile::SaveListViewToFile({rss::MakeFeed("Green", server.Url("/green"))}, settings / "2rss.lmf");
  // As in the program: the pages' data in a context of its own, and a
  // tab's view beside the reader. A fresh view then at times shows its
  // first page as one row at its bottom, grey above it.
  engine::StoreWebDataIn(temp / "webdata", temp / "webcache");
  engine_testing::BrowserWindow tab(engine::CreateWebKitBrowser(), 900, 0, 300, 200);
  tab.browser->Navigate(server.Url("/story"));
  for (int showing = 0; showing < 3; ++showing) {
    SCOPED_TRACE(showing);
    reader.ShowModal();
    WaitForText("g");
    EXPECT_TRUE(ui::WaitUntil([&] { return ShownColour(reader.pwb) == "00ff00"; }, 5000)) << ShownColour(reader.pwb);
    reader.SpeedButton10Click();
    ui::WaitWithMessages(100);  // the user opens it again a moment later
  }
}

TEST_F(ReaderWithEngine, AnArticleFollowedInTheReaderGoesToANewTab) {
  listfile::SaveListViewToFile({rss::MakeFeed("Calm", server.Url("/calm"))}, settings / "2rss.lmf");
  reader.ShowModal();
  WaitForText("Calm item");
  engine::Browser& b = *reader.wb();
  // The reader's own page is never handed on.
  reader.sb1Click();
  EXPECT_TRUE(openedInTabs.empty());
  ASSERT_TRUE(ui::WaitUntil([&] { return reader.sb1.get_sensitive(); }, 5000));
  // The user follows the article's link.
  b.RunScript("document.links[0].click()");
  ASSERT_TRUE(ui::WaitUntil([&] { return b.IsComplete() && b.LocationURL() == server.Url("/story"); },
                            engine_testing::kLoadTimeoutMs))
      << b.LocationURL();
  reader.sb1Click();
  EXPECT_EQ(openedInTabs, (std::vector<std::string>{server.Url("/story")}));
  EXPECT_GE(server.RequestCount("/story"), 2);  // the reader's load and the probe
}

}  // namespace
