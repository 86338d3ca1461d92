#pragma once
// A main window in a scratch folder, with FakeBrowsers and scripted
// dialogs, shown on the test display.

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "engine/FakeBrowser.h"
#include "library/Tfaddfav.h"
#include "library/Tffavorit.h"
#include "library/Tfhistory.h"
#include "navigation/Tfhint.h"
#include "navigation/Tfred.h"
#include "navigation/Tfzum.h"
#include "rss/Tfmanage.h"
#include "rss/Tfrss.h"
#include "rss/Tfslide.h"
#include "options/OptionsDialogs.h"
#include "options/Tfoptions.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace testing_support {

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override { ui::SetTerminating(false); }

  void TearDown() override {
    app::forms() = app::Forms{};
    fabout.reset();
    foptions.reset();
    fhomepage.reset();
    faddstring.reset();
    editBookmark.reset();
    addBookmark.reset();
    bookmarks.reset();
    manage.reset();
    reader.reset();
    slide.reset();
    toolbar.reset();
    notice.reset();
    zoom.reset();
    form.reset();
    history.reset();
    ui::ProcessMessages();
  }

  // Creates and starts the main window the way the program does.
  void Start() {
    PointAway();
    app::Environment env;
    env.appDataFolder = data.str();
    env.programFolder = program.str();
    env.newBrowser = [this]() -> std::unique_ptr<engine::Browser> {
      if (refuseBrowser && refuseBrowser()) return nullptr;
      auto b = std::make_unique<engine::FakeBrowser>();
      b->completeOnNavigate = completeOnNavigate;
      b->body = "<p>blank</p>";
      browsers.push_back(b.get());
      return b;
    };
    env.newGeneratedPageBrowser = [this]() -> std::unique_ptr<engine::Browser> {
      auto b = std::make_unique<engine::FakeBrowser>(engine::Content::Generated);
      ++generatedBrowsersMade;
      return b;
    };
    env.endProgram = [this] { ++programEnds; };
    env.startNewInstance = [this] {
      ++newInstances;
      return true;
    };
    env.now = [] { return std::time_t(1765375402); };
    env.checkUrl = [this](const std::string& text) {
      probed.push_back(text);
      return probeOverride ? probeOverride(text) : reachable;
    };
    env.engines = engines;
    env.openUri = [this](const std::string& uri) {
      openedUris.push_back(uri);
      return mailHandler;
    };
    env.cacheFolder = data / "cache/";
    form = std::make_unique<app::TMainForm>(env);
    form->FormCreate();
    history = std::make_unique<library::Tfhistory>(form->SettingsFolder() + "history.lmf", form->config.enableHist,
                                                   /*loadLater=*/false, form->HistoryCallbacks());
    app::forms().fhistory = history.get();
    form->show();
    ui::WaitUntil([this] { return form->root.get_allocated_width() > 1; }, 5000);
    ui::WaitWithMessages(50);
  }

  // Creates the floating toolbar and the redirect notice as the program
  // does, after the main window.
  void AddToolbarAndNotice() {
    toolbar = std::make_unique<navigation::Tfhint>(form->config.hmenuX, form->config.hmenuY,
                                                   form->ToolbarCallbacks());
    app::forms().fhint = toolbar.get();
    toolbar->FormCreate();
    notice = std::make_unique<navigation::Tfred>([this] { return form->RedirectMode; });
    app::forms().fred = notice.get();
    ui::WaitUntil([this] { return toolbar->get_mapped(); }, 3000);
  }

  // Creates the zoom window as the program does.
  void AddZoomWindow() {
    zoom = std::make_unique<navigation::Tfzum>(form->ZoomCallbacks());
    app::forms().fzum = zoom.get();
    zoom->FormCreate(1920, 1080);
  }

  // Creates the bookmarks window and its two dialogs as the program does.
  void AddBookmarkWindows() {
    bookmarks = std::make_unique<library::Tffavorit>(form->SettingsFolder() + "2favlist.lmf", form->BookmarkCallbacks());
    addBookmark = std::make_unique<library::Tfaddfav>(form->AddBookmarkCallbacks());
    editBookmark = std::make_unique<library::Tfeditfavorites>();
    bookmarks->Attach(*addBookmark, *editBookmark);
    app::forms().ffavorit = bookmarks.get();
    app::forms().faddfav = addBookmark.get();
    app::forms().feditfavorites = editBookmark.get();
  }

  // Creates the RSS reader, its manage window and the Add dialog as the
  // program does, after the main window.
  void AddRssWindows() {
    slide = std::make_unique<rss::Tfslide>(form->AddFeedCallbacks());
    app::forms().fslide = slide.get();
    reader = std::make_unique<rss::Tfrss>(form->SettingsFolder(), data.str() + "cache/", form->ReaderCallbacks());
    app::forms().frss = reader.get();
    reader->FormCreate();
    manage = std::make_unique<rss::Tfmanage>(form->SettingsFolder(), slide.get());
    app::forms().fmanage = manage.get();
    manage->FormCreate();
  }

  // Creates the options dialog, its two sub-dialogs and the about box as
  // the program does; the options dialog's creation paints the saved
  // colour scheme.
  void AddOptionsWindows() {
    foptions = std::make_unique<options::Tfoptions>(form->SettingsFolder(), form->OptionsCallbacks());
    foptions->FormCreate(form->config.colorScheme, controls::FromStored(std::uint32_t(form->config.customColor)));
    faddstring = std::make_unique<options::Tfaddstring>();
    fhomepage = std::make_unique<options::Tfhomepage>(form->HomePageCallbacks());
    fhomepage->FormCreate();
    foptions->Attach(*faddstring, *fhomepage);
    fabout = std::make_unique<options::Tfabout>("4.6.0.0", [this](const std::string& url) { form->createBrowser(url); });
    app::forms().foptions = foptions.get();
    app::forms().faddstring = faddstring.get();
    app::forms().fhomepage = fhomepage.get();
    app::forms().fabout = fabout.get();
  }

  // Moves the real pointer over `widget` at (x, y) in its own coordinates,
  // so the display sends the crossing events a user's mouse would.
  static void PointAt(Gtk::Widget& widget, int x, int y) {
    // Wait until the widget has its place in the window.
    ui::WaitUntil([&] { return widget.get_mapped() && widget.get_allocated_width() > 1; }, 3000);
    ui::WaitWithMessages(50);
    Gtk::Widget* top = widget.get_toplevel();
    int tx = 0, ty = 0, ox = 0, oy = 0;
    widget.translate_coordinates(*top, x, y, tx, ty);
    top->get_window()->get_origin(ox, oy);
    auto seat = widget.get_display()->get_default_seat();
    seat->get_pointer()->warp(widget.get_screen(), ox + tx, oy + ty);
  }
  // Moves the real pointer to the screen's bottom right corner, away from
  // every window a test shows.
  static void PointAway() {
    auto display = Gdk::Display::get_default();
    display->get_default_seat()->get_pointer()->warp(display->get_default_screen(), 1919, 1079);
    ui::WaitWithMessages(50);
  }

  engine::FakeBrowser& Browser(int slot) {
    return *static_cast<engine::FakeBrowser*>(form->tab[std::size_t(slot)].browser.get());
  }
  engine::FakeBrowser& Current() { return Browser(form->table.CurrentTab()); }
  std::string Settings(const std::string& name) const { return data / ("Lumivale/" + name); }

  TempFolder data;
  TempFolder program;
  ScriptedDialogs dialogs;
  std::unique_ptr<app::TMainForm> form;
  std::unique_ptr<library::Tfhistory> history;
  std::unique_ptr<navigation::Tfhint> toolbar;
  std::unique_ptr<navigation::Tfred> notice;
  std::unique_ptr<navigation::Tfzum> zoom;
  std::unique_ptr<library::Tffavorit> bookmarks;
  std::unique_ptr<library::Tfaddfav> addBookmark;
  std::unique_ptr<library::Tfeditfavorites> editBookmark;
  std::unique_ptr<rss::Tfslide> slide;
  std::unique_ptr<rss::Tfrss> reader;
  std::unique_ptr<rss::Tfmanage> manage;
  int generatedBrowsersMade = 0;
  std::unique_ptr<options::Tfoptions> foptions;
  std::unique_ptr<options::Tfaddstring> faddstring;
  std::unique_ptr<options::Tfhomepage> fhomepage;
  std::unique_ptr<options::Tfabout> fabout;
  std::vector<engine::FakeBrowser*> browsers;
  std::vector<std::string> probed;
  bool reachable = true;
  // When set, answers the probe in place of `reachable`.
  std::function<bool(const std::string&)> probeOverride;
  bool completeOnNavigate = true;
  // When set and true, the engine gives no browser for the next tab; it
  // may also throw.
  std::function<bool()> refuseBrowser;
  int programEnds = 0;
  // The addresses handed to the desktop, and whether a handler takes them.
  std::vector<std::string> openedUris;
  bool mailHandler = true;
  int newInstances = 0;
  navigation::EngineTable engines = navigation::DefaultEngines();
};

}  // namespace testing_support
