// A browser for the pages the program writes (the RSS reader's): a page
// with hostile markup in it runs no script and reaches no other local file,
// while pictures of the web still show and text without a declared
// character set is read as UTF-8. The same page in an ordinary browser
// shows that the fixture would notice each of these.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "EngineFixture.h"
#include "engine/WebKitBrowser.h"
#include "support/FixtureServer.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

using engine_testing::BrowserWindow;

// "é" in UTF-8, with no character set declared anywhere.
const char* const kText = "caf\xc3\xa9";

class GeneratedPage : public ::testing::Test {
 protected:
  void SetUp() override {
    server.Add("/pic.svg", {"<svg xmlns='http://www.w3.org/2000/svg' width='20' height='10'></svg>",
                            "image/svg+xml"});
    dir.Write("other.html", "<p>OTHER LOCAL FILE</p>");
    dir.Write("pic.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='30' height='10'></svg>");
    dir.Write("page.html",
              "<HTML>\r\n<BODY>\r\n<a id='l' href='file://" + (dir / "other.html") +
                  "' style='display:block;width:200px;height:100px;background:#ccc'>local link</a>\r\n" +
                  "<p id='t'>" + kText + "</p>\r\n<script>document.title = 'scripted';</script>\r\n" +
                  "<img id='local' src='file://" + (dir / "pic.svg") + "'>\r\n" + "<img id='remote' src='" +
                  server.Url("/pic.svg") + "'>\r\n" + "<img src='x' onerror=\"document.title = 'handler'\">\r\n" +
                  "<iframe id='f' src='file://" + (dir / "other.html") + "'></iframe>\r\n</BODY>\r\n</HTML>\r\n");
  }

  // What the page in `b` shows, as one text.
  static std::string Inspect(engine::Browser& b) {
    return b
        .RunScript(
            "[document.title, document.getElementById('local').naturalWidth,"
            " document.getElementById('remote').naturalWidth, document.getElementById('t').textContent,"
            " (function() { var d = document.getElementById('f').contentDocument;"
            "   return d ? 'blank frame:' + d.body.innerText : 'frame loaded'; })()].join('|')")
        .value_or("no answer");
  }

  static bool Show(engine::Browser& b, const std::string& path) {
    b.Navigate(path);
    return ui::WaitUntil([&] { return b.IsComplete() && b.LocationURL().find("page.html") != std::string::npos; },
                         engine_testing::kLoadTimeoutMs) &&
           ui::WaitUntil([&] { return Inspect(b).find("|20|") != std::string::npos; }, 5000);
  }

  testing_support::FixtureServer server;
  testing_support::TempFolder dir;
};

TEST_F(GeneratedPage, RunsNoScriptAndReachesNoOtherLocalFile) {
  BrowserWindow generated(engine::CreateWebKitBrowser(engine::Content::Generated));
  engine::Browser& b = *generated.browser;
  ASSERT_TRUE(Show(b, dir / "page.html"));
  EXPECT_EQ(Inspect(b), std::string("|0|20|") + kText + "|blank frame:");

  // A click on the link to another local file leads nowhere.
  engine_testing::ClickAt(b.widget(), 50, 30, 1);
  ui::WaitWithMessages(1000);
  EXPECT_NE(b.LocationURL().find("page.html"), std::string::npos) << b.LocationURL();

  // The program's own navigations to local files still happen.
  dir.Write("next.html", "<p>next</p>");
  b.Navigate(dir / "next.html");
  EXPECT_TRUE(ui::WaitUntil([&] { return b.IsComplete() && b.LocationURL().find("next.html") != std::string::npos; },
                            engine_testing::kLoadTimeoutMs));
}

TEST_F(GeneratedPage, AnOrdinaryBrowserDoesAllOfIt) {
  BrowserWindow ordinary(engine::CreateWebKitBrowser());
  engine::Browser& b = *ordinary.browser;
  b.Navigate(dir / "page.html");
  ASSERT_TRUE(ui::WaitUntil([&] { return b.IsComplete() && b.LocationURL().find("page.html") != std::string::npos; },
                            engine_testing::kLoadTimeoutMs));
  ASSERT_TRUE(ui::WaitUntil([&] { return Inspect(b).find("|30|20|") != std::string::npos; }, 5000)) << Inspect(b);
  const std::string seen = Inspect(b);
  EXPECT_TRUE(seen.rfind("scripted|", 0) == 0 || seen.rfind("handler|", 0) == 0) << seen;
  EXPECT_NE(seen.find("frame loaded"), std::string::npos) << seen;
  // Without a declared character set the engine's own default is not
  // UTF-8.
  EXPECT_EQ(seen.find(kText), std::string::npos) << seen;

  engine_testing::ClickAt(b.widget(), 50, 30, 1);
  EXPECT_TRUE(ui::WaitUntil([&] { return b.LocationURL().find("other.html") != std::string::npos; }, 5000));
}

}  // namespace
