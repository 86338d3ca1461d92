// The keys every browser has, on the main window with FakeBrowsers; and
// the command menu's own shortcuts beside them.
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

// Sends `keyval` with `mods` to `window` as a key press, as the display
// would: with the key's hardware code, which the window's shortcuts match.
// Lets messages run a moment afterwards unless `settle` is false.
bool PressKey(Gtk::Window& window, guint keyval, Gdk::ModifierType mods = Gdk::ModifierType(0), bool settle = true) {
  ui::WaitUntil([&] { return window.get_mapped(); }, 2000);
  GdkEvent* key = gdk_event_new(GDK_KEY_PRESS);
  key->key.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
  key->key.keyval = keyval;
  key->key.state = guint(mods);
  key->key.time = GDK_CURRENT_TIME;
  GdkKeymapKey* keys = nullptr;
  gint count = 0;
  if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()), keyval, &keys,
                                        &count) &&
      count > 0) {
    key->key.hardware_keycode = guint16(keys[0].keycode);
    key->key.group = guint8(keys[0].group);
  }
  g_free(keys);
  gdk_event_set_device(key, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
  const bool handled = gtk_widget_event(GTK_WIDGET(window.gobj()), key);
  gdk_event_free(key);
  if (settle) ui::WaitWithMessages(20);
  return handled;
}

constexpr auto kCtrl = Gdk::CONTROL_MASK;
constexpr auto kAlt = Gdk::MOD1_MASK;
constexpr auto kNone = Gdk::ModifierType(0);

class KeysTest : public MainFormTest {
 protected:
  // Three tabs, the middle one current.
  void StartWithThreeTabs() {
    Start();
    form->createBrowser("a.example");
    form->createBrowser("b.example");
    form->slikaklik(1);
    ASSERT_EQ(form->table.CurrentTab(), 1);
    // The home page's one reload of a Google page is over.
    ASSERT_TRUE(ui::WaitUntil([&] { return !form->GoogleRefresh; }, 3000));
    for (engine::FakeBrowser* b : browsers) b->refreshes = 0;
  }
};

TEST_F(KeysTest, NavigationKeysActOnTheCurrentTabOnly) {
  StartWithThreeTabs();
  struct Case {
    guint key;
    Gdk::ModifierType mods;
    int engine::FakeBrowser::*counter;
  };
  const Case cases[] = {
      {GDK_KEY_Left, kAlt, &engine::FakeBrowser::backs},
      {GDK_KEY_Right, kAlt, &engine::FakeBrowser::forwards},
      {GDK_KEY_F5, kNone, &engine::FakeBrowser::refreshes},
      {GDK_KEY_r, kCtrl, &engine::FakeBrowser::refreshes},
      {GDK_KEY_R, kCtrl, &engine::FakeBrowser::refreshes},  // with Caps Lock
  };
  for (const Case& c : cases) {
    const int before[] = {Browser(0).*c.counter, Browser(1).*c.counter, Browser(2).*c.counter};
    EXPECT_TRUE(PressKey(*form, c.key, c.mods)) << gdk_keyval_name(c.key);
    EXPECT_EQ(Browser(1).*c.counter, before[1] + 1) << gdk_keyval_name(c.key);
    EXPECT_EQ(Browser(0).*c.counter, before[0]) << gdk_keyval_name(c.key);
    EXPECT_EQ(Browser(2).*c.counter, before[2]) << gdk_keyval_name(c.key);
  }
}

TEST_F(KeysTest, EscapeStopsALoadingPageAndIsLeftToThePageOtherwise) {
  StartWithThreeTabs();
  Current().state = engine::ReadyState::Loading;
  const int stops = Current().stops;
  EXPECT_TRUE(PressKey(*form, GDK_KEY_Escape));
  EXPECT_EQ(Current().stops, stops + 1);

  Current().state = engine::ReadyState::Complete;
  PressKey(*form, GDK_KEY_Escape);
  EXPECT_EQ(Current().stops, stops + 1);
  EXPECT_EQ(Browser(0).stops + Browser(2).stops, 0);
}

TEST_F(KeysTest, CtrlLSelectsTheWholeAddressInTheAddressBar) {
  StartWithThreeTabs();
  form->eurl.set_text("http://b.example/page");
  form->unset_focus();
  ASSERT_FALSE(form->eurl.is_focus());
  // Read before messages run: another program taking the primary selection
  // (another test's window) clears an entry's selection.
  EXPECT_TRUE(PressKey(*form, GDK_KEY_l, kCtrl, /*settle=*/false));
  EXPECT_TRUE(form->eurl.is_focus());
  int start = -1, end = -1;
  ASSERT_TRUE(form->eurl.get_selection_bounds(start, end));
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, int(form->eurl.get_text().size()));

  // With the strip only there is no address bar to go to.
  form->BarState = 0;
  form->FullScreen1Click();
  ui::WaitWithMessages(50);
  ASSERT_FALSE(form->eurl.get_mapped());
  EXPECT_FALSE(PressKey(*form, GDK_KEY_l, kCtrl));
}

