// The page commands of the main window on the current tab, with a scripted
// engine and scripted dialogs.
#include <gtest/gtest.h>
#include <glib/gstdio.h>

#include <fstream>
#include <string>

#include "navigation/PageCommands.h"
#include "support/MainFormFixture.h"

namespace {

using engine::PrintResult;
using engine::SaveFormat;
using testing_support::MainFormTest;

class PageCommands : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Start();
  }
};

TEST_F(PageCommands, ShowCookiesTellsTheCookieTextOrNoCookies) {
  struct Case {
    bool hasDocument;
    const char* cookie;
    const char* shown;
  } cases[] = {
      {true, "a=1; b=2", "a=1; b=2"},
      {true, "", "No cookies"},
      {false, "a=1", "No cookies"},
  };
  for (const Case& c : cases) {
    Current().hasDocument = c.hasDocument;
    Current().cookie = c.cookie;
    dialogs.shown.clear();
    form->t115.activate();
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.cookie;
    EXPECT_EQ(dialogs.shown[0].text, c.shown);
    EXPECT_EQ(dialogs.shown[0].caption, "Lumivale web browser");
  }
}

TEST_F(PageCommands, PrintTellsACancelAndAFailureOnly) {
  struct Case {
    PrintResult result;
    const char* shown;  // null: nothing
  } cases[] = {
      {PrintResult::Printed, nullptr},
      {PrintResult::Canceled, "Canceled by User"},
      {PrintResult::Failed, "Error While Printing"},
  };
  for (const Case& c : cases) {
    Current().printResult = c.result;
    Current().prints.clear();
    dialogs.shown.clear();
    form->Print2.activate();
    // The print dialog asks: no file is given.
    EXPECT_EQ(Current().prints, std::vector<std::string>{""});
    if (!c.shown) {
      EXPECT_TRUE(dialogs.shown.empty());
      continue;
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, c.shown);
    EXPECT_EQ(dialogs.shown[0].caption, "Lumivale web browser");
  }

  // Without a document neither print nor preview starts.
  Current().hasDocument = false;
  Current().prints.clear();
  dialogs.shown.clear();
  form->Print2.activate();
  form->PrintPreview2.activate();
  EXPECT_TRUE(Current().prints.empty());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PageCommands, PrintPreviewShowsThePrintedFileAndRemovesItOnClose) {
  form->PrintPreview2.activate();
  ASSERT_EQ(Current().prints.size(), 1u);
  const std::string file = Current().prints[0];
  EXPECT_EQ(file.rfind(data / "cache/", 0), 0u) << file;
  EXPECT_NE(file.find(".pdf"), std::string::npos);
  navigation::Tfpreview& preview = form->PreviewWindow();
  EXPECT_TRUE(preview.get_visible());
  ASSERT_NE(preview.browser(), nullptr);
  auto& shown = static_cast<engine::FakeBrowser&>(*preview.browser());
  EXPECT_EQ(shown.navigations.back(), "file://" + file);

  std::ofstream(file) << "%PDF-1.4";
  preview.bclose.clicked();
  EXPECT_FALSE(preview.get_visible());
  EXPECT_FALSE(g_file_test(file.c_str(), G_FILE_TEST_EXISTS));

  // A preview that could not be made shows nothing.
  Current().printResult = PrintResult::Failed;
  form->PrintPreview2.activate();
  EXPECT_FALSE(preview.get_visible());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PageCommands, SaveAsWritesWhatTheDialogChose) {
  Current().title = "My Page";
  struct Case {
    std::optional<ui::SaveChoice> choice;
    std::optional<SaveFormat> format;  // nothing: not saved
  } cases[] = {
      {std::nullopt, std::nullopt},
      {ui::SaveChoice{"/tmp/x/page.mht", 0}, SaveFormat::WebArchive},
      {ui::SaveChoice{"/tmp/x/page", 0}, SaveFormat::Html},
      {ui::SaveChoice{"/tmp/x/page", 1}, SaveFormat::WebArchive},
  };
  for (const Case& c : cases) {
    Current().saves.clear();
    dialogs.fileDialogs.clear();
    dialogs.saveAnswer = c.choice;
    form->SaveAs1.activate();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].suggestedName, "My Page.html");
    EXPECT_EQ(dialogs.fileDialogs[0].types.size(), 2u);
    if (!c.format) {
      EXPECT_TRUE(Current().saves.empty());
      continue;
    }
    ASSERT_EQ(Current().saves.size(), 1u);
    EXPECT_EQ(Current().saves[0].path, c.choice->path);
    EXPECT_EQ(Current().saves[0].format, *c.format);
  }
  EXPECT_TRUE(dialogs.shown.empty());

  // A failed save is told.
  Current().saveFails = true;
  form->SaveAs1.activate();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Error);

  // A page still loading cannot be saved: no dialog.
  Current().saveFails = false;
  Current().state = engine::ReadyState::Loading;
  dialogs.fileDialogs.clear();
  form->SaveAs1.activate();
  EXPECT_TRUE(dialogs.fileDialogs.empty());
}

