// The main window's side of the history and bookmark windows: showing the
// history, and what those windows ask of the tabs and the address bar.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "app/mainform/Internal.h"

namespace app {

using namespace mainform;

void TMainForm::History1Click() {
  library::Tfhistory* history = forms().fhistory;
  if (!history) return;
  history->show();
  history->present();
}

library::Tfhistory::Callbacks TMainForm::HistoryCallbacks() {
  library::Tfhistory::Callbacks c;
  c.createBrowser = [this](const std::string& url) { return createBrowser(url); };
  c.currentBrowser = [this] { return GetCurrentWB(); };
  return c;
}

library::Tffavorit::Callbacks TMainForm::BookmarkCallbacks() {
  library::Tffavorit::Callbacks c;
  c.openInCurrentTab = [this](const std::string& url) { OpenBookmark(url); };
  c.focusMainWindow = [this] { present(); };
  return c;
}

library::Tfaddfav::Callbacks TMainForm::AddBookmarkCallbacks() {
  library::Tfaddfav::Callbacks c;
  c.currentTitle = [this] { return CurrentTabTitle(); };
  c.addressText = [this] { return std::string(eurl.get_text()); };
  return c;
}

std::string TMainForm::CurrentTabTitle() {
  const int current = table.CurrentTab();
  if (!table.IsLive(current)) return {};
  return tab[std::size_t(current)].panel->get_tooltip_text();
}

void TMainForm::OpenBookmark(const std::string& url) {
  eurl.set_text(url);
  zamenjajstran();
}

}  // namespace app
