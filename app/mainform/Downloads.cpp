// Files the pages lead to: where to save them, their progress in the status
// line and the message when each one ends.
#include <glib.h>

#include <algorithm>

#include "app/MainForm.h"
#include "app/mainform/Internal.h"
#include "tabs/DownloadText.h"
#include "tabs/StatusLine.h"
#include "ui/Dialogs.h"

namespace app {

using namespace mainform;

namespace {

constexpr const char* kCaption = "Lumivale";

std::string BaseName(const std::string& path) {
  gchar* name = g_path_get_basename(path.c_str());
  std::string result = name;
  g_free(name);
  return result;
}

}  // namespace

std::string TMainForm::DownloadFolder() {
  const char* downloads = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
  if (downloads && g_file_test(downloads, G_FILE_TEST_IS_DIR)) return downloads;
  return g_get_home_dir();
}

void TMainForm::wbFileDownload(std::shared_ptr<engine::Download> download) {
  if (!download) return;
  if (closing_) {
    download->Cancel();
    return;
  }
  RunningDownload entry;
  entry.download = download;
  entry.name = tabs::FileNameFromUrl(download->SourceURL());
  entry.events = BindDownloadEvents(*download);
  downloads_.push_back(std::move(entry));
  ShowDownloadStatus();
}

void TMainForm::DownloadDecideDestination(engine::Download& download, const std::string& suggestedName,
                                          std::optional<std::string>& path) {
  const std::string name = tabs::SafeFileName(suggestedName);
  if (RunningDownload* entry = FindDownload(download))
    entry->name = name;
  else
    return;
  ShowDownloadStatus();
  const auto choice = ui::dialogs().SaveFile("Save Download", name, {}, this, DownloadFolder());
  // The download may have ended while the dialog was open.
  RunningDownload* entry = FindDownload(download);
  if (!entry || !choice || choice->path.empty()) return;
  path = choice->path;
  entry->name = BaseName(choice->path);
  ShowDownloadStatus();
}

void TMainForm::DownloadProgress(engine::Download& download, std::uint64_t received, std::uint64_t expected) {
  RunningDownload* entry = FindDownload(download);
  if (!entry) return;
  entry->received = received;
  entry->expected = expected;
  ShowDownloadStatus();
}

void TMainForm::DownloadFinished(engine::Download& download, const std::string& path) {
  if (!FindDownload(download)) return;
  const std::string file = path;
  ForgetDownload(download);
  ui::ShowMessage(tabs::DownloadCompleteText(file), kCaption, ui::Icon::Information, this);
}

void TMainForm::DownloadFailed(engine::Download& download, const std::string& reason) {
  RunningDownload* entry = FindDownload(download);
  if (!entry) return;
  const std::string name = entry->name;
  ForgetDownload(download);
  ui::ShowMessage(tabs::DownloadFailedText(name, reason), kCaption, ui::Icon::Error, this);
}

void TMainForm::DownloadCancelled(engine::Download& download) { ForgetDownload(download); }

TMainForm::RunningDownload* TMainForm::FindDownload(const engine::Download& download) {
  auto found = std::find_if(downloads_.begin(), downloads_.end(),
                            [&](const RunningDownload& d) { return d.download.get() == &download; });
  return found == downloads_.end() ? nullptr : &*found;
}

void TMainForm::ForgetDownload(const engine::Download& download) {
  auto found = std::find_if(downloads_.begin(), downloads_.end(),
                            [&](const RunningDownload& d) { return d.download.get() == &download; });
  if (found == downloads_.end()) return;
  for (sigc::connection& c : found->events) c.disconnect();
  downloads_.erase(found);
  ShowDownloadStatus();
}

void TMainForm::CancelDownloads() {
  std::vector<RunningDownload> running = std::move(downloads_);
  downloads_.clear();
  for (RunningDownload& d : running) {
    for (sigc::connection& c : d.events) c.disconnect();
    d.download->Cancel();
  }
}

void TMainForm::ShowDownloadStatus() {
  std::vector<tabs::DownloadProgress> progress;
  for (const RunningDownload& d : downloads_) progress.push_back({d.name, d.received, d.expected});
  const std::string text = tabs::DownloadStatusText(progress);
  if (text.empty()) {
    // The line closes, unless it shows something else by now (the address
    // of a link under the mouse).
    if (!downloadStatus_.empty() && infotextLabel.get_text() == downloadStatus_) infotextLabel.set_text("");
    downloadStatus_.clear();
    return;
  }
  downloadStatus_ =
      tabs::FitStatusText(text, tabs::kStatusWidthLimit, [this](std::string_view s) { return MeasureText(s); });
  infotextLabel.set_text(downloadStatus_);
  if (tabs::KeepsStatusLineOpen(downloadStatus_)) SetInfotextHeight(16);
}

}  // namespace app
