// The zoom window with the main window: the slider's arithmetic, one zoom
// value for the window and a zoom kept per tab, and the translucent
// window.
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

TEST(ZoomArithmetic, TheSliderRunsFrom999AtTheTopTo0AtTheBottom) {
  struct Case {
    int position, zoom;
  };
  for (const Case& c : {Case{10, 999}, Case{1000, 900}, Case{9000, 100}, Case{8500, 150}, Case{10000, 0},
                        Case{9915, 8}})
    EXPECT_EQ(navigation::ZoomForPosition(c.position), c.zoom) << c.position;
  EXPECT_EQ(navigation::PositionForZoom(100), 9000);
  EXPECT_EQ(navigation::PositionForZoom(150), 8500);
}

TEST_F(MainFormTest, TheZoomWindowOpensOnTheTabsZoomAndSendsNothingNew) {
  Start();
  AddZoomWindow();
  int x = 0, y = 0;
  zoom->get_position(x, y);
  EXPECT_EQ(x, 1920 - 107 - 35);
  EXPECT_EQ(y, 1080 - 233 - 50);
  form->Zoom2.activate();
  EXPECT_TRUE(zoom->get_visible());
  EXPECT_EQ(zoom->zumbar.get_value(), 9000);
  EXPECT_EQ(zoom->Label16.get_text(), "100 %");
  EXPECT_TRUE(Current().zooms.empty());  // 100 is the zoom already sent

  zoom->zumbar.set_value(10);  // dragged to the top
  EXPECT_EQ(zoom->Label16.get_text(), "999 %");
  EXPECT_EQ(form->tab[0].thumb->CodeA(), "999");
  EXPECT_EQ(Current().zoom, 999);
  zoom->XiButton4Click();
  EXPECT_EQ(zoom->Label16.get_text(), "100 %");
  EXPECT_EQ(Current().zoom, 100);
}

TEST_F(MainFormTest, EachTabKeepsItsZoomAndTheWindowSendsTheOneItShows) {
  Start();
  AddZoomWindow();
  form->Zoom2Click();
  zoom->zumbar.set_value(navigation::PositionForZoom(150));
  engine::FakeBrowser& a = Current();
  EXPECT_EQ(a.zoom, 150);
  EXPECT_EQ(form->ZoomValue, 150);
  form->sbdodajClick();  // a new tab hides the zoom window
  EXPECT_FALSE(zoom->get_visible());
  engine::FakeBrowser& b = Current();
  form->Zoom2Click();  // tab B's text is "100": it is sent, as it differs
  EXPECT_EQ(b.zooms, (std::vector<int>{100}));
  EXPECT_EQ(form->ZoomValue, 100);
  EXPECT_EQ(zoom->Label16.get_text(), "100 %");
  // Back on tab A the window shows and sends its 150 again.
  form->slikaklik(0);
  EXPECT_EQ(zoom->Label16.get_text(), "150 %");
  EXPECT_EQ(a.zooms.back(), 150);
  // Closing a tab hides it.
  form->brisiAklik(1);
  EXPECT_FALSE(zoom->get_visible());
}

TEST_F(MainFormTest, AZoomTheEngineRefusesIsReportedAndChangesNoText) {
  Start();
  AddZoomWindow();
  form->Zoom2Click();
  zoom->zumbar.set_value(10000);  // the bottom: 0 %
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Error);
  EXPECT_NE(dialogs.shown[0].text.find("10 and 1000"), std::string::npos) << dialogs.shown[0].text;
  EXPECT_EQ(zoom->Label16.get_text(), "100 %");
  EXPECT_EQ(form->tab[0].thumb->CodeA(), "100");
  EXPECT_EQ(form->ZoomValue, 0);
  EXPECT_EQ(Current().zoom, 100);
}

TEST_F(MainFormTest, F10MakesTheWindowTranslucentAndAgainOpaque) {
  Start();
  const int grabs = Current().focusGrabs;
  form->ransparent1.activate();
  EXPECT_TRUE(form->AlphaBlend());
  EXPECT_NEAR(form->get_opacity(), 80 / 255.0, 0.01);
  form->ransparent1Click();
  EXPECT_FALSE(form->AlphaBlend());
  EXPECT_DOUBLE_EQ(form->get_opacity(), 1.0);
  EXPECT_EQ(Current().focusGrabs, grabs + 2);
}

}  // namespace