TEST_F(KeysTest, CtrlTOpensTheHomePageAndCtrlWClosesTheCurrentTab) {
  StartWithThreeTabs();
  PressKey(*form, GDK_KEY_t, kCtrl);
  ASSERT_EQ(form->table.LiveCount(), 4);
  EXPECT_EQ(Current().navigations, (std::vector<std::string>{form->HomePage}));
  const int opened = form->table.CurrentTab();
  EXPECT_EQ(opened, 3);

  PressKey(*form, GDK_KEY_w, kCtrl);
  EXPECT_EQ(form->table.LiveCount(), 3);
  EXPECT_FALSE(form->table.IsLive(opened));
  EXPECT_TRUE(form->table.IsLive(1));
  EXPECT_EQ(programEnds, 0);

  // The last tab's Ctrl+W ends the program, as its cross does.
  PressKey(*form, GDK_KEY_w, kCtrl);
  PressKey(*form, GDK_KEY_w, kCtrl);
  EXPECT_EQ(form->table.LiveCount(), 1);
  PressKey(*form, GDK_KEY_w, kCtrl);
  EXPECT_EQ(programEnds, 1);
}

TEST_F(KeysTest, CtrlTabGoesAlongTheStripAndRoundItsEnds) {
  StartWithThreeTabs();
  struct Step {
    guint key;
    Gdk::ModifierType mods;
    int expected;
  };
  const Step steps[] = {
      {GDK_KEY_Tab, kCtrl, 2},
      {GDK_KEY_Tab, kCtrl, 0},  // round from the end
      {GDK_KEY_ISO_Left_Tab, kCtrl | Gdk::SHIFT_MASK, 2},
      {GDK_KEY_ISO_Left_Tab, kCtrl | Gdk::SHIFT_MASK, 1},
  };
  for (const Step& s : steps) {
    EXPECT_TRUE(PressKey(*form, s.key, s.mods));
    EXPECT_EQ(form->table.CurrentTab(), s.expected);
    // The tab shows and the address bar has its address.
    EXPECT_EQ(form->pages.get_visible_child(), form->tab[std::size_t(s.expected)].content.get());
    EXPECT_EQ(form->eurl.get_text(), Browser(s.expected).location);
  }
}

TEST_F(KeysTest, ZoomKeysStepThroughTheZoomWindowsRules) {
  StartWithThreeTabs();
  AddZoomWindow();
  zoom->show();
  ui::WaitWithMessages(50);
  struct Step {
    guint key;
    Gdk::ModifierType mods;
    int expected;
  };
  const Step steps[] = {
      {GDK_KEY_plus, kCtrl | Gdk::SHIFT_MASK, 110},
      {GDK_KEY_equal, kCtrl, 125},
      {GDK_KEY_KP_Add, kCtrl, 150},
      {GDK_KEY_minus, kCtrl, 125},
      {GDK_KEY_0, kCtrl, 100},
      {GDK_KEY_KP_Subtract, kCtrl, 90},
  };
  for (const Step& s : steps) {
    EXPECT_TRUE(PressKey(*form, s.key, s.mods)) << gdk_keyval_name(s.key);
    EXPECT_EQ(Current().zoom, s.expected) << gdk_keyval_name(s.key);
    EXPECT_EQ(form->tab[1].thumb->CodeA(), std::to_string(s.expected));
    // The open zoom window follows.
    EXPECT_EQ(zoom->Label16.get_text(), std::to_string(s.expected) + " %");
  }
  EXPECT_EQ(Browser(0).zooms, std::vector<int>{});
  EXPECT_EQ(Browser(2).zooms, std::vector<int>{});
}

TEST_F(KeysTest, TheMenusShortcutsStillDoWhatTheMenuDoes) {
  StartWithThreeTabs();
  PressKey(*form, GDK_KEY_n, kCtrl);
  EXPECT_EQ(newInstances, 1);
  const bool alpha = form->AlphaBlend();
  PressKey(*form, GDK_KEY_F10);
  EXPECT_NE(form->AlphaBlend(), alpha);
  const int bar = form->BarState;
  PressKey(*form, GDK_KEY_F11);
  EXPECT_NE(form->BarState, bar);
  // None of them touched a page.
  for (int slot = 0; slot < 3; ++slot) {
    EXPECT_EQ(Browser(slot).backs + Browser(slot).forwards + Browser(slot).refreshes, 0);
    EXPECT_EQ(Browser(slot).zooms, std::vector<int>{});
  }
  EXPECT_EQ(form->table.LiveCount(), 3);
}

}  // namespace
