// The side panel: what redirect mode opens in it, its close and "Open in
// Browser", the splitter, and the side browser's events.
#include "app/MainForm.h"

#include <algorithm>

#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "navigation/Tfred.h"
#include "ui/ProcessMessages.h"

namespace app {

using namespace mainform;

navigation::SidePanel::Callbacks TMainForm::SidePanelCallbacks() {
  navigation::SidePanel::Callbacks c;
  c.newBrowser = [this] { return env_.newBrowser(); };
  c.browserCreated = [this](engine::Browser& side) { BindSideEvents(side); };
  c.openInBrowser = [this] { XiButton12Click(); };
  c.close = [this] { XiButton13Click(); };
  c.find = [this](engine::Browser& side) {
    if (!side.HasDocument()) return;
    findInSide_ = true;
    FindWindow().Open();
  };
  return c;
}

void TMainForm::OpenRedirected(const std::string& url) {
  if (auto* notice = forms().fred) notice->show();
  ui::ProcessMessages();
  dxpanel.show();
  if (SideFirstOpen) dxpanel.SetWidth(SidePanelWidth + 30);
  SideFirstOpen = false;
  ui::ProcessMessages();
  Spliter.show();
  ui::ProcessMessages();
  dxpanel.pcaption.set_text("Redirect from " + url);
  engine::Browser& side = dxpanel.EnsureBrowser();
  side.SetUserAgent(UserAgent);
  if (dxpanel.get_visible()) side.Navigate(url);
}

void TMainForm::XiButton13Click() {
  SetRedirectPicture(false);
  RedirectMode = false;
  dxpanel.hide();
  Spliter.hide();
  SidePanelWidth = dxpanel.Width();
  if (!KeepSidePage)
    if (engine::Browser* side = dxpanel.wbr()) side->Navigate("about:blank");
  FormResize();
}

void TMainForm::XiButton12Click() {
  KeepSidePage = true;
  engine::Browser* side = dxpanel.wbr();
  if (side) {
    const std::string address = side->LocationURL();
    eurl.set_text(address);
    if (RedirectMode) xredirectClick();
    if (engine::Browser* copy = createBrowser("")) {
      const int slot = table.CurrentTab();
      auto alive = [&] { return table.IsLive(slot) && tab[std::size_t(slot)].browser.get() == copy; };
      copy->Navigate(address);
      ui::WaitUntil([&] { return !alive() || copy->IsComplete(); }, 30000);
      // The side page as it is now, scripts' changes included.
      if (alive() && copy->IsComplete() && dxpanel.wbr() == side)
        if (auto html = side->BodyInnerHTML()) copy->SetBodyInnerHTML(*html);
    }
  }
  KeepSidePage = false;
  XiButton13Click();
}

bool TMainForm::SpliterPress(GdkEventButton* event) {
  if (event->button != 1) return false;
  spliterStartX_ = int(event->x_root);
  spliterStartWidth_ = dxpanel.Width();
  return true;
}

bool TMainForm::SpliterMotion(GdkEventMotion* event) {
  // Dragging left widens the panel; the pages keep some room.
  const int width = spliterStartWidth_ - (int(event->x_root) - spliterStartX_);
  dxpanel.SetWidth(std::clamp(width, 50, std::max(50, get_allocated_width() - 100)));
  return true;
}

void TMainForm::wbrDownloadBegin() { dxpanel.wbrDownloadBegin(); }

void TMainForm::wbrProgressChange(int progress, int progressMax) { dxpanel.wbrProgressChange(progress, progressMax); }

void TMainForm::wbrTitleChange() { dxpanel.wbrTitleChange(); }

void TMainForm::wbrNewWindow2(engine::Browser*& newWindow, bool& cancel) { dxpanel.wbrNewWindow2(newWindow, cancel); }

}  // namespace app
