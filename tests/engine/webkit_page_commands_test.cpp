// WebKitBrowser's page operations: saving, printing, finding, the source,
// the cache, and editing in design mode.
#include <gtest/gtest.h>

#include <string>

#include "engine/EngineFixture.h"
#include "support/TempFolder.h"

namespace {

using engine::PrintResult;
using engine::SaveFormat;
using engine_testing::EngineTest;

constexpr const char* kArticle =
    "<!DOCTYPE html><html><head><title>Article</title>"
    "<style>p { color: rgb(0, 0, 200); }</style></head>"
    "<body><p id='p'>One needle, two Needle, three needle.</p></body></html>";

class PageCommands : public EngineTest {
 protected:
  PageCommands() { server.AddPage("/article", kArticle); }

  std::string Body() { return browser.BodyInnerHTML().value_or(""); }

  testing_support::TempFolder folder;
};

TEST_F(PageCommands, WithoutAPageNothingIsSavedPrintedOrFound) {
  EXPECT_FALSE(browser.HasDocument());
  EXPECT_FALSE(browser.CanSave());
  std::string error;
  EXPECT_FALSE(browser.Save(folder / "x.html", SaveFormat::Html, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(browser.Print(folder / "x.pdf"), PrintResult::Failed);
  EXPECT_EQ(browser.Find("x", false, false), 0);
  EXPECT_EQ(browser.Source(), std::nullopt);
  EXPECT_FALSE(browser.SetDesignMode(true));
  EXPECT_FALSE(browser.ExecCommand("bold"));
}

TEST_F(PageCommands, ASavedPageReloadsAsItWas) {
  ASSERT_TRUE(Load(server.Url("/article")));
  ASSERT_TRUE(browser.CanSave());
  // An edit made in the page is saved with it.
  ASSERT_TRUE(browser.RunScript("document.getElementById('p').insertAdjacentHTML('beforeend', '<i>edited</i>')"));
  for (SaveFormat format : {SaveFormat::Html, SaveFormat::WebArchive}) {
    const std::string file = folder / (format == SaveFormat::Html ? "saved.html" : "saved.mht");
    std::string error;
    ASSERT_TRUE(browser.Save(file, format, &error)) << error;
    ASSERT_TRUE(folder.Exists(format == SaveFormat::Html ? "saved.html" : "saved.mht"));

    engine_testing::BrowserWindow reopened(engine::CreateWebKitBrowser(), 660, 0);
    ASSERT_TRUE(Load(*reopened.browser, "file://" + file)) << file;
    EXPECT_EQ(reopened.browser->Title(), "Article") << file;
    const std::string body = reopened.browser->BodyInnerHTML().value_or("");
    EXPECT_NE(body.find("One needle"), std::string::npos) << file << ": " << body;
    EXPECT_NE(body.find("<i>edited</i>"), std::string::npos) << file << ": " << body;
    // The style came along.
    EXPECT_EQ(reopened.browser->RunScript("getComputedStyle(document.getElementById('p')).color"),
              "rgb(0, 0, 200)")
        << file;
  }
  // A folder that cannot be written is told.
  std::string error;
  EXPECT_FALSE(browser.Save("/nonexistent-folder/x.html", SaveFormat::Html, &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(PageCommands, PrintingToAFileWritesThePageAsPdf) {
  ASSERT_TRUE(Load(server.Url("/article")));
  const std::string file = folder / "printed.pdf";
  ASSERT_EQ(browser.Print(file), PrintResult::Printed);
  const std::string pdf = folder.Read("printed.pdf");
  ASSERT_GT(pdf.size(), 100u);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
}

TEST_F(PageCommands, FindMarksTheMatchesAndSelectsOneAfterAnother) {
  ASSERT_TRUE(Load(server.Url("/article")));
  EXPECT_EQ(browser.Find("needle", false, false), 3);
  EXPECT_EQ(browser.SelectedText().value_or(""), "needle");
  const auto offset = [&] {
    return browser.RunScript("getSelection().anchorOffset").value_or("?");
  };
  // The page moves its selection a moment after the engine answered.
  const auto settlesAt = [&](const std::string& wanted) {
    return ui::WaitUntil([&] { return offset() == wanted; }, 2000);
  };
  const std::string first = offset();
  EXPECT_EQ(browser.Find("needle", false, false), 3);
  EXPECT_TRUE(ui::WaitUntil([&] { return offset() != first; }, 2000));
  EXPECT_EQ(browser.Find("needle", true, false), 3);
  EXPECT_TRUE(settlesAt(first));
  // Letter case counts when asked.
  EXPECT_EQ(browser.Find("Needle", false, true), 1);
  EXPECT_EQ(browser.SelectedText().value_or(""), "Needle");
  EXPECT_EQ(browser.Find("haystack", false, false), 0);
  browser.FindFinish();
}

TEST_F(PageCommands, TheSourceIsTheTextAsLoaded) {
  ASSERT_TRUE(Load(server.Url("/article")));
  ASSERT_TRUE(browser.RunScript("document.body.textContent = 'changed'"));
  EXPECT_EQ(browser.Source(), std::string(kArticle));
}

TEST_F(PageCommands, ClearingTheCacheLoadsResourcesAgain) {
  testing_support::FixturePage script;
  script.body = "document.title = 'scripted';";
  script.contentType = "application/javascript";
  script.headers = {{"Cache-Control", "max-age=3600"}};
  server.Add("/cached.js", script);
  server.AddPage("/one", "<html><head><script src='/cached.js'></script></head><body>one</body></html>");
  server.AddPage("/two", "<html><head><script src='/cached.js'></script></head><body>two</body></html>");
  ASSERT_TRUE(Load(server.Url("/one")));
  ASSERT_TRUE(Load(server.Url("/two")));
  EXPECT_EQ(server.RequestCount("/cached.js"), 1);  // the second page took it from the cache
  browser.ClearCache();
  ASSERT_TRUE(Load(server.Url("/one")));
  EXPECT_EQ(server.RequestCount("/cached.js"), 2);
}

TEST_F(PageCommands, DesignModeEditsTheDocumentWithTheEnginesCommands) {
  ASSERT_TRUE(Load(server.Url("/article")));
  // Outside design mode the document cannot be formatted.
  ASSERT_TRUE(browser.RunScript("getSelection().selectAllChildren(document.getElementById('p'))"));
  EXPECT_FALSE(browser.ExecCommand("bold"));
  EXPECT_EQ(Body().find("<b>"), std::string::npos);

  ASSERT_TRUE(browser.SetDesignMode(true));
  EXPECT_TRUE(browser.DesignMode());
  ASSERT_TRUE(browser.RunScript("getSelection().selectAllChildren(document.getElementById('p'))"));
  // Command names are the engine's in any letter case.
  EXPECT_TRUE(browser.ExecCommand("bold"));
  EXPECT_TRUE(browser.ExecCommand("Fontsize", "5"));
  EXPECT_TRUE(browser.ExecCommand("Justifyright"));
  const std::string body = Body();
  EXPECT_NE(body.find("<b>"), std::string::npos) << body;
  EXPECT_NE(body.find("size=\"5\""), std::string::npos) << body;
  EXPECT_NE(body.find("text-align: right"), std::string::npos) << body;

  ASSERT_TRUE(browser.RunScript("getSelection().collapseToEnd()"));
  EXPECT_TRUE(browser.ExecCommand("InsertHTML", "<input type=\"checkbox\">"));
  EXPECT_EQ(browser.RunScript("document.querySelectorAll('input[type=checkbox]').length"), "1");

  // A command the engine does not know changes nothing.
  const std::string before = Body();
  EXPECT_FALSE(browser.ExecCommand("NoSuchCommand"));
  EXPECT_EQ(Body(), before);

  ASSERT_TRUE(browser.SetDesignMode(false));
  EXPECT_FALSE(browser.DesignMode());
}

}  // namespace
