#include "net/Http.h"

#include <libsoup/soup.h>

#include <algorithm>
#include <memory>

#include "ui/ProcessMessages.h"

namespace net {

namespace {

// What the asynchronous request leaves for the waiting caller. Shared
// with the callback, which may run after the caller gave up waiting.
struct Outcome {
  bool done = false;
  bool abandoned = false;  // the caller no longer waits
  std::optional<int> status;
  GInputStream* body = nullptr;  // unread; closed by whoever is last
  ~Outcome() { DropBody(); }
  void DropBody() {
    if (!body) return;
    // Closing with a cancelled cancellable does not read the rest of the
    // body; the connection goes with the session.
    GCancellable* cancelled = g_cancellable_new();
    g_cancellable_cancel(cancelled);
    g_input_stream_close(body, cancelled, nullptr);
    g_object_unref(cancelled);
    g_object_unref(body);
    body = nullptr;
  }
};

struct Request {
  std::shared_ptr<Outcome> outcome;
  SoupMessage* msg = nullptr;
  ~Request() { g_object_unref(msg); }
};

// Characters that may stand in a request target as they are. Everything
// else (blanks, quotes, bytes above 127, control characters) is
// percent-encoded, as any browser's URL parser does before sending. "%"
// stays, so addresses that are already encoded are not encoded twice.
constexpr const char* kAllowedInUrl = "!#$%&'()*+,/:;=?@[]~";

std::string RemoveControlCharacters(const std::string& text) {
  std::string clean;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7f) clean += c;
  }
  return clean;
}

// The GUri for `url`, or null when it is not an http or https address
// with a host.
GUri* ParseHttpUrl(const std::string& url) {
  gchar* escaped = g_uri_escape_string(url.c_str(), kAllowedInUrl, FALSE);
  GUri* uri = g_uri_parse(escaped, GUriFlags(SOUP_HTTP_URI_FLAGS), nullptr);
  g_free(escaped);
  if (!uri) return nullptr;
  const char* scheme = g_uri_get_scheme(uri);
  const char* host = g_uri_get_host(uri);
  const bool http = scheme && (g_ascii_strcasecmp(scheme, "http") == 0 || g_ascii_strcasecmp(scheme, "https") == 0);
  if (!http || !host || !*host) {
    g_uri_unref(uri);
    return nullptr;
  }
  return uri;
}

void OnSent(GObject* source, GAsyncResult* result, gpointer data) {
  std::unique_ptr<Request> request(static_cast<Request*>(data));
  GError* error = nullptr;
  GInputStream* body = soup_session_send_finish(SOUP_SESSION(source), result, &error);
  if (body) {
    request->outcome->status = int(soup_message_get_status(request->msg));
    // Only the headers were wanted: the body is never read.
    request->outcome->body = body;
    if (request->outcome->abandoned) request->outcome->DropBody();
  }
  g_clear_error(&error);
  request->outcome->done = true;
}

}  // namespace

std::optional<int> FetchStatus(const std::string& url, const std::string& agent, int timeoutMs) {
  GUri* uri = ParseHttpUrl(url);
  if (!uri) return std::nullopt;

  // A session of its own: no cache feature, no cookie jar, the default
  // proxy resolver (the desktop's proxy settings), redirects followed.
  const guint timeoutSeconds = guint(std::max(1, (timeoutMs + 999) / 1000));
  SoupSession* session = soup_session_new_with_options("timeout", timeoutSeconds, "idle-timeout", timeoutSeconds,
                                                       nullptr);
  SoupMessage* msg = soup_message_new_from_uri(SOUP_METHOD_GET, uri);
  g_uri_unref(uri);

  SoupMessageHeaders* headers = soup_message_get_request_headers(msg);
  const std::string cleanAgent = RemoveControlCharacters(agent);
  if (cleanAgent.empty()) {
    soup_message_headers_remove(headers, "User-Agent");
  } else {
    soup_message_headers_replace(headers, "User-Agent", cleanAgent.c_str());
  }
  // The answer must come from the server itself, never from a cache on
  // the way.
  soup_message_headers_replace(headers, "Cache-Control", "no-cache");
  soup_message_headers_replace(headers, "Pragma", "no-cache");

  auto outcome = std::make_shared<Outcome>();
  GCancellable* cancellable = g_cancellable_new();
  auto* request = new Request{outcome, SOUP_MESSAGE(g_object_ref(msg))};
  soup_session_send_async(session, msg, G_PRIORITY_DEFAULT, cancellable, &OnSent, request);
  g_object_unref(msg);

  ui::WaitUntil([&] { return outcome->done; }, timeoutMs);

  // Whether answered or timed out: stop everything still going on (the
  // request, the unread body, the connection). A late callback only
  // touches its own shared outcome.
  outcome->abandoned = true;
  g_cancellable_cancel(cancellable);
  soup_session_abort(session);
  outcome->DropBody();
  g_object_unref(cancellable);
  g_object_unref(session);

  if (!outcome->done) return std::nullopt;
  return outcome->status;
}

}  // namespace net
