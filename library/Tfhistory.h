#pragma once
// The history window. It owns the in-memory web history `mhistory`, the
// single copy of the history while the program runs, and the recording
// switch `bchist`.

#include <gtkmm/checkbutton.h>
#include <gtkmm/window.h>

#include <string>

#include "listfile/ListFile.h"

namespace library {

class Tfhistory : public Gtk::Window {
 public:
  // `enableHist` is the recording switch read at start-up: 1 ticks it, 0
  // clears it, other values leave it ticked. The history file is loaded at
  // once, or with `loadLater` when the program is idle (so a long history
  // does not delay the first page), and in any case before it is used.
  Tfhistory(std::string historyFile, int enableHist, bool loadLater = false);

  // Loads the history file into `mhistory` the first time it is called,
  // when the file exists.
  void EnsureLoaded();

  // Rows: caption = date and time of the visit, then title and address.
  // Call EnsureLoaded before using them.
  listfile::Rows mhistory;
  Gtk::CheckButton bchist;
  const std::string& file() const { return file_; }

 private:
  std::string file_;
  bool loaded_ = false;
};

}  // namespace library
