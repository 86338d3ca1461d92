// What the main window does with its browsers' events, the timers, the
// address bar and Web Search, with FakeBrowsers.
#include <filesystem>

#include "support/MainFormFixture.h"
#include "listfile/ListFile.h"

namespace {

using testing_support::MainFormTest;

TEST_F(MainFormTest, APopUpFromTheCurrentTabAsksUntilAllowedThenOpensAsATab) {
  Start();
  engine::Browser* newWindow = nullptr;
  bool cancel = false;

  dialogs.answers = {ui::Answer::No};
  browsers[0]->OnNewWindow2.emit(newWindow, cancel);
  EXPECT_TRUE(cancel);
  EXPECT_EQ(newWindow, nullptr);
  EXPECT_EQ(form->table.LiveCount(), 1);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Pop-up blocked\n\n\nAllow Pop-up?");
  EXPECT_EQ(dialogs.shown[0].caption, "Lumivale");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Stop);
  EXPECT_EQ(dialogs.shown[0].buttons, ui::Buttons::YesNo);
  EXPECT_EQ(dialogs.beeps, (std::vector<ui::Beep>{ui::Beep::Question}));

  dialogs.answers = {ui::Answer::Yes};
  cancel = false;
  browsers[0]->OnNewWindow2.emit(newWindow, cancel);
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_FALSE(cancel);
  ASSERT_EQ(browsers.size(), 2u);
  EXPECT_EQ(newWindow, browsers[1]);
  EXPECT_EQ(form->table.CurrentTab(), 1);
  EXPECT_EQ(browsers[1]->navigations, (std::vector<std::string>{""}));
  EXPECT_TRUE(form->PopupsAllowed);

  // No question any more, from any tab.
  browsers[0]->OnNewWindow2.emit(newWindow, cancel);
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_FALSE(cancel);
  EXPECT_EQ(browsers.size(), 3u);
}

TEST_F(MainFormTest, APopUpFromABackgroundTabIsBlockedWithoutAQuestion) {
  Start();
  form->sbdodajClick();
  engine::Browser* newWindow = nullptr;
  bool cancel = false;
  browsers[0]->OnNewWindow2.emit(newWindow, cancel);
  EXPECT_TRUE(cancel);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(form->table.LiveCount(), 2);
}

TEST_F(MainFormTest, APageClosingItsWindowClosesItsTabButNeverTheLastOne) {
  Start();
  form->sbdodajClick();
  form->sbdodajClick();
  ASSERT_EQ(form->table.LiveCount(), 3);
  engine::FakeBrowser* middle = browsers[1];
  engine::FakeBrowser* last = browsers[2];

  // A background tab's page closes its own tab, not the current one; the
  // close waits until the engine's handler has returned.
  middle->OnWindowClose.emit();
  EXPECT_TRUE(form->table.IsLive(1));
  ASSERT_TRUE(ui::WaitUntil([&] { return !form->table.IsLive(1); }, 3000));
  EXPECT_EQ(form->table.LiveCount(), 2);
  EXPECT_EQ(form->GetCurrentWB(), last);

  // The current tab's page: the tab beside it becomes current.
  last->OnWindowClose.emit();
  ASSERT_TRUE(ui::WaitUntil([&] { return form->table.LiveCount() == 1; }, 3000));
  EXPECT_EQ(form->GetCurrentWB(), browsers[0]);

  // The only tab left stays, and the program goes on.
  browsers[0]->OnWindowClose.emit();
  ui::WaitWithMessages(200);
  EXPECT_EQ(form->table.LiveCount(), 1);
  EXPECT_EQ(programEnds, 0);
}

TEST_F(MainFormTest, InRedirectModeTabsDoNotNavigate) {
  Start();
  bool cancel = true;
  browsers[0]->OnBeforeNavigate2.emit("http://a.example/", cancel);
  EXPECT_FALSE(cancel);
  form->RedirectMode = true;
  browsers[0]->OnBeforeNavigate2.emit("http://a.example/", cancel);
  EXPECT_TRUE(cancel);
}

