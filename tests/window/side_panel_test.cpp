// The side panel with the main window: what redirect mode opens in it, its
// width, its caption, Close and Open in Browser.
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

class SidePanelTest : public MainFormTest {
 protected:
  void StartRedirecting() {
    Start();
    AddToolbarAndNotice();
    form->RedirectMode = true;
  }
  // A link clicked in the current tab.
  void FollowLink(const std::string& address) { Current().Navigate(address); }
  engine::FakeBrowser& Side() { return *static_cast<engine::FakeBrowser*>(form->dxpanel.wbr()); }
  // Drags the splitter by `dx` pixels (negative: to the left).
  void DragSplitter(int dx) {
    GdkEventButton press{};
    press.type = GDK_BUTTON_PRESS;
    press.button = 1;
    press.x_root = 800;
    form->SpliterPress(&press);
    GdkEventMotion motion{};
    motion.type = GDK_MOTION_NOTIFY;
    motion.x_root = 800 + dx;
    form->SpliterMotion(&motion);
  }
};

TEST_F(SidePanelTest, ARedirectedLinkOpensInThePanelAndTheTabStaysWhereItWas) {
  StartRedirecting();
  const std::string before = Current().location;
  EXPECT_EQ(form->dxpanel.wbr(), nullptr);  // no side browser before it is needed
  FollowLink("http://b.example/page");
  EXPECT_EQ(Current().location, before);
  EXPECT_TRUE(form->dxpanel.get_visible());
  EXPECT_TRUE(form->Spliter.get_visible());
  ASSERT_NE(form->dxpanel.wbr(), nullptr);
  EXPECT_EQ(Side().navigations, (std::vector<std::string>{"http://b.example/page"}));
  EXPECT_EQ(Side().userAgent, form->UserAgent);
  EXPECT_EQ(form->dxpanel.pcaption.get_text(), "Redirect from http://b.example/page");
  EXPECT_TRUE(notice->get_visible());  // shown, not modally
  EXPECT_EQ(dialogs.modalRuns, 0);
  // The caption shows the address alone once the title comes.
  Side().FinishLoad("http://b.example/page", "Page B");
  EXPECT_EQ(form->dxpanel.pcaption.get_text(), "http://b.example/page");
  // While the shell routes to the side, the page commands act on its browser.
  form->SideRouting = true;
  EXPECT_EQ(form->GetCurrentWB(), form->dxpanel.wbr());
  form->SideRouting = false;
}

TEST_F(SidePanelTest, ItFirstOpensAtAThirdOfTheWindowPlus30AndLaterKeepsTheDraggedWidth) {
  StartRedirecting();
  const int firstWidth = form->SidePanelWidth + 30;
  FollowLink("http://b.example/");
  EXPECT_EQ(form->dxpanel.Width(), firstWidth);
  ASSERT_TRUE(ui::WaitUntil([&] { return form->dxpanel.get_allocated_width() == firstWidth; }, 3000));

  DragSplitter(-100);  // to the left: wider
  EXPECT_EQ(form->dxpanel.Width(), firstWidth + 100);
  form->dxpanel.XiButton13Click();
  EXPECT_EQ(form->SidePanelWidth, firstWidth + 100);

  form->RedirectMode = true;
  FollowLink("http://c.example/");
  EXPECT_EQ(form->dxpanel.Width(), firstWidth + 100);
  DragSplitter(40);  // and narrower again, while open
  form->dxpanel.XiButton13Click();
  form->RedirectMode = true;
  FollowLink("http://d.example/");
  EXPECT_EQ(form->dxpanel.Width(), firstWidth + 60);
}

