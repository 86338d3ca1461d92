// The floating navigation toolbar and redirect mode with the main window:
// its buttons, its place, its translucency and the redirect notice.
#include "navigation/Tfred.h"
#include "settings/IniFile.h"
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

TEST_F(MainFormTest, TheToolbarsButtonsWorkOnTheirBrowsers) {
  Start();
  AddToolbarAndNotice();
  engine::FakeBrowser& tab = Current();
  form->HomePage = "home.example";
  struct Case {
    const char* button;
    void (navigation::Tfhint::*click)();
    int stops, backs, forwards, refreshes;
    const char* navigatedTo;  // or null
  };
  const Case cases[] = {
      {"Back", &navigation::Tfhint::SpeedButton1Click, 1, 1, 0, 0, nullptr},
      {"Forward", &navigation::Tfhint::SpeedButton2Click, 1, 0, 1, 0, nullptr},
      {"Refresh", &navigation::Tfhint::sbrefreshClick, 0, 0, 0, 1, nullptr},
      {"Stop", &navigation::Tfhint::sbstopClick, 1, 0, 0, 0, nullptr},
      {"Home", &navigation::Tfhint::SpeedButton5Click, 1, 0, 0, 0, "home.example"},
  };
  for (const Case& c : cases) {
    const int stops = tab.stops, backs = tab.backs, forwards = tab.forwards, refreshes = tab.refreshes;
    const std::size_t navigations = tab.navigations.size();
    (toolbar.get()->*c.click)();
    EXPECT_EQ(tab.stops - stops, c.stops) << c.button;
    EXPECT_EQ(tab.backs - backs, c.backs) << c.button;
    EXPECT_EQ(tab.forwards - forwards, c.forwards) << c.button;
    EXPECT_EQ(tab.refreshes - refreshes, c.refreshes) << c.button;
    if (c.navigatedTo) {
      ASSERT_EQ(tab.navigations.size(), navigations + 1) << c.button;
      EXPECT_EQ(tab.navigations.back(), c.navigatedTo) << c.button;
    } else {
      EXPECT_EQ(tab.navigations.size(), navigations) << c.button;
    }
  }
  // Stop gives its place back to Refresh.
  EXPECT_FALSE(toolbar->sbstop.get_visible());
  EXPECT_TRUE(toolbar->sbrefresh.get_visible());
  // Bookmarks shows the bookmarks window modally.
  AddBookmarkWindows();
  toolbar->SpeedButton6Click();
  EXPECT_EQ(dialogs.modalRuns, 1);
}

TEST_F(MainFormTest, StopCoversRefreshWhileThePageLoads) {
  completeOnNavigate = false;
  Start();
  AddToolbarAndNotice();
  form->Timer1Timer();
  EXPECT_TRUE(toolbar->sbstop.get_visible());
  Current().FinishLoad("http://a.example/", "A");
  form->Timer1Timer();
  EXPECT_FALSE(toolbar->sbstop.get_visible());
}

TEST_F(MainFormTest, TheToolbarStartsFaintWhereItWasAndItsPlaceIsSavedAtClose) {
  data.Write("Lumivale/Lumivale.cfg", "[hmenu]\nx=300\ny=200\n");
  Start();
  AddToolbarAndNotice();
  int x = 0, y = 0;
  toolbar->get_position(x, y);
  EXPECT_EQ(x, 300);
  EXPECT_EQ(y, 200);
  EXPECT_TRUE(toolbar->AlphaBlend());
  EXPECT_EQ(toolbar->AlphaBlendValue(), 50);
  // Its outline has rounded corners.
  ASSERT_TRUE(toolbar->region());
  EXPECT_FALSE(toolbar->region()->contains_point(0, 0));
  EXPECT_FALSE(toolbar->region()->contains_point(251, 39));
  EXPECT_TRUE(toolbar->region()->contains_point(7, 7));
  EXPECT_TRUE(toolbar->region()->contains_point(126, 20));

  toolbar->move(340, 260);
  ui::WaitUntil([&] {
    toolbar->get_position(x, y);
    return x == 340;
  }, 2000);
  form->CloseProgram();
  const auto ini = settings::IniFile::Load(Settings("Lumivale.cfg"));
  EXPECT_EQ(ini.ReadInteger("hmenu", "x", -1), 340);
  EXPECT_EQ(ini.ReadInteger("hmenu", "y", -1), 260);
}

TEST_F(MainFormTest, TheToolbarsHintMakesItOpaqueAndAnyOtherLetsItsAlphaApply) {
  Start();
  AddToolbarAndNotice();
  toolbar->AppOnHint("105");
  EXPECT_FALSE(toolbar->AlphaBlend());
  EXPECT_DOUBLE_EQ(toolbar->get_opacity(), 1.0);
  toolbar->AppOnHint("Search");
  EXPECT_TRUE(toolbar->AlphaBlend());
  EXPECT_NEAR(toolbar->get_opacity(), 50 / 255.0, 0.01);
}

TEST_F(MainFormTest, RedirectModeTogglesWithItsNoticeAndPicture) {
  Start();
  AddToolbarAndNotice();
  auto red = form->iredirektred.get_pixbuf();
  auto white = form->iredirektwhite.get_pixbuf();
  EXPECT_EQ(form->xredirectPicture.get_pixbuf(), white);

  form->Redirecttonewbrowser1.activate();
  EXPECT_TRUE(form->RedirectMode);
  EXPECT_EQ(notice->Caption(), "R E D I R E C T");
  EXPECT_EQ(form->xredirectPicture.get_pixbuf(), red);
  EXPECT_EQ(dialogs.modalRuns, 1);  // shown modally; it closes itself

  form->xredirectClick();
  EXPECT_FALSE(form->RedirectMode);
  EXPECT_EQ(notice->Caption(), "N O  R E D I R E C T");
  EXPECT_EQ(form->xredirectPicture.get_pixbuf(), white);
  EXPECT_EQ(dialogs.modalRuns, 2);

  // A search from the address bar switches the mode off, the picture stays.
  form->xredirectClick();
  reachable = false;
  form->eurl.set_text("some words");
  form->xsClick();
  EXPECT_FALSE(form->RedirectMode);
  EXPECT_EQ(form->xredirectPicture.get_pixbuf(), red);
}

TEST_F(MainFormTest, TheNoticeFadesInFourTicksAndClosesItself) {
  Start();
  AddToolbarAndNotice();
  form->RedirectMode = true;
  notice->SetCaption("N O  R E D I R E C T");
  notice->show();  // as a redirected navigation shows it
  EXPECT_EQ(notice->Caption(), "R E D I R E C T");
  EXPECT_TRUE(notice->Timer1Enabled());
  std::vector<int> alphas{notice->AlphaBlendValue()};
  for (int i = 0; i < 3; ++i) {
    notice->Timer1Timer();
    alphas.push_back(notice->AlphaBlendValue());
    EXPECT_TRUE(notice->get_visible());
  }
  EXPECT_EQ(alphas, (std::vector<int>{255, 205, 155, 105}));
  notice->Timer1Timer();
  EXPECT_FALSE(notice->get_visible());
  EXPECT_FALSE(notice->Timer1Enabled());
  // On its own timer it closes after about 600 ms.
  notice->show();
  EXPECT_TRUE(ui::WaitUntil([&] { return !notice->get_visible(); }, 2000));
}

}  // namespace
