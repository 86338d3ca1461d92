#include "net/Download.h"

#include <glib/gstdio.h>
#include <libsoup/soup.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "net/HttpUrl.h"
#include "settings/AtomicFile.h"
#include "ui/ProcessMessages.h"

namespace net {

namespace {

constexpr gsize kChunkBytes = 64 * 1024;

std::string& FeedCacheFolder() {
  static std::string folder;
  return folder;
}

// One session per cache policy for the whole run, so connections and the
// cache index are shared by every download of that kind.
struct Sessions {
  SoupSession* cached = nullptr;
  SoupCache* cache = nullptr;
  SoupSession* direct = nullptr;
};

Sessions& TheSessions() {
  static Sessions sessions;
  return sessions;
}

SoupSession* NewSession() {
  // Connections idle or silent longer than a download may take are
  // dropped; the overall limit is the download's own timer.
  const guint seconds = guint(kDownloadTimeoutMs / 1000);
  return soup_session_new_with_options("timeout", seconds, "idle-timeout", seconds, nullptr);
}

SoupSession* SessionFor(CachePolicy policy) {
  Sessions& s = TheSessions();
  if (policy == CachePolicy::NoCache) {
    if (!s.direct) s.direct = NewSession();
    return s.direct;
  }
  if (!s.cached) {
    s.cached = NewSession();
    if (!FeedCacheFolder().empty()) {
      g_mkdir_with_parents(FeedCacheFolder().c_str(), 0700);
      s.cache = soup_cache_new(FeedCacheFolder().c_str(), SOUP_CACHE_SINGLE_USER);
      soup_cache_set_max_size(s.cache, guint(kMaxDownloadBytes * 2));
      soup_cache_load(s.cache);
      soup_session_add_feature(s.cached, SOUP_SESSION_FEATURE(s.cache));
    }
  }
  return s.cached;
}

// One download on its way. Owned by the chain of callbacks; the last one
// deletes it after handing the result on.
struct Transfer {
  DownloadOptions options;
  std::function<void(DownloadResult)> done;
  SoupSession* session = nullptr;  // not owned
  SoupMessage* msg = nullptr;
  GCancellable* cancellable = g_cancellable_new();
  GInputStream* stream = nullptr;
  DownloadResult result;
  guint timer = 0;
  bool timedOut = false;

