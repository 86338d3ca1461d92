// Files the WebKit browser downloads for the user instead of showing them:
// which responses become downloads, and the download handle the shell
// keeps while WebKit receives the file.
#include <errno.h>
#include <glib/gstdio.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/WebKitInternal.h"

namespace engine::webkit {

namespace {

// How often a running download reports its progress at most.
constexpr gint64 kProgressIntervalUs = 100 * 1000;
// How soon a download asks for its destination again while another one's
// question is open.
constexpr guint kAskAgainMs = 100;

bool IsAttachment(WebKitURIResponse* response) {
  SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
  if (!headers) return false;
  char* disposition = nullptr;
  if (!soup_message_headers_get_content_disposition(headers, &disposition, nullptr)) return false;
  const bool attachment = disposition && g_ascii_strcasecmp(disposition, "attachment") == 0;
  g_free(disposition);
  return attachment;
}

class WebKitFileDownload final : public Download {
 public:
  explicit WebKitFileDownload(WebKitDownload* download)
      : download_(WEBKIT_DOWNLOAD(g_object_ref(download))) {
    g_signal_connect(download_, "decide-destination", G_CALLBACK(OnDecideDestinationSignal), this);
    g_signal_connect(download_, "received-data", G_CALLBACK(OnReceivedData), this);
    g_signal_connect(download_, "failed", G_CALLBACK(OnFailedSignal), this);
    g_signal_connect(download_, "finished", G_CALLBACK(OnFinishedSignal), this);
  }
  ~WebKitFileDownload() override {
    if (decideIdle_) g_source_remove(decideIdle_);
    g_signal_handlers_disconnect_by_data(download_, this);
    g_object_unref(download_);
  }

  std::string SourceURL() const override {
    WebKitURIRequest* request = webkit_download_get_request(download_);
    return request ? ToText(webkit_uri_request_get_uri(request)) : std::string();
  }
  std::string Destination() const override { return destination_; }
  bool Running() const override { return !ended_; }
  void Cancel() override {
    if (ended_ || cancelled_) return;
    cancelled_ = true;
    webkit_download_cancel(download_);
    // At once, too: the program may end before WebKit reports the end.
    RemovePartialFile();
  }

  // The engine's own references to the downloads that run: a download
  // lives on when the shell lets it go, until WebKit is done with it.
  static std::vector<std::shared_ptr<WebKitFileDownload>>& Kept() {
    // Never destroyed: downloads still running when the program ends are
    // not touched while the process goes.
    static auto* running = new std::vector<std::shared_ptr<WebKitFileDownload>>;
    return *running;
  }

 private:
  // Takes the engine's reference out of the running ones; the caller
  // keeps the download alive until it returns.
  std::shared_ptr<WebKitFileDownload> Release() {
    auto& running = Kept();
    auto found = std::find_if(running.begin(), running.end(), [&](const auto& d) { return d.get() == this; });
    if (found == running.end()) return nullptr;
    std::shared_ptr<WebKitFileDownload> keep = std::move(*found);
    running.erase(found);
    return keep;
  }

  static gboolean OnDecideDestinationSignal(WebKitDownload*, gchar* suggested, WebKitFileDownload* self) {
    // The shell asks the user in a modal dialog; it does so from the main
    // loop rather than inside WebKit's signal, and WebKit waits for the
    // destination meanwhile.
    self->suggested_ = ToText(suggested);
    if (!self->decideIdle_) self->decideIdle_ = g_idle_add(&AskFromLoop, self);
    return TRUE;
  }

  static gboolean AskFromLoop(gpointer data) {
    auto* download = static_cast<WebKitFileDownload*>(data);
    download->decideIdle_ = 0;
    download->AskDestination();
    return G_SOURCE_REMOVE;
  }

  void AskDestination() {
    if (ended_ || cancelled_) return;
    // One question at a time: the handler's dialog lets messages run, and
    // the next download asks once it is answered.
    static bool asking = false;
    if (asking) {
      decideIdle_ = g_timeout_add(kAskAgainMs, &AskFromLoop, this);
      return;
    }
    // Kept alive through the handler.
    auto keep = KeepAlive();
    std::optional<std::string> path;
    {
      struct Asking {
        Asking() { asking = true; }
        ~Asking() { asking = false; }
      } question;
      OnDecideDestination.emit(suggested_, path);
    }
    if (ended_ || cancelled_) return;
    if (!path || path->empty()) {
      Cancel();
      return;
    }
    destination_ = *path;
    // WebKit empties a file at its destination as soon as it starts and
    // removes it when the download fails. It writes to a name of its own
    // beside the file the user chose; that file, when there is one, stays
    // as it was until the whole download has come.
    receiving_ = UnusedName(destination_ + ".part");
    webkit_download_set_allow_overwrite(download_, FALSE);
    webkit_download_set_destination(download_, receiving_.c_str());
  }

