// WebKitBrowser: navigation, ready state, load events, the before-navigate
// hook and the user agent, against the loopback fixture server.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/Version.h"
#include "engine/EngineFixture.h"
#include "support/TempFolder.h"

namespace {

using engine_testing::BrowserWindow;
using engine_testing::EngineTest;

class Navigation : public EngineTest {
 protected:
  Navigation() {
    server.AddColouredPage("/a", "Page A", "#ff0000", "<a id='next' href='/b'>to b</a>");
    server.AddColouredPage("/b", "Page B", "#0000ff");
    server.AddPage("/untitled", "<p>no title here</p>");
  }
};

TEST_F(Navigation, BlankBrowserIsCompleteAndEmpty) {
  EXPECT_TRUE(browser.IsComplete());
  EXPECT_EQ(browser.LocationURL(), "");
  EXPECT_EQ(browser.Title(), "");
  EXPECT_FALSE(browser.GoBack());
  EXPECT_FALSE(browser.GoForward());
}

TEST_F(Navigation, LoadingFromNavigateUntilThePageIsComplete) {
  browser.Navigate(server.Url("/a"));
  EXPECT_EQ(browser.readyState(), engine::ReadyState::Loading);
  ASSERT_TRUE(WaitComplete(browser));
  EXPECT_EQ(browser.LocationURL(), server.Url("/a"));
  EXPECT_EQ(browser.Title(), "Page A");
  EXPECT_EQ(server.RequestCount("/a"), 1);
}

TEST_F(Navigation, SecondNavigateRightAfterTheFirstStaysLoadingUntilItsPageIsDone) {
  server.AddSlowPage("/slow", 300, "<title>Slow</title>");
  browser.Navigate(server.Url("/a"));
  browser.Navigate(server.Url("/slow"));
  ASSERT_TRUE(WaitComplete(browser));
  EXPECT_EQ(browser.LocationURL(), server.Url("/slow"));
  EXPECT_EQ(browser.Title(), "Slow");
}

TEST_F(Navigation, NavigationsThatNeedNoLoadOrCannotLoadEndComplete) {
  ASSERT_TRUE(Load(server.Url("/a")));
  const std::string cases[] = {
      server.Url("/a#part"),  // a jump within the page: no load at all
      "http://[broken/",
      "http://exa mple.invalid/",
      "http://",
      "no-such-scheme:whatever",
  };
  for (const std::string& address : cases) {
    browser.Navigate(address);
    EXPECT_TRUE(WaitComplete(browser, 5000)) << address;
  }
  // The browser still loads pages afterwards.
  ASSERT_TRUE(Load(server.Url("/b")));
  EXPECT_EQ(browser.Title(), "Page B");
}

TEST_F(Navigation, AddressWithoutSchemeIsLoadedOverHttpAndQueryIsSentAsTheEngineSendsIt) {
  ASSERT_TRUE(Load(server.HostAndPort("/b?q=a b&c=d")));
  EXPECT_EQ(browser.Title(), "Page B");
  const auto requests = server.RequestsFor("/b");
  ASSERT_EQ(requests.size(), 1u);
  // The engine's URL parser encodes the blank; "&" stays as typed.
  EXPECT_EQ(requests[0].query, "q=a%20b&c=d");
}

TEST_F(Navigation, EmptyAddressLoadsNothing) {
  bool asked = false;
  browser.OnBeforeNavigate2.connect([&](const std::string&, bool&) { asked = true; });
  browser.Navigate("");
  EXPECT_TRUE(browser.IsComplete());
  EXPECT_EQ(browser.LocationURL(), "");
  EXPECT_FALSE(asked);
}

TEST_F(Navigation, LocalFilePathLoads) {
  testing_support::TempFolder folder;
  folder.Write("local page.html", "<html><head><title>Local</title></head><body>here</body></html>");
  ASSERT_TRUE(Load(folder / "local page.html"));
  EXPECT_EQ(browser.Title(), "Local");
  EXPECT_EQ(browser.LocationURL().rfind("file:///", 0), 0u) << browser.LocationURL();
  EXPECT_EQ(browser.BodyInnerHTML(), "here");
}

TEST_F(Navigation, BackAndForwardWalkTheHistory) {
  ASSERT_TRUE(Load(server.Url("/a")));
  ASSERT_TRUE(Load(server.Url("/b")));
  EXPECT_FALSE(browser.GoForward());
  ASSERT_TRUE(browser.GoBack());
  EXPECT_FALSE(browser.IsComplete());
  ASSERT_TRUE(WaitComplete(browser));
  EXPECT_EQ(browser.Title(), "Page A");
  EXPECT_EQ(browser.LocationURL(), server.Url("/a"));
  ASSERT_TRUE(browser.GoForward());
  EXPECT_FALSE(browser.IsComplete());
  ASSERT_TRUE(WaitComplete(browser));
  EXPECT_EQ(browser.Title(), "Page B");
}

TEST_F(Navigation, RefreshLoadsThePageAgainAndStopEndsALoad) {
  ASSERT_TRUE(Load(server.Url("/a")));
  browser.Refresh();
  EXPECT_FALSE(browser.IsComplete());
  ASSERT_TRUE(WaitComplete(browser));
  EXPECT_EQ(server.RequestCount("/a"), 2);

  server.AddSlowPage("/slow", 5000, "<title>Slow</title>");
  browser.Navigate(server.Url("/slow"));
  ASSERT_TRUE(server.WaitForRequest("/slow", 10000));
  EXPECT_FALSE(browser.IsComplete());
  browser.Stop();
  EXPECT_TRUE(WaitComplete(browser, 3000));
}

// The events of loads, in the order they came.
class LoadEvents : public Navigation {
 protected:
  LoadEvents() {
    browser.OnBeforeNavigate2.connect([&](const std::string& url, bool&) { events.push_back("before " + url); });
    browser.OnDownloadBegin.connect([&] { events.push_back("begin"); });
    browser.OnTitleChange.connect([&](const std::string& t) { events.push_back("title " + t); });
    browser.OnDownloadComplete.connect([&] { events.push_back("complete"); });
    browser.OnDocumentComplete.connect([&](bool top) { events.push_back(top ? "document top" : "document frame"); });
    browser.OnProgressChange.connect([&](int p, int max) {
      progress.push_back(p);
      EXPECT_EQ(max, 100);
    });
  }
  bool WaitFor(const std::string& event) {
    return ui::WaitUntil([&] { return std::find(events.begin(), events.end(), event) != events.end(); },
                         engine_testing::kLoadTimeoutMs);
  }
  std::vector<std::string> events;
  std::vector<int> progress;
};

TEST_F(LoadEvents, ALoadBeginsGetsItsTitleEndsAndCompletesTheDocument) {
  browser.Navigate(server.Url("/a"));
  ASSERT_TRUE(WaitFor("document top"));
  const std::vector<std::string> expected = {"before " + server.Url("/a"), "begin", "title Page A", "complete",
                                             "document top"};
  EXPECT_EQ(events, expected);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
}

TEST_F(LoadEvents, APageWithoutTitleIsTitledByItsAddress) {
  browser.Navigate(server.Url("/untitled"));
  ASSERT_TRUE(WaitFor("document top"));
  EXPECT_NE(std::find(events.begin(), events.end(), "title " + server.Url("/untitled")), events.end());
}

// However the page gets its title (or none), it is told once, before the
// load ends.
TEST_F(LoadEvents, TheTitleIsToldBeforeTheLoadEndsWhereverItComesFrom) {
  const struct {
    const char* path;
    const char* page;
    const char* title;  // null: the address
  } cases[] = {
      {"/head", "<head><title>From the head</title></head><body>x</body>", "From the head"},
      {"/script", "<body><script>document.title = 'From a script'</script></body>", "From a script"},
      {"/onload", "<body onload=\"document.title = 'From onload'\">x</body>", "From onload"},
      {"/none", "<body>no title</body>", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    server.AddPage(c.path, c.page);
    events.clear();
    browser.Navigate(server.Url(c.path));
    ASSERT_TRUE(WaitFor("document top"));
    const std::vector<std::string> expected = {"before " + server.Url(c.path), "begin",
                                               "title " + (c.title ? std::string(c.title) : server.Url(c.path)),
                                               "complete", "document top"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(browser.IsComplete());
  }
}

TEST_F(LoadEvents, AFramedPageCompletesOnceAsAWholeAndItsFramesAreNoTopLevelNavigations) {
  server.AddPage("/framed", "<title>Framed</title><iframe src='/b'></iframe><iframe src='/untitled'></iframe>");
  browser.Navigate(server.Url("/framed"));
  ASSERT_TRUE(WaitFor("document top"));
  ASSERT_TRUE(WaitComplete(browser));
  EXPECT_EQ(server.RequestCount("/b"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "document top"), 1);
  EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("before ", 0) == 0; }),
            1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "title Framed"), 1);
}

