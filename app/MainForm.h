#pragma once
// The main window: the tab strip with its thumbnails, the address bar, the
// pages of the tabs, the status line, the busy wheel and the command menu.
// It owns the tab table and the program-wide values the other windows
// read.

#include <gtkmm.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/FrameImage.h"
#include "controls/GlyphButton.h"
#include "controls/Panel.h"
#include "controls/ProgressWheel.h"
#include "designer/Tfdesigner.h"
#include "engine/BrowserFactory.h"
#include "library/Tfaddfav.h"
#include "library/Tffavorit.h"
#include "library/Tfhistory.h"
#include "navigation/PageWindows.h"
#include "navigation/QuickSearch.h"
#include "navigation/SearchAssistant.h"
#include "navigation/SidePanel.h"
#include "navigation/Tfhint.h"
#include "navigation/Tfzum.h"
#include "rss/BreakingNews.h"
#include "rss/TickerBar.h"
#include "rss/Tfrss.h"
#include "rss/Tfslide.h"
#include "options/ColorSchemes.h"
#include "options/OptionsDialogs.h"
#include "options/Tfoptions.h"
#include "settings/ColorState.h"
#include "settings/Configuration.h"
#include "tabs/StripLayout.h"
#include "tabs/TabTable.h"
#include "tabs/Timagetarget.h"

namespace app {

// What the main window needs from the world, so tests can run it in a
// scratch folder with a scripted engine.
struct Environment {
  std::string appDataFolder;  // the user data folder, ending in "/"
  std::string programFolder;  // the executable's folder, ending in "/"
  engine::BrowserFactory newBrowser;
  // The RSS reader's engine, for the pages the program writes; empty:
  // `newBrowser`.
  engine::BrowserFactory newGeneratedPageBrowser;
  // Leaves the main loop once the window has closed.
  std::function<void()> endProgram;
  std::function<std::time_t()> now = [] { return std::time(nullptr); };
  // Starts the program's own executable again (New Session); false when
  // it could not be started.
  std::function<bool()> startNewInstance;
  // The reachability probe of the address bar.
  std::function<bool(const std::string&)> checkUrl;
  navigation::EngineTable engines = navigation::DefaultEngines();
  // Hands an address (a "mailto:" one) to the desktop's handler for it;
  // false when none took it.
  std::function<bool(const std::string&)> openUri;
  // Where passing files (the print preview) go, ending in "/"; empty: the
  // user's cache folder.
  std::string cacheFolder;
  // The addresses the program was started with: the first tab opens the
  // first of them in place of the home page, the others open as tabs of
  // their own.
  std::vector<std::string> startAddresses;
};

class TMainForm : public Gtk::Window {
 public:
  explicit TMainForm(Environment env);
  ~TMainForm() override;

  // ---- Shell (MainForm.cpp): start-up, shut-down, session, timers -----
  // Reads the settings, opens the first tab and starts the timers.
  void FormCreate();
  // Copies the seed files into a new settings folder.
  void FormActivate();
  // Writes the configuration; the close is always allowed.
  bool FormCloseQuery();
  // Writes the window geometry.
  void FormDestroy();
  void LoadSettings();
  void SaveSettings();
  // Closes the window through the normal shut-down.
  void CloseProgram();
  void NewSession1Click();
  void Exit2Click();
  void Timer1Timer();
  void Timer5Timer();
  void TimerprogressTimer();

  // ---- Layout (mainform/Layout.cpp) ----------------------------------------
  void FormResize();
  // The size of the screen the window is on.
  void ScreenSize(int& width, int& height);
  void dolocigumbe();
  void xbshow();
  void FullScreen1Click();
  // Toggles the check mark of "Flat Adress Bar", as choosing it does.
  void FlatAdressBar1Click();
  // The check mark changed: the address-bar frame follows it.
  void FlatAdressBar1Toggled();

  // ---- Command menu (mainform/Menu.cpp) --------------------------------------
  // Opens `poptool` where the pointer is.
  void ShowPoptool();
  // A key pressed in the window: the command table's key rows take theirs
  // before the focused widget sees it.
  bool ShellKeyPress(GdkEventKey* key);

  // ---- Browser keys (mainform/Keys.cpp) ----------------------------------------
  // What the keys of the command table's key rows do; a row with a
  // condition takes its key only while the condition holds, otherwise the
  // key goes on to the focused widget (the page).
  void BackKey();
  void ForwardKey();
  void ReloadKey();
  bool PageLoading();
  void StopKey();
  bool AddressBarShown();
  void AddressKey();
  void NewTabKey();
  void CloseTabKey();
  void NextTabKey();
  void PreviousTabKey();
  void ZoomInKey();
  void ZoomOutKey();
  void ZoomResetKey();

