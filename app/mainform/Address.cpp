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
  // The tab in which Enter was pressed: the probe lets messages run, and
  // the user may switch or close tabs meanwhile.
  const int slot = table.CurrentTab();
  engine::Browser* const target = GetCurrentWB();
  if (!target) return;
  auto inTab = [&] { return table.IsLive(slot) && tab[std::size_t(slot)].browser.get() == target; };
  const bool wasInTab = inTab();
  probing_ = true;
  const std::string text = eurl.get_text();
  auto window = get_window();
  if (window) window->set_cursor(Gdk::Cursor::create(get_display(), "wait"));
  const bool reachable = env_.checkUrl && env_.checkUrl(text);
  if (window) window->set_cursor();
  probing_ = false;

  if (wasInTab && !inTab()) return;  // that tab has closed meanwhile
  if (reachable) {
    target->Navigate(text);
    return;
  }
  const int index = navigation::EngineIndex(SpeedSearch);
  RedirectMode = false;
  const std::string url = navigation::SearchUrl(engines, index, text);
  if (text.empty()) {
    target->Navigate(HomePage);
  } else {
    target->Navigate(url);
    target->GrabFocus();
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
