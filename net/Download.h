#pragma once
// Downloads over libsoup, toolkit-free: the feed reader's download into a
// file, and the second download path the ticker and the breaking-news
// check use. Both run on the main loop; the synchronous forms let messages
// run while they wait, so the windows keep repainting.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace net {

// Every download gives up after this long.
inline constexpr int kDownloadTimeoutMs = 30000;
// A body longer than this is a failed download.
inline constexpr std::size_t kMaxDownloadBytes = 20u * 1024u * 1024u;

struct DownloadResult {
  bool ok = false;            // the whole body came
  std::optional<int> status;  // the HTTP status, when an answer came
  std::string body;           // when ok
  std::string error;          // when not ok: why
};

// How a download asks and how long it may take.
enum class CachePolicy {
  // An earlier answer kept in the program's HTTP cache may be used when
  // the server's freshness rules allow it.
  UseCache,
  // Every request goes to the server.
  NoCache,
};

struct DownloadOptions {
  std::string agent;  // the User-Agent header; empty: none is sent
  CachePolicy cache = CachePolicy::NoCache;
  int timeoutMs = kDownloadTimeoutMs;
  std::size_t maxBytes = kMaxDownloadBytes;
  // Asked while a synchronous download waits: true ends the wait at once
  // (the caller no longer wants the answer), as a failed download.
  std::function<bool()> abandon;
};

// Starts a GET of `url` (redirects followed) and calls `done` on the main
// loop when it ended, however it ended; never before this returns. A
// status other than 2xx still delivers its body (`ok` is about the
// transfer, not the status).
void DownloadAsync(const std::string& url, const DownloadOptions& options,
                   std::function<void(DownloadResult)> done);

// DownloadAsync, waiting for the end while letting messages run.
DownloadResult Download(const std::string& url, const DownloadOptions& options);

// The file name of the running executable, without its folder: the agent
// of the feed reader's downloads.
std::string ExecutableFileName();

// Where the program keeps the HTTP cache of its feed downloads (inside the
// user's cache folder). Empty: no cache on disk.
void SetFeedCacheFolder(const std::string& folder);

// The feed reader's download. Creates (or empties) the file `path` first,
// then downloads `address` with the executable's file name as the agent,
// earlier answers from the cache allowed, and writes the body into the
// file whatever the status. When the address cannot be opened, the
// transfer fails, takes too long or the body is too large, the file is
// left empty.
struct FeedFileResult {
  bool fileCreated = false;  // false: the file could not be made (`error`)
  bool downloaded = false;   // the whole body came and is in the file
  std::string error;         // what went wrong, when anything did
};
FeedFileResult FetchFeedFile(const std::string& address, const std::string& path,
                             std::function<bool()> abandon = {});

// The second download path: `address` with the agent `agent`, every
// request to the server. True when a 2xx answer came whole and was written
// to `path` (replacing it); on any failure `path` stays as it was.
bool FetchUrlToFile(const std::string& address, const std::string& path, const std::string& agent);
// The same without waiting: `done` gets the result on the main loop.
void FetchUrlToFileAsync(const std::string& address, const std::string& path, const std::string& agent,
                         std::function<void(bool)> done);

}  // namespace net
