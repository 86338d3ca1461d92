// The search assistant panel's hold on the main window: it opens its
// searches in new tabs, and shows and hides.
#include "app/MainForm.h"

#include "app/mainform/Internal.h"

namespace app {

using namespace mainform;

navigation::SearchAssistant::Callbacks TMainForm::SearchAssistantCallbacks() {
  navigation::SearchAssistant::Callbacks c;
  c.openInNewTab = [this](const std::string& address, bool refreshOnce) {
    createBrowser("Blank Page");
    if (engine::Browser* b = GetCurrentWB()) {
      b->Navigate(address);
      b->GrabFocus();
    }
    // Google's page is loaded once more when it has completed.
    if (refreshOnce) GoogleRefresh = true;
  };
  c.relayout = [this] { FormResize(); };
  return c;
}

void TMainForm::xp9Click() { panel9.Toggle(); }

void TMainForm::AdvancedSearch1Click() { xp9Click(); }

}  // namespace app
