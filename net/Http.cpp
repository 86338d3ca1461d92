#include "net/Http.h"

#include <libsoup/soup.h>

#include <algorithm>
#include <memory>

#include "net/HttpUrl.h"
#include "ui/ProcessMessages.h"

namespace net {

using detail::ParseHttpUrl;

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

void OnSent(GObject* source, GAsyncResult* result, gpointer data) {
  std::unique_ptr<Request> request(static_cast<Request*>(data));
  GError* error = nullptr;
  GInputStream* body = soup_session_send_finish(SOUP_SESSION(source), result, &error);
  if (body) {
    request->outcome->status = int(soup_message_get_status(request->msg));
    // Only the headers were wanted: the body is never read.
    request->outcome->body = body;
    if (request->outcome->abandoned) request->outcome->DropBody();
  } else if (g_error_matches(error, G_TLS_ERROR, G_TLS_ERROR_BAD_CERTIFICATE)) {
    request->outcome->status = kUntrustedCertificate;
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

  detail::SetAgent(msg, agent);
  SoupMessageHeaders* headers = soup_message_get_request_headers(msg);
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
