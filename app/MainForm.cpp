// The main window's shell: construction, start-up, shut-down and the
// timers. The handlers of each feature live in app/mainform/.

#include "app/MainForm.h"

#include <glib/gstdio.h>

#include <iostream>

#include "app/Forms.h"
#include "app/Startup.h"
#include "app/Version.h"
#include "app/mainform/Internal.h"
#include "library/Tfhistory.h"
#include "settings/AtomicFile.h"
#include "settings/Geometry.h"
#include "settings/IniFile.h"
#include "tabs/Thumbnail.h"
#include "ui/ProcessMessages.h"

namespace app {

using namespace mainform;

TMainForm::TMainForm(Environment env) : tab(tabs::kSlotCount), env_(std::move(env)) {
  engines = env_.engines;
  HomePage = kDefaultHomePage;
  UserAgent = BuildUserAgent(kVersion);
  DefaultUserAgent = UserAgent;
  config.homePage = HomePage;
  BuildLayout();
  BuildMenu();
  LoadStyle();
}

TMainForm::~TMainForm() {
  *alive_ = false;
  CancelDownloads();
  for (auto* c : {&timer1_, &timer5_, &timerprogress_, &rsstimer_, &graveyardTimer_, &layoutIdle_, &newsTimer_})
    c->disconnect();
  if (forms().MainForm == this) forms().MainForm = nullptr;
}

std::string TMainForm::SettingsFolder() const { return AppDataFolder + kSettingsFolderName + "/"; }

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
  const auto& start = env_.startAddresses;
  createBrowser(start.empty() ? HomePage : start.front());
  for (std::size_t i = 1; i < start.size(); ++i) createBrowser(start[i]);
  // The address bar shows the first page's address while it loads.
  ShowAddressOf(GetCurrentWB());
  rsstimer_ = Glib::signal_timeout().connect([this] { rsstimerTimer(); return true; }, 300000);
  newsTimer_ = Glib::signal_timeout().connect([this] { TimerTimer(); return true; }, 60000);
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
  if (BarState == 0 || BarState == 2) ApplyBarState();
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
  if (forms().frss) config.bnews = forms().frss->cbnews.get_active() ? 1 : 0;
  config.complex = panel9.get_visible();
  config.barState = BarState;
  config.smartColor = smartback.get_active();
  config.hideAddressBar = HideAdressBar1.get_active();
  config.flatAddressBar = FlatAdressBar1.get_active();
  config.buttonMask = ButtonMask;
  config.homePage = HomePage;
  if (navigation::Tfhint* toolbar = forms().fhint) toolbar->get_position(config.hmenuX, config.hmenuY);
  std::string error;
  if (!settings::SaveConfiguration(SettingsFolder() + "Lumivale.cfg", config, &error))
    std::cerr << "lumivale: could not save the settings: " << error << "\n";
  return true;
}

void TMainForm::FormDestroy() { SaveSettings(); }

void TMainForm::CloseProgram() {
  if (closing_) return;
  closing_ = true;
  CancelDownloads();
  FormCloseQuery();
  FormDestroy();
  for (auto* c : {&timer1_, &timer5_, &timerprogress_, &rsstimer_, &newsTimer_}) c->disconnect();
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

// ---------------------------------------------------------------------------
// Session

void TMainForm::NewSession1Click() {
  if (env_.startNewInstance) env_.startNewInstance();
}

void TMainForm::Exit2Click() {
  ui::ProcessMessages();
  CloseProgram();
}

// ---------------------------------------------------------------------------
// Timers

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
  navigation::Tfhint* toolbar = forms().fhint;
  if (toolbar) toolbar->StayOnTop();
  // The wheel also turns while a file downloads.
  ppwheel.set_visible(!ready() || DownloadsRunning());
  if (ready() && GoogleRefresh) {
    try {
      if (auto* b = GetCurrentWB()) b->Refresh();
      GoogleRefresh = false;
    } catch (const std::exception&) {
    }
  } else if (ready()) {
    GoogleRefresh = false;
  }
  SetTimerprogress(!ready() || DownloadsRunning());
  if (toolbar) {
    toolbar->ShowStop(!ready());
    toolbar->FadeStep(get_allocated_width());
  }
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

}  // namespace app
