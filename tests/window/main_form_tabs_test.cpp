// The main window's start-up, tab strip, thumbnails, preview and menu,
// with FakeBrowsers.
#include <filesystem>

#include "support/MainFormFixture.h"
#include "app/Version.h"

namespace {

using testing_support::MainFormTest;

constexpr controls::Rgb kOrange{255, 179, 64};
constexpr controls::Rgb kDark{58, 48, 48};
constexpr controls::Rgb kGrey{128, 128, 128};

int ChildX(Gtk::Fixed& fixed, Gtk::Widget& child) {
  int x = 0;
  gtk_container_child_get(GTK_CONTAINER(fixed.gobj()), child.gobj(), "x", &x, nullptr);
  return x;
}
int ChildY(Gtk::Fixed& fixed, Gtk::Widget& child) {
  int y = 0;
  gtk_container_child_get(GTK_CONTAINER(fixed.gobj()), child.gobj(), "y", &y, nullptr);
  return y;
}

TEST_F(MainFormTest, FirstRunCreatesTheSettingsFolderAndOpensTheHomePageInOneTab) {
  Start();
  EXPECT_TRUE(std::filesystem::is_directory(data.path() / "Lumivale"));
  ASSERT_EQ(browsers.size(), 1u);
  EXPECT_EQ(browsers[0]->navigations, (std::vector<std::string>{"www.google.com"}));
  EXPECT_EQ(browsers[0]->userAgent, std::string("Lumivale/") + app::kVersion +
                                        " (Compatible; Windows; U; en-US)Version/ " + app::kVersion);
  EXPECT_EQ(form->table.LiveCount(), 1);
  EXPECT_EQ(form->tab[0].panel->get_name(), "dpanel0");
  EXPECT_EQ(form->tab[0].thumb->get_name(), "slikaA0");
  EXPECT_EQ(form->tab[0].content->get_name(), "zpanel0");
  EXPECT_EQ(form->tab[0].thumb->CodeA(), "100");
  EXPECT_EQ(form->pages.get_visible_child(), form->tab[0].content.get());
  // Screen of 1920 x 1080: the preview is 480 x 260.
  EXPECT_EQ(form->PreviewWidth, 480);
  EXPECT_EQ(form->PreviewHeight, 260);
  EXPECT_TRUE(form->Timer1Enabled());
  EXPECT_TRUE(form->Timer5Enabled());
  EXPECT_TRUE(form->rsstimerEnabled());
  EXPECT_FALSE(form->SideRouting);
  EXPECT_EQ(form->get_title(), "Lumivale");
}

TEST_F(MainFormTest, AnIdleWindowStopsLayingItselfOut) {
  Start();
  ui::WaitWithMessages(300);
  int allocations = 0;
  form->root.signal_size_allocate().connect([&](Gtk::Allocation&) { ++allocations; });
  ui::WaitWithMessages(500);
  EXPECT_EQ(allocations, 0);
}

TEST_F(MainFormTest, SeedFilesAreCopiedIntoANewSettingsFolderAndNeverOverwritten) {
  program.Write("2favlist.lmf", "favourites");
  program.Write("2rss.lmf", "feeds");
  program.Write("rss.hot", "war,peace");
  data.Write("Lumivale/2rss.lmf", "the user's own feeds");
  Start();
  form->FormActivate();
  EXPECT_EQ(data.Read("Lumivale/2favlist.lmf"), "favourites");
  EXPECT_EQ(data.Read("Lumivale/2rss.lmf"), "the user's own feeds");
  EXPECT_EQ(data.Read("Lumivale/rss.hot"), "war,peace");
}

TEST_F(MainFormTest, AMissingSeedStopsTheRemainingCopiesSilently) {
  program.Write("2rss.lmf", "feeds");
  program.Write("rss.hot", "war");
  Start();
  form->FormActivate();
  EXPECT_FALSE(data.Exists("Lumivale/2favlist.lmf"));
  EXPECT_FALSE(data.Exists("Lumivale/2rss.lmf"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainFormTest, TheNewTabButtonOpensTheHomePageAtTheEndOfTheStrip) {
  Start();
  form->sbdodajClick();
  form->sbdodajClick();
  ASSERT_EQ(browsers.size(), 3u);
  EXPECT_EQ(browsers[2]->navigations, (std::vector<std::string>{"www.google.com"}));
  EXPECT_EQ(form->table.CurrentTab(), 2);
  EXPECT_EQ(ChildX(form->drsni, *form->tab[1].panel), 118);
  EXPECT_EQ(ChildY(form->drsni, *form->tab[1].panel), 3);
  EXPECT_EQ(ChildX(form->drsni, *form->tab[2].panel), 233);
  EXPECT_EQ(ChildX(form->drsni, form->sbdodaj), 3 + 3 * 115);
  EXPECT_EQ(form->tab[2].panel->color(), kGrey);  // until its first picture
  EXPECT_FALSE(form->tab[2].close->get_visible());
  EXPECT_EQ(form->pages.get_visible_child(), form->tab[2].content.get());
}

TEST_F(MainFormTest, CreateBrowserTakesTheHomePageTokenOnlyWhenTrimmedExactly) {
  Start();
  form->createBrowser("  666ycf ");
  form->createBrowser("666YCF");
  form->createBrowser(" http://x.example/ ");
  EXPECT_EQ(browsers[1]->navigations.back(), "www.google.com");
  EXPECT_EQ(browsers[2]->navigations.back(), "666YCF");
  EXPECT_EQ(browsers[3]->navigations.back(), " http://x.example/ ");
}

TEST_F(MainFormTest, ACompletedPageBecomesTheTabsPictureAndItsCloseButtonShows) {
  Start();
  form->sbdodajClick();
  browsers[1]->picture = engine::Bitmap(800, 600);
  browsers[1]->FinishLoad("http://b.example/", "B");
  auto& thumb = *form->tab[1].thumb;
  ASSERT_TRUE(thumb.HasPicture());
  EXPECT_EQ(thumb.picture()->get_width(), 480);
  EXPECT_EQ(thumb.picture()->get_height(), 260);
  EXPECT_TRUE(form->tab[1].close->get_visible());
  EXPECT_EQ(form->tab[1].panel->color(), kOrange);
  EXPECT_EQ(form->tab[0].panel->color(), kDark);
  // A page that cannot be drawn keeps the old picture.
  browsers[1]->hasDocument = false;
  form->WebBrowserScreenShot();
  EXPECT_EQ(thumb.picture()->get_width(), 480);
}

TEST_F(MainFormTest, ClickingAThumbnailSwitchesToItsTab) {
  Start();
  form->sbdodajClick();
  browsers[0]->location = "http://a.example/";
  form->slikaklik(0);
  EXPECT_EQ(form->table.CurrentTab(), 0);
  EXPECT_EQ(form->pages.get_visible_child(), form->tab[0].content.get());
  EXPECT_EQ(form->eurl.get_text(), "http://a.example/");
  EXPECT_EQ(form->tab[0].panel->color(), kOrange);
  EXPECT_EQ(form->tab[1].panel->color(), kDark);
  // Both tabs were captured: the one left and the one entered.
  EXPECT_GE(browsers[1]->snapshots, 1);
  EXPECT_GE(browsers[0]->snapshots, 1);
  EXPECT_EQ(form->GetCurrentWB(), browsers[0]);
}

TEST_F(MainFormTest, ClosingTheCurrentTabInTheMiddleMakesTheOneBelowItCurrent) {
  Start();
  for (int i = 0; i < 4; ++i) form->sbdodajClick();
  form->slikaklik(2);
  browsers[1]->location = "http://one.example/";
  form->brisiAklik(2);
  EXPECT_EQ(form->table.CurrentTab(), 1);
  EXPECT_EQ(form->eurl.get_text(), "http://one.example/");
  EXPECT_FALSE(form->table.IsLive(2));
  EXPECT_EQ(form->tab[2].panel, nullptr);
  EXPECT_FALSE(form->SideRouting);
  // The strip is packed without the gap.
  EXPECT_EQ(ChildX(form->drsni, *form->tab[3].panel), 233);
  EXPECT_EQ(ChildX(form->drsni, *form->tab[4].panel), 348);
  EXPECT_EQ(form->table.NextTabLeft(), 463);
  EXPECT_EQ(ChildX(form->drsni, form->sbdodaj), 463);
  EXPECT_EQ(programEnds, 0);
}

TEST_F(MainFormTest, ClosingTheFirstTabWhenCurrentMakesTheNextOneCurrent) {
  Start();
  form->sbdodajClick();
  form->slikaklik(0);
  form->brisiAklik(0);
  EXPECT_EQ(form->table.CurrentTab(), 1);
  EXPECT_EQ(ChildX(form->drsni, *form->tab[1].panel), 3);
}

TEST_F(MainFormTest, ClosingABackgroundTabKeepsTheCurrentOne) {
  Start();
  form->sbdodajClick();
  form->sbdodajClick();
  form->brisiAklik(0);
  EXPECT_EQ(form->table.CurrentTab(), 2);
  EXPECT_EQ(ChildX(form->drsni, *form->tab[1].panel), 3);
  EXPECT_EQ(ChildX(form->drsni, *form->tab[2].panel), 118);
  // A new tab takes the next slot that was never used.
  form->sbdodajClick();
  EXPECT_EQ(form->table.CurrentTab(), 3);
  EXPECT_EQ(form->tab[3].panel->get_name(), "dpanel3");
  EXPECT_EQ(ChildX(form->drsni, *form->tab[3].panel), 233);
}

TEST_F(MainFormTest, ClosingTheLastTabEndsTheProgramThroughTheNormalShutDown) {
  Start();
  form->brisiAklik(0);
  EXPECT_EQ(programEnds, 1);
  EXPECT_TRUE(data.Exists("Lumivale/Lumivale.cfg"));
  EXPECT_TRUE(data.Exists("Lumivale/Progset.cfg"));
  EXPECT_FALSE(form->get_visible());
}

TEST_F(MainFormTest, TabsBeyondTheViewportShowTheScrollButtonsUntilTheyFitAgain) {
  Start();
  const int fit = (form->poddrsni.get_allocated_width() - 27 - 3) / 115;
  ASSERT_GT(fit, 2);
  for (int i = 1; i < fit; ++i) form->sbdodajClick();
  EXPECT_FALSE(form->drsnisx.get_visible());
  EXPECT_EQ(form->sbdodaj.get_parent(), &form->drsni);

  form->sbdodajClick();
  form->sbdodajClick();
  EXPECT_TRUE(form->drsnisx.get_visible());
  EXPECT_TRUE(form->drsnidx.get_visible());
  EXPECT_EQ(form->sbdodaj.get_parent(), &form->paneldodaj);

  // The newest tab was scrolled into view; the buttons move by one tab.
  const int scrolled = form->strip.stripLeft;
  EXPECT_LT(scrolled, 0);
  form->drsnidxClick();
  EXPECT_EQ(form->strip.stripLeft, scrolled + 115);
  form->drsnisxClick();
  EXPECT_EQ(form->strip.stripLeft, scrolled);

  for (int slot = 0; slot < 4; ++slot) form->brisiAklik(slot);
  EXPECT_FALSE(form->drsnisx.get_visible());
  EXPECT_FALSE(form->Panel2.get_visible());
  EXPECT_EQ(form->strip.stripLeft, 0);
  EXPECT_EQ(form->sbdodaj.get_parent(), &form->drsni);
}

TEST_F(MainFormTest, DuplicateLoadsTheAddressAndTakesTheSourcePagesCurrentBody) {
  Start();
  browsers[0]->body = "<p>changed by a script</p>";
  form->eurl.set_text("http://a.example/");
  form->d1Click();
  ASSERT_EQ(browsers.size(), 2u);
  EXPECT_EQ(browsers[1]->navigations, (std::vector<std::string>{"", "http://a.example/"}));
  EXPECT_EQ(browsers[1]->body, "<p>changed by a script</p>");
  EXPECT_EQ(browsers[0]->body, "<p>changed by a script</p>");
  EXPECT_EQ(form->table.CurrentTab(), 1);
  EXPECT_TRUE(form->KeepSidePage);
  EXPECT_GE(browsers[1]->focusGrabs, 1);
}

TEST_F(MainFormTest, DuplicateCopiesTheBodyOnceTheNewPageHasLoaded) {
  completeOnNavigate = false;
  Start();
  browsers[0]->state = engine::ReadyState::Complete;
  browsers[0]->body = "<p>source</p>";
  form->eurl.set_text("http://a.example/");
  // The copy finishes loading while Duplicate waits for it.
  Glib::signal_timeout().connect_once(
      [this] {
        browsers[1]->body = "<p>fresh load</p>";
        browsers[1]->state = engine::ReadyState::Complete;
      },
      100);
  form->d1Click();
  EXPECT_EQ(browsers[1]->body, "<p>source</p>");
}

TEST_F(MainFormTest, MovingOverThePreviewHidesIt) {
  Start();
  form->pads.show();
  form->ipadsMouseMove();
  EXPECT_FALSE(form->pads.get_visible());
}

TEST_F(MainFormTest, TheCommandMenuHasItsCaptionsShortcutsHiddenItemsAndSeparators) {
  Start();
  std::vector<std::string> shown;
  for (Gtk::Widget* child : form->poptool.get_children()) {
    if (dynamic_cast<Gtk::SeparatorMenuItem*>(child)) {
      shown.push_back("-");
    } else if (auto* item = dynamic_cast<Gtk::MenuItem*>(child); item && item->get_visible()) {
      shown.push_back(item->get_label());
    }
  }
  const std::vector<std::string> expected = {
      "Files", "Mail Link to this Page", "-", "Search Assistant", "Find", "-", "Tools", "-",
      "RSS Reader", "Add RSS", "RSS scrolling", "-", "Google Translate", "Redirect ", "Transparent",
      "History", "Zoom", "-", "Adress Bar", "Flat Adress Bar", "-", "Options",
      "About Lumivale Web Browser", "-", "Exit"};
  EXPECT_EQ(shown, expected);
  EXPECT_FALSE(form->Showbar1.get_visible());
  EXPECT_FALSE(form->HideAdressBar1.get_visible());
  EXPECT_TRUE(form->HideAdressBar1.get_active());
  EXPECT_FALSE(form->InternetOptions2.get_visible());
  EXPECT_EQ(form->SetLumivaleasDefaultBrowser1.get_label(), "Set Lumivale as Default Browser ");

  struct Shortcut {
    Gtk::MenuItem* item;
    guint key;
    Gdk::ModifierType mods;
  };
  const Shortcut shortcuts[] = {
      {&form->NewSession1, GDK_KEY_n, Gdk::CONTROL_MASK}, {&form->Print2, GDK_KEY_p, Gdk::CONTROL_MASK},
      {&form->MailLinkToThisPage2, GDK_KEY_i, Gdk::CONTROL_MASK}, {&form->Find1, GDK_KEY_F3, {}},
      {&form->QuickWebSearch3, GDK_KEY_F4, {}}, {&form->AddRSS2, GDK_KEY_F8, {}},
      {&form->ransparent1, GDK_KEY_F10, {}}, {&form->FullScreen1, GDK_KEY_F11, {}},
      {&form->Showbar1, GDK_KEY_Delete, Gdk::CONTROL_MASK},
  };
  for (const auto& s : shortcuts) {
    auto* label = dynamic_cast<Gtk::AccelLabel*>(s.item->get_child());
    ASSERT_NE(label, nullptr);
    guint key = 0;
    Gdk::ModifierType mods{};
    label->get_accel(key, mods);
    EXPECT_EQ(key, s.key) << s.item->get_label();
    EXPECT_EQ(mods, s.mods) << s.item->get_label();
  }
}

TEST_F(MainFormTest, F11CyclesTheTopBarThroughItsThreeHeights) {
  Start();
  form->BarState = 0;
  form->FullScreen1Click();
  EXPECT_EQ(form->BarState, 1);
  EXPECT_FALSE(form->RGPanel1.get_visible());
  form->FullScreen1Click();
  EXPECT_EQ(form->BarState, 2);
  EXPECT_TRUE(form->RGPanel1.get_visible());
  int w = 0, h = 0;
  form->RGPanel1.get_size_request(w, h);
  EXPECT_EQ(h, 103);
  form->FullScreen1Click();
  EXPECT_EQ(form->BarState, 0);
  form->RGPanel1.get_size_request(w, h);
  EXPECT_EQ(h, 76);
  EXPECT_GE(Current().focusGrabs, 3);
}

TEST_F(MainFormTest, FlatAddressBarTogglesTheFrameStyle) {
  Start();
  ASSERT_TRUE(form->FlatAddressBar);
  form->FlatAdressBar1Click();
  EXPECT_FALSE(form->FlatAddressBar);
  EXPECT_FALSE(form->FlatAdressBar1.get_active());
  EXPECT_FALSE(form->Image3.flat());
  form->FlatAdressBar1Click();
  EXPECT_TRUE(form->Image1.flat());
}

TEST_F(MainFormTest, NewSessionStartsAnotherInstanceAndLeavesThisOneAlone) {
  Start();
  form->NewSession1.activate();
  EXPECT_EQ(newInstances, 1);
  EXPECT_EQ(programEnds, 0);
  EXPECT_EQ(form->table.LiveCount(), 1);
}

TEST_F(MainFormTest, ExitClosesThroughTheShutDown) {
  Start();
  form->Exit2Click();
  EXPECT_EQ(programEnds, 1);
  EXPECT_TRUE(data.Exists("Lumivale/Lumivale.cfg"));
}

}  // namespace
