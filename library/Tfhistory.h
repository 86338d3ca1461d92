#pragma once
// The history window. It owns the in-memory web history `mhistory`, this
// program's copy of the history, and the recording switch `bchist`.

#include <gtkmm/checkbutton.h>
#include <gtkmm/window.h>

#include <string>

#include "library/HistoryRecording.h"
#include "listfile/ListFile.h"
#include "listfile/SharedListFile.h"

namespace library {

class Tfhistory : public Gtk::Window {
 public:
  // `enableHist` is the recording switch read at start-up: 1 ticks it, 0
  // clears it, other values leave it ticked. The history file is loaded at
  // once, or with `loadLater` when the program is idle (so a long history
  // does not delay the first page), and in any case before it is used.
  Tfhistory(std::string historyFile, int enableHist, bool loadLater = false);

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

  // Rows: caption = date and time of the visit, then title and address.
  // Call EnsureLoaded before using them.
  listfile::Rows mhistory;
  Gtk::CheckButton bchist;
  const std::string& file() const { return list_.path(); }

 private:
  listfile::SharedListFile list_;
  bool loaded_ = false;
};

}  // namespace library
