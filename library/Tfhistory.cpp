#include "library/Tfhistory.h"

#include <glib.h>
#include <glibmm/main.h>

#include "settings/Configuration.h"

namespace library {

Tfhistory::Tfhistory(std::string historyFile, int enableHist, bool loadLater)
    : bchist("  Enable History"), file_(std::move(historyFile)) {
  set_name("Tfhistory");
  set_title("Web History");
  set_default_size(792, 560);
  bchist.set_name("bchist");
  bchist.set_active(true);
  add(bchist);
  bchist.show();
  bchist.set_active(settings::HistorySwitchOn(enableHist));
  if (loadLater)
    Glib::signal_idle().connect_once([this] { EnsureLoaded(); }, Glib::PRIORITY_LOW);
  else
    EnsureLoaded();
}

void Tfhistory::EnsureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  if (g_file_test(file_.c_str(), G_FILE_TEST_EXISTS)) listfile::LoadListViewToFile(mhistory, file_, this);
}

}  // namespace library
