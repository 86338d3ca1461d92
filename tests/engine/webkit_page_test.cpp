// WebKitBrowser: what the shell reads from and writes into a loaded page
// (scripts, body, selection, links, cookie), its picture, the link under
// the mouse and the context menu.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "engine/EngineFixture.h"

namespace {

using engine_testing::BrowserWindow;
using engine_testing::EngineTest;

class Page : public EngineTest {
 protected:
  Page() {
    testing_support::FixturePage page;
    page.body =
        "<!DOCTYPE html><html><head><title>Page</title></head><body>"
        "<p id='p'>Hello <b>world</b></p>"
        "<a href='/one'>First link</a> <a href='http://example.invalid/two'>Second</a>"
        "<map name='m'><area href='/three' shape='rect' coords='0,0,1,1'></map>"
        "<a name='anchor-without-href'>not a link</a>"
        "<script>document.cookie = 'fromscript=2';</script>"
        "</body></html>";
    page.headers = {{"Set-Cookie", "fromserver=1; Path=/"}};
    server.Add("/page", page);
    server.AddPage("/drawing.svg",
                   "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                   "<title>Drawing</title><rect width='10' height='10'/></svg>",
                   200, "image/svg+xml");
  }
};

TEST_F(Page, WithoutAPageThereIsNothingToAsk) {
  EXPECT_EQ(browser.RunScript("1 + 1"), std::nullopt);
  EXPECT_EQ(browser.BodyInnerHTML(), std::nullopt);
  EXPECT_FALSE(browser.SetBodyInnerHTML("<p>x</p>"));
  EXPECT_EQ(browser.SelectedText(), std::nullopt);
  EXPECT_EQ(browser.Cookie(), std::nullopt);
  EXPECT_TRUE(browser.Links().empty());
  EXPECT_EQ(browser.Snapshot(), std::nullopt);
}

TEST_F(Page, RunScriptAnswersTheResultAsTextAndNothingWhenTheScriptFails) {
  ASSERT_TRUE(Load(server.Url("/page")));
  struct Case {
    const char* script;
    std::optional<std::string> answer;
  } cases[] = {
      {"1 + 2", "3"},
      {"document.title", "Page"},
      {"'caf\\u00e9'", "caf\u00e9"},
      {"true", "true"},
      {"undefined", ""},
      {"null", ""},
      {"throw new Error('boom')", std::nullopt},
      {"this is not javascript", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(browser.RunScript(c.script), c.answer) << c.script;
}

TEST_F(Page, BodyMarkupCanBeReadAndReplacedWithAnyText) {
  ASSERT_TRUE(Load(server.Url("/page")));
  const auto body = browser.BodyInnerHTML();
  ASSERT_TRUE(body);
  EXPECT_NE(body->find("<p id=\"p\">Hello <b>world</b></p>"), std::string::npos) << *body;

  // Quotes, backslashes, line breaks and script syntax arrive as they
  // are: the markup is never spliced into script text.
  const std::string markup = "<p id=\"q\">It's \"quoted\" \\ back\nslash &amp; `${1}` ');throw 1;// \u00e9</p>";
  ASSERT_TRUE(browser.SetBodyInnerHTML(markup));
  EXPECT_EQ(browser.BodyInnerHTML(), markup);
  EXPECT_EQ(browser.RunScript("document.getElementById('q').textContent"),
            "It's \"quoted\" \\ back\nslash & `${1}` ');throw 1;// \u00e9");
}

TEST_F(Page, ADocumentWithoutBodyHasNoBodyMarkup) {
  ASSERT_TRUE(Load(server.Url("/drawing.svg")));
  EXPECT_EQ(browser.RunScript("String(document.body)"), "null");
  EXPECT_EQ(browser.BodyInnerHTML(), std::nullopt);
  EXPECT_FALSE(browser.SetBodyInnerHTML("<p>x</p>"));
}

TEST_F(Page, SelectedTextIsEmptyUntilSomethingIsSelected) {
  ASSERT_TRUE(Load(server.Url("/page")));
  EXPECT_EQ(browser.SelectedText(), "");
  ASSERT_TRUE(browser.RunScript("window.getSelection().selectAllChildren(document.getElementById('p'))"));
  EXPECT_EQ(browser.SelectedText(), "Hello world");
}

TEST_F(Page, LinksAreEveryAddressOfThePageWithItsText) {
  ASSERT_TRUE(Load(server.Url("/page")));
  const auto links = browser.Links();
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].href, server.Url("/one"));
  EXPECT_EQ(links[0].text, "First link");
  EXPECT_EQ(links[1].href, "http://example.invalid/two");
  EXPECT_EQ(links[1].text, "Second");
  EXPECT_EQ(links[2].href, server.Url("/three"));
  EXPECT_EQ(links[2].text, "");
}

TEST_F(Page, CookieHoldsWhatTheServerAndThePageSet) {
  ASSERT_TRUE(Load(server.Url("/page")));
  const auto cookie = browser.Cookie();
  ASSERT_TRUE(cookie);
  EXPECT_NE(cookie->find("fromserver=1"), std::string::npos) << *cookie;
  EXPECT_NE(cookie->find("fromscript=2"), std::string::npos) << *cookie;
}

TEST_F(Page, SnapshotShowsThePageAtTheViewsSize) {
  server.AddColouredPage("/green", "Green", "#00c000");
  ASSERT_TRUE(Load(server.Url("/green")));
  const auto picture = browser.Snapshot();
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, browser.widget().get_allocated_width());
  EXPECT_EQ(picture->height, browser.widget().get_allocated_height());
  ASSERT_EQ(picture->rgb.size(), std::size_t(picture->width) * std::size_t(picture->height) * 3);
  const std::uint8_t* centre = picture->pixel(picture->width / 2, picture->height / 2);
  EXPECT_NEAR(centre[0], 0, 8);
  EXPECT_NEAR(centre[1], 0xc0, 8);
  EXPECT_NEAR(centre[2], 0, 8);
}

