// Breaking news: once a minute the newest item of the first feed is
// matched against the user's keywords, and a hit shows the news popup.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "listfile/ListFile.h"
#include "net/Download.h"
#include "rss/FeedWalk.h"
#include "rss/Tfmanage.h"
#include "rss/Tfnews.h"
#include "settings/AtomicFile.h"
#include "settings/Encoding.h"
#include "ui/Dialogs.h"

namespace app {

using namespace mainform;

bool TMainForm::BreakingNewsEnabled() {
  if (rss::Tfrss* reader = forms().frss) return reader->cbnews.get_active();
  return settings::BreakingNewsOn(config.bnews);
}

void TMainForm::SetBreakingNews(bool on) {
  config.bnews = on ? 1 : 0;
  if (rss::Tfrss* reader = forms().frss) reader->cbnews.set_active(on);
}

void TMainForm::TimerTimer() {
  if (!BreakingNewsEnabled()) return;
  if (rss::Tfnews* popup = forms().fnews; popup && popup->get_visible()) popup->hide();
  const auto bytes = settings::ReadWholeFile(SettingsFolder() + "rss.hot");
  if (!bytes) return;  // no keywords: no check
  hotword(rss::WithCrLf(settings::ToUtf8(*bytes)));
}

void TMainForm::hotword(const std::string& keywords) {
  rss::Tfmanage* manage = forms().fmanage;
  if (!manage) return;
  const listfile::Rows rows = manage->Feeds();
  if (rows.empty()) return;
  // Until a list file was read the address is not known yet.
  const std::string address =
      listfile::ListLoaded() || rows.front().subItems.empty() ? "" : rows.front().subItems[0];
  const std::string name = rows.front().caption;
  const std::string file = SettingsFolder() + "temphot.skrol.xml";
  net::FetchUrlToFileAsync(address, file, UserAgent, [this, alive = alive_, keywords, name, file](bool ok) {
    if (!*alive || !ok) return;
    try {
      const auto bytes = settings::ReadWholeFile(file);
      if (!bytes) return;
      const std::vector<rss::FeedItem> items = rss::ReadFeed(*bytes);
      const rss::FeedItem& item = items.front();
      const std::int64_t date = rss::ItemDate(item.pubDate);
      const bool isNew = date > lastNewsDate;
      lastNewsDate = date;
      if (!isNew) return;
      const std::string match = rss::AsciiUpper(item.description);
      const std::optional<std::string> keyword = rss::FindKeyword(keywords, match);
      if (!keyword) return;
      ui::dialogs().Sound(ui::Beep::Default);
      if (rss::Tfnews* popup = forms().fnews)
        popup->Show(name + ":  " + item.pubDate, *keyword, item.title, item.link,
                    rss::PopupBody(item.description, match));
    } catch (const std::exception&) {
      // Any failure ends the check without a word.
    }
  });
}

}  // namespace app
