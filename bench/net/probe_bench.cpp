// The reachability probe against one plain GET of the same loopback page:
// the probe should cost no more than one request's round trip.
#include <benchmark/benchmark.h>
#include <libsoup/soup.h>

#include <string>

#include "navigation/UrlResolution.h"

namespace {

// A loopback server on the calling thread's main context; it answers while
// a request waits (every wait below iterates that context).
class LoopbackServer {
 public:
  LoopbackServer() {
    server_ = soup_server_new(nullptr, nullptr);
    soup_server_add_handler(
        server_, "/page",
        +[](SoupServer*, SoupServerMessage* msg, const char*, GHashTable*, gpointer) {
          static const std::string body = "<html><head><title>Page</title></head><body>" + std::string(2000, 'x') +
                                          "</body></html>";
          soup_server_message_set_status(msg, 200, nullptr);
          soup_server_message_set_response(msg, "text/html", SOUP_MEMORY_STATIC, body.data(), body.size());
        },
        nullptr, nullptr);
    GInetAddress* loopback = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
    GSocketAddress* address = g_inet_socket_address_new(loopback, 0);
    soup_server_listen(server_, address, SoupServerListenOptions(0), nullptr);
    g_object_unref(address);
    g_object_unref(loopback);
    GSList* uris = soup_server_get_uris(server_);
    url_ = "http://127.0.0.1:" + std::to_string(g_uri_get_port(static_cast<GUri*>(uris->data))) + "/page";
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
  }
  ~LoopbackServer() {
    soup_server_disconnect(server_);
    g_object_unref(server_);
  }
  const std::string& url() const { return url_; }

 private:
  SoupServer* server_ = nullptr;
  std::string url_;
};

// One GET of `url` on `session`, the whole body read; answers the status.
guint PlainGet(SoupSession* session, const std::string& url) {
  struct State {
    bool done = false;
    guint status = 0;
    SoupMessage* msg = nullptr;
  } state;
  state.msg = soup_message_new(SOUP_METHOD_GET, url.c_str());
  soup_session_send_and_read_async(
      session, state.msg, G_PRIORITY_DEFAULT, nullptr,
      +[](GObject* source, GAsyncResult* result, gpointer data) {
        auto* s = static_cast<State*>(data);
        if (GBytes* bytes = soup_session_send_and_read_finish(SOUP_SESSION(source), result, nullptr)) {
          s->status = soup_message_get_status(s->msg);
          g_bytes_unref(bytes);
        }
        s->done = true;
      },
      &state);
  while (!state.done) g_main_context_iteration(nullptr, TRUE);
  g_object_unref(state.msg);
  return state.status;
}

void BM_CheckUrl(benchmark::State& state) {
  LoopbackServer server;
  for (auto _ : state) {
    if (!navigation::CheckUrl(server.url(), 5000)) state.SkipWithError("probe failed");
  }
}
BENCHMARK(BM_CheckUrl)->Unit(benchmark::kMicrosecond);

// The same request the probe makes, from a new session and connection.
void BM_PlainGetNewConnection(benchmark::State& state) {
  LoopbackServer server;
  for (auto _ : state) {
    SoupSession* session = soup_session_new();
    if (PlainGet(session, server.url()) != 200) state.SkipWithError("GET failed");
    g_object_unref(session);
  }
}
BENCHMARK(BM_PlainGetNewConnection)->Unit(benchmark::kMicrosecond);

// A GET on a kept-alive connection: the round trip alone.
void BM_PlainGetKeptAlive(benchmark::State& state) {
  LoopbackServer server;
  SoupSession* session = soup_session_new();
  PlainGet(session, server.url());
  for (auto _ : state) {
    if (PlainGet(session, server.url()) != 200) state.SkipWithError("GET failed");
  }
  g_object_unref(session);
}
BENCHMARK(BM_PlainGetKeptAlive)->Unit(benchmark::kMicrosecond);

}  // namespace
