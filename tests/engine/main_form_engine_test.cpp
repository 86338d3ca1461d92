// The main window with the real engine: the address bar's probe, pop-ups,
// titles and the history, against the loopback fixture server.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <cstdint>
#include <memory>

#include "RealMainForm.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "engine/WebKitBrowser.h"
#include "library/Tfhistory.h"
#include "listfile/ListFile.h"
#include "navigation/UrlResolution.h"
#include "options/Tfoptions.h"
#include "options/UserAgents.h"
#include "support/FixtureServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

constexpr int kLoadMs = 20000;

class MainFormEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetTerminating(false);
    server.AddPage("/home", "<title>Home</title><p>home</p>");
    server.AddPage("/search", "<title>Results</title><p>results</p>");
  }

  void TearDown() override { main.Close(); }

  void Start() {
    Open("/home");
    ASSERT_TRUE(WaitLoaded(server.Url("/home")));
  }

  // Starts the main window on the home page `homePath` of the server, as
  // the program does, without waiting for the page.
  void Open(const std::string& homePath) {
    // Searches go to this server instead of Google.
    main.Open(server.Url(homePath), [this](app::Environment& env) { env.engines[0].host = server.HostAndPort(); });
  }

  engine::Browser& Current() { return *form->GetCurrentWB(); }

  // Lets messages run until the current tab shows `address`, complete.
  bool WaitLoaded(const std::string& address) {
    return ui::WaitUntil(
        [&] {
          engine::Browser* b = form->GetCurrentWB();
          return b && b->IsComplete() && b->LocationURL() == address;
        },
        kLoadMs);
  }

  void TypeAndEnter(const std::string& text) {
    form->eurl.set_text(text);
    GdkEventKey enter{};
    enter.type = GDK_KEY_PRESS;
    enter.keyval = GDK_KEY_Return;
    form->eurlKeyPress(&enter);
  }

  // How many points of a grid over `widget` it leaves unpainted when it
  // draws itself onto a surface filled with a colour no page here uses.
  static int UnpaintedPoints(Gtk::Widget& widget) {
    const int width = widget.get_allocated_width();
    const int height = widget.get_allocated_height();
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, width, height);
    auto cr = Cairo::Context::create(surface);
    cr->set_source_rgb(1, 0, 1);
    cr->paint();
    gtk_widget_draw(widget.gobj(), cr->cobj());
    surface->flush();
    int unpainted = 0;
    for (int row = 0; row < 10; ++row) {
      for (int column = 0; column < 10; ++column) {
        const int x = (width - 1) * column / 9;
        const int y = (height - 1) * row / 9;
        const auto* pixel = reinterpret_cast<const std::uint32_t*>(surface->get_data() + y * surface->get_stride()) + x;
        if ((*pixel & 0xFFFFFF) == 0xFF00FF) ++unpainted;
      }
    }
    return unpainted;
  }

  testing_support::FixtureServer server;
  testing_support::ScriptedDialogs dialogs;
  engine_testing::RealMainForm main;
  testing_support::TempFolder& data = main.data;
  std::unique_ptr<app::TMainForm>& form = main.form;
  std::unique_ptr<library::Tfhistory>& history = main.history;
};

TEST_F(MainFormEngineTest, AReachableAddressIsProbedThenOpenedAsTyped) {
  server.AddPage("/a", "<title>A</title>");
  Start();
  TypeAndEnter(server.HostAndPort("/a"));
  ASSERT_TRUE(WaitLoaded(server.Url("/a")));
  const auto requests = server.RequestsFor("/a");
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].userAgent, "InetURL:/1.0");
  EXPECT_NE(requests[1].userAgent.find("Lumivale/"), std::string::npos);
  EXPECT_EQ(form->eurl.get_text(), server.Url("/a"));
}

