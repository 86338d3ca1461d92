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
  // Loads `historyFile` when it exists; `enableHist` is the recording
  // switch read at start-up: 1 ticks it, 0 clears it, other values leave
  // it ticked.
  Tfhistory(std::string historyFile, int enableHist);

  // Rows: caption = date and time of the visit, then title and address.
  listfile::Rows mhistory;
  Gtk::CheckButton bchist;
  const std::string& file() const { return file_; }

 private:
  std::string file_;
};

}  // namespace library