TEST_F(LoadEvents, AFailedLoadEndsWithDownloadCompleteThenTheErrorPageCompletes) {
  testing_support::RefusedPort refused;
  browser.Navigate(refused.Url("/x"));
  ASSERT_TRUE(WaitFor("document top"));
  ASSERT_TRUE(WaitComplete(browser));
  // The failed load ends (no document), then the engine's error page for
  // it loads as a page of its own.
  const std::vector<std::string> expected = {"before " + refused.Url("/x"), "begin", "complete", "begin",
                                             "title " + refused.Url("/x"), "complete", "document top"};
  EXPECT_EQ(events, expected);
  EXPECT_EQ(browser.LocationURL(), refused.Url("/x"));
}

class BeforeNavigate : public Navigation {};

TEST_F(BeforeNavigate, CancellingNavigateLoadsNothingAndStaysComplete) {
  ASSERT_TRUE(Load(server.Url("/a")));
  std::vector<std::string> asked;
  browser.OnBeforeNavigate2.connect([&](const std::string& url, bool& cancel) {
    asked.push_back(url);
    cancel = true;
  });
  browser.Navigate(server.HostAndPort("/b"));
  EXPECT_TRUE(browser.IsComplete());
  ui::WaitWithMessages(300);
  EXPECT_EQ(asked, std::vector<std::string>{server.Url("/b")});
  EXPECT_EQ(server.RequestCount("/b"), 0);
  EXPECT_EQ(browser.LocationURL(), server.Url("/a"));
  EXPECT_TRUE(browser.IsComplete());
}

