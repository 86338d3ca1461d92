#include "app/MainForm.h"

#include <glib/gstdio.h>

#include <iostream>

#include "app/ButtonBar.h"
#include "app/Forms.h"
#include "app/Startup.h"
#include "app/Version.h"
#include "library/HistoryRecording.h"
#include "library/Tfhistory.h"
#include "listfile/ListFile.h"
#include "settings/AtomicFile.h"
#include "settings/Geometry.h"
#include "settings/IniFile.h"
#include "tabs/StatusLine.h"
#include "tabs/Thumbnail.h"
#include "ui/Dialogs.h"
#include "ui/ProcessMessages.h"

namespace app {
namespace {

constexpr controls::Rgb kCurrentTabColor{255, 179, 64};
constexpr controls::Rgb kTabColor{58, 48, 48};
constexpr controls::Rgb kNewTabColor{128, 128, 128};
constexpr controls::Rgb kTopBarColor{214, 214, 214};
constexpr int kStripHeight = 76;  // poddrsni
constexpr int kTabPanelWidth = 112;
constexpr int kTabPanelHeight = 71;
constexpr int kFullBarHeight = 103;
constexpr int kMaxTabsMessageLimit = tabs::kSlotCount;

// Sets `widget`'s name, so tests and accessibility tools find it.
template <class W>
W& Named(W& widget, const char* name) {
  widget.set_name(name);
  return widget;
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

const char* const kCss = R"css(
tooltip, tooltip.background { background-color: rgb(255, 255, 244); color: black; }
tooltip label { color: black; }
#TMainForm { font-family: Sans; font-size: 8pt; }
#eurl { min-height: 0; padding: 0 2px; border: none; box-shadow: none; background: transparent; font-size: 9pt; }
#infotext label { color: black; padding-left: 2px; }
#Panel7 label { color: white; }
#p2 button { min-height: 0; min-width: 0; padding: 0; }
)css";

}  // namespace

Forms& forms() {
  static Forms instance;
  return instance;
}

TMainForm::TMainForm(Environment env) : tab(tabs::kSlotCount), env_(std::move(env)) {
  engines = env_.engines;
  HomePage = kDefaultHomePage;
  UserAgent = BuildUserAgent(kVersion);
  DefaultUserAgent = UserAgent;
  config.homePage = HomePage;
  BuildLayout();
  BuildMenu();
  css_ = Gtk::CssProvider::create();
  css_->load_from_data(kCss);
  Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), css_,
                                             GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

TMainForm::~TMainForm() {
  for (auto* c : {&timer1_, &timer5_, &timerprogress_, &rsstimer_, &graveyardTimer_}) c->disconnect();
  if (forms().MainForm == this) forms().MainForm = nullptr;
}

std::string TMainForm::SettingsFolder() const { return AppDataFolder + kSettingsFolderName + "/"; }

// ---------------------------------------------------------------------------
// Layout

void TMainForm::BuildLayout() {
  Named(*this, "TMainForm");
  set_title("Lumivale");
  set_default_size(1258, 811);
  add(root);
  root.add(body);

  // Top bar: the tab strip, then the address bar in its frame.
  Named(RGPanel1, "RGPanel1").SetColor(kTopBarColor);
  RGPanel1.set_size_request(-1, 104);
  body.pack_start(RGPanel1, Gtk::PACK_SHRINK);

  Named(poddrsni, "poddrsni").set_size_request(-1, kStripHeight);
  RGPanel1.put(poddrsni, 0, 0);
  Named(drsnisx, "drsnisx").set_size_request(tabs::kScrollButtonWidth, kStripHeight);
  drsnisx.SetColors(kTopBarColor, {60, 60, 60});
  drsnisx.signal_clicked().connect([this] { drsnisxClick(); });
  poddrsni.pack_start(drsnisx, Gtk::PACK_SHRINK);
  Named(drsniAll, "drsniAll").set_hexpand(true);
  drsniAll.set_size_request(1, kStripHeight);
  poddrsni.pack_start(drsniAll, Gtk::PACK_EXPAND_WIDGET);
  Named(drsni, "drsni").SetColor(kTopBarColor);
  drsniAll.put(drsni, 0, 0);
  Named(Panel2, "Panel2").set_size_request(tabs::kRightPanelWidth, kStripHeight);
  poddrsni.pack_start(Panel2, Gtk::PACK_SHRINK);
  Named(drsnidx, "drsnidx").set_size_request(tabs::kScrollButtonWidth, kStripHeight);
  drsnidx.SetColors(kTopBarColor, {60, 60, 60});
  drsnidx.signal_clicked().connect([this] { drsnidxClick(); });
  Panel2.pack_start(drsnidx, Gtk::PACK_SHRINK);
  Named(paneldodaj, "paneldodaj").SetColor(kTopBarColor);
  paneldodaj.set_size_request(19, kStripHeight);
  Panel2.pack_start(paneldodaj, Gtk::PACK_SHRINK);
  Named(Panel6, "Panel6").SetColor(kTopBarColor);
  Panel6.set_size_request(3, kStripHeight);
  Panel2.pack_start(Panel6, Gtk::PACK_SHRINK);
  Named(sbdodaj, "sbdodaj").set_size_request(19, 66);
  sbdodaj.SetColors({90, 90, 90}, {255, 255, 255});
  sbdodaj.set_tooltip_text("New Document");
  sbdodaj.signal_clicked().connect([this] { sbdodajClick(); });
  drsni.put(sbdodaj, tabs::kFirstTabLeft, 5);

  for (auto* image : {&Image1, &Image3, &Image2}) image->set_size_request(10, 24);
  Named(Image1, "Image1");
  Named(Image3, "Image3");
  Named(Image2, "Image2");
  RGPanel1.put(Image1, 1, 76);
  RGPanel1.put(Image3, 11, 76);
  RGPanel1.put(Image2, 21, 76);
  Named(eurl, "eurl").set_has_frame(false);
  eurl.set_size_request(100, 16);
  eurl.signal_key_press_event().connect([this](GdkEventKey* key) { return eurlKeyPress(key); }, false);
  RGPanel1.put(eurl, 15, 82);
  Named(xs, "xs").set_size_request(30, 16);
  xs.SetColors({255, 255, 255}, {90, 90, 90});
  xs.set_tooltip_text("Search");
  xs.signal_clicked().connect([this] { xsClick(); });
  RGPanel1.put(xs, 20, 81);

  // Middle: search assistant, side button bar, pages, side panel.
  body.pack_start(middle, Gtk::PACK_EXPAND_WIDGET);
  Named(panel9, "panel9").set_size_request(249, -1);
  panel9.set_no_show_all(true);
  middle.pack_start(panel9, Gtk::PACK_SHRINK);
  Named(p2, "p2").set_size_request(26, -1);
  p2.set_no_show_all(true);
  middle.pack_start(p2, Gtk::PACK_SHRINK);
  struct SideButton {
    Gtk::Button* button;
    const char* name;
    const char* hint;
  };
  const SideButton sideButtons[] = {
      {&xq1, "xq1", "RSS Reader"},
      {&xisci, "xisci", "Find"},
      {&xtranslate, "xtranslate", "Google Translate"},
      {&xquick, "xquick", "Web Search"},
      {&xredirect, "xredirect", "Redirect to new browser"},
      {&xtransparent, "xtransparent", "Transparent"},
      {&xhist, "xhist", "History"},
      {&xp9, "xp9", "Search Assistant"},
      {&XiButton7, "XiButton7", "Zoom"},
      {&xF11, "xF11", "Navigation Bar"},
  };
  for (const auto& b : sideButtons) {
    Named(*b.button, b.name).set_tooltip_text(b.hint);
    b.button->set_size_request(24, 24);
    b.button->set_relief(Gtk::RELIEF_NONE);
    b.button->set_no_show_all(true);
    p2.put(*b.button, 1, 0);
  }
  xquick.signal_clicked().connect([this] { xquickClick(); });
  Named(xiskrolup, "xiskrolup").set_size_request(24, 24);
  xiskrolup.set_tooltip_text("Top of page");
  p2.put(xiskrolup, 1, 0);
  p2.signal_size_allocate().connect([this](Gtk::Allocation& a) {
    p2.move(xiskrolup, 1, std::max(0, a.get_height() - 24 - 2));
  });

  Named(PALL, "PALL");
  middle.pack_start(PALL, Gtk::PACK_EXPAND_WIDGET);
  Named(pages, "pages");
  pages.set_transition_type(Gtk::STACK_TRANSITION_TYPE_NONE);
  PALL.pack_start(pages, Gtk::PACK_EXPAND_WIDGET);
  Named(ptop, "ptop").set_size_request(-1, 20);
  ptop.set_no_show_all(true);
  PALL.pack_end(ptop, Gtk::PACK_SHRINK);
  Named(Spliter, "Spliter").SetColor({204, 204, 0});
  Spliter.set_size_request(5, -1);
  Spliter.set_no_show_all(true);
  middle.pack_start(Spliter, Gtk::PACK_SHRINK);
  Named(dxpanel, "dxpanel").set_size_request(537, -1);
  dxpanel.set_no_show_all(true);
  middle.pack_start(dxpanel, Gtk::PACK_SHRINK);

  // Floating: the preview, the status line, the busy wheel.
  auto floating = [this](Gtk::Widget& w) {
    w.set_halign(Gtk::ALIGN_START);
    w.set_valign(Gtk::ALIGN_START);
    w.set_no_show_all(true);
    root.add_overlay(w);
  };
  Named(pads, "pads").SetColor(kTabColor);
  pads.SetBorder(3, {90, 80, 80});
  floating(pads);
  Named(ipads, "ipads").tag = 0;
  pads.put(ipads, 3, 3);
  ipads.show();
  ipads.signal_mouse_enter.connect([this] { ThumbMouseEnter(ipads); });
  ipads.signal_mouse_leave.connect([this] { ThumbMouseLeave(ipads); });
  ipads.signal_mouse_move.connect([this] { ipadsMouseMove(); });
  Named(Panel7, "Panel7").SetColor({67, 67, 67});
  Panel7.put(Panel7Caption, 0, 0);
  Panel7Caption.set_xalign(0);
  Panel7Caption.set_ellipsize(Pango::ELLIPSIZE_END);
  Panel7Caption.show();
  pads.put(Panel7, 3, 3);
  Panel7.show();

  Named(infotext, "infotext").SetColor({232, 232, 232});
  infotext.set_size_request(450, 16);
  infotext.put(infotextLabel, 0, 0);
  infotextLabel.set_size_request(450, 16);
  infotextLabel.set_xalign(0);
  infotextLabel.show();
  floating(infotext);

  Named(ppwheel, "ppwheel").SetColor({255, 255, 255});
  ppwheel.set_size_request(31, 21);
  ppwheel.put(pwheel, 8, 2);
  Named(pwheel, "pwheel").set_size_request(17, 17);
  pwheel.show();
  floating(ppwheel);

  root.show_all();

  root.signal_size_allocate().connect([this](Gtk::Allocation& a) {
    // Only a new size needs a new layout: laying out moves widgets, which
    // allocates again.
    if (a.get_width() == laidOutWidth_ && a.get_height() == laidOutHeight_) return;
    laidOutWidth_ = a.get_width();
    laidOutHeight_ = a.get_height();
    // Once GTK has finished this allocation; dropped if the window goes
    // first.
    Glib::signal_idle().connect_once(sigc::mem_fun(*this, &TMainForm::FormResize));
  });
  signal_configure_event().connect(
      [this](GdkEventConfigure* e) {
        if (!(windowState_ & (GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_ICONIFIED |
                              GDK_WINDOW_STATE_FULLSCREEN))) {
          normalLeft_ = e->x;
          normalTop_ = e->y;
          normalWidth_ = e->width;
          normalHeight_ = e->height;
        }
        return false;
      },
      false);
  signal_window_state_event().connect([this](GdkEventWindowState* e) {
    windowState_ = e->new_window_state;
    return false;
  });
  property_is_active().signal_changed().connect([this] {
    if (property_is_active()) FormActivate();
  });
  signal_map().connect([this] { FormActivate(); });
  signal_delete_event().connect([this](GdkEventAny*) {
    CloseProgram();
    return true;
  });
}

void TMainForm::BuildMenu() {
  accelerators = Gtk::AccelGroup::create();
  add_accel_group(accelerators);

  auto add = [this](Gtk::Menu& menu, Gtk::MenuItem& item, const char* name, const char* caption,
                    guint key = 0, Gdk::ModifierType mods = Gdk::ModifierType(0), bool hidden = false) {
    item.set_name(name);
    item.set_label(caption);
    item.set_use_underline(false);
    menu.append(item);
    if (key) {
      // The shortcut works whether or not the item is shown.
      auto activate = +[](GtkAccelGroup*, GObject*, guint, GdkModifierType, gpointer data) -> gboolean {
        static_cast<Gtk::MenuItem*>(data)->activate();
        return TRUE;
      };
      gtk_accel_group_connect(accelerators->gobj(), key, GdkModifierType(mods), GTK_ACCEL_VISIBLE,
                              g_cclosure_new(G_CALLBACK(activate), &item, nullptr));
      if (auto* label = dynamic_cast<Gtk::AccelLabel*>(item.get_child())) label->set_accel(key, mods);
    }
    if (hidden) {
      item.hide();
      item.set_no_show_all(true);
    } else {
      item.show();
    }
  };
  auto separator = [](Gtk::Menu& menu) {
    auto* s = Gtk::manage(new Gtk::SeparatorMenuItem);
    menu.append(*s);
    s->show();
  };
  const auto ctrl = Gdk::CONTROL_MASK;
  const auto none = Gdk::ModifierType(0);

  poptool.set_name("poptool");
  add(poptool, Files1, "Files1", "Files");
  Files1.set_submenu(Files1Menu);
  add(Files1Menu, OpenFile1, "OpenFile1", "Open File");
  add(Files1Menu, NewSession1, "NewSession1", "New Session", GDK_KEY_n, ctrl);
  add(Files1Menu, d1, "d1", "Duplicate");
  add(Files1Menu, SaveAs1, "SaveAs1", "Save As...");
  add(Files1Menu, Print2, "Print2", "Print", GDK_KEY_p, ctrl);
  add(Files1Menu, PrintPreview2, "PrintPreview2", "Print Preview...");
  add(poptool, MailLinkToThisPage2, "MailLinkToThisPage2", "Mail Link to this Page", GDK_KEY_i, ctrl);
  separator(poptool);
  add(poptool, AdvancedSearch1, "AdvancedSearch1", "Search Assistant");
  add(poptool, Find1, "Find1", "Find", GDK_KEY_F3, none);
  separator(poptool);
  add(poptool, ools2, "ools2", "Tools");
  ools2.set_submenu(ools2Menu);
  add(ools2Menu, t115, "t115", "Show cookies");
  add(ools2Menu, InternetOptions2, "InternetOptions2", "Internet Options", 0, none, true);
  add(ools2Menu, DeleteTemporaryInternetFiles2, "DeleteTemporaryInternetFiles2", "Delete Temporary Internet Files");
  add(ools2Menu, t101, "t101", "Turn Off Pop-up Blocker", 0, none, true);
  add(ools2Menu, SetLumivaleasDefaultBrowser1, "SetLumivaleasDefaultBrowser1", "Set Lumivale as Default Browser ", 0,
      none, true);
  add(ools2Menu, t102, "t102", "Delete Temporary Internet Files On Refresh", 0, none, true);
  add(ools2Menu, ViewSource2, "ViewSource2", "View Source");
  add(ools2Menu, Editor1, "Editor1", "Editor");
  add(ools2Menu, QuickWebSearch3, "QuickWebSearch3", "Web Search", GDK_KEY_F4, none);
  add(ools2Menu, SetQuickWebSearch1, "SetQuickWebSearch1", "Set Quick Web Search", 0, none, true);
  SetQuickWebSearch1.set_submenu(SetQuickWebSearch1Menu);
  add(SetQuickWebSearch1Menu, Google1, "Google1", "Google");
  add(SetQuickWebSearch1Menu, Bing1, "Bing1", "Bing");
  add(SetQuickWebSearch1Menu, Yahoo1, "Yahoo1", "Yahoo");
  add(SetQuickWebSearch1Menu, Wikipedia1, "Wikipedia1", "Wikipedia");
  add(ools2Menu, LookupDomain1, "LookupDomain1", "Lookup domain  (who.is)");
  add(ools2Menu, ProgressBarEndColor2, "ProgressBarEndColor2", "Progress Bar End Color", 0, none, true);
  separator(poptool);
  add(poptool, RSSReader1, "RSSReader1", "RSS Reader");
  add(poptool, AddRSS2, "AddRSS2", "Add RSS", GDK_KEY_F8, none);
  add(poptool, ScrollingRSS1, "ScrollingRSS1", "RSS scrolling");
  separator(poptool);
  add(poptool, GoogleTranslate1, "GoogleTranslate1", "Google Translate");
  add(poptool, Redirecttonewbrowser1, "Redirecttonewbrowser1", "Redirect ");
  add(poptool, ransparent1, "ransparent1", "Transparent", GDK_KEY_F10, none);
  add(poptool, History1, "History1", "History");
  add(poptool, Zoom2, "Zoom2", "Zoom");
  separator(poptool);
  add(poptool, HideAdressBar1, "HideAdressBar1", "Auto hide Adress Bar", 0, none, true);
  HideAdressBar1.set_active(true);
  add(poptool, FullScreen1, "FullScreen1", "Adress Bar", GDK_KEY_F11, none);
  add(poptool, FlatAdressBar1, "FlatAdressBar1", "Flat Adress Bar");
  separator(poptool);
  add(poptool, smartback, "smartback", "Smart background", 0, none, true);
  add(poptool, Options1, "Options1", "Options");
  add(poptool, AboutLumivale1, "AboutLumivale1", "About Lumivale Web Browser");
  separator(poptool);
  add(poptool, Exit2, "Exit2", "Exit");
  add(poptool, Showbar1, "Showbar1", "Show bar", GDK_KEY_Delete, ctrl, true);

  NewSession1.signal_activate().connect([this] { NewSession1Click(); });
  d1.signal_activate().connect([this] { d1Click(); });
  QuickWebSearch3.signal_activate().connect([this] { QuickWebSearch3Click(); });
  FullScreen1.signal_activate().connect([this] { FullScreen1Click(); });
  FlatAdressBar1.set_active(true);
  FlatAdressBar1.signal_activate().connect([this] {
    FlatAddressBar = FlatAdressBar1.get_active();
    ApplyFrameStyle();
  });
  Exit2.signal_activate().connect([this] { Exit2Click(); });
  Showbar1.signal_activate().connect([this] { xbshow(); });
}

void TMainForm::ShowPoptool() {
  // The engine asks for its menu after the click has been handled, so
  // there is no event to place it by: it opens where the pointer is.
  auto window = get_window();
  if (!window) return;
  int x = 0, y = 0;
  Gdk::ModifierType mask;
  window->get_device_position(get_display()->get_default_seat()->get_pointer(), x, y, mask);
  GdkEvent* trigger = gdk_event_new(GDK_BUTTON_PRESS);
  trigger->button.window = GDK_WINDOW(g_object_ref(window->gobj()));
  trigger->button.time = GDK_CURRENT_TIME;
  trigger->button.button = 3;
  trigger->button.x = x;
  trigger->button.y = y;
  gdk_event_set_device(trigger, get_display()->get_default_seat()->get_pointer()->gobj());
  poptool.popup_at_rect(window, Gdk::Rectangle(x, y, 1, 1), Gdk::GRAVITY_NORTH_WEST, Gdk::GRAVITY_NORTH_WEST,
                        trigger);
  gdk_event_free(trigger);
}

void TMainForm::FormResize() {
  const int width = root.get_allocated_width();
  if (width <= 1) return;
  const int middleWidth = width - 22;
  poddrsni.set_size_request(width, kStripHeight);
  RGPanel1.move(Image1, 1, 76);
  RGPanel1.move(Image3, 11, 76);
  Image3.set_size_request(std::max(1, middleWidth), 24);
  RGPanel1.move(Image2, middleWidth + 11, 76);
  eurl.set_size_request(std::max(1, middleWidth - 30 - 10), 16);
  RGPanel1.move(eurl, 15, 82);
  RGPanel1.move(xs, middleWidth - 24, 81);
  poravnava();
  PlaceFloating();
}

void TMainForm::PlaceFloating() {
  int left = 0, top = 0;
  if (PALL.get_realized()) PALL.translate_coordinates(root, 0, 0, left, top);
  infotext.set_margin_start(left + 2);
  infotext.set_margin_top(std::max(0, root.get_allocated_height() - 16));
  ppwheel.set_margin_start(left + 4);
  ppwheel.set_margin_top(top + 4);
}

void TMainForm::ScreenSize(int& width, int& height) {
  width = 1920;
  height = 1080;
  auto display = Gdk::Display::get_default();
  if (!display) return;
  auto monitor = display->get_primary_monitor();
  if (!monitor) monitor = display->get_monitor(0);
  if (!monitor) return;
  Gdk::Rectangle r;
  monitor->get_geometry(r);
  width = r.get_width();
  height = r.get_height();
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

void TMainForm::FormCreate() {
  if (created_) return;
  created_ = true;
  forms().MainForm = this;
  SideRouting = true;
  int screenWidth = 0, screenHeight = 0;
  ScreenSize(screenWidth, screenHeight);
  try {
    int w = 0, h = 0;
    get_size(w, h);
    SidePanelWidth = w / 3;
    UserAgent = BuildUserAgent(kVersion);
    DefaultUserAgent = UserAgent;
    ProgramFolder = env_.programFolder;
    AppDataFolder = env_.appDataFolder;
    if (!AppDataFolder.empty() && AppDataFolder.back() != '/') AppDataFolder += '/';
    g_mkdir_with_parents(SettingsFolder().c_str(), 0700);
    LoadSettings();
    ApplyConfiguration(screenWidth, screenHeight);
  } catch (const std::exception&) {
    // The rest of these settings keep their built-in values for this run.
  }
  if (auto state = settings::LoadColorState(SettingsFolder() + "color.cld", ProgramFolder + "color.cld"))
    colorDialog = *state;
  ZoomValue = 100;
  PreviewWidth = tabs::PreviewWidthFor(screenWidth);
  PreviewHeight = tabs::PreviewHeightFor(screenHeight);
  pads.set_size_request(PreviewWidth, PreviewHeight);
  ipads.set_size_request(std::max(1, PreviewWidth - 6), std::max(1, PreviewHeight - 6 - 14));
  Panel7.set_size_request(std::max(1, PreviewWidth - 6), 14);
  pads.move(Panel7, 3, std::max(3, PreviewHeight - 3 - 14));
  Panel7Caption.set_size_request(std::max(1, PreviewWidth - 6), 14);
  SideRouting = false;
  createBrowser(HomePage);
  // The address bar shows the first page's address while it loads.
  ShowAddressOf(GetCurrentWB());
  rsstimer_ = Glib::signal_timeout().connect([] { return true; }, 300000);
  timer1_ = Glib::signal_timeout().connect([this] { Timer1Timer(); return true; }, 125);
  timer5_ = Glib::signal_timeout().connect([this] { Timer5Timer(); return true; }, 1000);
  SetTimerprogress(true);
  pads.SetRounded(true);
}

void TMainForm::ApplyConfiguration(int screenWidth, int screenHeight) {
  settings::IniFile ini = settings::IniFile::Load(SettingsFolder() + "Lumivale.cfg");
  config.homePage = HomePage;
  config.hmenuX = screenWidth - 300;
  config.hmenuY = 45;
  settings::ReadConfiguration(ini, config, {screenWidth, screenHeight});
  PopupsAllowed = config.popupsAllowed;
  SpeedSearch = config.speedSearch;
  xquick.set_tooltip_text(engines[std::size_t(navigation::EngineIndex(SpeedSearch))].hint);
  HomePage = config.homePage;
  BarState = config.barState;
  if (BarState == 0) RGPanel1.set_size_request(-1, kStripHeight);
  if (BarState == 2) RGPanel1.set_size_request(-1, kFullBarHeight);
  smartback.set_active(config.smartColor);
  ThumbZoom = config.thumbZoom;
  FlatAddressBar = config.flatAddressBar;
  FlatAdressBar1.set_active(FlatAddressBar);
  ApplyFrameStyle();
  panel9.set_visible(config.complex);
  ButtonMask = config.buttonMask;
  dolocigumbe();
}

void TMainForm::LoadSettings() {
  int w = 0, h = 0, x = 0, y = 0;
  get_size(w, h);
  get_position(x, y);
  const settings::Geometry current{w, h, x, y, 2};
  const auto loaded = settings::LoadGeometry(SettingsFolder() + "Progset.cfg", current);
  if (!loaded) {
    maximize();
    return;
  }
  settings::Geometry g = *loaded;
  // A hand-edited or stale file must not make the window vanish: sizes
  // below one pixel keep the current size, and a window entirely off the
  // screen is brought back to its top left corner.
  if (g.width < 1) g.width = w;
  if (g.height < 1) g.height = h;
  int screenWidth = 0, screenHeight = 0;
  ScreenSize(screenWidth, screenHeight);
  if (g.left >= screenWidth || g.top >= screenHeight || g.left + g.width <= 0 || g.top + g.height <= 0) {
    g.left = 0;
    g.top = 0;
  }
  resize(g.width, g.height);
  move(g.left, g.top);
  normalLeft_ = g.left;
  normalTop_ = g.top;
  normalWidth_ = g.width;
  normalHeight_ = g.height;
  if (g.status == 2)
    maximize();
  else
    unmaximize();
}

void TMainForm::SaveSettings() {
  std::string error;
  if (!settings::SaveColorState(SettingsFolder() + "color.cld", colorDialog, &error))
    std::cerr << "lumivale: could not save the colour choices: " << error << "\n";
  settings::Geometry g{normalWidth_, normalHeight_, normalLeft_, normalTop_, 0};
  if (windowState_ & GDK_WINDOW_STATE_ICONIFIED)
    g.status = 1;
  else if (windowState_ & GDK_WINDOW_STATE_MAXIMIZED)
    g.status = 2;
  if (!settings::SaveGeometry(SettingsFolder() + "Progset.cfg", g, &error))
    std::cerr << "lumivale: could not save the window geometry: " << error << "\n";
}

bool TMainForm::FormCloseQuery() {
  config.speedSearch = SpeedSearch;
  config.popupsAllowed = PopupsAllowed;
  config.thumbZoom = ThumbZoom;
  if (forms().fhistory) config.enableHist = forms().fhistory->bchist.get_active() ? 1 : 0;
  config.complex = panel9.get_visible();
  config.barState = BarState;
  config.smartColor = smartback.get_active();
  config.hideAddressBar = HideAdressBar1.get_active();
  config.flatAddressBar = FlatAdressBar1.get_active();
  config.buttonMask = ButtonMask;
  config.homePage = HomePage;
  std::string error;
  if (!settings::SaveConfiguration(SettingsFolder() + "Lumivale.cfg", config, &error))
    std::cerr << "lumivale: could not save the settings: " << error << "\n";
  return true;
}

void TMainForm::FormDestroy() { SaveSettings(); }

void TMainForm::CloseProgram() {
  if (closing_) return;
  closing_ = true;
  FormCloseQuery();
  FormDestroy();
  for (auto* c : {&timer1_, &timer5_, &timerprogress_, &rsstimer_}) c->disconnect();
  ui::SetTerminating(true);
  hide();
  if (env_.endProgram) env_.endProgram();
}

void TMainForm::FormActivate() {
  if (AppDataFolder.empty()) return;
  for (const char* name : {"2favlist.lmf", "2rss.lmf", "rss.hot"}) {
    const std::string target = SettingsFolder() + name;
    if (g_file_test(target.c_str(), G_FILE_TEST_EXISTS)) continue;
    const auto bytes = settings::ReadWholeFile(ProgramFolder + name);
    if (!bytes || !settings::WriteFileAtomically(target, *bytes)) break;
  }
}

// ---------------------------------------------------------------------------
// Window-level commands

void TMainForm::dolocigumbe() {
  Gtk::Button* buttons[kSideButtons] = {&xq1, &xisci, &xtranslate, &xquick, &xredirect,
                                        &xtransparent, &xhist, &xp9, &XiButton7, &xF11};
  const auto tops = SideButtonTops(ButtonMask);
  for (std::size_t i = 0; i < tops.size(); ++i) {
    buttons[i]->hide();
    if (!tops[i]) continue;
    p2.move(*buttons[i], 1, *tops[i]);
    buttons[i]->show();
  }
}

void TMainForm::ApplyBarState() {
  switch (BarState) {
    case 0:
      RGPanel1.set_size_request(-1, kStripHeight);
      break;
    case 1:
      RGPanel1.hide();
      RGPanel1.set_size_request(-1, 0);
      break;
    case 2:
      RGPanel1.show();
      RGPanel1.set_size_request(-1, kFullBarHeight);
      break;
  }
}

void TMainForm::xbshow() {
  ++BarState;
  // A value out of range (from a hand-edited file) starts the cycle again.
  if (BarState >= 3 || BarState < 0) BarState = 0;
  ApplyBarState();
}

void TMainForm::FullScreen1Click() {
  xbshow();
  if (auto* b = GetCurrentWB()) b->GrabFocus();
}

void TMainForm::ApplyFrameStyle() {
  for (auto* image : {&Image1, &Image3, &Image2}) image->SetFlat(FlatAddressBar);
}

void TMainForm::FlatAdressBar1Click() { FlatAdressBar1.activate(); }

void TMainForm::NewSession1Click() {
  if (env_.startNewInstance) env_.startNewInstance();
}

void TMainForm::Exit2Click() {
  ui::ProcessMessages();
  CloseProgram();
}

// ---------------------------------------------------------------------------
// Tabs

engine::Browser* TMainForm::GetCurrentWB() {
  if (SideRouting) return nullptr;  // the side panel browser, once it exists
  const int current = table.CurrentTab();
  return table.IsLive(current) ? tab[std::size_t(current)].browser.get() : nullptr;
}

engine::Browser* TMainForm::createBrowser(const std::string& url) {
  try {
    return OpenTab(url);
  } catch (const std::exception&) {
    return nullptr;
  }
}

engine::Browser* TMainForm::OpenTab(const std::string& url) {
  const std::string address = Trim(url) == kHomePageToken ? HomePage : url;
  const auto free = table.FreeSlot();
  if (!free) {
    ui::ShowMessage("No more tabs can be opened: " + std::to_string(kMaxTabsMessageLimit) +
                        " are open. Close a tab to open another.",
                    "Lumivale", ui::Icon::Warning, this);
    return nullptr;
  }
  const int n = *free;
  Tab& t = tab[std::size_t(n)];
  const int left = table.NextTabLeft();
  table.Open(n);

  const std::string number = std::to_string(n);
  t.panel = std::make_unique<controls::Panel>(kNewTabColor);
  t.panel->set_name("dpanel" + number);
  t.panel->set_size_request(kTabPanelWidth, kTabPanelHeight);
  t.panel->SetRounded(true);
  drsni.put(*t.panel, left, 3);

  t.thumb = std::make_unique<tabs::Timagetarget>();
  t.thumb->set_name("slikaA" + number);
  t.thumb->set_size_request(106, 65);
  t.thumb->tag = n;
  t.thumb->SetCodeA("100");
  tabs::Timagetarget* thumb = t.thumb.get();
  thumb->signal_click.connect([this, n] { slikaklik(n); });
  thumb->signal_mouse_enter.connect([this, thumb] { ThumbMouseEnter(*thumb); });
  thumb->signal_mouse_leave.connect([this, thumb] { ThumbMouseLeave(*thumb); });
  t.panel->put(*thumb, 2, 3);

  t.close = std::make_unique<controls::GlyphButton>(controls::GlyphButton::Glyph::Cross);
  t.close->set_size_request(10, 10);
  t.close->SetColors({200, 60, 50}, {255, 255, 255});
  t.close->set_tooltip_text("Close");
  t.close->tag = n;
  t.close->set_no_show_all(true);
  t.close->signal_clicked().connect([this, n] { brisiAklik(n); });
  t.panel->put(*t.close, kTabPanelWidth - 15, 4);
  t.panel->show_all();

  poravnava();

  t.content = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_VERTICAL);
  t.content->set_name("zpanel" + number);
  t.browser = env_.newBrowser ? env_.newBrowser() : nullptr;
  if (!t.browser) {
    CloseProgram();
    return nullptr;
  }
  engine::Browser* browser = t.browser.get();
  t.content->pack_start(browser->widget(), Gtk::PACK_EXPAND_WIDGET);
  t.content->show_all();
  pages.add(*t.content, "zpanel" + number);
  ShowContent(n);

  BindEvents(browser);
  browser->SetUserAgent(UserAgent);
  browser->OnContextMenu.connect([this] { ShowPoptool(); });

  if (Upper(address).find("GOOGLE.") != std::string::npos) GoogleRefresh = true;
  table.SetCurrentTab(n);
  browser->Navigate(address);
  return browser;
}

void TMainForm::BindEvents(engine::Browser* browser) {
  browser->OnNewWindow2.connect([this, browser](engine::Browser*& newWindow, bool& cancel) {
    WebBrowser1NewWindow2(browser, newWindow, cancel);
  });
  browser->OnBeforeNavigate2.connect(
      [this](const std::string& url, bool& cancel) { WebBrowserBeforeNavigate2(url, cancel); });
  browser->OnStatusTextChange.connect([this](const std::string& text) { WebBrowserStatusTextChange(text); });
  browser->OnTitleChange.connect([this](const std::string& text) { WebBrowserTitleChange(text); });
  browser->OnDownloadComplete.connect([this] { wbDownloadComplete(); });
  browser->OnDocumentComplete.connect([this, browser](bool topLevel) { wbrDocumentComplete(browser, topLevel); });
}

void TMainForm::ShowContent(int slot) {
  Tab& t = tab[std::size_t(slot)];
  if (t.content) pages.set_visible_child(*t.content);
}

void TMainForm::ColourTabs(int current) {
  for (int slot = 0; slot < table.TabCount(); ++slot)
    if (table.IsLive(slot)) tab[std::size_t(slot)].panel->SetColor(slot == current ? kCurrentTabColor : kTabColor);
}

void TMainForm::ShowAddressOf(engine::Browser* browser) {
  if (browser) eurl.set_text(browser->LocationURL());
}

void TMainForm::slikaklik(int n) {
  if (tabBusy_ || !table.IsLive(n)) return;
  tabBusy_ = true;
  WebBrowserScreenShot();
  ui::ProcessMessages();
  if (table.IsLive(n)) {
    ColourTabs(n);
    ShowContent(n);
    table.SetCurrentTab(n);
    ShowAddressOf(tab[std::size_t(n)].browser.get());
    WebBrowserScreenShot();
  }
  tabBusy_ = false;
}

void TMainForm::brisiAklik(int n) {
  if (tabBusy_ || !table.IsLive(n)) return;
  tabBusy_ = true;
  ipads.ClearPicture();
  pads.hide();
  SideRouting = true;

  if (table.LiveCount() < 2) {
    // Closing the last tab ends the program, through the normal shut-down.
    ui::ProcessMessages();
    tabBusy_ = false;
    SideRouting = false;
    CloseProgram();
    return;
  }

  if (sbdodaj.get_parent() == &drsni) drsni.move(sbdodaj, -200, 5);

  Tab& t = tab[std::size_t(n)];
  if (t.browser) {
    t.browser->Stop();
    ui::ProcessMessages();
  }
  table.Close(n);
  if (t.content) pages.remove(*t.content);
  if (t.panel) drsni.remove(*t.panel);
  Bury(std::move(t));
  t = Tab{};

  ui::ProcessMessages();
  int current = table.CurrentTab();
  if (current == n || !table.IsLive(current)) current = table.NearestLive(n).value_or(current);

  if (table.IsLive(current)) {
    ColourTabs(current);
    ShowContent(current);
    table.SetCurrentTab(current);
  }

  table.Repack();
  for (int slot : table.LiveInStripOrder()) drsni.move(*tab[std::size_t(slot)].panel, table.Left(slot), 3);
  poravnava();  // places the new-tab button too

  SideRouting = false;
  ShowAddressOf(GetCurrentWB());
  tabBusy_ = false;
}

void TMainForm::Bury(Tab&& gone) {
  if (gone.panel) gone.panel->hide();
  graveyard_.push_back(std::move(gone));
  if (!graveyardTimer_.connected())
    graveyardTimer_ = Glib::signal_timeout().connect([this] { return EmptyGraveyard(); }, 100);
}

bool TMainForm::EmptyGraveyard() {
  // A handler further up the stack may still be using these objects while
  // a nested message loop runs: wait until none does.
  if (ui::NestedDepth() > 0) return true;
  graveyard_.clear();
  return false;
}

void TMainForm::d1Click() {
  const int source = table.CurrentTab();
  engine::Browser* sourceBrowser = GetCurrentWB();
  KeepSidePage = true;
  const std::string address = eurl.get_text();
  engine::Browser* copy = createBrowser("");
  if (copy) {
    const int slot = table.CurrentTab();
    auto alive = [this](int s, engine::Browser* b) { return table.IsLive(s) && tab[std::size_t(s)].browser.get() == b; };
    copy->Navigate(address);
    ui::WaitUntil([&] { return !alive(slot, copy) || copy->IsComplete(); }, 30000);
    if (alive(slot, copy) && sourceBrowser && alive(source, sourceBrowser) && copy->IsComplete()) {
      if (auto html = sourceBrowser->BodyInnerHTML()) copy->SetBodyInnerHTML(*html);
    }
  }
  if (auto* b = GetCurrentWB()) b->GrabFocus();
}

void TMainForm::sbdodajClick() {
  createBrowser(kHomePageToken);
  if (forms().fzum && forms().fzum->get_visible()) forms().fzum->hide();
}

void TMainForm::zamenjajstran() {
  LastTitle = get_title();
  if (auto* b = GetCurrentWB()) b->Navigate(eurl.get_text());
  poravnaj();
}

void TMainForm::poravnava() {
  const int width = poddrsni.get_allocated_width() > 1 ? poddrsni.get_allocated_width() : root.get_allocated_width();
  strip.areaWidth = width > 1 ? width : 1258;
  strip.Layout(table.NextTabLeft(), table.LiveCount());
  ApplyStrip();
}

void TMainForm::poravnaj() {
  strip.PlaceNewTabButton(table.LiveCount());
  ApplyNewTabButton();
}

void TMainForm::drsnisxClick() {
  strip.ScrollLeft(table.NextTabLeft(), table.LiveCount());
  ApplyStrip();
}

void TMainForm::drsnidxClick() {
  strip.ScrollRight(table.NextTabLeft(), table.LiveCount());
  ApplyStrip();
}

void TMainForm::ApplyStrip() {
  drsnisx.set_visible(strip.overflow);
  Panel2.set_visible(strip.overflow);
  drsnidx.set_visible(strip.overflow);
  paneldodaj.set_visible(strip.overflow);
  drsni.set_size_request(strip.stripWidth, kStripHeight);
  drsniAll.set_size(std::max(1, strip.stripWidth), kStripHeight);
  drsniAll.move(drsni, strip.stripLeft, 0);
  ApplyNewTabButton();
}

void TMainForm::ApplyNewTabButton() {
  Gtk::Container* want = strip.buttonParked ? static_cast<Gtk::Container*>(&paneldodaj) : &drsni;
  if (sbdodaj.get_parent() != want) {
    if (auto* parent = sbdodaj.get_parent()) parent->remove(sbdodaj);
    if (strip.buttonParked)
      paneldodaj.put(sbdodaj, 0, 5);
    else
      drsni.put(sbdodaj, strip.buttonLeft, 5);
  } else if (!strip.buttonParked) {
    drsni.move(sbdodaj, strip.buttonLeft, 5);
  }
  sbdodaj.show();
}

// ---------------------------------------------------------------------------
// Thumbnails and preview

void TMainForm::WebBrowserScreenShot() {
  CaptureCurrentTab();
  poravnaj();
}

void TMainForm::CaptureCurrentTab() {
  const int cur = table.CurrentTab();
  engine::Browser* b = GetCurrentWB();
  if (!b || !table.IsLive(cur)) return;
  const auto capture = b->Snapshot();
  if (!capture) return;  // the tab keeps its old picture
  engine::Bitmap full = tabs::CutScrollBar(*capture);
  if (full.empty()) return;
  tabs::SmoothBitmap(full);
  if (!tabs::ResizeBmp(full, PreviewWidth, PreviewHeight)) return;
  ui::ProcessMessages();
  // The tab may have closed meanwhile.
  Tab& t = tab[std::size_t(cur)];
  if (!table.IsLive(cur) || !t.thumb) return;
  t.thumb->SetPicture(full);
  t.close->show();
  ColourTabs(cur);
}

void TMainForm::ThumbMouseEnter(tabs::Timagetarget& control) {
  if (!ThumbZoom) return;
  pads.hide();
  ui::ProcessMessages();
  const bool leftButton = drsnisx.get_visible();
  ui::WaitWithMessages(50);
  // The mouse may have left during the wait; then there is nothing to show.
  if (!control.hovered()) return;
  const int slot = control.tag;
  if (!table.IsLive(slot)) return;
  const Tab& t = tab[std::size_t(slot)];
  const int left = tabs::PreviewLeft(table.Left(slot), strip.stripLeft, leftButton, root.get_allocated_width(),
                                     pads.get_margin_start());
  pads.set_margin_start(left);
  pads.set_margin_top(poddrsni.get_allocated_height() > 1 ? poddrsni.get_allocated_height() : kStripHeight);
  Panel7Caption.set_text(" " + t.panel->get_tooltip_text());
  ipads.SetPicture(control.picture());
  pads.show();
  control.queue_draw();
}

void TMainForm::ThumbMouseLeave(tabs::Timagetarget& control) {
  pads.hide();
  ui::ProcessMessages();
  control.SetKodaI(0);
}

void TMainForm::ipadsMouseMove() { pads.hide(); }

// ---------------------------------------------------------------------------
// Engine events

void TMainForm::WebBrowser1NewWindow2(engine::Browser* sender, engine::Browser*& newWindow, bool& cancel) {
  bool allowed = false;
  const int current = table.CurrentTab();
  const bool fromCurrent = table.IsLive(current) && tab[std::size_t(current)].browser.get() == sender;
  if (fromCurrent && !PopupsAllowed) {
    if (ui::AskYesNo("Pop-up blocked\n\n\nAllow Pop-up?", "Lumivale", this)) {
      allowed = true;
      PopupsAllowed = true;
    }
  }
  if (PopupsAllowed) allowed = true;
  if (!allowed) {
    newWindow = nullptr;
    cancel = true;
    return;
  }
  newWindow = createBrowser("");
  cancel = newWindow == nullptr;
}

void TMainForm::WebBrowserBeforeNavigate2(const std::string& url, bool& cancel) {
  if (!RedirectMode) {
    cancel = false;
    return;
  }
  cancel = true;
  OpenRedirected(url);
}

void TMainForm::OpenRedirected(const std::string&) {
  // The side panel that shows redirected addresses is not part of this
  // window yet; the tab's navigation is cancelled all the same.
}

int TMainForm::MeasureText(std::string_view text) {
  auto layout = create_pango_layout(Glib::ustring(std::string(text)));
  int width = 0, height = 0;
  layout->get_pixel_size(width, height);
  return width;
}

void TMainForm::WebBrowserStatusTextChange(const std::string& text) {
  try {
    if (!GetCurrentWB()) return;
    const std::string shown =
        tabs::FitStatusText(text, tabs::kStatusWidthLimit, [this](std::string_view s) { return MeasureText(s); });
    infotextLabel.set_text(shown);
    if (tabs::KeepsStatusLineOpen(shown)) SetInfotextHeight(16);
  } catch (const std::exception&) {
  }
}

void TMainForm::WebBrowserTitleChange(const std::string& text) {
  LastTitle = text;
  const int current = table.CurrentTab();
  if (table.IsLive(current)) tab[std::size_t(current)].panel->set_tooltip_text(text);
  ui::ProcessMessages();
}

void TMainForm::wbDownloadComplete() {
  engine::Browser* b = GetCurrentWB();
  if (!b) return;
  eurl.set_text(b->LocationURL());
  set_title("Lumivale");
  RecordVisit();
}

void TMainForm::RecordVisit() {
  library::Tfhistory* history = forms().fhistory;
  engine::Browser* b = GetCurrentWB();
  if (!history || !b) return;
  history->EnsureLoaded();
  const std::time_t now = env_.now();
  const library::Visit visit{history->bchist.get_active(), LastTitle, b->LocationURL(), library::ShortDate(now),
                             library::LongTime(now)};
  if (!library::RecordVisit(history->mhistory, visit)) return;
  ui::ProcessMessages();
  listfile::SaveListViewToFile(history->mhistory, SettingsFolder() + "history.lmf");
  ppwheel.hide();
}

void TMainForm::wbrDocumentComplete(engine::Browser*, bool topLevel) {
  if (topLevel) WebBrowserScreenShot();
}

void TMainForm::SetTimerprogress(bool on) {
  if (on && !timerprogress_.connected())
    timerprogress_ = Glib::signal_timeout().connect([this] { TimerprogressTimer(); return true; }, 250);
  if (!on) timerprogress_.disconnect();
}

void TMainForm::Timer1Timer() {
  auto ready = [this] {
    engine::Browser* b = GetCurrentWB();
    return !b || b->IsComplete();
  };
  ppwheel.set_visible(!ready());
  if (ready() && GoogleRefresh) {
    try {
      if (auto* b = GetCurrentWB()) b->Refresh();
      GoogleRefresh = false;
    } catch (const std::exception&) {
    }
  } else if (ready()) {
    GoogleRefresh = false;
  }
  SetTimerprogress(!ready());
}

void TMainForm::SetInfotextHeight(int height) {
  infotextHeight_ = height;
  infotext.set_visible(height > 0);
}

void TMainForm::Timer5Timer() {
  if (infotextLabel.get_text().find(':') != Glib::ustring::npos) return;
  SetInfotextHeight(0);
  PlaceFloating();
  const int current = table.CurrentTab();
  if (table.IsLive(current)) tab[std::size_t(current)].panel->set_has_tooltip(!ThumbZoom);
}

void TMainForm::TimerprogressTimer() { pwheel.Advance(); }

// ---------------------------------------------------------------------------
// Address bar and quick search

bool TMainForm::eurlKeyPress(GdkEventKey* key) {
  if (key->keyval != GDK_KEY_Return && key->keyval != GDK_KEY_KP_Enter) return false;
  xsClick();
  return true;
}

void TMainForm::xsClick() {
  if (probing_) return;  // Enter again while the address is being probed
  probing_ = true;
  const std::string text = eurl.get_text();
  auto window = get_window();
  if (window) window->set_cursor(Gdk::Cursor::create(get_display(), "wait"));
  const bool reachable = env_.checkUrl && env_.checkUrl(text);
  if (window) window->set_cursor();
  probing_ = false;

  engine::Browser* b = GetCurrentWB();
  if (!b) return;
  if (reachable) {
    b->Navigate(text);
    return;
  }
  const int index = navigation::EngineIndex(SpeedSearch);
  RedirectMode = false;
  const std::string url = navigation::SearchUrl(engines, index, text);
  if (text.empty()) {
    b->Navigate(HomePage);
  } else {
    b->Navigate(url);
    b->GrabFocus();
  }
}

void TMainForm::QuickWebSearch3Click() {
  const int index = navigation::EngineIndex(SpeedSearch);
  RedirectMode = false;
  engine::Browser* b = GetCurrentWB();
  const std::optional<std::string> selection = b ? b->SelectedText() : std::nullopt;
  if (!selection) {
    ui::ShowMessage("There is no page in the current tab to search from.", "Lumivale web browser",
                    ui::Icon::Error, this);
    return;
  }
  const std::string url = navigation::SearchUrl(engines, index, *selection);
  if (selection->empty()) return;
  createBrowser("Blank Page");
  if (auto* current = GetCurrentWB()) {
    current->Navigate(url);
    current->GrabFocus();
  }
}

void TMainForm::xquickClick() { QuickWebSearch3Click(); }

}  // namespace app
