#pragma once
// The bookmarks window "Lumivale - Bookmarks": a modal list of named
// addresses kept in "2favlist.lmf", with Add, Edit, Remove, sorting by a
// column header, a search that highlights rows, and a double click that
// opens a bookmark in the current tab. The list is written after every
// add and whenever the window closes.

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/window.h>

#include <functional>
#include <string>

#include "controls/GlyphButton.h"
#include "controls/Panel.h"
#include "library/ListView.h"
#include "library/RowColors.h"
#include "listfile/SharedListFile.h"

namespace library {

class Tfaddfav;
class Tfeditfavorites;

class Tffavorit : public Gtk::Window {
 public:
  struct Callbacks {
    // Puts `url` into the address bar and opens it in the current tab.
    std::function<void(const std::string& url)> openInCurrentTab;
    std::function<void()> focusMainWindow;
  };

  Tffavorit(std::string bookmarksFile, Callbacks callbacks);

  // The add and edit dialogs serve this window; the add dialog's OK puts
  // its bookmark here.
  void Attach(Tfaddfav& add, Tfeditfavorites& edit);

  // The floating toolbar's Bookmarks button: the list as the file holds
  // it, the window shown modally, then the keyboard back to the main
  // window.
  void Execute();
  // The list from the file: read when another program window (or anyone)
  // wrote it since this window last read or wrote it. A missing file
  // leaves what the list holds; so does one that cannot be read, after
  // its message.
  void LoadList();

  // Appends a bookmark and writes the whole list, read again first when
  // the file changed meanwhile. A failed write is reported (once a run)
  // and the bookmarks stay in memory.
  void AddBookmark(const std::string& name, const std::string& url);

  void BitBtn1Click();  // "Close" and Esc
  void BitBtn2Click();  // "Add to Bookmarks"
  void BitBtn3Click();  // "Remove"
  void BitBtn4Click();  // "Edit"
  void tabelaDblClick();
  void tabelaColumnClick(int column);
  void xsClick();
  bool hurlKeyPress(GdkEventKey* key);
  void FormActivate();
  // Writes the list; every close of the showing window runs it.
  void FormCloseQuery();
  // The colours of a row's cells, by the search box's text as it is when
  // they are drawn.
  CellColors tabelaCustomDrawItem(std::size_t row);

  // The sort direction shared by both columns; every header click flips
  // it before sorting.
  bool SortInverted() const { return sortInverted_; }
  const std::string& file() const { return list_.path(); }

  controls::Panel Panel1;  // the top bar
  Gtk::Entry hurl;
  controls::GlyphButton xs{controls::GlyphButton::Glyph::Find};
  Gtk::ScrolledWindow tabelaScroll;
  ListView tabela;
  controls::Panel Panel2;  // the buttons
  Gtk::Button XiButton2{"Remove"};
  Gtk::Button XiButton1{"Edit"};
  Gtk::Button XiButton4{"Add to Bookmarks"};
  Gtk::Button XiButton3{"Close"};

 protected:
  bool on_key_press_event(GdkEventKey* key) override;
  bool on_delete_event(GdkEventAny* event) override;

 private:
  const SearchText& Search();

  Gtk::Box layout_{Gtk::ORIENTATION_VERTICAL};
  Callbacks callbacks_;
  listfile::SharedListFile list_;
  Tfaddfav* add_ = nullptr;
  Tfeditfavorites* edit_ = nullptr;
  bool sortInverted_ = false;
  SearchText search_;
};

}  // namespace library
