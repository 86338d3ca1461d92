// The RSS reader's hold on the main window: its commands, and what the
// reader and the Add dialog read from this window and hand back to it.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "rss/FeedList.h"
#include "rss/Tfmanage.h"
#include "ui/ProcessMessages.h"

namespace app {

using namespace mainform;

rss::Tfrss::Callbacks TMainForm::ReaderCallbacks() {
  rss::Tfrss::Callbacks c;
  c.newBrowser = [this] { return env_.newGeneratedPageBrowser ? env_.newGeneratedPageBrowser() : env_.newBrowser(); };
  c.currentPage = [this] { return GetCurrentWB(); };
  c.isUrlReachable = [this](const std::string& address) { return env_.checkUrl && env_.checkUrl(address); };
  c.openInBrowser = [this](const std::string& address) { OpenFromReader(address); };
  c.manage = [] { return forms().fmanage; };
  return c;
}

rss::Tfslide::Callbacks TMainForm::AddFeedCallbacks() {
  rss::Tfslide::Callbacks c;
  c.addressBarText = [this] { return std::string(eurl.get_text()); };
  c.currentTabTitle = [this] {
    const int current = table.CurrentTab();
    if (!table.IsLive(current)) return std::string();
    return std::string(tab[std::size_t(current)].panel->get_tooltip_text());
  };
  return c;
}

void TMainForm::RSSReader1Click() {
  if (rss::Tfrss* reader = forms().frss) reader->ShowModal();
}

void TMainForm::xq1Click() { RSSReader1Click(); }

void TMainForm::AddRSS2Click() {
  rss::SetAddRssPending(true);
  RSSReader1Click();
}

void TMainForm::OpenFromReader(const std::string& address) {
  eurl.set_text(address);
  createBrowser(address);
  if (engine::Browser* b = GetCurrentWB()) b->Navigate(address);
}

}  // namespace app