TEST_F(SidePanelTest, CloseBlanksTheSideBrowserAndSwitchesRedirectModeOff) {
  StartRedirecting();
  form->xredirectClick();
  form->xredirectClick();  // on, with the red picture
  ASSERT_TRUE(form->RedirectMode);
  FollowLink("http://b.example/");
  form->dxpanel.XiButton13Click();
  EXPECT_FALSE(form->RedirectMode);
  EXPECT_EQ(form->xredirectPicture.get_pixbuf(), form->iredirektwhite.get_pixbuf());
  EXPECT_FALSE(form->dxpanel.get_visible());
  EXPECT_FALSE(form->Spliter.get_visible());
  EXPECT_EQ(Side().navigations.back(), "about:blank");

  // While the page is being kept (a copy is being made), it is not blanked.
  form->RedirectMode = true;
  FollowLink("http://c.example/");
  form->KeepSidePage = true;
  form->dxpanel.XiButton13Click();
  EXPECT_EQ(Side().navigations.back(), "http://c.example/");
}

TEST_F(SidePanelTest, ANewWindowFromTheSidePageOpensNothingAndReloadsIt) {
  StartRedirecting();
  FollowLink("http://b.example/");
  Side().FinishLoad("http://b.example/", "B");
  const int tabs = form->table.LiveCount();
  engine::Browser* newWindow = nullptr;
  bool cancel = false;
  Side().OnNewWindow2.emit(newWindow, cancel);
  EXPECT_TRUE(cancel);
  EXPECT_EQ(newWindow, nullptr);
  EXPECT_EQ(form->table.LiveCount(), tabs);
  EXPECT_EQ(Side().navigations.back(), "http://b.example/");
  EXPECT_EQ(Side().navigations.size(), 2u);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SidePanelTest, OpenInBrowserMovesTheSidePageAsItIsIntoANewTab) {
  StartRedirecting();
  FollowLink("http://b.example/");
  Side().FinishLoad("http://b.example/", "B");
  Side().body = "<p>changed by a script</p>";
  form->dxpanel.XiButton12Click();
  ASSERT_EQ(form->table.LiveCount(), 2);
  engine::FakeBrowser& copy = Current();
  EXPECT_EQ(copy.navigations, (std::vector<std::string>{"", "http://b.example/"}));
  EXPECT_EQ(copy.body, "<p>changed by a script</p>");
  EXPECT_EQ(form->eurl.get_text(), "http://b.example/");
  // Redirect mode went off with its notice, and the panel is closed.
  EXPECT_FALSE(form->RedirectMode);
  EXPECT_EQ(notice->Caption(), "N O  R E D I R E C T");
  EXPECT_EQ(dialogs.modalRuns, 1);
  EXPECT_FALSE(form->dxpanel.get_visible());
  EXPECT_FALSE(form->KeepSidePage);
  EXPECT_EQ(Side().navigations.back(), "about:blank");
}

TEST_F(SidePanelTest, TheCaptionGaugeFollowsTheSidePagesProgress) {
  StartRedirecting();
  FollowLink("http://b.example/");
  Side().OnProgressChange.emit(30, 200);
  EXPECT_EQ(form->dxpanel.pcaption.MaxValue(), 200);
  EXPECT_EQ(form->dxpanel.pcaption.Progress(), 30);
  Side().OnDocumentComplete.emit(true);
  EXPECT_EQ(form->dxpanel.pcaption.Progress(), 0);
}

TEST_F(SidePanelTest, ItsFindButtonSearchesTheSidePageAndTheMenusFindTheTab) {
  StartRedirecting();
  FollowLink("http://b.example/");
  Side().FinishLoad("http://b.example/", "B");
  form->dxpanel.XiButton11Click();
  navigation::Tffind& find = form->FindWindow();
  EXPECT_TRUE(find.get_visible());
  find.etext.set_text("word");
  find.FindNext(false);
  ASSERT_EQ(Side().finds.size(), 1u);
  EXPECT_TRUE(Browser(0).finds.empty());
  form->Find1Click();
  find.FindNext(false);
  EXPECT_EQ(Browser(0).finds.size(), 1u);
  EXPECT_EQ(Side().finds.size(), 1u);
}

}  // namespace