TEST_F(MainFormTest, ALinkAddressOpensTheStatusLineAndPlainTextLetsItClose) {
  Start();
  browsers[0]->OnStatusTextChange.emit("http://example.com/a/page.html");
  EXPECT_EQ(form->infotextLabel.get_text(), "http://example.com/a/page.html");
  EXPECT_EQ(form->infotextHeight(), 16);
  EXPECT_TRUE(form->infotext.get_visible());
  form->Timer5Timer();
  EXPECT_EQ(form->infotextHeight(), 16);  // a link address stays

  browsers[0]->OnStatusTextChange.emit("");
  form->Timer5Timer();
  EXPECT_EQ(form->infotextHeight(), 0);
  EXPECT_FALSE(form->infotext.get_visible());
}

TEST_F(MainFormTest, ALongStatusTextIsCutWithAnEllipsis) {
  Start();
  const std::string address = "http://example.com/" + std::string(400, 'x');
  browsers[0]->OnStatusTextChange.emit(address);
  const std::string shown = form->infotextLabel.get_text();
  ASSERT_GT(shown.size(), 3u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
  const std::string prefix = shown.substr(0, shown.size() - 3);
  EXPECT_EQ(address.compare(0, prefix.size(), prefix), 0);
  auto width = [this](const std::string& s) {
    int w = 0, h = 0;
    form->create_pango_layout(s)->get_pixel_size(w, h);
    return w;
  };
  EXPECT_GT(width(prefix), 425);
  EXPECT_LE(width(prefix.substr(0, prefix.size() - 1)), 425);
}

TEST_F(MainFormTest, TimerFiveSwitchesTheTitleHintOffWhileThePreviewIsOn) {
  Start();
  form->Timer5Timer();
  EXPECT_FALSE(form->tab[0].panel->get_has_tooltip());
  form->ThumbZoom = false;
  form->Timer5Timer();
  EXPECT_TRUE(form->tab[0].panel->get_has_tooltip());
}

TEST_F(MainFormTest, TitlesGoToTheCurrentTabsHintWhicheverTabReportsThem) {
  Start();
  form->sbdodajClick();
  browsers[0]->OnTitleChange.emit("Background page");
  EXPECT_EQ(form->LastTitle, "Background page");
  EXPECT_EQ(form->tab[1].panel->get_tooltip_text(), "Background page");
}

TEST_F(MainFormTest, FinishedLoadsAreRecordedInTheHistoryFile) {
  Start();
  Current().FinishLoad("http://a.example/", "Page A");
  EXPECT_EQ(form->eurl.get_text(), "http://a.example/");
  EXPECT_EQ(form->get_title(), "Lumivale");
  ASSERT_EQ(history->mhistory.Items().size(), 1u);
  // The first visit is written at once.
  listfile::Rows onDisk;
  ASSERT_TRUE(listfile::LoadListViewToFile(onDisk, Settings("history.lmf")));
  ASSERT_EQ(onDisk.size(), 1u);
  EXPECT_EQ(onDisk[0].subItems, (std::vector<std::string>{"Page A", "http://a.example/"}));
  EXPECT_NE(onDisk[0].caption.find(' '), std::string::npos);
  EXPECT_EQ(onDisk[0].caption.find("   "), std::string::npos);

  Current().FinishLoad("http://a.example/", "Page A");  // reload: nothing new
  Current().FinishLoad("http://b.example/", "Page B");
  ASSERT_TRUE(listfile::LoadListViewToFile(onDisk, Settings("history.lmf")));
  ASSERT_EQ(onDisk.size(), 2u);
  EXPECT_EQ(onDisk[0].subItems[1], "http://b.example/");
  EXPECT_NE(onDisk[0].caption.find("   "), std::string::npos);

  Current().FinishLoad("http://c.example/", "About Lumivale");
  history->bchist.set_active(false);
  Current().FinishLoad("http://d.example/", "Page D");
  EXPECT_EQ(history->mhistory.Items().size(), 2u);
}

TEST_F(MainFormTest, VisitsWrittenByAnotherProgramWindowAreKept) {
  Start();
  Current().FinishLoad("http://a.example/", "Page A");
  // A second program (New Session) records its own visit: it writes the
  // whole file, with this window's visit below its own.
  const listfile::Rows theirs{{"d   t", {"Theirs", "http://theirs.example/"}, 0},
                              {"d t", {"Page A", "http://a.example/"}, 0}};
  ASSERT_TRUE(listfile::SaveListViewToFile(theirs, Settings("history.lmf")));

  Current().FinishLoad("http://b.example/", "Page B");
  listfile::Rows onDisk;
  ASSERT_TRUE(listfile::LoadListViewToFile(onDisk, Settings("history.lmf")));
  ASSERT_EQ(onDisk.size(), 3u);
  EXPECT_EQ(onDisk[0].subItems[1], "http://b.example/");
  EXPECT_EQ(onDisk[1].subItems[1], "http://theirs.example/");
  EXPECT_EQ(onDisk[2].subItems[1], "http://a.example/");
  EXPECT_EQ(history->mhistory.Items(), onDisk);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainFormTest, AHistoryThatCannotBeWrittenIsReportedOnceAndKeptInMemory) {
  std::filesystem::create_directories(data.path() / "Lumivale/history.lmf");
  Start();
  ASSERT_EQ(dialogs.shown.size(), 1u);  // the history cannot be read
  EXPECT_NE(dialogs.shown[0].text.find("cannot be read"), std::string::npos) << dialogs.shown[0].text;

  const char* pages[] = {"http://a.example/", "http://b.example/", "http://c.example/"};
  for (const char* page : pages) {
    form->ppwheel.show();
    Current().FinishLoad(page, "A page");
    EXPECT_FALSE(form->ppwheel.get_visible()) << page;  // a row was added
  }
  ASSERT_EQ(history->mhistory.Items().size(), 3u);
  EXPECT_EQ(history->mhistory.Items()[0].subItems[1], "http://c.example/");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_NE(dialogs.shown[1].text.find("\"history.lmf\" cannot be saved"), std::string::npos)
      << dialogs.shown[1].text;
  EXPECT_EQ(dialogs.shown[1].caption, "I/O Error");
}

TEST_F(MainFormTest, TheHistoryWindowLoadsTheFileAtCreation) {
  listfile::Rows rows{{"d   t", {"Old", "http://old.example/"}, 0}};
  std::filesystem::create_directories(data.path() / "Lumivale");
  ASSERT_TRUE(listfile::SaveListViewToFile(rows, data / "Lumivale/history.lmf"));
  Start();
  ASSERT_EQ(history->mhistory.Items().size(), 1u);
  EXPECT_EQ(history->mhistory.Items()[0].subItems[1], "http://old.example/");
  EXPECT_TRUE(history->bchist.get_active());
}

TEST_F(MainFormTest, AfterABookmarkNavigationTheCaptionIsTheTitleSoNothingIsRecorded) {
  Start();
  form->eurl.set_text("http://bookmark.example/");
  form->zamenjajstran();
  EXPECT_EQ(Current().navigations.back(), "http://bookmark.example/");
  EXPECT_EQ(form->LastTitle, "Lumivale");
  Current().OnDownloadComplete.emit();
  EXPECT_TRUE(history->mhistory.Items().empty());
}

TEST_F(MainFormTest, TheBusyWheelShowsWhileTheCurrentPageLoads) {
  Start();
  Current().state = engine::ReadyState::Loading;
  form->Timer1Timer();
  EXPECT_TRUE(form->ppwheel.get_visible());
  EXPECT_TRUE(form->TimerprogressEnabled());
  const int before = form->pwheel.model().position;
  form->TimerprogressTimer();
  EXPECT_NE(form->pwheel.model().position, before);

  Current().state = engine::ReadyState::Complete;
  form->Timer1Timer();
  EXPECT_FALSE(form->ppwheel.get_visible());
  EXPECT_FALSE(form->TimerprogressEnabled());
}

TEST_F(MainFormTest, AGoogleAddressIsRefreshedOnceWhenItHasLoaded) {
  Start();  // the home page is on www.google.com
  form->Timer1Timer();
  form->Timer1Timer();
  EXPECT_EQ(Current().refreshes, 1);
  EXPECT_FALSE(form->GoogleRefresh);

  form->createBrowser("http://maps.GooGle.com/");
  EXPECT_TRUE(form->GoogleRefresh);
  form->createBrowser("http://example.com/");
  form->Timer1Timer();
  EXPECT_EQ(Current().refreshes, 1);
}

TEST_F(MainFormTest, AReachableAddressIsOpenedAsTyped) {
  Start();
  form->RedirectMode = true;
  form->eurl.set_text("example.com/page");
  GdkEventKey enter{};
  enter.type = GDK_KEY_PRESS;
  enter.keyval = GDK_KEY_Return;
  EXPECT_TRUE(form->eurlKeyPress(&enter));
  EXPECT_EQ(probed, (std::vector<std::string>{"example.com/page"}));
  EXPECT_EQ(Current().navigations.back(), "example.com/page");
  EXPECT_TRUE(form->RedirectMode);  // left alone
}

TEST_F(MainFormTest, AnUnreachableTextIsSearchedWithTheConfiguredEngine) {
  engines[1].host = "127.0.0.1:9";
  Start();
  reachable = false;
  form->SpeedSearch = 1;
  form->RedirectMode = true;
  form->eurl.set_text("fish & chips");
  form->xsClick();
  EXPECT_EQ(Current().navigations.back(), "http://127.0.0.1:9/search?ie=ISO-8859-1&hl=us&q=fish+%26+chips");
  EXPECT_FALSE(form->RedirectMode);
  EXPECT_GE(Current().focusGrabs, 1);

  form->SpeedSearch = 9;  // out of range: Google
  form->xsClick();
  EXPECT_EQ(Current().navigations.back(), "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=fish+%26+chips");
}

TEST_F(MainFormTest, AnEmptyAddressBarGoesHome) {
  Start();
  reachable = false;
  form->HomePage = "http://home.example/";
  form->eurl.set_text("");
  form->xsClick();
  EXPECT_EQ(Current().navigations.back(), "http://home.example/");
}

TEST_F(MainFormTest, WebSearchOpensTheSelectionInANewTab) {
  Start();
  form->RedirectMode = true;
  Current().selection = "fish & chips";
  form->QuickWebSearch3Click();
  EXPECT_FALSE(form->RedirectMode);
  ASSERT_EQ(browsers.size(), 2u);
  EXPECT_EQ(form->table.CurrentTab(), 1);
  EXPECT_EQ(browsers[1]->navigations,
            (std::vector<std::string>{"Blank Page", "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=fish+%26+chips"}));
  EXPECT_GE(browsers[1]->focusGrabs, 1);
}

TEST_F(MainFormTest, WebSearchWithNothingSelectedOpensNothing) {
  Start();
  form->RedirectMode = true;
  Current().selection = "";
  form->xquickClick();
  EXPECT_EQ(browsers.size(), 1u);
  EXPECT_FALSE(form->RedirectMode);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainFormTest, WebSearchWithoutAPageReportsTheErrorAndOpensNothing) {
  Start();
  Current().hasDocument = false;
  form->QuickWebSearch3Click();
  EXPECT_EQ(browsers.size(), 1u);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "Lumivale web browser");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Error);
}

TEST_F(MainFormTest, TheQuickSearchButtonsHintNamesTheConfiguredEngine) {
  data.Write("Lumivale/Lumivale.cfg", "[Config]\nSPEEDSEARCH=2\n");
  Start();
  EXPECT_EQ(form->xquick.get_tooltip_text(), "Yahoo! Search");
}

TEST_F(MainFormTest, EnterPressedAgainWhileTheAddressIsProbedIsIgnored) {
  Start();
  int probes = 0;
  // The probe lets messages run; the user presses Enter again meanwhile.
  form->eurl.set_text("example.com");
  probeOverride = [this, &probes](const std::string&) {
    ++probes;
    form->xsClick();
    return true;
  };
  form->xsClick();
  EXPECT_EQ(probes, 1);
  EXPECT_EQ(Current().navigations.back(), "example.com");
}

}  // namespace