TEST_F(MainFormEngineTest, AChosenUserAgentIsSentByTheCurrentAndNewTabsWhileAnOlderTabKeepsItsOwn) {
  for (const char* path : {"/second", "/new", "/again", "/old"}) server.AddPage(path, "<title>page</title>");
  Start();
  form->createBrowser(server.Url("/second"));
  ASSERT_TRUE(WaitLoaded(server.Url("/second")));
  options::Tfoptions dialog(form->SettingsFolder(), form->OptionsCallbacks());
  dialog.FormCreate(form->config.colorScheme, {});
  app::forms().foptions = &dialog;
  const std::string chosen = options::BuiltInAgents()[4];
  dialogs.whileModal = [&](Gtk::Window&) {
    for (int i = 0; i < int(dialog.agents().size()); ++i)
      if (dialog.agents()[std::size_t(i)] == chosen) dialog.cbx.set_active(i);
    dialog.sbset2.clicked();
    dialog.BitBtn2.clicked();
  };
  form->Options1Click();

  Current().Navigate(server.Url("/again"));
  ASSERT_TRUE(WaitLoaded(server.Url("/again")));
  form->createBrowser(server.Url("/new"));
  ASSERT_TRUE(WaitLoaded(server.Url("/new")));
  form->slikaklik(0);
  Current().Navigate(server.Url("/old"));
  ASSERT_TRUE(WaitLoaded(server.Url("/old")));

  auto agentOf = [&](const char* path) {
    const auto requests = server.RequestsFor(path);
    return requests.empty() ? std::string("(none)") : requests.back().userAgent;
  };
  EXPECT_EQ(agentOf("/again"), chosen);
  EXPECT_EQ(agentOf("/new"), chosen);
  EXPECT_EQ(agentOf("/old"), agentOf("/home"));
  EXPECT_NE(agentOf("/old").find("Lumivale/"), std::string::npos);
  app::forms().foptions = nullptr;
}

TEST_F(MainFormEngineTest, WhatDoesNotAnswerTwoHundredIsSearchedFor) {
  server.AddStatus("/missing", 404);
  server.AddStatus("/broken", 500);
  server.AddRedirect("/moved", "/missing", 301);
  testing_support::RefusedPort refused;
  Start();
  const std::string texts[] = {server.Url("/missing"), server.Url("/broken"), server.Url("/moved"),
                               refused.Url("/page"), "nothing.invalid", "two words"};
  for (const std::string& text : texts) {
    server.ClearRequests();
    TypeAndEnter(text);
    ASSERT_TRUE(server.WaitForRequest("/search", kLoadMs)) << text;
    const auto search = server.RequestsFor("/search").back();
    EXPECT_EQ(search.query.substr(0, 23), "ie=ISO-8859-1&hl=us&q=" + std::string(1, text[0])) << text;
    EXPECT_TRUE(ui::WaitUntil([&] { return Current().IsComplete(); }, kLoadMs));
    EXPECT_NE(Current().LocationURL().find("/search?ie=ISO-8859-1&hl=us&q="), std::string::npos) << text;
  }
}

TEST_F(MainFormEngineTest, TheSearchEngineReceivesTheWholeTextWithItsSpecialCharacters) {
  Start();
  server.ClearRequests();
  TypeAndEnter("C# & caf\xC3\xA9 100%");
  ASSERT_TRUE(server.WaitForRequest("/search", kLoadMs));
  EXPECT_EQ(server.RequestsFor("/search").back().query, "ie=ISO-8859-1&hl=us&q=C%23+%26+caf%E9+100%25");
}

