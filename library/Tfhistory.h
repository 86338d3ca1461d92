#pragma once
// The history window "Web History": the visited pages newest first, the
// recording switch `bchist`, Clear History, a search that highlights the
// rows holding a text, and a double click that opens a visit in a new tab.
// It owns the in-memory web history `mhistory`, this program's copy of the
// history. Modeless; closing it only hides it.

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/entry.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/window.h>

#include <functional>
#include <string>

#include "controls/GlyphButton.h"
#include "controls/Panel.h"
#include "library/HistoryRecording.h"
#include "library/ListView.h"
#include "library/RowColors.h"
#include "listfile/SharedListFile.h"

namespace engine {
class Browser;
}

namespace library {

class Tfhistory : public Gtk::Window {
 public:
  // What the window needs from the main window to open a visit.
  struct Callbacks {
    // Opens a new tab on `url` and makes it current; null when none opened.
    std::function<engine::Browser*(const std::string& url)> createBrowser;
    std::function<engine::Browser*()> currentBrowser;
  };

  // `enableHist` is the recording switch read at start-up: 1 ticks it, 0
  // clears it, other values leave it ticked. The history file is loaded at
  // once, or with `loadLater` when the program is idle (so a long history
  // does not delay the first page), and in any case before it is used.
  Tfhistory(std::string historyFile, int enableHist, bool loadLater = false, Callbacks callbacks = {});

  // Loads the history file into `mhistory` the first time it is called;
  // a missing file is not reported.
  void EnsureLoaded();

  // Records a finished visit by the recording rule. Another program window
  // (New Session) writes the same file, so when the file changed since this
  // window last read or wrote it, it is read again first; then the row is
  // added and the whole history written. A write that fails is reported
  // once per run and the history goes on in memory. Pending messages run
  // after the write. Answers whether a row was added.
  bool Record(const Visit& visit);

  // Each time the window is shown: the history as the file now holds it,
  // when another program window wrote it meanwhile.
  void FormShow();
  // Each time the window becomes active: the keyboard goes to the search box.
  void FormActivate();
  // "Clear History": after a question, every row goes and the file is
  // written empty. An empty list asks nothing.
  void XiButton2Click();
  // "Close" (and Esc): hides the window.
  void XiButton3Click();
  // The switch's label toggles the switch.
  void Label1Click();
  // Opens the selected visit's address in a new tab (an empty address
  // when no row is selected); the window stays open.
  void mhistoryDblClick();
  // Repaints the list: the highlight follows the search box as it is now.
  void xsClick();
  // Enter in the search box does what the search button does.
  bool hurlKeyPress(GdkEventKey* key);
  // The colours of a row's Date cell and of its Title (1) or URL (2) cell,
  // by the search box's text as it is when they are drawn.
  CellColors mhistoryCustomDrawItem(std::size_t row);
  CellColors mhistoryCustomDrawSubItem(std::size_t row, int subItem);

  const std::string& file() const { return list_.path(); }

  controls::Panel Panel1;  // the top bar
  Gtk::Entry hurl;
  controls::GlyphButton xs{controls::GlyphButton::Glyph::Find};
  Gtk::CheckButton bchist;
  Gtk::EventBox Label1Box;
  Gtk::Label Label1{"  Enable History"};
  Gtk::Button XiButton2{"Clear History"};
  Gtk::Button XiButton3{"Close"};
  Gtk::ScrolledWindow mhistoryScroll;
  // Rows: caption = date and time of the visit, then title and address.
  // Call EnsureLoaded before using them.
  ListView mhistory;

 protected:
  bool on_key_press_event(GdkEventKey* key) override;

 private:
  // The search text as the box holds it now.
  const SearchText& Search();
  // Reads the file again when another window wrote it since.
  void ReloadIfChanged();

  Gtk::Box layout_{Gtk::ORIENTATION_VERTICAL};
  Callbacks callbacks_;
  listfile::SharedListFile list_;
  bool loaded_ = false;
  SearchText search_;
};

}  // namespace library
