// The news ticker: the first feed's items scrolling at the bottom of the
// pages, refreshed every five minutes while it is shown.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "listfile/ListFile.h"
#include "net/Download.h"
#include "rss/FeedWalk.h"
#include "rss/Tfmanage.h"
#include "rss/TickerText.h"
#include "settings/AtomicFile.h"
#include "ui/ProcessMessages.h"

namespace app {

using namespace mainform;

namespace {

// The first row of the feed list, once a list file has been loaded.
std::optional<listfile::Row> FirstFeed() {
  rss::Tfmanage* manage = forms().fmanage;
  if (!manage) return std::nullopt;
  const listfile::Rows rows = manage->Feeds();
  if (rows.empty()) return std::nullopt;
  listfile::Row row = rows.front();
  // Until a list file was read the address is not known yet.
  if (listfile::ListLoaded()) row.subItems.clear();
  return row;
}

}  // namespace

rss::TickerBar::Callbacks TMainForm::TickerCallbacks() {
  rss::TickerBar::Callbacks c;
  c.refresh = [this] { alsrefreshClick(); };
  c.close = [this] { alszapriClick(); };
  c.openReader = [this] { xalsClick(); };
  return c;
}

void TMainForm::ScrollingRSS1Click() {
  rss::Tfmanage* manage = forms().fmanage;
  if (!manage || manage->FeedCount() == 0) return;
  ptop.set_visible(!ptop.get_visible());
  if (ptop.get_visible()) rssClick();
  rsstimer_.disconnect();
  if (ptop.get_visible())
    rsstimer_ = Glib::signal_timeout().connect([this] { rsstimerTimer(); return true; }, 300000);
}

void TMainForm::rssClick() {
  ptop.xals.SetText(" ");
  ui::ProcessMessages();
  const std::optional<listfile::Row> feed = FirstFeed();
  if (!feed) {
    ptop.xals.SetText(rss::SourceNotFound());
    return;
  }
  const std::string name = feed->caption;
  const std::string address = feed->subItems.empty() ? "" : feed->subItems[0];
  const std::string file = SettingsFolder() + "temp.skrol.xml";
  // The download runs on the main loop; the text follows when it ends.
  net::FetchUrlToFileAsync(address, file, UserAgent, [this, alive = alive_, name, file](bool ok) {
    if (!*alive) return;
    if (!ok || !settings::IsRegularFile(file)) return;  // the bar stays blank until the next refresh
    try {
      const auto bytes = settings::ReadWholeFile(file);
      if (!bytes) throw rss::FeedError("the feed file cannot be read");
      std::vector<std::pair<std::string, std::string>> items;
      for (const rss::FeedItem& item : rss::ReadFeed(*bytes)) items.emplace_back(item.pubDate, item.title);
      ptop.xals.SetText(rss::TickerText(name, items));
    } catch (const std::exception&) {
      ptop.xals.SetText(rss::SourceNotFound());
    }
  });
}

void TMainForm::rsstimerTimer() {
  if (ptop.get_visible()) rssClick();
}

void TMainForm::alsrefreshClick() { rssClick(); }

void TMainForm::alszapriClick() {
  rsstimer_.disconnect();
  ptop.hide();
}

void TMainForm::xalsClick() { RSSReader1Click(); }

}  // namespace app