  // ---- Tabs (mainform/Tabs.cpp) ----------------------------------------------
  // Opens `url` in a new tab and makes it current; "666ycf" (blanks
  // trimmed) stands for the home page. Answers the new tab's browser, or
  // null when no tab could be opened.
  engine::Browser* createBrowser(const std::string& url);
  // Addresses another program handed over (a link opened on the desktop):
  // each opens as a new tab, the home page when there are none, and the
  // window comes to the front. They wait while a tab opens or closes.
  void OpenHandedOver(const std::vector<std::string>& addresses);
  engine::Browser* GetCurrentWB();
  void slikaklik(int slot);
  void brisiAklik(int slot);
  void d1Click();
  void sbdodajClick();
  void zamenjajstran();
  void poravnava();
  void poravnaj();
  void drsnisxClick();
  void drsnidxClick();

  // ---- Thumbnails and preview (mainform/Thumbnails.cpp) ----------------------
  void WebBrowserScreenShot();
  void ThumbMouseEnter(tabs::Timagetarget& control);
  void ThumbMouseLeave(tabs::Timagetarget& control);
  void ipadsMouseMove();

  // ---- Engine events (mainform/EngineEvents.cpp) ------------------------------
  void WebBrowser1NewWindow2(engine::Browser* sender, engine::Browser*& newWindow, bool& cancel);
  void WebBrowserBeforeNavigate2(const std::string& url, bool& cancel);
  void WebBrowserStatusTextChange(const std::string& text);
  void WebBrowserTitleChange(const std::string& text);
  void wbDownloadComplete();
  void wbrDocumentComplete(engine::Browser* sender, bool topLevel);
  // The page of a tab asked to close its window: the tab closes, as by its
  // cross, once the engine's handler has returned. The last tab stays.
  void WebBrowserWindowClose(engine::Browser* sender);

  // ---- Downloads (mainform/Downloads.cpp) ---------------------------------------
  // A page of a tab or of the side panel led to a file: the window keeps
  // the download (it lives on when its tab closes) and reports on it.
  void wbFileDownload(std::shared_ptr<engine::Download> download);
  // Asks where to save it; an empty `path` cancels it.
  void DownloadDecideDestination(engine::Download& download, const std::string& suggestedName,
                                 std::optional<std::string>& path);
  void DownloadProgress(engine::Download& download, std::uint64_t received, std::uint64_t expected);
  void DownloadFinished(engine::Download& download, const std::string& path);
  void DownloadFailed(engine::Download& download, const std::string& reason);
  void DownloadCancelled(engine::Download& download);
  // Some download runs (the busy wheel turns meanwhile).
  bool DownloadsRunning() const { return !downloads_.empty(); }
  // The folder the save dialog of a download starts in: the user's
  // download folder, else the home folder.
  static std::string DownloadFolder();
  // ---- Floating toolbar and redirect mode (mainform/Toolbar.cpp) ---------------
  // What the floating toolbar asks of this window.
  navigation::Tfhint::Callbacks ToolbarCallbacks();
  // The current tab's own browser, whatever the routing.
  engine::Browser* TabBrowser();
  void xredirectClick();
  // The floating toolbar's Bookmarks button: the bookmarks window, modally.
  void ShowBookmarks();

  // ---- Side panel (mainform/SidePanel.cpp) --------------------------------------
  // Shows an address that redirect mode took away from a tab in the side
  // panel.
  void OpenRedirected(const std::string& url);
  void XiButton12Click();  // Open in Browser
  void XiButton13Click();  // close the side panel
  // Dragging the splitter sets the side panel's width.
  bool SpliterPress(GdkEventButton* event);
  bool SpliterMotion(GdkEventMotion* event);
  // The side browser's events.
  void wbrDownloadBegin();
  void wbrProgressChange(int progress, int progressMax);
  void wbrTitleChange();
  void wbrNewWindow2(engine::Browser*& newWindow, bool& cancel);

  // ---- Search assistant (mainform/SearchAssistant.cpp) ---------------------------
  // Shows or hides the search assistant panel.
  void xp9Click();
  void AdvancedSearch1Click();

  // ---- Zoom and transparency (mainform/Zoom.cpp) ---------------------------------
  // Zooms the current tab's page to `n` percent, unless `n` is the last zoom
  // sent; false when the engine refused it (the user was told).
  bool ApplyZoom(int n);
  // What the zoom window asks of this window.
  navigation::Tfzum::Callbacks ZoomCallbacks();
  void Zoom2Click();
  void XiButton7Click();
  // F10: the main window translucent (alpha 80) or opaque again.
  void ransparent1Click();
  void xtransparentClick();
  bool AlphaBlend() const { return alphaBlend_; }