  ~Transfer() {
    if (timer) g_source_remove(timer);
    if (stream) {
      // Closing with a cancelled cancellable does not read the rest.
      GCancellable* cancelled = g_cancellable_new();
      g_cancellable_cancel(cancelled);
      g_input_stream_close(stream, cancelled, nullptr);
      g_object_unref(cancelled);
      g_object_unref(stream);
    }
    if (msg) g_object_unref(msg);
    g_object_unref(cancellable);
  }
};

void Finish(Transfer* t, bool ok, const std::string& error) {
  std::unique_ptr<Transfer> owned(t);
  if (t->timer) {
    g_source_remove(t->timer);
    t->timer = 0;
  }
  t->result.ok = ok;
  if (!ok) {
    t->result.body.clear();
    t->result.error = t->timedOut ? "The server did not answer within " +
                                        std::to_string(t->options.timeoutMs / 1000) + " seconds."
                                  : error;
  }
  if (ok && t->stream) {
    // The whole body was read: a plain close lets the cache keep it.
    g_input_stream_close(t->stream, nullptr, nullptr);
    g_object_unref(t->stream);
    t->stream = nullptr;
  }
  auto done = std::move(t->done);
  DownloadResult result = std::move(t->result);
  owned.reset();
  if (done) done(std::move(result));
}

std::string ErrorText(GError* error) { return error && error->message ? error->message : "unknown error"; }

std::string TooLarge(std::size_t limit) {
  return "The answer is larger than " + std::to_string(limit / (1024 * 1024)) + " MiB.";
}

void ReadMore(Transfer* t);

void OnRead(GObject* source, GAsyncResult* res, gpointer data) {
  auto* t = static_cast<Transfer*>(data);
  GError* error = nullptr;
  GBytes* bytes = g_input_stream_read_bytes_finish(G_INPUT_STREAM(source), res, &error);
  if (!bytes) {
    const std::string text = ErrorText(error);
    g_clear_error(&error);
    Finish(t, false, text);
    return;
  }
  gsize size = 0;
  const auto* data_ = static_cast<const char*>(g_bytes_get_data(bytes, &size));
  if (size == 0) {
    g_bytes_unref(bytes);
    Finish(t, true, {});
    return;
  }
  if (t->result.body.size() + size > t->options.maxBytes) {
    g_bytes_unref(bytes);
    Finish(t, false, TooLarge(t->options.maxBytes));
    return;
  }
  t->result.body.append(data_, size);
  g_bytes_unref(bytes);
  ReadMore(t);
}

void ReadMore(Transfer* t) {
  g_input_stream_read_bytes_async(t->stream, kChunkBytes, G_PRIORITY_DEFAULT, t->cancellable, &OnRead, t);
}

void OnSent(GObject* source, GAsyncResult* res, gpointer data) {
  auto* t = static_cast<Transfer*>(data);
  GError* error = nullptr;
  t->stream = soup_session_send_finish(SOUP_SESSION(source), res, &error);
  if (!t->stream) {
    const std::string text = ErrorText(error);
    g_clear_error(&error);
    Finish(t, false, text);
    return;
  }
  t->result.status = int(soup_message_get_status(t->msg));
  const goffset announced = soup_message_headers_get_content_length(soup_message_get_response_headers(t->msg));
  if (announced > 0 && std::size_t(announced) > t->options.maxBytes) {
    Finish(t, false, TooLarge(t->options.maxBytes));
    return;
  }
  ReadMore(t);
}

}  // namespace

void SetFeedCacheFolder(const std::string& folder) { FeedCacheFolder() = folder; }

void DownloadAsync(const std::string& url, const DownloadOptions& options, std::function<void(DownloadResult)> done) {
  auto* t = new Transfer;
  t->options = options;
  t->done = std::move(done);
  GUri* uri = detail::ParseHttpUrl(url);
  if (!uri) {
    // Told from the loop, as every other ending is.
    g_idle_add(
        +[](gpointer data) -> gboolean {
          Finish(static_cast<Transfer*>(data), false, "Not an http or https address.");
          return G_SOURCE_REMOVE;
        },
        t);
    return;
  }
  t->session = SessionFor(options.cache);
  t->msg = soup_message_new_from_uri(SOUP_METHOD_GET, uri);
  g_uri_unref(uri);
  detail::SetAgent(t->msg, options.agent);
  if (options.cache == CachePolicy::NoCache) {
    SoupMessageHeaders* headers = soup_message_get_request_headers(t->msg);
    soup_message_headers_replace(headers, "Cache-Control", "no-cache");
    soup_message_headers_replace(headers, "Pragma", "no-cache");
  }
  t->timer = g_timeout_add(guint(std::max(1, options.timeoutMs)), +[](gpointer data) -> gboolean {
    auto* tt = static_cast<Transfer*>(data);
    tt->timer = 0;
    tt->timedOut = true;
    // The pending step ends with "cancelled" and finishes the transfer.
    g_cancellable_cancel(tt->cancellable);
    return G_SOURCE_REMOVE;
  }, t);
  soup_session_send_async(t->session, t->msg, G_PRIORITY_DEFAULT, t->cancellable, &OnSent, t);
}

DownloadResult Download(const std::string& url, const DownloadOptions& options) {
  struct Shared {
    bool done = false;
    DownloadResult result;
  };
  auto shared = std::make_shared<Shared>();
  DownloadAsync(url, options, [shared](DownloadResult r) {
    shared->result = std::move(r);
    shared->done = true;
  });
  // The transfer ends itself at its time-out; the margin only covers a
  // loop that stops being iterated (the program ending).
  ui::WaitUntil([&] { return shared->done || (options.abandon && options.abandon()); }, options.timeoutMs + 5000);
  if (!shared->done) {
    // The transfer ends on its own; its result goes nowhere.
    DownloadResult gaveUp;
    gaveUp.error = "The download was abandoned.";
    return gaveUp;
  }
  if (options.cache == CachePolicy::UseCache && TheSessions().cache && shared->result.ok) {
    // The cache writes what it keeps after the body was read: let it
    // finish (a message pass of its own), so the next download finds it,
    // and keep its index on disk for a later run.
    ui::NestedLoop nested;
    soup_cache_flush(TheSessions().cache);
    soup_cache_dump(TheSessions().cache);
  }
  return std::move(shared->result);
}

std::string ExecutableFileName() {
  gchar* path = g_file_read_link("/proc/self/exe", nullptr);
  if (!path) return {};
  gchar* base = g_path_get_basename(path);
  std::string name = base;
  g_free(base);
  g_free(path);
  return name;
}

FeedFileResult FetchFeedFile(const std::string& address, const std::string& path, std::function<bool()> abandon) {
  FeedFileResult r;
  FILE* file = g_fopen(path.c_str(), "wb");
  if (!file) {
    r.error = "Cannot create \"" + path + "\": " + g_strerror(errno);
    return r;
  }
  std::fclose(file);
  r.fileCreated = true;

  DownloadOptions options;
  options.agent = ExecutableFileName();
  options.cache = CachePolicy::UseCache;
  options.abandon = std::move(abandon);
  const DownloadResult d = Download(address, options);
  if (!d.ok) {
    r.error = d.error;
    return r;
  }
  std::string error;
  if (!settings::WriteFileAtomically(path, d.body, &error)) {
    r.error = error;
    return r;
  }
  r.downloaded = true;
  return r;
}

namespace {

bool Written(const DownloadResult& d, const std::string& path) {
  if (!d.ok || !d.status || *d.status < 200 || *d.status > 299) return false;
  return settings::WriteFileAtomically(path, d.body);
}

DownloadOptions DirectOptions(const std::string& agent) {
  DownloadOptions options;
  options.agent = agent;
  options.cache = CachePolicy::NoCache;
  return options;
}

}  // namespace

bool FetchUrlToFile(const std::string& address, const std::string& path, const std::string& agent) {
  return Written(Download(address, DirectOptions(agent)), path);
}

void FetchUrlToFileAsync(const std::string& address, const std::string& path, const std::string& agent,
                         std::function<void(bool)> done) {
  DownloadAsync(address, DirectOptions(agent), [path, done = std::move(done)](DownloadResult d) {
    const bool ok = Written(d, path);
    if (done) done(ok);
  });
}

}  // namespace net
