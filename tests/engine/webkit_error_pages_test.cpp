// WebKitBrowser: what a tab shows when its page's process ends and when a
// site's certificate cannot be verified.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <string>
#include <vector>

#include "engine/EngineFixture.h"

namespace {

using engine_testing::BrowserWindow;
using engine_testing::EngineTest;
using engine_testing::kLoadTimeoutMs;
using testing_support::FixtureServer;

// The text the page shows, empty while there is none to read.
std::string Text(engine::Browser& b) {
  return b.RunScript("document.body ? document.body.innerText : ''").value_or("");
}

bool Shows(engine::Browser& b, const std::string& text) {
  return ui::WaitUntil([&] { return Text(b).find(text) != std::string::npos; }, kLoadTimeoutMs);
}

WebKitWebView* ViewOf(engine::Browser& b) { return WEBKIT_WEB_VIEW(b.widget().gobj()); }

TEST_F(EngineTest, APageWhoseProcessEndedSaysSoAndRefreshLoadsItAgain) {
  server.AddPage("/page", "<title>Page</title><p>the page itself</p>");
  server.AddPage("/other", "<title>Other</title><p>another page</p>");
  const std::string address = server.Url("/page?a=1&b=<2>");
  ASSERT_TRUE(Load(address));
  const std::string shownAddress = browser.LocationURL();
  BrowserWindow other(engine::CreateWebKitBrowser(), 700, 0, 300, 200);
  ASSERT_TRUE(Load(*other.browser, server.Url("/other")));
  std::vector<std::string> titles;
  browser.OnTitleChange.connect([&](const std::string& t) { titles.push_back(t); });

  webkit_web_view_terminate_web_process(ViewOf(browser));
  ASSERT_TRUE(Shows(browser, "This page stopped"));
  ASSERT_TRUE(WaitComplete(browser));
  const std::string text = Text(browser);
  EXPECT_NE(text.find("The page was ended by the program."), std::string::npos) << text;
  // The address as text (its markup characters did not become markup).
  EXPECT_NE(text.find(shownAddress), std::string::npos) << text;
  EXPECT_EQ(browser.LocationURL(), shownAddress);
  // The title carries the program's name, so the visit is not recorded.
  ASSERT_FALSE(titles.empty());
  EXPECT_NE(titles.back().find("Lumivale"), std::string::npos);

  // The other browser's page lives on, and it loads pages as before.
  EXPECT_NE(Text(*other.browser).find("another page"), std::string::npos);
  ASSERT_TRUE(Load(*other.browser, server.Url("/page")));
  EXPECT_TRUE(Shows(*other.browser, "the page itself"));
  ASSERT_EQ(server.RequestCount("/page"), 2);

  browser.Refresh();
  EXPECT_TRUE(Shows(browser, "the page itself"));
  EXPECT_TRUE(WaitComplete(browser));
  EXPECT_EQ(server.RequestCount("/page"), 3);
  EXPECT_EQ(browser.LocationURL(), shownAddress);
  EXPECT_EQ(browser.Title(), "Page");
}

TEST_F(EngineTest, ABrowserWithoutAPageWhoseProcessEndedStaysBlankAndLoadsLater) {
  server.AddPage("/page", "<title>Page</title><p>the page itself</p>");
  webkit_web_view_terminate_web_process(ViewOf(browser));
  ui::WaitWithMessages(300);
  EXPECT_EQ(browser.LocationURL(), "");
  EXPECT_TRUE(browser.IsComplete());
  ASSERT_TRUE(Load(server.Url("/page")));
  EXPECT_TRUE(Shows(browser, "the page itself"));
}

TEST(CertificateErrors, APageWhoseCertificateCannotBeVerifiedIsNeverShown) {
  FixtureServer secure(FixtureServer::Scheme::UntrustedHttps);
  secure.AddPage("/secret", "<title>Secret</title><p>the page itself</p>");
  BrowserWindow shown(engine::CreateWebKitBrowser(), 0, 0, 640, 480);
  engine::Browser& browser = *shown.browser;
  std::vector<std::string> titles;
  browser.OnTitleChange.connect([&](const std::string& t) { titles.push_back(t); });
  const std::string address = secure.Url("/secret");

  browser.Navigate(address);
  ASSERT_TRUE(Shows(browser, "is not secure"));
  ASSERT_TRUE(ui::WaitUntil([&] { return browser.IsComplete(); }, kLoadTimeoutMs));
  const std::string text = Text(browser);
  EXPECT_NE(text.find("The connection to 127.0.0.1 is not secure"), std::string::npos) << text;
  // Self-signed, and made for "localhost".
  EXPECT_NE(text.find("not issued by an authority this computer trusts"), std::string::npos) << text;
  EXPECT_NE(text.find("made for another site, not for 127.0.0.1"), std::string::npos) << text;
  EXPECT_NE(text.find(address), std::string::npos) << text;
  EXPECT_EQ(browser.LocationURL(), address);
  EXPECT_EQ(text.find("the page itself"), std::string::npos);
  EXPECT_EQ(secure.RequestCount("/secret"), 0);

  // Reloading asks the site again and meets the same certificate.
  browser.Refresh();
  ui::WaitWithMessages(500);
  ASSERT_TRUE(Shows(browser, "is not secure"));
  EXPECT_EQ(secure.RequestCount("/secret"), 0);
  for (const std::string& t : titles) EXPECT_NE(t, "Secret");
}

}  // namespace