  // ---- Address bar and quick search (mainform/Address.cpp) ---------------------
  bool eurlKeyPress(GdkEventKey* key);
  void xsClick();
  void QuickWebSearch3Click();
  void xquickClick();

  // ---- History and bookmarks (mainform/Library.cpp) -----------------------------
  // The History menu item and the History side button: show the history
  // window.
  void History1Click();
  // What the history and bookmark windows need of this window.
  library::Tfhistory::Callbacks HistoryCallbacks();
  library::Tffavorit::Callbacks BookmarkCallbacks();
  library::Tfaddfav::Callbacks AddBookmarkCallbacks();
  // The title of the page in the current tab, as its panel's hint keeps it.
  std::string CurrentTabTitle();
  // A bookmark opens in the current tab: the address bar takes `url` and
  // the tab goes there.
  void OpenBookmark(const std::string& url);

  // ---- RSS reader and feed list (mainform/Rss.cpp) ------------------------------
  // What the reader and the Add dialog ask of this window.
  rss::Tfrss::Callbacks ReaderCallbacks();
  rss::Tfslide::Callbacks AddFeedCallbacks();
  void RSSReader1Click();  // the reader, modally
  void xq1Click();
  void AddRSS2Click();     // "Add RSS": the reader, with the Add dialog pending
  // The reader's "Open in Browser": `address` in a new tab.
  void OpenFromReader(const std::string& address);

  // ---- News ticker (mainform/Ticker.cpp) ------------------------------------------
  void ScrollingRSS1Click();  // "RSS scrolling": the ticker on or off
  void rssClick();            // the ticker's text from the first feed, afresh
  void rsstimerTimer();
  void alsrefreshClick();
  void alszapriClick();
  void xalsClick();
  rss::TickerBar::Callbacks TickerCallbacks();

  // ---- Breaking news (mainform/News.cpp) -------------------------------------------
  // The reader's minute: the newest item of the first feed against the
  // keywords.
  void TimerTimer();
  void hotword(const std::string& keywords);
  bool BreakingNewsEnabled();
  void SetBreakingNews(bool on);
  // The newest item's date at the last check.
  std::int64_t lastNewsDate = rss::kFarFuture;

  // ---- Options, home page and about box (mainform/Options.cpp) -----------------
  // "Options": the options dialog, modally.
  void Options1Click();
  // "About Lumivale Web Browser": the about box, modally.
  void AboutLumivale1Click();
  // What the options and home-page dialogs need of this window.
  options::Tfoptions::Callbacks OptionsCallbacks();
  options::Tfhomepage::Callbacks HomePageCallbacks();
  // Paints the top bar, the tab strip and the side button bar as the
  // colour scheme says.
  void PaintScheme(const options::Look& look);

  // ---- Page commands (mainform/PageCommands.cpp) ---------------------------------
  void OpenFile1Click();
  void SaveAs1Click();
  void Print2Click();
  void PrintPreview2Click();
  void MailLinkToThisPage2Click();
  void Find1Click();
  void xisciClick();
  void t115Click();
  void DeleteTemporaryInternetFiles2Click();
  void ViewSource2Click();
  void LookupDomain1Click();
  void GoogleTranslate1Click();
  void xtranslateClick();
  // Tools, "Editor": the address bar's page in the designer, modally.
  void Editor1Click();
  // Save and print of a page, the current tab's or the designer's.
  void SavePage(engine::Browser& browser);
  void PrintPage(engine::Browser& browser);
  // What the designer asks of this window.
  designer::Tfdesigner::Callbacks DesignerCallbacks();
  // The page commands' own windows, made when first used.
  navigation::Tffind& FindWindow();
  navigation::Tfsource& SourceWindow();
  navigation::Tfpreview& PreviewWindow();

  // ---- Program-wide values ------------------------------------------------
  std::string AppDataFolder;  // ends in "/"
  std::string ProgramFolder;  // ends in "/"
  std::string UserAgent;
  std::string DefaultUserAgent;
  std::string HomePage;
  bool PopupsAllowed = false;
  bool ThumbZoom = true;
  int PreviewWidth = 0;
  int PreviewHeight = 0;
  int SidePanelWidth = 0;
  int BarState = 0;
  std::string ButtonMask = "1111111111";
  bool FlatAddressBar = true;
  int ZoomValue = 100;
  int SpeedSearch = 0;  // quick-search engine setting
  bool RedirectMode = false;
  bool SideRouting = false;
  bool SideFirstOpen = true;
  bool KeepSidePage = false;
  bool GoogleRefresh = false;
  std::string LastTitle;
  // Values of the configuration that later windows own, kept so that
  // nothing in the user's file is lost: read at start-up, written at close.
  settings::Configuration config;
  settings::ColorDialogState colorDialog;
  navigation::EngineTable engines;

