// What the main window does with the events of the tabs' browsers: the
// pop-up blocker, redirect mode, titles, the status line, the history and
// the thumbnail refresh, and the files the pages lead to.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "library/HistoryRecording.h"
#include "library/Tfhistory.h"
#include "tabs/StatusLine.h"
#include "ui/Dialogs.h"
#include "ui/ProcessMessages.h"

namespace app {

using namespace mainform;

void TMainForm::BindEvents(engine::Browser* browser) {
  browser->OnNewWindow2.connect([this, browser](engine::Browser*& newWindow, bool& cancel) {
    WebBrowser1NewWindow2(browser, newWindow, cancel);
  });
  browser->OnBeforeNavigate2.connect(
      [this](const std::string& url, bool& cancel) { WebBrowserBeforeNavigate2(url, cancel); });
  browser->OnStatusTextChange.connect([this](const std::string& text) { WebBrowserStatusTextChange(text); });
  browser->OnTitleChange.connect([this](const std::string& text) { WebBrowserTitleChange(text); });
  browser->OnDownloadComplete.connect([this] { wbDownloadComplete(); });
  browser->OnDocumentComplete.connect([this, browser](bool topLevel) { wbrDocumentComplete(browser, topLevel); });
  browser->OnWindowClose.connect([this, browser] { WebBrowserWindowClose(browser); });
  browser->OnFileDownload.connect([this](std::shared_ptr<engine::Download> d) { wbFileDownload(std::move(d)); });
}

// The side browser's window.close() is not bound: the panel is the user's,
// not a window a page opened, so its page stays.
void TMainForm::BindSideEvents(engine::Browser& side) {
  side.OnDownloadBegin.connect(sigc::mem_fun(*this, &TMainForm::wbrDownloadBegin));
  side.OnProgressChange.connect(sigc::mem_fun(*this, &TMainForm::wbrProgressChange));
  side.OnTitleChange.connect([this](const std::string&) { wbrTitleChange(); });
  side.OnDocumentComplete.connect([this, &side](bool topLevel) { wbrDocumentComplete(&side, topLevel); });
  side.OnNewWindow2.connect(sigc::mem_fun(*this, &TMainForm::wbrNewWindow2));
  side.OnFileDownload.connect([this](std::shared_ptr<engine::Download> d) { wbFileDownload(std::move(d)); });
}

std::vector<sigc::connection> TMainForm::BindDownloadEvents(engine::Download& download) {
  engine::Download* d = &download;
  return {
      d->OnDecideDestination.connect([this, d](const std::string& suggestedName, std::optional<std::string>& path) {
        DownloadDecideDestination(*d, suggestedName, path);
      }),
      d->OnProgress.connect(
          [this, d](std::uint64_t received, std::uint64_t expected) { DownloadProgress(*d, received, expected); }),
      d->OnFinished.connect([this, d](const std::string& path) { DownloadFinished(*d, path); }),
      d->OnFailed.connect([this, d](const std::string& reason) { DownloadFailed(*d, reason); }),
      d->OnCancelled.connect([this, d] { DownloadCancelled(*d); }),
  };
}

void TMainForm::WebBrowser1NewWindow2(engine::Browser* sender, engine::Browser*& newWindow, bool& cancel) {
  bool allowed = false;
  const int current = table.CurrentTab();
  const bool fromCurrent = table.IsLive(current) && tab[std::size_t(current)].browser.get() == sender;
  if (fromCurrent && !PopupsAllowed) {
    if (ui::AskYesNo("Pop-up blocked\n\n\nAllow Pop-up?", "Lumivale", this)) {
      allowed = true;
      PopupsAllowed = true;
    }
  }
  if (PopupsAllowed) allowed = true;
  if (!allowed) {
    newWindow = nullptr;
    cancel = true;
    return;
  }
  newWindow = createBrowser("");
  cancel = newWindow == nullptr;
}

void TMainForm::WebBrowserBeforeNavigate2(const std::string& url, bool& cancel) {
  if (!RedirectMode) {
    cancel = false;
    return;
  }
  cancel = true;
  OpenRedirected(url);
}

int TMainForm::MeasureText(std::string_view text) {
  auto layout = create_pango_layout(Glib::ustring(std::string(text)));
  int width = 0, height = 0;
  layout->get_pixel_size(width, height);
  return width;
}

void TMainForm::WebBrowserStatusTextChange(const std::string& text) {
  try {
    if (!GetCurrentWB()) return;
    const std::string shown =
        tabs::FitStatusText(text, tabs::kStatusWidthLimit, [this](std::string_view s) { return MeasureText(s); });
    infotextLabel.set_text(shown);
    if (tabs::KeepsStatusLineOpen(shown)) SetInfotextHeight(16);
  } catch (const std::exception&) {
  }
}

void TMainForm::WebBrowserTitleChange(const std::string& text) {
  LastTitle = text;
  const int current = table.CurrentTab();
  if (table.IsLive(current)) {
    // Setting a text switches hints on: whether they show stays as it was
    // (the enlarged preview takes their place while it is on).
    Gtk::Widget& panel = *tab[std::size_t(current)].panel;
    const bool hints = panel.get_has_tooltip();
    panel.set_tooltip_text(text);
    panel.set_has_tooltip(hints);
  }
  ui::ProcessMessages();
}

void TMainForm::wbDownloadComplete() {
  engine::Browser* b = GetCurrentWB();
  if (!b) return;
  eurl.set_text(b->LocationURL());
  set_title("Lumivale");
  RecordVisit();
}

void TMainForm::RecordVisit() {
  library::Tfhistory* history = forms().fhistory;
  engine::Browser* b = GetCurrentWB();
  if (!history || !b) return;
  const std::time_t now = env_.now();
  if (history->Record({history->bchist.get_active(), LastTitle, b->LocationURL(), library::ShortDate(now),
                       library::LongTime(now)}))
    ppwheel.hide();
}

void TMainForm::wbrDocumentComplete(engine::Browser*, bool topLevel) {
  // Whichever browser completed, the current tab's picture is taken again.
  if (topLevel) WebBrowserScreenShot();
  dxpanel.ResetGauge();
}

std::optional<int> TMainForm::SlotOf(const engine::Browser* browser) const {
  for (int slot = 0; slot < table.TabCount(); ++slot)
    if (table.IsLive(slot) && tab[std::size_t(slot)].browser.get() == browser) return slot;
  return std::nullopt;
}

void TMainForm::WebBrowserWindowClose(engine::Browser* sender) {
  // Not inside the engine's handler: the tab's close stops and buries the
  // browser that is telling us. Looked up again when the close runs, as
  // the tab may have closed meanwhile.
  WhenTabsAreFree([this, sender] {
    const std::optional<int> slot = SlotOf(sender);
    // A page cannot end the program by closing the last tab.
    if (slot && table.LiveCount() > 1) brisiAklik(*slot);
  });
}

}  // namespace app
