#pragma once
// The RSS reader ("Lumivale - RSS Reader"): a modal window with an engine
// of its own. It never shows feed XML: the items of a feed (or of every
// feed, Download All) are written as a small HTML page into the settings
// folder and shown from there. Links are followed inside the reader; "Open
// in Browser" hands the address on display to a new tab of the main
// window. Its second tab lists the feed links of the main window's
// current page.

#include <gtkmm.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/BrowserFactory.h"
#include "rss/ReaderPage.h"

namespace rss {

class Tfmanage;

class Tfrss : public Gtk::Window {
 public:
  struct Callbacks {
    // The reader's own engine, made anew at every activation.
    engine::BrowserFactory newBrowser;
    // The browser of the main window's current tab (or none).
    std::function<engine::Browser*()> currentPage;
    // Whether an address answers 200 or 302 (the address bar's probe).
    std::function<bool(const std::string&)> isUrlReachable;
    // Opens `address` in a new tab of the main window.
    std::function<void(const std::string&)> openInBrowser;
    // The manage window, which holds the feed list.
    std::function<Tfmanage*()> manage;
    // A number from 0 to 99999 for a file name; the default draws it from
    // a generator seeded from the clock.
    std::function<unsigned()> randomNumber;
  };

  // `settingsFolder` (where the pages are written) and `tempFolder`
  // (where feeds are downloaded to) end in "/".
  Tfrss(std::string settingsFolder, std::string tempFolder, Callbacks callbacks);
  ~Tfrss() override;

  // Creation: the window takes two thirds of the screen's width and
  // height (W - W div 3, H - H div 3).
  void FormCreate();
  void FormCreate(int screenWidth, int screenHeight);

  // Shows the reader and runs its activation; then the window is modal
  // until it closes.
  void ShowModal();
  // The activation: the page feeds of the current tab, a new engine, the
  // feed list reloaded, the first feed opened; with "Add RSS" pending, the
  // manage window with its Add dialog, after which all this runs again.
  void FormActivate();
  // Closing, however it is asked for: the reader's page files go, and so
  // does its engine.
  void FormCloseQuery();

  // Selection of a feed by the name shown in `cbfeeds`.
  void cbfeedsChange();
  // Opens the current feed address as one page.
  void bbrefreshClick();
  // Download All: every feed of the list on one page.
  void nalozivse();

  void SpeedButton7Click();   // "Feeds"
  void SpeedButton9Click();   // "Manage"
  void SpeedButton2Click();   // the manage window on the "Add RSS" path
  void sb1Click();            // "Open in Browser" (also SpeedButton6)
  void SpeedButton10Click();  // "Close"
  void PageControl1Change(int page);
  // Fills `cbstran` with the feed links of the main window's current page.
  void ScanPageFeeds();
  void cbstranChange();
  void XiButton5Click();  // "Open" of the page feeds

  // The reader engine's events.
  void WebBrowserProgressChange(int progress, int progressMax);
  void WebBrowserDocumentComplete();

  // The reader's engine; null before the first activation and after
  // closing.
  engine::Browser* wb() const { return wb_.get(); }

  // The address and name the reader is working on.
  std::string currentFeedAddress;
  std::string currentFeedName;
  // The page buffer.
  ReaderPage mc;

  // ---- Components ------------------------------------------------------
  Gtk::Box body{Gtk::ORIENTATION_VERTICAL};
  Gtk::Notebook PageControl1;
  Gtk::Box TabSheet1{Gtk::ORIENTATION_HORIZONTAL};
  Gtk::ComboBoxText cbfeeds;
  Gtk::Button sb1{"Open in Browser"}, SpeedButton7{"Feeds"}, SpeedButton9{"Manage"};
  Gtk::Box TabSheet2{Gtk::ORIENTATION_HORIZONTAL};
  Gtk::ComboBoxText cbstran;
  Gtk::Button SpeedButton6{"Open in Browser"}, SpeedButton2{"Open"};
  Gtk::Box pwb{Gtk::ORIENTATION_VERTICAL};
  Gtk::Box bottom{Gtk::ORIENTATION_HORIZONTAL};
  Gtk::ProgressBar ProgressBar;
  Gtk::CheckButton cbnews{"Enable breaking news"};
  Gtk::Button SpeedButton4{"Set Breaking News"}, SpeedButton10{"Close"};

  // The gauge as the progress events left it.
  int gaugeValue() const { return gaugeValue_; }
  int gaugeMax() const { return gaugeMax_; }

 protected:
  bool on_key_press_event(GdkEventKey* key) override;
  bool on_delete_event(GdkEventAny* event) override;

 private:
  // Steps of the activation before the "Add RSS" path.
  void Activation();
  void NewEngine();
  // Takes the engine out of the window and destroys it, or, while one of
  // its events is being handled, as soon as that handler is done.
  void ReleaseEngine();
  // True while the engine that was current at `serial` still is.
  bool Alive(unsigned serial) const { return wb_ && serial == engineSerial_; }
  void FillFeeds();
  // Opens `address` as one feed, printing `shownName` in its items.
  void OpenFeed(const std::string& address, const std::string& shownName);
  // Writes the page buffer to a new page file and shows it. A single
  // feed's page (not `keep`) goes when the next page is shown; Download
  // All's stay until the reader closes.
  void WriteAndShow(bool keep);
  void Close();
  void SetBusy(bool busy);
  unsigned RandomNumber();
  Tfmanage* Manage() const;

  std::string settingsFolder_;
  std::string tempFolder_;
  Callbacks callbacks_;
  std::unique_ptr<engine::Browser> wb_;
  unsigned engineSerial_ = 0;
  std::vector<std::unique_ptr<engine::Browser>> released_;
  sigc::connection releaseTimer_;
  int engineHandlers_ = 0;
  // Set while the program itself changes the selectors and the tab, whose
  // change handlers are the user's.
  bool programmatic_ = false;
  std::string shownPage_;  // the single feed's page on display
  int gaugeValue_ = 0;
  int gaugeMax_ = 100;
};

}  // namespace rss
