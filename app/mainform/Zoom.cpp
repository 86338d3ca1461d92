// The page zoom of the current tab, and the translucent main window.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "ui/Dialogs.h"

namespace app {

using namespace mainform;

navigation::Tfzum::Callbacks TMainForm::ZoomCallbacks() {
  navigation::Tfzum::Callbacks c;
  c.currentZoomText = [this]() -> std::string {
    const int current = table.CurrentTab();
    return table.IsLive(current) ? tab[std::size_t(current)].thumb->CodeA() : "100";
  };
  c.applyZoom = [this](int percent) { return ApplyZoom(percent); };
  return c;
}

bool TMainForm::ApplyZoom(int n) {
  // One value for the whole window: the same zoom is not sent again, even
  // to another tab.
  if (n == ZoomValue) return true;
  ZoomValue = n;
  engine::Browser* b = GetCurrentWB();
  if (!b) return true;
  std::string error;
  if (!b->SetZoom(n, &error)) {
    ui::ShowMessage(error, "Lumivale web browser", ui::Icon::Error, this);
    return false;
  }
  const int current = table.CurrentTab();
  if (table.IsLive(current)) tab[std::size_t(current)].thumb->SetCodeA(std::to_string(n));
  return true;
}

void TMainForm::Zoom2Click() {
  if (navigation::Tfzum* zoom = forms().fzum) {
    zoom->show();
    zoom->present();
  }
}

void TMainForm::XiButton7Click() { Zoom2Click(); }

void TMainForm::ransparent1Click() {
  alphaBlend_ = !alphaBlend_;
  set_opacity(alphaBlend_ ? 80 / 255.0 : 1.0);
  if (engine::Browser* b = GetCurrentWB()) b->GrabFocus();
}

void TMainForm::xtransparentClick() { ransparent1Click(); }

}  // namespace app
