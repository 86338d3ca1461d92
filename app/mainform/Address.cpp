// The address bar and the quick web search.
#include "app/MainForm.h"

#include "app/mainform/Internal.h"
#include "ui/Dialogs.h"

namespace app {

using namespace mainform;

bool TMainForm::eurlKeyPress(GdkEventKey* key) {
  if (key->keyval != GDK_KEY_Return && key->keyval != GDK_KEY_KP_Enter) return false;
  xsClick();
  return true;
}

void TMainForm::xsClick() {
  if (probing_) return;  // Enter again while the address is being probed
  probing_ = true;
  const std::string text = eurl.get_text();
  auto window = get_window();
  if (window) window->set_cursor(Gdk::Cursor::create(get_display(), "wait"));
  const bool reachable = env_.checkUrl && env_.checkUrl(text);
  if (window) window->set_cursor();
  probing_ = false;

  engine::Browser* b = GetCurrentWB();
  if (!b) return;
  if (reachable) {
    b->Navigate(text);
    return;
  }
  const int index = navigation::EngineIndex(SpeedSearch);
  RedirectMode = false;
  const std::string url = navigation::SearchUrl(engines, index, text);
  if (text.empty()) {
    b->Navigate(HomePage);
  } else {
    b->Navigate(url);
    b->GrabFocus();
  }
}

void TMainForm::QuickWebSearch3Click() {
  const int index = navigation::EngineIndex(SpeedSearch);
  RedirectMode = false;
  engine::Browser* b = GetCurrentWB();
  const std::optional<std::string> selection = b ? b->SelectedText() : std::nullopt;
  if (!selection) {
    ui::ShowMessage("There is no page in the current tab to search from.", "Lumivale web browser",
                    ui::Icon::Error, this);
    return;
  }
  const std::string url = navigation::SearchUrl(engines, index, *selection);
  if (selection->empty()) return;
  createBrowser("Blank Page");
  if (auto* current = GetCurrentWB()) {
    current->Navigate(url);
    current->GrabFocus();
  }
}

void TMainForm::xquickClick() { QuickWebSearch3Click(); }

}  // namespace app