TEST_F(BeforeNavigate, LinksAndScriptsOfThePageAreAskedAboutAndCanBeCancelled) {
  ASSERT_TRUE(Load(server.Url("/a")));
  std::vector<std::string> asked;
  bool cancelNext = true;
  browser.OnBeforeNavigate2.connect([&](const std::string& url, bool& cancel) {
    asked.push_back(url);
    cancel = cancelNext;
  });

  // A link the page clicks.
  ASSERT_TRUE(browser.RunScript("document.getElementById('next').click()"));
  ASSERT_TRUE(ui::WaitUntil([&] { return !asked.empty(); }, 5000));
  EXPECT_EQ(asked.back(), server.Url("/b"));
  ui::WaitWithMessages(300);
  EXPECT_TRUE(browser.IsComplete());
  EXPECT_EQ(server.RequestCount("/b"), 0);
  EXPECT_EQ(browser.Title(), "Page A");

  // The same link, let through.
  cancelNext = false;
  ASSERT_TRUE(browser.RunScript("document.getElementById('next').click()"));
  ASSERT_TRUE(ui::WaitUntil([&] { return browser.IsComplete() && browser.Title() == "Page B"; }, 10000));
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(server.RequestCount("/b"), 1);
}

TEST_F(BeforeNavigate, ScriptNavigationOnAClickIsAskedAboutAFrameAddedLaterIsNot) {
  // The page adds a frame by itself a moment after it loaded.
  server.AddPage("/button",
                 "<title>Button</title><body style='margin:0'>"
                 "<button id='go' style='width:300px;height:200px' onclick=\"location.href='/b'\">go</button>"
                 "<script>onload = () => setTimeout(() => {"
                 "  const f = document.createElement('iframe'); f.src = '/untitled'; document.body.appendChild(f);"
                 "}, 300);</script></body>");
  std::vector<std::string> asked;
  browser.OnBeforeNavigate2.connect([&](const std::string& url, bool&) { asked.push_back(url); });
  ASSERT_TRUE(Load(server.Url("/button")));
  asked.clear();

  // That frame belongs to the page: no navigation of the page itself.
  ASSERT_TRUE(server.WaitForRequest("/untitled", 10000));
  ASSERT_TRUE(WaitComplete(browser));
  EXPECT_TRUE(asked.empty());

  // The user clicks a button whose script moves the page on.
  engine_testing::ClickAt(browser.widget(), 100, 100, 1);
  ASSERT_TRUE(ui::WaitUntil([&] { return browser.IsComplete() && browser.Title() == "Page B"; }, 10000));
  EXPECT_EQ(asked, std::vector<std::string>{server.Url("/b")});
}

