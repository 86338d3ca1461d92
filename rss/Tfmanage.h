#pragma once
// The manage window ("Manage Feeds") and the feed list it holds: the one
// list every feed feature reads, kept in "2rss.lmf" in the settings folder.
// Loaded at start-up and again at every activation of the reader; edits
// live in memory until "Close" saves them (the title-bar close does not).

#include <gtkmm.h>

#include <set>
#include <string>

#include "controls/Panel.h"
#include "listfile/ListFile.h"
#include "listfile/ListStoreAdapter.h"
#include "listfile/SharedListFile.h"

namespace rss {

class Tfslide;

class Tfmanage : public Gtk::Window {
 public:
  // `settingsFolder` ends in "/". `slide` is the Add dialog.
  Tfmanage(std::string settingsFolder, Tfslide* slide);

  // Start-up: the obsolete "rss.lmf" goes; "2rss.lmf", when there is one,
  // fills the list.
  void FormCreate();
  // The reader's reload: empty the list, drop an obsolete "rss.lmf", load
  // "2rss.lmf" when there is one.
  void ReloadFeedList();
  // Empties the list (in memory only).
  void Clear();

  // Shows the window modally. With the Add RSS pending flag set, the Add
  // dialog opens once as soon as the window is up.
  void ShowModal();
  void FormActivate();

  void sb1Click();       // Add
  void SB2Click();       // Remove
  void SB3Click();       // Move Up
  void sb4Click();       // Move Down
  void SB5Click();       // Edit
  void BitBtn1Click();   // Close: save, then close

  // The feed list, in order.
  listfile::Rows Feeds() const;
  std::size_t FeedCount() const;
  // Replaces the list in memory (for the rules' users and tests).
  void SetFeeds(const listfile::Rows& rows);
  // The selected rows' indices; selects row `index` alone.
  std::set<std::size_t> Selected() const;
  void Select(std::size_t index);

  std::string FeedListPath() const { return settingsFolder_ + "2rss.lmf"; }

  Gtk::Box body{Gtk::ORIENTATION_HORIZONTAL};
  Gtk::ScrolledWindow tabelaScroll;
  Gtk::TreeView tabela;
  controls::Panel p4;
  Gtk::Box p4Column{Gtk::ORIENTATION_VERTICAL};
  Gtk::Button sb1{"Add"}, SB2{"Remove"}, SB3{"Move Up"}, sb4{"Move Down"}, SB5{"Edit"}, BitBtn1{"Close"};

 protected:
  bool on_key_press_event(GdkEventKey* key) override;
  bool on_delete_event(GdkEventAny* event) override;

 private:
  void Move(bool up);
  void LoadFile();

  std::string settingsFolder_;
  Tfslide* slide_;
  listfile::ListColumns columns_{1};
  Glib::RefPtr<Gtk::ListStore> store_;
  listfile::SharedListFile list_;
};

}  // namespace rss
