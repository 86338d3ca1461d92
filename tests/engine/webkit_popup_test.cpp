// WebKitBrowser: a page asks for a new window. The handler cancels it, or
// makes a browser through the usual factory and hands it back for the
// pop-up to load into.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/EngineFixture.h"

namespace {

using engine_testing::BrowserWindow;
using engine_testing::EngineTest;

class Popup : public EngineTest {
 protected:
  Popup() {
    server.AddPopupPage("/opener", "/popup-target");
    server.AddColouredPage("/popup-target", "Popup", "#ffff00");
    server.AddColouredPage("/again", "Again", "#ffffff");
  }
  std::unique_ptr<BrowserWindow> popup;
};

TEST_F(Popup, CancelledNewWindowOpensNothingAndRequestsNothing) {
  int asked = 0;
  browser.OnNewWindow2.connect([&](engine::Browser*& newWindow, bool& cancel) {
    ++asked;
    newWindow = nullptr;
    cancel = true;
  });
  ASSERT_TRUE(Load(server.Url("/opener")));
  ASSERT_TRUE(ui::WaitUntil([&] { return asked > 0; }, 5000));
  ui::WaitWithMessages(500);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(server.RequestCount("/popup-target"), 0);
  EXPECT_EQ(browser.Title(), "Opener");
  EXPECT_EQ(browser.RunScript("String(window.open('/popup-target'))"), "null");
}

TEST_F(Popup, HandedBackBrowserLoadsThePopupWithItsOwnSettings) {
  browser.SetUserAgent("Opener/1");
  std::vector<std::string> popupEvents;
  browser.OnNewWindow2.connect([&](engine::Browser*& newWindow, bool& cancel) {
    // As the shell does: a new tab from the usual factory, its events
    // bound and its agent set before it is handed back.
    popup = std::make_unique<BrowserWindow>(engine::CreateWebKitBrowser(), 660, 0, 400, 300);
    popup->browser->OnBeforeNavigate2.connect(
        [&](const std::string& url, bool&) { popupEvents.push_back("before " + url); });
    popup->browser->OnDocumentComplete.connect([&](bool) { popupEvents.push_back("document"); });
    popup->browser->SetUserAgent("Popup/1");
    newWindow = popup->browser.get();
    cancel = false;
  });
  ASSERT_TRUE(Load(server.Url("/opener")));
  ASSERT_TRUE(server.WaitForRequest("/popup-target", 10000));
  ASSERT_TRUE(popup);
  engine::Browser& opened = *popup->browser;
  ASSERT_TRUE(ui::WaitUntil([&] { return opened.IsComplete() && opened.Title() == "Popup"; }, 10000));
  EXPECT_EQ(opened.LocationURL(), server.Url("/popup-target"));
  EXPECT_EQ(server.RequestsFor("/popup-target").at(0).userAgent, "Popup/1");
  EXPECT_EQ(popupEvents.front(), "before " + server.Url("/popup-target"));
  EXPECT_EQ(popupEvents.back(), "document");
  // The pop-up knows its opener.
  EXPECT_EQ(opened.RunScript("String(window.opener !== null)"), "true");

  // The opener kept its own agent.
  ASSERT_TRUE(Load(server.Url("/again")));
  EXPECT_EQ(server.RequestsFor("/again").at(0).userAgent, "Opener/1");
  EXPECT_EQ(browser.UserAgent(), "Opener/1");
}

TEST_F(Popup, ABrowserNotMadeForTheRequestCannotTakeIt) {
  BrowserWindow existing(engine::CreateWebKitBrowser(), 660, 0, 300, 200);
  browser.OnNewWindow2.connect([&](engine::Browser*& newWindow, bool&) { newWindow = existing.browser.get(); });
  ASSERT_TRUE(Load(server.Url("/opener")));
  ui::WaitWithMessages(500);
  EXPECT_EQ(server.RequestCount("/popup-target"), 0);
  EXPECT_EQ(existing.browser->LocationURL(), "");
}

TEST_F(Popup, LinkToANewWindowAsksTheSameWay) {
  server.AddPage("/links", "<title>Links</title><a id='l' href='/popup-target' target='_blank'>new</a>");
  browser.OnNewWindow2.connect([&](engine::Browser*& newWindow, bool&) {
    popup = std::make_unique<BrowserWindow>(engine::CreateWebKitBrowser(), 660, 0, 400, 300);
    newWindow = popup->browser.get();
  });
  ASSERT_TRUE(Load(server.Url("/links")));
  ASSERT_TRUE(browser.RunScript("document.getElementById('l').click()"));
  ASSERT_TRUE(ui::WaitUntil([&] { return popup && popup->browser->Title() == "Popup"; }, 10000));
  EXPECT_EQ(browser.Title(), "Links");
}

}  // namespace