  // `path`, or a numbered name beside it, that no file has.
  static std::string UnusedName(const std::string& path) {
    std::string candidate = path;
    for (int n = 1; g_file_test(candidate.c_str(), G_FILE_TEST_EXISTS) ||
                    g_file_test((candidate + ".wkdownload").c_str(), G_FILE_TEST_EXISTS);
         ++n)
      candidate = path + "." + std::to_string(n);
    return candidate;
  }

  // A server that closes the connection early may end the body without
  // an error WebKit reports (an HTTP/1.0 server does): the length the
  // server announced decides. Not for an encoded body, whose announced
  // length is that of its encoded form. False, with `reason_`, when less
  // came.
  bool CameWhole() {
    WebKitURIResponse* response = webkit_download_get_response(download_);
    if (!response) return true;
    const std::uint64_t announced = webkit_uri_response_get_content_length(response);
    const std::uint64_t received = webkit_download_get_received_data_length(download_);
    SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
    const char* encoding = headers ? soup_message_headers_get_one(headers, "Content-Encoding") : nullptr;
    if (announced == 0 || received >= announced || (encoding && g_ascii_strcasecmp(encoding, "identity") != 0))
      return true;
    reason_ = "The connection ended after " + std::to_string(received) + " of " + std::to_string(announced) +
              " bytes.";
    return false;
  }

  // Puts the received file in the place of the one the user chose
  // (replacing it, as the user agreed). False, with `reason_`, when it
  // cannot.
  bool Deliver() {
    if (g_rename(receiving_.c_str(), destination_.c_str()) == 0) return true;
    const int error = errno;
    reason_ = std::string("The file could not be put in place: ") + g_strerror(error);
    return false;
  }

  std::shared_ptr<WebKitFileDownload> KeepAlive() {
    for (const auto& d : Kept())
      if (d.get() == this) return d;
    return nullptr;
  }

  static void OnReceivedData(WebKitDownload* download, guint64, WebKitFileDownload* self) {
    const gint64 now = g_get_monotonic_time();
    if (self->lastProgressAt_ && now - self->lastProgressAt_ < kProgressIntervalUs) return;
    self->lastProgressAt_ = now;
    WebKitURIResponse* response = webkit_download_get_response(download);
    const std::uint64_t expected = response ? webkit_uri_response_get_content_length(response) : 0;
    auto keep = self->KeepAlive();
    self->OnProgress.emit(webkit_download_get_received_data_length(download), expected);
  }

  static void OnFailedSignal(WebKitDownload*, GError* error, WebKitFileDownload* self) {
    self->failed_ = true;
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER)) self->cancelled_ = true;
    self->reason_ = error && error->message ? error->message : "The download failed.";
  }

  // WebKit is done with the download, whether it succeeded or not.
  static void OnFinishedSignal(WebKitDownload*, WebKitFileDownload* self) {
    if (self->ended_) return;
    self->ended_ = true;
    if (self->decideIdle_) {
      g_source_remove(self->decideIdle_);
      self->decideIdle_ = 0;
    }
    auto keep = self->Release();
    if (!self->failed_ && !self->cancelled_ && self->CameWhole() && self->Deliver()) {
      self->OnFinished.emit(self->destination_);
      return;
    }
    self->RemovePartialFile();
    if (self->cancelled_)
      self->OnCancelled.emit();
    else
      self->OnFailed.emit(self->reason_);
  }

  // What a failed or cancelled download wrote goes; the file the user
  // chose is left as it was.
  void RemovePartialFile() {
    if (receiving_.empty()) return;
    g_remove(receiving_.c_str());
    g_remove((receiving_ + ".wkdownload").c_str());
  }

  WebKitDownload* download_;  // our own reference
  std::string suggested_;
  std::string destination_;  // the file the user chose
  std::string receiving_;    // where WebKit writes it meanwhile
  std::string reason_;
  bool cancelled_ = false;
  bool failed_ = false;
  bool ended_ = false;
  guint decideIdle_ = 0;
  gint64 lastProgressAt_ = 0;
};

void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer) {
  auto handle = std::make_shared<WebKitFileDownload>(download);
  WebKitFileDownload::Kept().push_back(handle);
  WebKitBrowser* browser = BrowserOf(webkit_download_get_web_view(download));
  // Nothing is ever saved without the user choosing where.
  if (!browser || browser->OnFileDownload.empty()) {
    handle->Cancel();
    return;
  }
  browser->OnFileDownload.emit(handle);
}

}  // namespace

void WatchDownloads(WebKitWebContext* context) {
  g_signal_connect(context, "download-started", G_CALLBACK(OnDownloadStarted), nullptr);
}

gboolean DecideResponse(WebKitResponsePolicyDecision* decision) {
  WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
  if (webkit_response_policy_decision_is_mime_type_supported(decision) && !(response && IsAttachment(response)))
    return FALSE;  // shown
  webkit_policy_decision_download(WEBKIT_POLICY_DECISION(decision));
  return TRUE;
}

}  // namespace engine::webkit
