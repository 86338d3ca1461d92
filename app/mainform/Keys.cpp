// The keys every browser has: back, forward, reload, stop, the address
// bar, new and closed tabs, the next and previous tab, and the zoom. The
// keys themselves are rows of the command table.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "navigation/Tfzum.h"
#include "navigation/ZoomSteps.h"

namespace app {

using namespace mainform;

void TMainForm::BackKey() {
  if (engine::Browser* b = GetCurrentWB()) {
    b->Stop();
    b->GoBack();
  }
}

void TMainForm::ForwardKey() {
  if (engine::Browser* b = GetCurrentWB()) {
    b->Stop();
    b->GoForward();
  }
}

void TMainForm::ReloadKey() {
  if (engine::Browser* b = GetCurrentWB()) b->Refresh();
}

bool TMainForm::PageLoading() {
  engine::Browser* b = GetCurrentWB();
  return b && !b->IsComplete();
}

void TMainForm::StopKey() {
  if (engine::Browser* b = GetCurrentWB()) b->Stop();
}

bool TMainForm::AddressBarShown() { return eurl.get_mapped(); }

void TMainForm::AddressKey() {
  eurl.grab_focus();
  eurl.select_region(0, -1);
}

void TMainForm::NewTabKey() { sbdodajClick(); }

void TMainForm::CloseTabKey() { brisiAklik(table.CurrentTab()); }

void TMainForm::SwitchTab(int step) {
  const int current = table.CurrentTab();
  const std::optional<int> next = table.Neighbour(current, step);
  if (!next || *next == current) return;
  slikaklik(*next);
  strip.ShowTab(table.Left(*next), table.NextTabLeft(), table.LiveCount());
  ApplyStrip();
}

void TMainForm::NextTabKey() { SwitchTab(1); }

void TMainForm::PreviousTabKey() { SwitchTab(-1); }

void TMainForm::StepZoom(int direction) {
  const int current = table.CurrentTab();
  if (!table.IsLive(current)) return;
  int zoom = 100;
  try {
    zoom = std::stoi(tab[std::size_t(current)].thumb->CodeA());
  } catch (const std::exception&) {
  }
  const int wanted = direction == 0 ? 100 : navigation::NextZoomStep(zoom, direction);
  if (wanted == zoom && direction != 0) return;
  ApplyZoom(wanted);
  // An open zoom window shows the new zoom.
  if (navigation::Tfzum* window = forms().fzum; window && window->get_visible()) window->FormActivate();
}

void TMainForm::ZoomInKey() { StepZoom(1); }

void TMainForm::ZoomOutKey() { StepZoom(-1); }

void TMainForm::ZoomResetKey() { StepZoom(0); }

}  // namespace app
