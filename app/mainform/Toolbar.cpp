// The floating navigation toolbar's hold on the main window, and redirect
// mode.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "navigation/Tfred.h"
#include "ui/Dialogs.h"

namespace app {

using namespace mainform;

navigation::Tfhint::Callbacks TMainForm::ToolbarCallbacks() {
  navigation::Tfhint::Callbacks c;
  c.currentBrowser = [this] { return GetCurrentWB(); };
  c.tabBrowser = [this] { return TabBrowser(); };
  c.homePage = [this] { return HomePage; };
  c.showBookmarks = [this] { ShowBookmarks(); };
  c.popupMenu = [this](Gtk::Widget& button) {
    poptool.popup_at_widget(&button, Gdk::GRAVITY_SOUTH_WEST, Gdk::GRAVITY_NORTH_WEST, nullptr);
  };
  c.focusMainWindow = [this] { present(); };
  return c;
}

engine::Browser* TMainForm::TabBrowser() {
  const int current = table.CurrentTab();
  return table.IsLive(current) ? tab[std::size_t(current)].browser.get() : nullptr;
}

void TMainForm::ShowBookmarks() {
  if (auto* bookmarks = forms().ffavorit) bookmarks->Execute();
}

void TMainForm::SetRedirectPicture(bool on) {
  xredirectPicture.set((on ? iredirektred : iredirektwhite).get_pixbuf());
}

void TMainForm::xredirectClick() {
  RedirectMode = !RedirectMode;
  navigation::Tfred* notice = forms().fred;
  if (notice) notice->SetCaption(RedirectMode ? navigation::kRedirectOn : navigation::kRedirectOff);
  SetRedirectPicture(RedirectMode);
  // The notice closes itself after a moment.
  if (notice) ui::dialogs().RunModal(*notice);
}

}  // namespace app