// How many pixels of row `y` are dark.
int DarkPixels(const engine::Bitmap& picture, int y) {
  int dark = 0;
  for (int x = 0; x < picture.width; ++x) dark += picture.pixel(x, y)[0] < 64 ? 1 : 0;
  return dark;
}

TEST_F(Page, AZoomedPageIsDrawnLargerAndZoomsOutsideTheEnginesRangeAreRefused) {
  server.AddPage("/box", "<body style='margin:0;background:#fff'><div style='width:100px;height:40px;"
                         "background:#000'></div></body>");
  ASSERT_TRUE(Load(server.Url("/box")));
  auto before = browser.Snapshot();
  ASSERT_TRUE(before);
  EXPECT_NEAR(DarkPixels(*before, 10), 100, 2);
  ASSERT_TRUE(browser.SetZoom(150));
  EXPECT_EQ(browser.Zoom(), 150);
  std::optional<engine::Bitmap> after;
  ASSERT_TRUE(ui::WaitUntil(
      [&] {
        after = browser.Snapshot();
        return after && DarkPixels(*after, 10) > 120;
      },
      5000));
  EXPECT_NEAR(DarkPixels(*after, 10), 150, 3);
  EXPECT_GT(DarkPixels(*after, 50), 100);  // taller too: 60 pixels now

  for (int refused : {0, 9, 1001}) {
    std::string error;
    EXPECT_FALSE(browser.SetZoom(refused, &error)) << refused;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(browser.Zoom(), 150) << refused;
  }
}