TEST_F(MainFormEngineTest, APopUpOfTheCurrentTabAsksAndYesLoadsItInANewTab) {
  server.AddPopupPage("/opener", "/popup");
  server.AddPage("/popup", "<title>Popup</title>");
  Start();
  dialogs.answers = {ui::Answer::Yes};
  Current().Navigate(server.Url("/opener"));
  ASSERT_TRUE(ui::WaitUntil([&] { return form->table.LiveCount() == 2; }, kLoadMs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Pop-up blocked\n\n\nAllow Pop-up?");
  EXPECT_EQ(form->table.CurrentTab(), 1);
  EXPECT_TRUE(WaitLoaded(server.Url("/popup")));
  EXPECT_EQ(server.RequestCount("/popup"), 1);
  EXPECT_TRUE(form->PopupsAllowed);
}

TEST_F(MainFormEngineTest, APopUpThatClosesItselfTakesOnlyItsOwnTabAway) {
  server.AddPopupPage("/opener", "/popup");
  server.AddPage("/popup", "<title>Popup</title><p>popup</p>");
  Start();
  dialogs.answers = {ui::Answer::Yes};
  Current().Navigate(server.Url("/opener"));
  ASSERT_TRUE(ui::WaitUntil([&] { return form->table.LiveCount() == 2; }, kLoadMs));
  ASSERT_TRUE(WaitLoaded(server.Url("/popup")));
  engine::Browser* opener = form->tab[0].browser.get();

  // The pop-up's own script closes its window, as a page does when done.
  ASSERT_TRUE(Current().RunScript("setTimeout(function() { window.close(); }, 0); 'closing'"));
  ASSERT_TRUE(ui::WaitUntil([&] { return form->table.LiveCount() == 1; }, kLoadMs));
  EXPECT_TRUE(form->table.IsLive(0));
  EXPECT_FALSE(form->table.IsLive(1));
  EXPECT_EQ(form->GetCurrentWB(), opener);
  EXPECT_EQ(form->eurl.get_text(), server.Url("/opener"));
  EXPECT_EQ(opener->RunScript("document.title"), "Opener");
}

TEST_F(MainFormEngineTest, APopUpTheUserRefusesIsNotLoaded) {
  server.AddPopupPage("/opener", "/popup");
  server.AddPage("/popup", "<title>Popup</title>");
  Start();
  dialogs.answers = {ui::Answer::No};
  Current().Navigate(server.Url("/opener"));
  ASSERT_TRUE(ui::WaitUntil([&] { return !dialogs.shown.empty(); }, kLoadMs));
  ui::WaitWithMessages(300);
  EXPECT_EQ(form->table.LiveCount(), 1);
  EXPECT_EQ(server.RequestCount("/popup"), 0);
  EXPECT_FALSE(form->PopupsAllowed);
}

TEST_F(MainFormEngineTest, APopUpOfABackgroundTabIsBlockedWithoutAQuestion) {
  // The page opens its pop-up only when told to, so the request comes
  // after its tab has gone to the background however slow the machine is.
  server.AddPage("/opener",
                 "<title>Opener</title><script>"
                 "function openLater() { setTimeout(function() { window.open('/popup'); }, 0); }"
                 "</script>");
  server.AddPage("/popup", "<title>Popup</title>");
  Start();
  Current().Navigate(server.Url("/opener"));
  ASSERT_TRUE(WaitLoaded(server.Url("/opener")));
  engine::Browser& opener = Current();
  int requests = 0;
  bool refused = false;
  // Runs after the main window's handler and sees what it decided.
  opener.OnNewWindow2.connect([&](engine::Browser*& newWindow, bool& cancel) {
    ++requests;
    refused = cancel && newWindow == nullptr;
  });
  form->createBrowser(server.Url("/home"));  // the opener is in the background now
  ASSERT_EQ(form->table.CurrentTab(), 1);
  ASSERT_TRUE(opener.RunScript("openLater(); 'asked'"));
  ASSERT_TRUE(ui::WaitUntil([&] { return requests > 0; }, kLoadMs));
  EXPECT_TRUE(refused);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(dialogs.beeps.empty());
  EXPECT_EQ(form->table.LiveCount(), 2);
  EXPECT_EQ(form->table.CurrentTab(), 1);
  EXPECT_EQ(server.RequestCount("/popup"), 0);
  EXPECT_FALSE(form->PopupsAllowed);
}

TEST_F(MainFormEngineTest, WhileASlowFirstPageLoadsTheWholePageAreaIsPaintedAndTheAddressBarShowsIt) {
  server.AddSlowPage("/slow-home", 15000, "<title>Home</title>");
  Open("/slow-home");
  ASSERT_TRUE(server.WaitForRequest("/slow-home", kLoadMs));
  // The window grows once it is on screen, as when the window manager
  // maximises it (this display has none that would).
  int width = 0, height = 0;
  form->get_size(width, height);
  form->resize(width + 300, height + 150);
  Gtk::Widget& page = Current().widget();
  ASSERT_TRUE(ui::WaitUntil([&] { return page.get_allocated_width() >= width + 300; }, 5000));
  EXPECT_EQ(page.get_allocated_width(), form->pages.get_allocated_width());
  EXPECT_EQ(page.get_allocated_height(), form->pages.get_allocated_height());
  EXPECT_EQ(form->eurl.get_text(), server.Url("/slow-home"));
  EXPECT_TRUE(ui::WaitUntil([&] { return UnpaintedPoints(page) == 0; }, 3000))
      << UnpaintedPoints(page) << " of 100 points unpainted";
  EXPECT_FALSE(Current().IsComplete());
}

TEST_F(MainFormEngineTest, TitlesAndHistoryRowsFollowRealPageLoads) {
  server.AddPage("/first", "<title>First page</title>");
  server.AddPage("/second", "<title>Second page</title>");
  Start();
  Current().Navigate(server.Url("/first"));
  ASSERT_TRUE(WaitLoaded(server.Url("/first")));
  ASSERT_TRUE(ui::WaitUntil([&] { return history->mhistory.Items().size() >= 2; }, kLoadMs));
  Current().Navigate(server.Url("/second"));
  ASSERT_TRUE(WaitLoaded(server.Url("/second")));
  ASSERT_TRUE(ui::WaitUntil([&] { return history->mhistory.Items().size() >= 3; }, kLoadMs));
  ui::WaitWithMessages(200);

  EXPECT_EQ(form->tab[0].panel->get_tooltip_text(), "Second page");
  EXPECT_EQ(form->LastTitle, "Second page");
  listfile::Rows onDisk;
  ASSERT_TRUE(listfile::LoadListViewToFile(onDisk, data / "Lumivale/history.lmf"));
  ASSERT_EQ(onDisk.size(), 3u);
  EXPECT_EQ(onDisk[0].subItems, (std::vector<std::string>{"Second page", server.Url("/second")}));
  EXPECT_EQ(onDisk[1].subItems, (std::vector<std::string>{"First page", server.Url("/first")}));
  EXPECT_EQ(onDisk[2].subItems, (std::vector<std::string>{"Home", server.Url("/home")}));
  // The thumbnail was taken from the page once it completed.
  EXPECT_TRUE(form->tab[0].thumb->HasPicture());
  EXPECT_TRUE(form->tab[0].close->get_visible());
}

TEST_F(MainFormEngineTest, PagesShownInPlaceOfPagesThatCannotBeShownAreNoVisits) {
  testing_support::FixtureServer secure(testing_support::FixtureServer::Scheme::UntrustedHttps);
  secure.AddPage("/secret", "<title>Secret</title>");
  server.AddPage("/first", "<title>First page</title>");
  server.AddPage("/second", "<title>Second page</title>");
  Start();
  Current().Navigate(server.Url("/first"));
  ASSERT_TRUE(WaitLoaded(server.Url("/first")));
  ASSERT_TRUE(ui::WaitUntil([&] { return history->mhistory.Items().size() == 2; }, kLoadMs));
  auto hint = [&](int slot) { return std::string(form->tab[std::size_t(slot)].panel->get_tooltip_text()); };

  // A site whose certificate is not trusted.
  Current().Navigate(secure.Url("/secret"));
  ASSERT_TRUE(ui::WaitUntil([&] { return hint(0).find("not secure") != std::string::npos; }, kLoadMs));
  ASSERT_TRUE(WaitLoaded(secure.Url("/secret")));
  ui::WaitWithMessages(300);
  EXPECT_EQ(form->eurl.get_text(), secure.Url("/secret"));
  EXPECT_EQ(history->mhistory.Items().size(), 2u);

  // A page whose process ended while another tab was visited after it.
  Current().Navigate(server.Url("/second"));
  ASSERT_TRUE(WaitLoaded(server.Url("/second")));
  form->createBrowser(server.Url("/first"));
  ASSERT_TRUE(WaitLoaded(server.Url("/first")));
  ASSERT_TRUE(ui::WaitUntil([&] { return history->mhistory.Items().size() == 4; }, kLoadMs));
  form->slikaklik(0);
  webkit_web_view_terminate_web_process(WEBKIT_WEB_VIEW(Current().widget().gobj()));
  ASSERT_TRUE(ui::WaitUntil([&] { return hint(0).find("stopped") != std::string::npos; }, kLoadMs));
  ASSERT_TRUE(WaitLoaded(server.Url("/second")));
  ui::WaitWithMessages(300);
  EXPECT_EQ(form->eurl.get_text(), server.Url("/second"));
  ASSERT_EQ(history->mhistory.Items().size(), 4u);
  listfile::Rows onDisk;
  ASSERT_TRUE(listfile::LoadListViewToFile(onDisk, data / "Lumivale/history.lmf"));
  ASSERT_EQ(onDisk.size(), 4u);
  EXPECT_EQ(onDisk[0].subItems, (std::vector<std::string>{"First page", server.Url("/first")}));
  EXPECT_EQ(onDisk[1].subItems, (std::vector<std::string>{"Second page", server.Url("/second")}));
  EXPECT_EQ(onDisk[2].subItems, (std::vector<std::string>{"First page", server.Url("/first")}));
}

TEST_F(MainFormEngineTest, DuplicateShowsTheSourcePageAsScriptsLeftIt) {
  server.AddPage("/live", "<title>Live</title><body><p id=x>as served</p></body>");
  Start();
  Current().Navigate(server.Url("/live"));
  ASSERT_TRUE(WaitLoaded(server.Url("/live")));
  ASSERT_TRUE(Current().RunScript("document.getElementById('x').textContent = 'changed by a script'; 1"));
  form->d1Click();
  ASSERT_EQ(form->table.CurrentTab(), 1);
  engine::Browser& copy = Current();
  EXPECT_EQ(copy.LocationURL(), server.Url("/live"));
  EXPECT_EQ(server.RequestCount("/live"), 2);  // a fresh load of the address
  EXPECT_EQ(copy.RunScript("document.getElementById('x').textContent"), "changed by a script");
}

}  // namespace