  tabs::TabTable table;
  tabs::StripLayout strip;

  // The settings folder, ending in "/".
  std::string SettingsFolder() const;

  // ---- Components -----------------------------------------------------------
  Gtk::Overlay root;
  Gtk::Box body{Gtk::ORIENTATION_VERTICAL};
  controls::Panel RGPanel1;
  Gtk::Box poddrsni{Gtk::ORIENTATION_HORIZONTAL};
  controls::GlyphButton drsnisx{controls::GlyphButton::Glyph::Left};
  Gtk::Layout drsniAll;
  controls::Panel drsni;
  Gtk::Box Panel2{Gtk::ORIENTATION_HORIZONTAL};
  controls::GlyphButton drsnidx{controls::GlyphButton::Glyph::Right};
  controls::Panel paneldodaj;
  controls::Panel Panel6;
  controls::GlyphButton sbdodaj{controls::GlyphButton::Glyph::Plus};
  controls::FrameImage Image1{controls::FrameImage::Piece::Left};
  controls::FrameImage Image3{controls::FrameImage::Piece::Middle};
  controls::FrameImage Image2{controls::FrameImage::Piece::Right};
  Gtk::Entry eurl;
  controls::GlyphButton xs{controls::GlyphButton::Glyph::Right};

  Gtk::Box middle{Gtk::ORIENTATION_HORIZONTAL};
  navigation::SearchAssistant panel9{SearchAssistantCallbacks()};
  controls::Panel p2;
  Gtk::Button xq1, xisci, xtranslate, xquick, xredirect, xtransparent, xhist, xp9, XiButton7, xF11;
  controls::GlyphButton xiskrolup{controls::GlyphButton::Glyph::Up};
  Gtk::Box PALL{Gtk::ORIENTATION_VERTICAL};
  Gtk::Stack pages;
  rss::TickerBar ptop{TickerCallbacks()};
  controls::Panel Spliter;
  navigation::SidePanel dxpanel{SidePanelCallbacks()};
  // The pictures of the redirect button: red while the mode is on.
  Gtk::Image iredirektred, iredirektwhite, xredirectPicture;

  controls::Panel pads;
  tabs::Timagetarget ipads;
  controls::Panel Panel7;
  Gtk::Label Panel7Caption;
  controls::Panel infotext;
  Gtk::Label infotextLabel;
  controls::Panel ppwheel;
  controls::ProgressWheel pwheel;

  Gtk::Menu poptool;
  Gtk::MenuItem Files1, OpenFile1, NewSession1, d1, SaveAs1, Print2, PrintPreview2, MailLinkToThisPage2,
      AdvancedSearch1, Find1, ools2, t115, InternetOptions2, DeleteTemporaryInternetFiles2, t101,
      SetLumivaleasDefaultBrowser1, t102, ViewSource2, Editor1, QuickWebSearch3, SetQuickWebSearch1, Google1,
      Bing1, Yahoo1, Wikipedia1, LookupDomain1, ProgressBarEndColor2, RSSReader1, AddRSS2, ScrollingRSS1,
      GoogleTranslate1, Redirecttonewbrowser1, ransparent1, History1, Zoom2, FullScreen1, Options1,
      AboutLumivale1, Exit2, Showbar1;
  Gtk::CheckMenuItem HideAdressBar1, FlatAdressBar1, smartback;
  Gtk::Menu Files1Menu, ools2Menu, SetQuickWebSearch1Menu;
  Glib::RefPtr<Gtk::AccelGroup> accelerators;

  // The per-tab objects of slot N.
  struct Tab {
    std::unique_ptr<controls::Panel> panel;        // "dpanel" + N, in the strip
    std::unique_ptr<tabs::Timagetarget> thumb;     // "slikaA" + N
    std::unique_ptr<controls::GlyphButton> close;  // the tab's close button
    std::unique_ptr<Gtk::Box> content;             // "zpanel" + N, in PALL
    std::unique_ptr<engine::Browser> browser;
  };
  std::vector<Tab> tab;  // kSlotCount entries

