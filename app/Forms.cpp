#include "app/Forms.h"

#include <memory>
#include <vector>

#include "app/MainForm.h"
#include "app/Placeholders.h"
#include "app/Version.h"
#include "settings/Configuration.h"
#include "designer/Tfdesigner.h"
#include "library/Tfaddfav.h"
#include "library/Tffavorit.h"
#include "library/Tfhistory.h"
#include "navigation/Tfhint.h"
#include "navigation/Tfred.h"
#include "navigation/Tfzum.h"
#include "rss/Tfmanage.h"
#include "rss/Tfrss.h"
#include "rss/Tfhotwords.h"
#include "rss/Tfnews.h"
#include "rss/Tfslide.h"
#include "options/OptionsDialogs.h"
#include "options/Tfoptions.h"

namespace app {
namespace {

std::vector<std::unique_ptr<Gtk::Window>>& Created() {
  static std::vector<std::unique_ptr<Gtk::Window>> windows;
  return windows;
}

template <class W>
W* Keep(std::unique_ptr<W> window) {
  W* raw = window.get();
  Created().push_back(std::move(window));
  return raw;
}

Gtk::Window* Placeholder(const char* name, const char* caption) {
  return Keep(std::make_unique<PlaceholderWindow>(name, caption));
}

}  // namespace

Forms& forms() {
  static Forms instance;
  return instance;
}

void CreateForms(TMainForm& MainForm) {
  Forms& f = forms();
  f.MainForm = &MainForm;
  f.fhint = Keep(std::make_unique<navigation::Tfhint>(MainForm.config.hmenuX, MainForm.config.hmenuY,
                                                     MainForm.ToolbarCallbacks()));
  f.fhint->FormCreate();
  f.ffavorit = Keep(std::make_unique<library::Tffavorit>(MainForm.SettingsFolder() + "2favlist.lmf",
                                                         MainForm.BookmarkCallbacks()));
  f.faddfav = Keep(std::make_unique<library::Tfaddfav>(MainForm.AddBookmarkCallbacks()));
  f.fmemo = Placeholder("Tfmemo", "Lumivale");
  f.fslide = Keep(std::make_unique<rss::Tfslide>(MainForm.AddFeedCallbacks()));
  f.feditfavorites = Keep(std::make_unique<library::Tfeditfavorites>());
  f.ffavorit->Attach(*f.faddfav, *f.feditfavorites);
  // The reader downloads its feeds into the user's cache folder.
  f.frss = Keep(std::make_unique<rss::Tfrss>(
      MainForm.SettingsFolder(), std::string(g_get_user_cache_dir()) + "/lumivale/", MainForm.ReaderCallbacks()));
  f.frss->FormCreate();
  // Breaking news as the configuration last had it.
  f.frss->cbnews.set_active(settings::BreakingNewsOn(MainForm.config.bnews));
  f.fmanage = Keep(std::make_unique<rss::Tfmanage>(MainForm.SettingsFolder(), f.fslide));
  f.fmanage->FormCreate();
  f.foptions = Keep(std::make_unique<options::Tfoptions>(MainForm.SettingsFolder(), MainForm.OptionsCallbacks()));
  // Its creation paints the main window in the saved scheme.
  f.foptions->FormCreate(MainForm.config.colorScheme,
                         controls::FromStored(std::uint32_t(MainForm.config.customColor)));
  f.faddstring = Keep(std::make_unique<options::Tfaddstring>());
  f.fhomepage = Keep(std::make_unique<options::Tfhomepage>(MainForm.HomePageCallbacks()));
  f.fhomepage->FormCreate();
  f.foptions->Attach(*f.faddstring, *f.fhomepage);
  f.ftransparent = Placeholder("Tftransparent", "Lumivale");
  f.fabout = Keep(std::make_unique<options::Tfabout>(
      kVersion, [&MainForm](const std::string& url) { MainForm.createBrowser(url); }));
  f.fred = Keep(std::make_unique<navigation::Tfred>([&MainForm] { return MainForm.RedirectMode; }));
  f.fhistory = Keep(std::make_unique<library::Tfhistory>(MainForm.SettingsFolder() + "history.lmf",
                                                         MainForm.config.enableHist, /*loadLater=*/true,
                                                         MainForm.HistoryCallbacks()));
  f.fzum = Keep(std::make_unique<navigation::Tfzum>(MainForm.ZoomCallbacks()));
  int screenWidth = 0, screenHeight = 0;
  MainForm.ScreenSize(screenWidth, screenHeight);
  f.fzum->FormCreate(screenWidth, screenHeight);
  f.fnews = Keep(std::make_unique<rss::Tfnews>([&MainForm](const std::string& link) {
    MainForm.createBrowser("");
    if (engine::Browser* b = MainForm.GetCurrentWB()) b->Navigate(link);
  }));
  f.fhotwords = Keep(std::make_unique<rss::Tfhotwords>(MainForm.SettingsFolder() + "rss.hot", [&f] {
    return f.frss ? std::string(f.frss->cbfeeds.get_active_text()) : std::string();
  }));
  f.frss->SpeedButton4.signal_clicked().connect([&f] { f.fhotwords->show(); });
  f.fdesigner = Keep(std::make_unique<designer::Tfdesigner>(MainForm.DesignerCallbacks()));
}

void DestroyForms() {
  forms() = Forms{};
  // The last window made goes first.
  auto& windows = Created();
  while (!windows.empty()) windows.pop_back();
}

}  // namespace app