TEST(StatusText, IsTheLinkUnderTheMouseAndEmptyOffLinks) {
  testing_support::FixtureServer server;
  server.AddColouredPage("/hover", "Hover", "#ffffff",
                         "<a href='/target?x=1' style='position:absolute;left:0;top:0;width:200px;height:150px;"
                         "display:block'>link</a>");
  BrowserWindow shown(engine::CreateWebKitBrowser(), 0, 0, 480, 360);
  std::vector<std::string> texts;
  shown.browser->OnStatusTextChange.connect([&](const std::string& t) { texts.push_back(t); });
  shown.browser->Navigate(server.Url("/hover"));
  ASSERT_TRUE(ui::WaitUntil([&] { return shown.browser->IsComplete(); }, engine_testing::kLoadTimeoutMs));

  const std::string link = server.Url("/target?x=1");
  auto hoverUntil = [&](int x, int y, const std::string& text) {
    engine_testing::MoveTo(shown.browser->widget(), x, y);
    return ui::WaitUntil([&] { return !texts.empty() && texts.back() == text; }, 5000);
  };
  ASSERT_TRUE(hoverUntil(50, 50, link));
  ASSERT_TRUE(hoverUntil(400, 300, ""));
  ASSERT_TRUE(hoverUntil(60, 60, link));
  ASSERT_TRUE(hoverUntil(70, 70, link));
  // The mouse leaves the page while on the link.
  GdkEvent* leave = gdk_event_new(GDK_LEAVE_NOTIFY);
  leave->crossing.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(shown.browser->widget().gobj())));
  leave->crossing.time = GDK_CURRENT_TIME;
  leave->crossing.x = -1;
  leave->crossing.y = 70;
  leave->crossing.mode = GDK_CROSSING_NORMAL;
  leave->crossing.detail = GDK_NOTIFY_ANCESTOR;
  gtk_widget_event(shown.browser->widget().gobj(), leave);
  gdk_event_free(leave);
  ASSERT_TRUE(ui::WaitUntil([&] { return texts.back().empty(); }, 5000));
  // Each change is told once: no repeat while the mouse stays on the link.
  const std::vector<std::string> expected = {link, "", link, ""};
  EXPECT_EQ(texts, expected);
}

// The engine's menus now up on the screen.
int VisibleEngineMenus() {
  GList* toplevels = gtk_window_list_toplevels();
  int menus = 0;
  for (GList* l = toplevels; l; l = l->next) {
    menus += gtk_window_get_window_type(GTK_WINDOW(l->data)) == GTK_WINDOW_POPUP &&
             gtk_widget_get_visible(GTK_WIDGET(l->data));
  }
  g_list_free(toplevels);
  return menus;
}

// Closes the menus that are up, so their grab of the pointer ends.
void CloseEngineMenus() {
  GList* toplevels = gtk_window_list_toplevels();
  for (GList* l = toplevels; l; l = l->next) {
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(l->data));
    if (child && GTK_IS_MENU(child)) gtk_menu_popdown(GTK_MENU(child));
  }
  g_list_free(toplevels);
  ui::WaitUntil([] { return VisibleEngineMenus() == 0; }, 5000);
}

TEST(ContextMenu, AHandlerReplacesTheEnginesMenu) {
  testing_support::FixtureServer server;
  server.AddColouredPage("/menu", "Menu", "#ffffff");
  BrowserWindow shown(engine::CreateWebKitBrowser(), 1300, 200, 400, 300);
  int asked = 0;
  sigc::connection handler = shown.browser->OnContextMenu.connect([&] { ++asked; });
  shown.browser->Navigate(server.Url("/menu"));
  ASSERT_TRUE(ui::WaitUntil([&] { return shown.browser->IsComplete(); }, engine_testing::kLoadTimeoutMs));

  const bool clicked = ui::WaitUntil(
      [&] {
        engine_testing::ClickAt(shown.browser->widget(), 100, 100, 3);
        ui::WaitWithMessages(200);
        return asked > 0;
      },
      5000);
  ASSERT_TRUE(clicked);
  // No menu of the engine's own went up.
  EXPECT_EQ(VisibleEngineMenus(), 0);

  // Without a handler the engine shows its own.
  handler.disconnect();
  engine_testing::ClickAt(shown.browser->widget(), 100, 100, 3);
  EXPECT_TRUE(ui::WaitUntil([&] { return VisibleEngineMenus() > 0; }, 5000));
  // Closed again, so its grab of the pointer ends with it.
  CloseEngineMenus();
  EXPECT_EQ(VisibleEngineMenus(), 0);
}