  // Timers; enabled at the end of start-up.
  bool Timer1Enabled() const { return timer1_.connected(); }
  bool TimerprogressEnabled() const { return timerprogress_.connected(); }
  bool Timer5Enabled() const { return timer5_.connected(); }
  bool rsstimerEnabled() const { return rsstimer_.connected(); }
  // The status line is open (16 high) or closed (0).
  int infotextHeight() const { return infotextHeight_; }

 private:
  // Shell
  void ApplyConfiguration(int screenWidth, int screenHeight);
  void SetTimerprogress(bool on);
  void SetInfotextHeight(int height);
  // Layout
  void BuildLayout();
  void LoadStyle();
  void ApplyBarState();
  void ApplyFrameStyle();
  void PlaceFloating();
  // Command menu
  void BuildMenu();
  // Ctrl+Tab and Ctrl+Shift+Tab: the tab `step` places along the strip.
  void SwitchTab(int step);
  // Ctrl+plus, Ctrl+minus (direction 1, -1) and Ctrl+0 (0).
  void StepZoom(int direction);
  // Tabs
  engine::Browser* OpenTab(const std::string& url);
  // Builds the widgets and the browser of slot `n`, already marked live;
  // null (or an exception) when that fails.
  engine::Browser* BuildTab(int n);
  // Undoes a tab whose building failed: its slot and widgets go.
  void AbandonTab(int n);
  void ShowContent(int slot);
  void ColourTabs(int current);
  void ShowAddressOf(engine::Browser* browser);
  // Puts the strip's widgets where `strip` says.
  void ApplyStrip();
  void ApplyNewTabButton();
  void Bury(Tab&& gone);
  bool EmptyGraveyard();
  // Thumbnails
  void CaptureCurrentTab();
  // Search assistant and zoom
  navigation::SearchAssistant::Callbacks SearchAssistantCallbacks();
  bool alphaBlend_ = false;
  // Toolbar and side panel
  void SetRedirectPicture(bool on);
  navigation::SidePanel::Callbacks SidePanelCallbacks();
  int spliterStartX_ = 0, spliterStartWidth_ = 0;
  // The find window searches the side page (else the current tab's).
  bool findInSide_ = false;
  // Engine events
  void BindEvents(engine::Browser* browser);
  void BindSideEvents(engine::Browser& side);
  std::vector<sigc::connection> BindDownloadEvents(engine::Download& download);
  void RecordVisit();
  // The slot whose tab shows `browser`; nothing when no live tab does.
  std::optional<int> SlotOf(const engine::Browser* browser) const;
  // Runs `action` soon, once no tab is opening or closing; never after the
  // window began to close.
  void WhenTabsAreFree(std::function<void()> action);
  int MeasureText(std::string_view text);
  // Downloads
  struct RunningDownload {
    std::shared_ptr<engine::Download> download;
    std::string name;  // the file's name, as the user knows it
    std::uint64_t received = 0;
    std::uint64_t expected = 0;
    std::vector<sigc::connection> events;
  };
  RunningDownload* FindDownload(const engine::Download& download);
  // Lets go of a download that ended; the status line follows.
  void ForgetDownload(const engine::Download& download);
  // Stops every download that runs, without reports (the program ends).
  void CancelDownloads();
  void ShowDownloadStatus();
  std::vector<RunningDownload> downloads_;
  // The status text the downloads showed last.
  std::string downloadStatus_;
  // Options
  options::Look stripAreaLook_;
  sigc::connection stripAreaDraw_;

  Environment env_;
  sigc::connection timer1_, timer5_, timerprogress_, rsstimer_;
  int infotextHeight_ = 0;
  bool tabBusy_ = false;
  bool probing_ = false;
  bool closing_ = false;
  bool created_ = false;
  // Geometry of the window in its normal (not maximised) state.
  int normalLeft_ = 0, normalTop_ = 0, normalWidth_ = 1258, normalHeight_ = 811;
  GdkWindowState windowState_ = GdkWindowState(0);
  // The size of the client area the last layout was made for.
  int laidOutWidth_ = 0, laidOutHeight_ = 0;
  // Objects of closed tabs, destroyed once no handler can be using them.
  std::vector<Tab> graveyard_;
  sigc::connection graveyardTimer_;
  sigc::connection layoutIdle_;
  // The reader's breaking-news minute, which runs whether or not the
  // reader is open.
  sigc::connection newsTimer_;
  // False once the window is gone: downloads that end later leave it be.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  Glib::RefPtr<Gtk::CssProvider> css_;
  // Page commands
  std::unique_ptr<navigation::Tffind> ffind_;
  std::unique_ptr<navigation::Tfsource> fsource_;
  std::unique_ptr<navigation::Tfpreview> fpreview_;
};

}  // namespace app