TEST_F(PageCommands, OpenFileOpensTheChosenFileInANewTab) {
  const int tabs = form->table.TabCount();
  form->OpenFile1.activate();  // cancelled
  EXPECT_EQ(form->table.TabCount(), tabs);
  ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(dialogs.fileDialogs[0].types.size(), 3u);
  EXPECT_EQ(dialogs.fileDialogs[0].types[1].name, "Web Archive (*.mht)");

  dialogs.openAnswer = "/home/user/saved page.html";
  form->OpenFile1.activate();
  EXPECT_EQ(form->table.TabCount(), tabs + 1);
  EXPECT_EQ(Current().navigations.back(), "/home/user/saved page.html");
}

TEST_F(PageCommands, TranslateOpensTheServiceInANewFocusedTabAndEndsRedirectMode) {
  form->eurl.set_text("http://example.com/a?x=1&y=2");
  form->RedirectMode = true;
  const int tabs = form->table.TabCount();
  form->xtranslate.clicked();
  EXPECT_FALSE(form->RedirectMode);
  EXPECT_EQ(form->table.TabCount(), tabs + 1);
  ASSERT_FALSE(Current().navigations.empty());
  EXPECT_EQ(Current().navigations.back(), navigation::TranslateAddress("http://example.com/a?x=1&y=2"));
  EXPECT_GE(Current().focusGrabs, 1);
}

TEST_F(PageCommands, LookupDomainOpensTheHostsLookupInANewTabLeavingRedirectMode) {
  form->eurl.set_text("http://www.example.com/some/page.html");
  form->RedirectMode = true;
  form->LookupDomain1.activate();
  EXPECT_TRUE(form->RedirectMode);
  EXPECT_EQ(Current().navigations.back(), "http://www.whois.com/whois/www.example.com");
  EXPECT_EQ(Current().focusGrabs, 0);
}

TEST_F(PageCommands, MailALinkHandsTheMailAddressToTheDesktop) {
  form->eurl.set_text("http://example.com/");
  const std::string title = form->CurrentTabTitle();
  form->MailLinkToThisPage2.activate();
  ASSERT_EQ(openedUris.size(), 1u);
  EXPECT_EQ(openedUris[0], navigation::MailtoAddress(navigation::MailSubject(title, "http://example.com/"),
                                                     navigation::MailBody(title, "http://example.com/")));
  EXPECT_TRUE(dialogs.shown.empty());

  mailHandler = false;
  form->MailLinkToThisPage2.activate();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Error while trying to send email");
  EXPECT_EQ(dialogs.shown[0].caption, "Error");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Error);
}

TEST_F(PageCommands, FindSearchesTheCurrentPageForwardBackwardAndByCase) {
  Current().hasDocument = false;
  form->Find1.activate();
  EXPECT_FALSE(form->FindWindow().get_visible());

  Current().hasDocument = true;
  form->xisci.clicked();
  navigation::Tffind& find = form->FindWindow();
  ASSERT_TRUE(find.get_visible());
  find.etext.set_text("needle");
  find.bnext.clicked();
  find.bprevious.clicked();
  find.cmatchcase.set_active(true);  // finds again with the letter case
  ASSERT_EQ(Current().finds.size(), 3u);
  EXPECT_EQ(Current().finds[0].text, "needle");
  EXPECT_FALSE(Current().finds[0].backwards);
  EXPECT_TRUE(Current().finds[1].backwards);
  EXPECT_TRUE(Current().finds[2].matchCase);
  EXPECT_EQ(find.lresult.get_text(), "1 match");

  Current().findMatches = 0;
  find.bnext.clicked();
  EXPECT_EQ(find.lresult.get_text(), "Not found");

  // Closing takes the marks off the page.
  find.hide();
  EXPECT_EQ(Current().findFinishes, 1);
}

TEST_F(PageCommands, ViewSourceShowsThePagesSourceText) {
  Current().hasDocument = false;
  form->ViewSource2.activate();
  EXPECT_FALSE(form->SourceWindow().get_visible());

  Current().hasDocument = true;
  Current().location = "http://example.com/";
  Current().source = "<html><body>caf\xe9</body></html>";  // Windows-1252
  form->ViewSource2.activate();
  navigation::Tfsource& source = form->SourceWindow();
  EXPECT_TRUE(source.get_visible());
  EXPECT_EQ(source.get_title(), "Source of http://example.com/");
  EXPECT_EQ(source.Text(), "<html><body>caf\u00e9</body></html>");
}

TEST_F(PageCommands, DeleteTemporaryInternetFilesClearsTheEnginesCacheWithoutAWord) {
  form->DeleteTemporaryInternetFiles2.activate();
  EXPECT_EQ(Current().cacheClears, 1);
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