TEST(ContextMenu, EditablePartsOfAPageGetTheEnginesEditMenuEverywhereElseOurs) {
  testing_support::FixtureServer server;
  server.AddPage("/fields",
                 "<!DOCTYPE html><html><head><title>Fields</title><style>"
                 "body{margin:0} .f{position:absolute;left:20px;width:300px;height:40px;margin:0;padding:0}"
                 "</style></head><body>"
                 "<p class='f' style='top:0'>plain words plain words plain words</p>"
                 "<textarea class='f' style='top:60px'>a text area</textarea>"
                 "<input class='f' style='top:120px' value='a text box'>"
                 "<div class='f' style='top:180px' contenteditable='true'>an editable region</div>"
                 "<input class='f' style='top:240px' type='checkbox'>"
                 "</body></html>");
  BrowserWindow shown(engine::CreateWebKitBrowser(), 1300, 200, 400, 320);
  int asked = 0;
  shown.browser->OnContextMenu.connect([&] { ++asked; });
  shown.browser->Navigate(server.Url("/fields"));
  ASSERT_TRUE(ui::WaitUntil([&] { return shown.browser->IsComplete(); }, engine_testing::kLoadTimeoutMs));

  const struct {
    const char* what;
    int y;
    bool ours;
  } cases[] = {
      {"plain text", 20, true},
      {"text area", 80, false},
      {"text box", 140, false},
      {"editable region", 200, false},
      {"check box", 250, true},
  };
  for (const auto& c : cases) {
    const int before = asked;
    // The first clicks may come before the page takes events.
    const bool answered = ui::WaitUntil(
        [&] {
          engine_testing::ClickAt(shown.browser->widget(), 30, c.y, 3);
          ui::WaitWithMessages(200);
          return asked > before || VisibleEngineMenus() > 0;
        },
        5000);
    ASSERT_TRUE(answered) << c.what;
    EXPECT_EQ(asked > before, c.ours) << c.what;
    EXPECT_EQ(VisibleEngineMenus() > 0, !c.ours) << c.what;
    CloseEngineMenus();
  }

  // In design mode the whole document is edited: the edit menu everywhere.
  ASSERT_TRUE(shown.browser->SetDesignMode(true));
  const int before = asked;
  engine_testing::ClickAt(shown.browser->widget(), 30, 20, 3);
  EXPECT_TRUE(ui::WaitUntil([&] { return VisibleEngineMenus() > 0; }, 5000));
  EXPECT_EQ(asked, before);
  CloseEngineMenus();
}

// A browser closed while the caller still waits for its answer: the wait
// ends with nothing, and nothing touches the freed browser.
class ClosedWhileWaiting : public ::testing::Test {
 protected:
  ClosedWhileWaiting() {
    server.AddColouredPage("/page", "Page", "#808080");
    shown = std::make_unique<BrowserWindow>(engine::CreateWebKitBrowser());
    shown->browser->Navigate(server.Url("/page"));
    ui::WaitUntil([&] { return shown->browser->IsComplete(); }, engine_testing::kLoadTimeoutMs);
  }
  // Closes the browser from the main loop, as a tab closed by an event
  // during the wait would.
  void CloseSoon(int afterMs) {
    g_timeout_add(guint(afterMs), +[](gpointer data) -> gboolean {
      static_cast<ClosedWhileWaiting*>(data)->shown.reset();
      return G_SOURCE_REMOVE;
    }, this);
  }
  testing_support::FixtureServer server;
  std::unique_ptr<BrowserWindow> shown;
};

TEST_F(ClosedWhileWaiting, Script) {
  ASSERT_TRUE(shown->browser->IsComplete());
  engine::Browser& browser = *shown->browser;
  CloseSoon(50);
  const gint64 start = g_get_monotonic_time();
  EXPECT_EQ(browser.RunScript("const end = Date.now() + 1000; while (Date.now() < end) {} 'late'"), std::nullopt);
  EXPECT_EQ(shown, nullptr);
  EXPECT_LT(g_get_monotonic_time() - start, 900 * 1000);
  ui::WaitWithMessages(1500);  // the late answer arrives to nobody
}

TEST_F(ClosedWhileWaiting, Snapshot) {
  ASSERT_TRUE(shown->browser->IsComplete());
  engine::Browser& browser = *shown->browser;
  CloseSoon(0);
  EXPECT_EQ(browser.Snapshot(), std::nullopt);
  EXPECT_EQ(shown, nullptr);
  ui::WaitWithMessages(500);
}

TEST_F(ClosedWhileWaiting, ClosedByItsOwnEvent) {
  ASSERT_TRUE(shown->browser->IsComplete());
  server.AddColouredPage("/next", "Next", "#808080");
  int completes = 0;
  shown->browser->OnDownloadComplete.connect([&] {
    ++completes;
    shown.reset();
  });
  shown->browser->Navigate(server.Url("/next"));
  ASSERT_TRUE(ui::WaitUntil([&] { return shown == nullptr; }, engine_testing::kLoadTimeoutMs));
  ui::WaitWithMessages(300);
  EXPECT_EQ(completes, 1);
}

}  // namespace
