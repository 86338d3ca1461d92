// Redirect mode and the side panel with the real engine: a link clicked in
// a tab shows in the side panel, a new window from the side page reloads
// it, and "Open in Browser" moves the side page as it is into a new tab.
#include <gtest/gtest.h>

#include <memory>

#include "EngineFixture.h"
#include "RealMainForm.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "engine/WebKitBrowser.h"
#include "library/Tfhistory.h"
#include "support/FixtureServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

constexpr int kLoadMs = 20000;

// A link that fills the top left of the page, so a click there follows it.
std::string BigLink(const std::string& href, const std::string& target = "") {
  return "<a id='l' href='" + href + "'" + (target.empty() ? "" : " target='" + target + "'") +
         " style='display:block;width:300px;height:200px;background:#ccc'>link</a>";
}

class SidePanelEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetTerminating(false);
    server.AddPage("/home", "<title>Home</title>" + BigLink("/target"));
    server.AddPage("/target", "<title>Target</title><p>target</p>");
  }
  void TearDown() override { main.Close(); }

  void Start() {
    main.Open(
        server.Url("/home"), [](app::Environment& env) { env.checkUrl = [](const std::string&) { return true; }; },
        /*recordHistory=*/false);
    ASSERT_TRUE(Loaded(*form->GetCurrentWB(), server.Url("/home")));
  }

  static bool Loaded(engine::Browser& b, const std::string& address) {
    return ui::WaitUntil([&] { return b.IsComplete() && b.LocationURL() == address; }, kLoadMs);
  }
  bool SideShows(const std::string& address) {
    return ui::WaitUntil(
        [&] {
          engine::Browser* side = form->dxpanel.wbr();
          return side && side->IsComplete() && side->LocationURL() == address;
        },
        kLoadMs);
  }
  // Redirect on, and the user clicks the link of the current tab's page.
  void RedirectTheLink() {
    form->RedirectMode = true;
    engine::Browser& tab = *form->GetCurrentWB();
    ui::WaitWithMessages(200);
    engine_testing::ClickAt(tab.widget(), 50, 50, 1);
  }

  testing_support::FixtureServer server;
  testing_support::ScriptedDialogs dialogs;
  engine_testing::RealMainForm main;
  testing_support::TempFolder& data = main.data;
  std::unique_ptr<app::TMainForm>& form = main.form;
  std::unique_ptr<library::Tfhistory>& history = main.history;
};

TEST_F(SidePanelEngineTest, AClickedLinkLeavesTheTabOnItsPageAndShowsInTheSidePanel) {
  Start();
  engine::Browser& tab = *form->GetCurrentWB();
  RedirectTheLink();
  ASSERT_TRUE(SideShows(server.Url("/target")));
  EXPECT_TRUE(form->dxpanel.get_visible());
  EXPECT_EQ(tab.LocationURL(), server.Url("/home"));
  EXPECT_EQ(server.RequestCount("/target"), 1);
  // The side page was asked for with the program's agent, and the caption
  // shows its address once its title came.
  EXPECT_NE(server.RequestsFor("/target").at(0).userAgent.find("Lumivale/"), std::string::npos);
  EXPECT_TRUE(ui::WaitUntil([&] { return form->dxpanel.pcaption.get_text() == server.Url("/target"); }, kLoadMs));
}

TEST_F(SidePanelEngineTest, ALinkForANewWindowInTheSidePageOpensNothingAndReloadsIt) {
  server.AddPage("/side", "<title>Side</title>" + BigLink("/other", "_blank"));
  server.AddPage("/other", "<title>Other</title>");
  server.AddPage("/home", "<title>Home</title>" + BigLink("/side"));
  Start();
  RedirectTheLink();
  ASSERT_TRUE(SideShows(server.Url("/side")));
  ASSERT_EQ(server.RequestCount("/side"), 1);
  const int tabs = form->table.LiveCount();
  ui::WaitWithMessages(200);
  engine_testing::ClickAt(form->dxpanel.wbr()->widget(), 50, 50, 1);
  ASSERT_TRUE(server.WaitForRequest("/side", kLoadMs) && ui::WaitUntil([&] {
    return server.RequestCount("/side") == 2;
  }, kLoadMs));
  ui::WaitWithMessages(300);
  EXPECT_EQ(server.RequestCount("/other"), 0);
  EXPECT_EQ(form->table.LiveCount(), tabs);
  EXPECT_TRUE(SideShows(server.Url("/side")));
}

TEST_F(SidePanelEngineTest, OpenInBrowserCopiesTheSidePagesCurrentBodyIntoANewTab) {
  Start();
  RedirectTheLink();
  ASSERT_TRUE(SideShows(server.Url("/target")));
  ASSERT_TRUE(form->dxpanel.wbr()->RunScript("document.body.innerHTML = '<p id=\"x\">changed by a script</p>'; 1"));
  form->dxpanel.XiButton12Click();
  ASSERT_EQ(form->table.LiveCount(), 2);
  engine::Browser& copy = *form->GetCurrentWB();
  EXPECT_EQ(copy.LocationURL(), server.Url("/target"));
  const auto body = copy.BodyInnerHTML();
  ASSERT_TRUE(body.has_value());
  EXPECT_NE(body->find("changed by a script"), std::string::npos) << *body;
  EXPECT_FALSE(form->dxpanel.get_visible());
  EXPECT_FALSE(form->RedirectMode);
  EXPECT_TRUE(ui::WaitUntil([&] { return form->dxpanel.wbr()->LocationURL() == "about:blank"; }, kLoadMs));
}

}  // namespace
