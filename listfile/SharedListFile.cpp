#include "listfile/SharedListFile.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cerrno>

#include "ui/Dialogs.h"

namespace listfile {

SharedListFile::SharedListFile(std::string path) : path_(std::move(path)) {}

LoadStatus SharedListFile::Load(Rows& rows, Gtk::Window* owner, bool reportMissing) {
  ListFileContent content = ReadListFile(path_);
  stamp_ = content.stamp;
  known_ = true;
  // Foreign bytes, or a file this user may not read: the next write must
  // not destroy it. A folder or a pipe cannot be written over anyway.
  keepAside_ = content.status == LoadStatus::NotAListFile ||
               (content.status == LoadStatus::Unreadable && content.stamp.regular);
  if (content.status == LoadStatus::Loaded) {
    rows = std::move(content.rows);
    SetListLoaded(false);
  } else if (content.status != LoadStatus::Missing || reportMissing) {
    ReportLoadFailure(content, path_, owner);
  }
  return content.status;
}

bool SharedListFile::ChangedOnDisk() const { return !known_ || settings::StampOf(path_) != stamp_; }

bool SharedListFile::ReloadIfChanged(Rows& rows, Gtk::Window* owner) {
  if (!ChangedOnDisk()) return false;
  Load(rows, owner, /*reportMissing=*/false);
  return true;
}

bool SharedListFile::Save(const Rows& rows, Gtk::Window* owner) {
  if (keepAside_) {
    const std::string kept = KeptPath();
    if (g_rename(path_.c_str(), kept.c_str()) != 0 && errno != ENOENT) {
      const std::string reason = g_strerror(errno);
      return Failed("Cannot keep \"" + path_ + "\" as \"" + DisplayName(kept) + "\": " + reason, owner);
    }
    keepAside_ = false;
  }
  std::string error;
  settings::FileStamp written;
  if (!SaveListViewToFile(rows, path_, &error, &written)) return Failed(error, owner);
  stamp_ = written;
  known_ = true;
  return true;
}

bool SharedListFile::Failed(const std::string& error, Gtk::Window* owner) {
  if (failureReported_) return false;
  failureReported_ = true;
  ui::ShowMessage("File \"" + DisplayName(path_) + "\" cannot be saved. Changes are kept until the program ends.\n\n" +
                      error,
                  "I/O Error", ui::Icon::Error, owner);
  return false;
}

}  // namespace listfile
