#pragma once
// An HTTP server for tests, in the test's own process, on 127.0.0.1 and a
// port the system picks. It runs on the default GLib main context: it
// answers only while the test lets messages run (ui::WaitUntil,
// ui::ProcessMessages), which every engine wait and probe does anyway.
//
//   testing_support::FixtureServer server;
//   server.AddPage("/a", "<title>A</title>");
//   browser->Navigate(server.Url("/a"));
//   ASSERT_TRUE(ui::WaitUntil([&] { return browser->IsComplete(); }, 10000));
//   EXPECT_EQ(server.RequestsFor("/a").at(0).userAgent, "...");
//
// Paths are matched exactly, without the query. A path nobody added
// answers 404 with a short body. Every request is recorded, also those
// that answer 404. Adding a path again replaces its answer.

#include <glib.h>

#include <map>
#include <string>
#include <vector>

typedef struct _SoupServer SoupServer;
typedef struct _SoupServerMessage SoupServerMessage;

namespace testing_support {

// One answer of the server.
struct FixturePage {
  std::string body;
  std::string contentType = "text/html; charset=utf-8";
  int status = 200;
  // Extra response headers (name, value), e.g. {"Set-Cookie", "a=1"}.
  std::vector<std::pair<std::string, std::string>> headers;
  // The answer is sent this long after the request came in; the loop goes
  // on meanwhile. 0: at once.
  int delayMs = 0;
  // The headers go out at once and the body never ends: a chunk of
  // `body` every 50 ms until the client goes away.
  bool endless = false;
  // With `endless`: the body ends after this many chunks (0: never).
  int chunks = 0;
  // With `chunks`: after the last chunk the server drops the connection
  // instead of ending the body, as a server that fails halfway does.
  bool dropAtEnd = false;
  // The answer comes as from an HTTP/1.0 server.
  bool http10 = false;
};

// One request as it reached the server.
struct RecordedRequest {
  std::string method;
  std::string path;       // decoded path, without the query
  std::string query;      // the raw query after "?", empty when none
  std::string userAgent;  // the User-Agent header, empty when none
  // Every request header; names as the client sent them. A header sent
  // twice keeps its values joined with ", ".
  std::map<std::string, std::string> headers;
  // The value of header `name` (any letter case), empty when absent.
  std::string Header(const std::string& name) const;
};

class FixtureServer {
 public:
  enum class Scheme {
    Http,
    // HTTPS with a self-signed certificate for "localhost" (a test-only
    // key, in support/fixtures): no client that verifies certificates
    // accepts it, on 127.0.0.1 least of all.
    UntrustedHttps,
  };
  // Starts listening. Throws std::runtime_error when it cannot.
  explicit FixtureServer(Scheme scheme = Scheme::Http);
  ~FixtureServer();
  FixtureServer(const FixtureServer&) = delete;
  FixtureServer& operator=(const FixtureServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" (or "https://...") followed by `path` (which
  // should start with "/"; a query may follow it).
  std::string Url(const std::string& path = "/") const;
  // "127.0.0.1:<port>" followed by `path`: an address without a scheme.
  std::string HostAndPort(const std::string& path = "") const;

  // Serves `page` at `path`.
  void Add(const std::string& path, FixturePage page);
  // A page with `body` (HTML unless `contentType` says otherwise).
  void AddPage(const std::string& path, const std::string& body, int status = 200,
               const std::string& contentType = "text/html; charset=utf-8");
  // A small HTML page titled `title` whose whole background is the colour
  // `cssColour` (e.g. "#ff0000"), with `bodyHtml` in its body.
  void AddColouredPage(const std::string& path, const std::string& title, const std::string& cssColour,
                       const std::string& bodyHtml = "");
  // A page that answers `delayMs` later.
  void AddSlowPage(const std::string& path, int delayMs, const std::string& body, int status = 200);
  // Answers `status` (301, 302, 303, 307, ...) with Location: `location`.
  void AddRedirect(const std::string& path, const std::string& location, int status = 302);
  // Answers `status` with a short plain-text body and nothing else.
  void AddStatus(const std::string& path, int status);
  // A page whose script, as soon as it runs, opens a new window with
  // `popupPath` of this server (window.open). Its title is "Opener".
  void AddPopupPage(const std::string& path, const std::string& popupPath);
  // Headers at once, then a body that never ends (see FixturePage).
  void AddEndlessPage(const std::string& path);
  // `body`, sent in `chunks` pieces 50 ms apart with `contentType` and
  // the extra `headers`; with `dropAtEnd` the connection is dropped
  // before the last piece instead.
  void AddSlowBody(const std::string& path, const std::string& body, int chunks, const std::string& contentType,
                   std::vector<std::pair<std::string, std::string>> headers = {}, bool dropAtEnd = false,
                   bool http10 = false);

  // Every request so far, oldest first.
  std::vector<RecordedRequest> Requests() const { return requests_; }
  // The requests for `path`, oldest first.
  std::vector<RecordedRequest> RequestsFor(const std::string& path) const;
  int RequestCount(const std::string& path) const { return int(RequestsFor(path).size()); }
  // Lets messages run until a request for `path` has come in, at most
  // `timeoutMs`. Answers whether one came.
  bool WaitForRequest(const std::string& path, int timeoutMs) const;
  void ClearRequests() { requests_.clear(); }

 private:
  struct Delayed;
  static void Handle(SoupServer*, SoupServerMessage*, const char*, GHashTable*, gpointer);
  void Answer(SoupServerMessage* msg, const FixturePage& page);
  void StartEndless(SoupServerMessage* msg, const FixturePage& page);

  SoupServer* server_ = nullptr;
  Scheme scheme_ = Scheme::Http;
  int port_ = 0;
  std::map<std::string, FixturePage> pages_;
  std::vector<RecordedRequest> requests_;
  // Answers waiting for their delay or streaming; cancelled with the server.
  std::vector<Delayed*> delayed_;
};

// A loopback port where nothing listens: while the object lives, the port
// is bound (so nobody else can take it) but not listening, so every
// connection to it is refused at once.
class RefusedPort {
 public:
  RefusedPort();
  ~RefusedPort();
  RefusedPort(const RefusedPort&) = delete;
  RefusedPort& operator=(const RefusedPort&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by `path`.
  std::string Url(const std::string& path = "/") const;

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace testing_support
