#include "support/FixtureServer.h"

#include <arpa/inet.h>
#include <libsoup/soup.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "ui/ProcessMessages.h"

namespace testing_support {

namespace {
constexpr int kChunkIntervalMs = 50;
}

// An answer that is not sent from the handler itself: a delayed page, or
// an endless body. It keeps the message alive until it is done with it.
struct FixtureServer::Delayed {
  FixtureServer* server = nullptr;
  SoupServerMessage* msg = nullptr;
  FixturePage page;
  guint timer = 0;
  gulong finishedHandler = 0;
  bool finished = false;
  int chunksSent = 0;

  ~Delayed() {
    if (timer) g_source_remove(timer);
    if (finishedHandler) g_signal_handler_disconnect(msg, finishedHandler);
    g_object_unref(msg);
  }
};

std::string RecordedRequest::Header(const std::string& name) const {
  for (const auto& [key, value] : headers) {
    if (g_ascii_strcasecmp(key.c_str(), name.c_str()) == 0) return value;
  }
  return {};
}

FixtureServer::FixtureServer(Scheme scheme) : scheme_(scheme) {
  GError* error = nullptr;
  GTlsCertificate* certificate = nullptr;
  if (scheme == Scheme::UntrustedHttps) {
    const std::string folder = LUMIVALE_TEST_FIXTURES;
    certificate = g_tls_certificate_new_from_files((folder + "/test-only-cert.pem").c_str(),
                                                   (folder + "/test-only-key.pem").c_str(), &error);
    if (!certificate) {
      std::string message = error ? error->message : "unknown error";
      g_clear_error(&error);
      throw std::runtime_error("fixture server has no certificate: " + message);
    }
  }
  server_ = certificate ? soup_server_new("tls-certificate", certificate, nullptr) : soup_server_new(nullptr, nullptr);
  if (certificate) g_object_unref(certificate);
  soup_server_add_handler(server_, nullptr, &FixtureServer::Handle, this, nullptr);

  GInetAddress* loopback = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
  GSocketAddress* address = g_inet_socket_address_new(loopback, 0);
  g_object_unref(loopback);
  const auto options = scheme == Scheme::UntrustedHttps ? SOUP_SERVER_LISTEN_HTTPS : SoupServerListenOptions(0);
  const bool listening = soup_server_listen(server_, address, options, &error);
  g_object_unref(address);
  if (!listening) {
    std::string message = error ? error->message : "unknown error";
    g_clear_error(&error);
    g_object_unref(server_);
    throw std::runtime_error("fixture server cannot listen: " + message);
  }
  GSList* uris = soup_server_get_uris(server_);
  if (uris) port_ = g_uri_get_port(static_cast<GUri*>(uris->data));
  g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
}

FixtureServer::~FixtureServer() {
  for (Delayed* d : delayed_) delete d;
  delayed_.clear();
  soup_server_disconnect(server_);
  g_object_unref(server_);
}

std::string FixtureServer::Url(const std::string& path) const {
  return (scheme_ == Scheme::UntrustedHttps ? "https://" : "http://") + HostAndPort(path);
}

std::string FixtureServer::HostAndPort(const std::string& path) const {
  return "127.0.0.1:" + std::to_string(port_) + path;
}

void FixtureServer::Add(const std::string& path, FixturePage page) { pages_[path] = std::move(page); }

void FixtureServer::AddPage(const std::string& path, const std::string& body, int status,
                            const std::string& contentType) {
  FixturePage page;
  page.body = body;
  page.status = status;
  page.contentType = contentType;
  Add(path, std::move(page));
}

void FixtureServer::AddColouredPage(const std::string& path, const std::string& title, const std::string& cssColour,
                                    const std::string& bodyHtml) {
  AddPage(path, "<!DOCTYPE html><html><head><title>" + title +
                    "</title><style>html,body{margin:0;height:100%;background:" + cssColour +
                    ";}</style></head><body>" + bodyHtml + "</body></html>");
}

void FixtureServer::AddSlowPage(const std::string& path, int delayMs, const std::string& body, int status) {
  FixturePage page;
  page.body = body;
  page.status = status;
  page.delayMs = delayMs;
  Add(path, std::move(page));
}

void FixtureServer::AddRedirect(const std::string& path, const std::string& location, int status) {
  FixturePage page;
  page.status = status;
  page.contentType = "text/plain";
  page.headers.emplace_back("Location", location);
  Add(path, std::move(page));
}

void FixtureServer::AddStatus(const std::string& path, int status) {
  FixturePage page;
  page.status = status;
  page.contentType = "text/plain";
  page.body = "status " + std::to_string(status);
  Add(path, std::move(page));
}

void FixtureServer::AddPopupPage(const std::string& path, const std::string& popupPath) {
  AddPage(path, "<!DOCTYPE html><html><head><title>Opener</title></head><body>opener<script>window.open('" +
                    popupPath + "');</script></body></html>");
}

void FixtureServer::AddEndlessPage(const std::string& path) {
  FixturePage page;
  page.contentType = "text/plain";
  page.body = std::string(16 * 1024, 'x');
  page.endless = true;
  Add(path, std::move(page));
}

void FixtureServer::AddSlowBody(const std::string& path, const std::string& body, int chunks,
                               const std::string& contentType,
                               std::vector<std::pair<std::string, std::string>> headers, bool dropAtEnd,
                               bool http10) {
  FixturePage page;
  page.contentType = contentType;
  page.headers = std::move(headers);
  page.endless = true;
  page.chunks = std::max(1, chunks);
  page.dropAtEnd = dropAtEnd;
  page.http10 = http10;
  // Pieces of equal size; the last one takes what is left.
  page.body = body;
  Add(path, std::move(page));
}

std::vector<RecordedRequest> FixtureServer::RequestsFor(const std::string& path) const {
  std::vector<RecordedRequest> found;
  std::copy_if(requests_.begin(), requests_.end(), std::back_inserter(found),
               [&](const RecordedRequest& r) { return r.path == path; });
  return found;
}

bool FixtureServer::WaitForRequest(const std::string& path, int timeoutMs) const {
  return ui::WaitUntil([&] { return RequestCount(path) > 0; }, timeoutMs);
}

void FixtureServer::Handle(SoupServer*, SoupServerMessage* msg, const char* path, GHashTable*, gpointer data) {
  auto* self = static_cast<FixtureServer*>(data);

  RecordedRequest request;
  request.method = soup_server_message_get_method(msg);
  request.path = path ? path : "";
  if (const char* query = g_uri_get_query(soup_server_message_get_uri(msg))) request.query = query;
  SoupMessageHeaders* headers = soup_server_message_get_request_headers(msg);
  SoupMessageHeadersIter it;
  soup_message_headers_iter_init(&it, headers);
  const char* name = nullptr;
  const char* value = nullptr;
  while (soup_message_headers_iter_next(&it, &name, &value)) {
    std::string& slot = request.headers[name];
    slot = slot.empty() ? std::string(value) : slot + ", " + value;
  }
  if (const char* agent = soup_message_headers_get_one(headers, "User-Agent")) request.userAgent = agent;
  self->requests_.push_back(std::move(request));

  auto found = self->pages_.find(path ? path : "");
  if (found == self->pages_.end()) {
    FixturePage missing;
    missing.status = 404;
    missing.contentType = "text/plain";
    missing.body = "not found";
    self->Answer(msg, missing);
    return;
  }
  const FixturePage& page = found->second;
  if (page.endless) {
    self->StartEndless(msg, page);
    return;
  }
  if (page.delayMs <= 0) {
    self->Answer(msg, page);
    return;
  }

  soup_server_message_pause(msg);
  auto* d = new Delayed;
  d->server = self;
  d->msg = SOUP_SERVER_MESSAGE(g_object_ref(msg));
  d->page = page;
  d->finishedHandler = g_signal_connect_swapped(msg, "finished", G_CALLBACK(+[](Delayed* dd) { dd->finished = true; }), d);
  d->timer = g_timeout_add(guint(page.delayMs), +[](gpointer p) -> gboolean {
    auto* dd = static_cast<Delayed*>(p);
    dd->timer = 0;
    FixtureServer* server = dd->server;
    if (!dd->finished) {
      server->Answer(dd->msg, dd->page);
      soup_server_message_unpause(dd->msg);
    }
    server->delayed_.erase(std::remove(server->delayed_.begin(), server->delayed_.end(), dd), server->delayed_.end());
    delete dd;
    return G_SOURCE_REMOVE;
  }, d);
  self->delayed_.push_back(d);
}

void FixtureServer::Answer(SoupServerMessage* msg, const FixturePage& page) {
  SoupMessageHeaders* response = soup_server_message_get_response_headers(msg);
  bool cacheControl = false;
  for (const auto& [name, value] : page.headers) {
    soup_message_headers_append(response, name.c_str(), value.c_str());
    cacheControl |= g_ascii_strcasecmp(name.c_str(), "Cache-Control") == 0;
  }
  // Every request must reach the server: no engine or probe may answer a
  // test from a cache filled by an earlier test.
  if (!cacheControl) soup_message_headers_replace(response, "Cache-Control", "no-store");
  soup_server_message_set_status(msg, guint(page.status), nullptr);
  soup_server_message_set_response(msg, page.contentType.c_str(), SOUP_MEMORY_COPY, page.body.data(),
                                   page.body.size());
}

namespace {

// Piece `index` of `count` of `body` for a body sent in pieces; an
// endless body sends the whole of it every time.
std::string Piece(const FixturePage& page, int index) {
  if (page.chunks <= 0) return page.body;
  const std::size_t size = page.body.size() / std::size_t(page.chunks);
  const std::size_t start = size * std::size_t(index);
  return index + 1 == page.chunks ? page.body.substr(start) : page.body.substr(start, size);
}

}  // namespace

void FixtureServer::StartEndless(SoupServerMessage* msg, const FixturePage& page) {
  SoupMessageHeaders* response = soup_server_message_get_response_headers(msg);
  for (const auto& [name, value] : page.headers) soup_message_headers_append(response, name.c_str(), value.c_str());
  if (page.chunks > 0) {
    // The length is told, so the client can show how far it got (and
    // knows a dropped body for one).
    soup_message_headers_set_content_length(response, goffset(page.body.size()));
  } else {
    soup_message_headers_set_encoding(response, SOUP_ENCODING_CHUNKED);
  }
  soup_message_headers_replace(response, "Content-Type", page.contentType.c_str());
  soup_message_headers_replace(response, "Cache-Control", "no-store");
  soup_server_message_set_status(msg, guint(page.status), nullptr);
  if (page.http10) soup_server_message_set_http_version(msg, SOUP_HTTP_1_0);
  SoupMessageBody* body = soup_server_message_get_response_body(msg);
  soup_message_body_set_accumulate(body, FALSE);
  const std::string first = Piece(page, 0);
  soup_message_body_append(body, SOUP_MEMORY_COPY, first.data(), first.size());

  auto* d = new Delayed;
  d->server = this;
  d->msg = SOUP_SERVER_MESSAGE(g_object_ref(msg));
  d->page = page;
  d->chunksSent = 1;
  d->finishedHandler = g_signal_connect_swapped(msg, "finished", G_CALLBACK(+[](Delayed* dd) { dd->finished = true; }), d);
  d->timer = g_timeout_add(kChunkIntervalMs, +[](gpointer p) -> gboolean {
    auto* dd = static_cast<Delayed*>(p);
    const bool last = dd->page.chunks > 0 && dd->chunksSent + 1 >= dd->page.chunks;
    if (!dd->finished && last && dd->page.dropAtEnd) {
      // The connection goes, with the body unfinished.
      g_signal_handler_disconnect(dd->msg, dd->finishedHandler);
      dd->finishedHandler = 0;
      if (GIOStream* stream = soup_server_message_steal_connection(dd->msg)) {
        g_io_stream_close(stream, nullptr, nullptr);
        g_object_unref(stream);
      }
      dd->finished = true;
    } else if (!dd->finished && (dd->page.chunks <= 0 || dd->chunksSent < dd->page.chunks)) {
      SoupMessageBody* b = soup_server_message_get_response_body(dd->msg);
      const std::string piece = Piece(dd->page, dd->chunksSent++);
      soup_message_body_append(b, SOUP_MEMORY_COPY, piece.data(), piece.size());
      if (last) soup_message_body_complete(b);
      soup_server_message_unpause(dd->msg);
      if (!last) return G_SOURCE_CONTINUE;
    }
    dd->timer = 0;
    FixtureServer* server = dd->server;
    server->delayed_.erase(std::remove(server->delayed_.begin(), server->delayed_.end(), dd), server->delayed_.end());
    delete dd;
    return G_SOURCE_REMOVE;
  }, d);
  delayed_.push_back(d);
}

RefusedPort::RefusedPort() {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(fd_);
    throw std::runtime_error("cannot reserve a loopback port");
  }
  port_ = ntohs(address.sin_port);
}

RefusedPort::~RefusedPort() {
  if (fd_ >= 0) close(fd_);
}

std::string RefusedPort::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace testing_support
