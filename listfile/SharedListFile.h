#pragma once
// A list file that more than one program window may write. New Session
// starts a second program, and each keeps its own copy of the list in
// memory; whoever writes the file replaces it whole. So this copy remembers
// the file as it last read or wrote it, and before a change is written the
// caller reads the file again if anything else wrote it meanwhile.
//
// It also guards what the user has: a file of that name that could not be
// taken as a list (foreign bytes, or a file this user may not read) is kept
// as "<name>.bad" before the first write replaces it, and a write that
// fails is reported once per run, with the reason, while the list goes on
// in memory.

#include <string>

#include "listfile/ListFile.h"
#include "settings/AtomicFile.h"

namespace Gtk {
class Window;
}

namespace listfile {

class SharedListFile {
 public:
  explicit SharedListFile(std::string path);

  const std::string& path() const { return path_; }
  // Where a file that is not a readable list is kept: `path` + ".bad".
  std::string KeptPath() const { return path_ + ".bad"; }

  // As LoadListViewToFile: on success `rows` become the file's rows and the
  // list-loaded flag is cleared; otherwise `rows` stay and the user is told
  // why (a missing file only when `reportMissing`). What is remembered of
  // the file is settled before any message is shown, so a write made while
  // the message is open already keeps a foreign file aside.
  LoadStatus Load(Rows& rows, Gtk::Window* owner, bool reportMissing = true);

  // True when the file is not as this copy last read or wrote it (also
  // before the first Load or Save).
  bool ChangedOnDisk() const;

  // Loads the file again when it changed on disk; a file that has gone
  // since leaves `rows` as they are, without a message. Answers whether it
  // read the file.
  bool ReloadIfChanged(Rows& rows, Gtk::Window* owner);

  // Writes `rows` as the whole file. A file the last load could not take
  // is first renamed to KeptPath() (replacing an older one); when that
  // fails nothing is written. The first failure of the run is reported in
  // a message box owned by `owner`; later ones are silent.
  bool Save(const Rows& rows, Gtk::Window* owner);

 private:
  bool Failed(const std::string& error, Gtk::Window* owner);

  std::string path_;
  settings::FileStamp stamp_;
  bool known_ = false;      // stamp_ holds the file as last read or written
  bool keepAside_ = false;  // the file there is not a list we could read
  bool failureReported_ = false;
};

}  // namespace listfile
