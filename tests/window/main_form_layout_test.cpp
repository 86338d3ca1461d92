// What the main window shows of its layout: the top bar's three states,
// a window that can always be made narrower, new tabs in view, tab hints,
// a tab that cannot be built and an address typed into a tab that closes.
#include <stdexcept>

#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

// Lets the window lay itself out after a change.
void Settle() {
  ui::WaitWithMessages(150);
}

int TopInWindow(Gtk::Widget& widget, Gtk::Widget& window) {
  int x = 0, y = 0;
  widget.translate_coordinates(window, 0, 0, x, y);
  return y;
}

TEST_F(MainFormTest, EachTopBarStateShowsWhatItSays) {
  Start();
  form->BarState = 2;
  form->FullScreen1Click();  // to 0
  struct Case {
    int state;
    bool barShown;
    int barHeight;
    bool addressBarShown;
  };
  const Case cases[] = {
      {0, true, 76, false},   // tab strip only
      {1, false, 0, false},   // hidden
      {2, true, 103, true},   // tab strip and address bar
      {0, true, 76, false},   // and round again
  };
  for (const Case& c : cases) {
    if (c.state != form->BarState) form->FullScreen1Click();
    ASSERT_EQ(form->BarState, c.state);
    Settle();
    EXPECT_EQ(form->RGPanel1.get_mapped(), c.barShown) << c.state;
    if (c.barShown) EXPECT_EQ(form->RGPanel1.get_allocated_height(), c.barHeight) << c.state;
    EXPECT_EQ(form->eurl.get_mapped(), c.addressBarShown) << c.state;
    EXPECT_EQ(form->Image3.get_mapped(), c.addressBarShown) << c.state;
    // The pages begin right under the bar.
    EXPECT_EQ(TopInWindow(form->PALL, form->root), c.barHeight) << c.state;
  }
}

TEST_F(MainFormTest, AStartWithTheStripOnlyHidesTheAddressBar) {
  data.Write("Lumivale/Lumivale.cfg", "[Config]\nhidebar=0\n");
  Start();
  Settle();
  EXPECT_EQ(form->RGPanel1.get_allocated_height(), 76);
  EXPECT_FALSE(form->eurl.get_mapped());
}

TEST_F(MainFormTest, AfterALayoutAtAWideSizeTheWindowCanStillBeMadeNarrower) {
  Start();
  form->resize(1900, 800);
  ASSERT_TRUE(ui::WaitUntil([&] { return form->root.get_allocated_width() == 1900; }, 3000));
  Settle();
  int minimum = 0, natural = 0;
  form->get_preferred_width(minimum, natural);
  EXPECT_LT(minimum, 400);
  form->resize(640, 600);
  ASSERT_TRUE(ui::WaitUntil([&] { return form->root.get_allocated_width() == 640; }, 3000));
  Settle();
  // The top bar follows: its address bar ends inside the window.
  int x = 0, y = 0;
  form->xs.translate_coordinates(form->root, 0, 0, x, y);
  EXPECT_LE(x + form->xs.get_allocated_width(), 640);
  EXPECT_EQ(form->poddrsni.get_allocated_width(), 640);
}

TEST_F(MainFormTest, ANewTabInAnOverflowingStripIsScrolledIntoView) {
  Start();
  form->resize(700, 600);
  ASSERT_TRUE(ui::WaitUntil([&] { return form->root.get_allocated_width() == 700; }, 3000));
  Settle();
  for (int i = 0; i < 9; ++i) form->sbdodajClick();
  Settle();
  ASSERT_TRUE(form->drsnisx.get_visible());
  const int current = form->table.CurrentTab();
  ASSERT_EQ(current, 9);
  int x = 0, y = 0;
  form->tab[9].panel->translate_coordinates(form->drsniAll, 0, 0, x, y);
  EXPECT_GE(x, 0);
  EXPECT_LE(x + form->tab[9].panel->get_allocated_width(), form->drsniAll.get_allocated_width());
}

TEST_F(MainFormTest, ATitleChangeLeavesTheTabHintsAsTheyWere) {
  Start();
  for (bool thumbZoom : {true, false}) {
    form->ThumbZoom = thumbZoom;
    form->Timer5Timer();
    Gtk::Widget& panel = *form->tab[0].panel;
    ASSERT_EQ(panel.get_has_tooltip(), !thumbZoom);
    form->WebBrowserTitleChange("A page");
    EXPECT_EQ(panel.get_has_tooltip(), !thumbZoom) << thumbZoom;
    EXPECT_EQ(panel.get_tooltip_text(), "A page");
  }
}

TEST_F(MainFormTest, ATabThatCannotBeBuiltLeavesNoHalfTabAndClosesTheWindow) {
  for (bool throws : {false, true}) {
    SCOPED_TRACE(throws ? "the engine throws" : "the engine gives no browser");
    TearDown();
    browsers.clear();
    programEnds = 0;
    refuseBrowser = nullptr;
    Start();
    refuseBrowser = [throws] {
      if (throws) throw std::runtime_error("no engine");
      return true;
    };
    EXPECT_EQ(form->createBrowser("http://a.example/"), nullptr);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(form->table.LiveCount(), 1);
    EXPECT_FALSE(form->table.IsLive(1));
    EXPECT_EQ(form->table.NextTabLeft(), 3 + 115);
    for (int slot = 0; slot < form->table.TabCount(); ++slot)
      if (form->table.IsLive(slot)) EXPECT_NE(form->tab[std::size_t(slot)].browser, nullptr) << slot;
    for (Gtk::Widget* child : form->drsni.get_children()) EXPECT_NE(child->get_name(), "dpanel1");
    EXPECT_EQ(form->pages.get_visible_child(), form->tab[0].content.get());
  }
}

TEST_F(MainFormTest, AnAddressGoesToTheTabWhereEnterWasPressed) {
  struct Case {
    const char* what;
    bool closeIt;  // else the user switches to the other tab
  };
  for (const Case& c : {Case{"closed during the probe", true}, Case{"left during the probe", false}}) {
    SCOPED_TRACE(c.what);
    TearDown();
    browsers.clear();
    Start();
    form->sbdodajClick();
    ASSERT_EQ(form->table.CurrentTab(), 1);
    engine::FakeBrowser& other = Browser(0);
    engine::FakeBrowser& typedIn = Browser(1);
    const auto otherBefore = other.navigations;
    const auto typedBefore = typedIn.navigations.size();
    probeOverride = [&](const std::string&) {
      if (c.closeIt)
        form->brisiAklik(1);
      else
        form->slikaklik(0);
      return true;
    };
    form->eurl.set_text("slow.example");
    form->xsClick();
    EXPECT_EQ(other.navigations, otherBefore);
    if (!c.closeIt) {
      ASSERT_EQ(typedIn.navigations.size(), typedBefore + 1);
      EXPECT_EQ(typedIn.navigations.back(), "slow.example");
    }
  }
}

}  // namespace
