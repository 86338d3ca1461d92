#include "library/Tfhistory.h"

#include <glibmm/main.h>

#include "settings/Configuration.h"
#include "ui/ProcessMessages.h"

namespace library {

Tfhistory::Tfhistory(std::string historyFile, int enableHist, bool loadLater)
    : bchist("  Enable History"), list_(std::move(historyFile)) {
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
  list_.Load(mhistory, this, /*reportMissing=*/false);
}

bool Tfhistory::Record(const Visit& visit) {
  EnsureLoaded();
  if (!Recordable(visit)) return false;
  // The check, the new row and the write go together: nothing may run in
  // between that lets another window's write slip under this one.
  list_.ReloadIfChanged(mhistory, this);
  if (!RecordVisit(mhistory, visit)) return false;
  list_.Save(mhistory, this);
  ui::ProcessMessages();
  return true;
}

}  // namespace library