TEST_F(BeforeNavigate, ServerRedirectIsNoNewNavigation) {
  server.AddRedirect("/old", "/b", 302);
  std::vector<std::string> asked;
  browser.OnBeforeNavigate2.connect([&](const std::string& url, bool&) { asked.push_back(url); });
  ASSERT_TRUE(Load(server.Url("/old")));
  EXPECT_EQ(browser.LocationURL(), server.Url("/b"));
  EXPECT_EQ(asked, std::vector<std::string>{server.Url("/old")});
}

TEST_F(Navigation, EachBrowserSendsItsOwnAgentAndEmptyMeansTheEngineDefault) {
  BrowserWindow other(engine::CreateWebKitBrowser(), 660, 0, 300, 200);
  BrowserWindow plain(engine::CreateWebKitBrowser(), 980, 0, 300, 200);
  browser.SetUserAgent("Lumivale/1.0 (first)");
  other.browser->SetUserAgent("Lumivale/1.0 (second)\r\n");
  plain.browser->SetUserAgent("");
  EXPECT_EQ(browser.UserAgent(), "Lumivale/1.0 (first)");
  EXPECT_EQ(other.browser->UserAgent(), "Lumivale/1.0 (second)\r\n");

  ASSERT_TRUE(Load(server.Url("/a?first")));
  ASSERT_TRUE(Load(*other.browser, server.Url("/a?second")));
  ASSERT_TRUE(Load(*plain.browser, server.Url("/a?plain")));
  std::map<std::string, std::string> agents;
  for (const auto& r : server.RequestsFor("/a")) agents[r.query] = r.userAgent;
  EXPECT_EQ(agents["first"], "Lumivale/1.0 (first)");
  EXPECT_EQ(agents["second"], "Lumivale/1.0 (second)");
  EXPECT_NE(agents["plain"].find("AppleWebKit"), std::string::npos) << agents["plain"];

  // Back to the engine's own agent.
  browser.SetUserAgent("");
  ASSERT_TRUE(Load(server.Url("/a?again")));
  EXPECT_EQ(server.RequestsFor("/a").back().userAgent, agents["plain"]);
  // The page's script sees the same agent.
  other.browser->SetUserAgent("Script/2");
  ASSERT_TRUE(Load(*other.browser, server.Url("/b")));
  EXPECT_EQ(other.browser->RunScript("navigator.userAgent"), "Script/2");
}

TEST_F(Navigation, TheProgramsOwnAgentReachesTheServerWithItsVersionJoined) {
  const std::string agent = app::BuildUserAgent(app::kVersion);
  browser.SetUserAgent(agent);
  EXPECT_EQ(browser.UserAgent(), agent);
  ASSERT_TRUE(Load(server.Url("/a?own")));
  // The engine takes no product without a version, so the blank after
  // "Version/" is left out of the header.
  EXPECT_EQ(server.RequestsFor("/a").back().userAgent,
            std::string("Lumivale/") + app::kVersion + " (Compatible; Windows; U; en-US)Version/" + app::kVersion);
}

}  // namespace
