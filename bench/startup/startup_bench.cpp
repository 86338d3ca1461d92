// Start-up of the browser against a bare WebKitGTK window (bare_webkit),
// each started as a process of its own and timed from just before the
// spawn:
//   - first navigation: the loopback server below receives the request
//     for the start page;
//   - first page loaded: it receives "/loaded", which the page's onload
//     script requests.
// The reported time is the second; the first is the "navigation_ms"
// counter (the CPU column is the driver's own time, not the program's).
// A while after the page loaded (3 s) the memory of the program's process
// tree is taken: the proportional set size (Pss in /proc/PID/smaps_rollup)
// of the program and of every process descended from it, summed per kind
// of process (the program itself, WebKit's web and network processes,
// anything else) and in all; the "pss_mib" counter is the sum. Pss moves
// with what else runs on the machine, so the summary also gives it as if
// the program ran alone and without the file-backed pages (see Memory).
// After the table a summary gives both moments and the memory for every
// program, their spread and the browser's ratio to (and, for memory,
// difference from) the bare window.
//
// Every run starts from nothing: fresh home, data, config and cache
// folders, so no program gets a warm WebKit cache, cookie store or
// settings from an earlier run, and every run of a program does the same
// work (a kept folder would change from run to run: the browser adds to
// its history and cookie files, WebKit to its caches). Otherwise each
// program gets the driver's environment unchanged. Each program runs
// once, untimed, before its first measured run, so the libraries are in
// the page cache for all alike. Runs of the programs are interleaved in
// random order, so the noise of the machine falls on every program the
// same way.
//
// Run on a display (the programs open windows), with a session bus:
//   dbus-run-session -- xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" build/bench/startup_bench
// or `scripts/run-bench build`, which does this for every benchmark.
//
// Own options (before or among the benchmark's own):
//   --startup_program=NAME=PATH  also time PATH, which is given the start
//                                page's address as its only argument
//                                (another browser); may be repeated
//   --startup_timeout=SECONDS    give up on a run after this long (30)
//   --startup_settle=SECONDS     how long after the page loaded the memory
//                                is taken (3)
// Defaults that differ from the library's (each can be given otherwise):
//   --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true
//   --benchmark_display_aggregates_only=true
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <libsoup/soup.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#ifndef LUMIVALE_PATH
#error "LUMIVALE_PATH: the browser's executable"
#endif
#ifndef BARE_WEBKIT_PATH
#error "BARE_WEBKIT_PATH: the bare WebKitGTK window's executable"
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The memory of a process tree, in KiB, by kind of process, in three
// views:
//   pss:   the proportional set size (Pss), as the kernel counts it. Its
//          file-backed part (the program's and the libraries' code and
//          data) is shared with every other process on the machine that
//          maps the same files, so it shrinks while other programs using
//          WebKit run (on a shared machine, by tens of MiB).
//   alone: the same with the file-backed pages shared only among the
//          processes of the tree, as if nothing else ran: what a quiet
//          machine would show. It needs the page frame numbers of
//          /proc/PID/pagemap, which only a privileged driver can read.
//   made:  without the file-backed pages (Pss_Anon + Pss_Shmem): what the
//          processes allocated. Steady from run to run.
enum Kind { kProgram, kWeb, kNetwork, kOther, kKinds };
enum View { kPss, kAlone, kMade, kViews };

struct Memory {
  long pss[kKinds] = {};
  long file[kKinds] = {};   // the file-backed part of pss (Pss_File)
  long alone[kKinds] = {};  // the file-backed pages shared only within the tree
  bool aloneKnown = false;
  long Of(View view, int kind) const {
    if (kind == kKinds) return Of(view, kProgram) + Of(view, kWeb) + Of(view, kNetwork) + Of(view, kOther);
    switch (view) {
      case kPss:
        return pss[kind];
      case kAlone:
        return pss[kind] - file[kind] + alone[kind];
      default:
        return pss[kind] - file[kind];
    }
  }
};

// One start-up, in seconds from just before the spawn, and the memory of
// the program's processes a while after the page loaded.
struct Sample {
  double navigation = 0;
  double loaded = 0;
  Memory memory;
};

struct Program {
  Program(std::string name, std::string path, bool homePageFromSettings)
      : name(std::move(name)), path(std::move(path)), homePageFromSettings(homePageFromSettings) {}

  std::string name;
  std::string path;
  // The browser finds its home page in its settings file; every other
  // program is given the address as its argument.
  bool homePageFromSettings = false;
  bool warmedUp = false;
  int failures = 0;      // runs that failed and were tried again
  std::string failure;   // why the last failed run failed
  bool givenUp = false;  // failed too often in a row: no more runs
  std::vector<Sample> samples;
};

int timeoutSeconds = 30;
int settleSeconds = 3;

// ---------------------------------------------------------------------------
// The loopback server. It runs on the default main context, which the
// driver iterates while a program starts.

class StartServer {
 public:
  StartServer() {
    server_ = soup_server_new(nullptr, nullptr);
    soup_server_add_handler(server_, "/page", &StartServer::OnPage, this, nullptr);
    soup_server_add_handler(server_, "/loaded", &StartServer::OnLoaded, this, nullptr);
    GError* error = nullptr;
    if (!soup_server_listen_local(server_, 0, SOUP_SERVER_LISTEN_IPV4_ONLY, &error)) {
      std::fprintf(stderr, "startup_bench: cannot listen on loopback: %s\n", error->message);
      std::exit(1);
    }
    GSList* uris = soup_server_get_uris(server_);
    port_ = g_uri_get_port(static_cast<GUri*>(uris->data));
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
  }
  ~StartServer() {
    soup_server_disconnect(server_);
    g_object_unref(server_);
  }
  StartServer(const StartServer&) = delete;
  StartServer& operator=(const StartServer&) = delete;

  // The start page of run `run`; requests of other runs are not counted.
  std::string PageUrl(int run) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/page?run=" + std::to_string(run);
  }

  // Forgets what came in and waits for the requests of run `run`.
  void Expect(int run) {
    run_ = std::to_string(run);
    pageAt.reset();
    loadedAt.reset();
  }

  std::optional<Clock::time_point> pageAt;    // the first request for the page
  std::optional<Clock::time_point> loadedAt;  // the first request for "/loaded"

 private:
  bool ForThisRun(GHashTable* query) const {
    const char* run = query ? static_cast<const char*>(g_hash_table_lookup(query, "run")) : nullptr;
    return run && run_ == run;
  }

  static void OnPage(SoupServer*, SoupServerMessage* msg, const char*, GHashTable* query, gpointer data) {
    const auto now = Clock::now();
    auto* self = static_cast<StartServer*>(data);
    if (self->ForThisRun(query) && !self->pageAt) self->pageAt = now;
    // The page asks for "/loaded" with its own query once it has loaded.
    static const char kBody[] =
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Start-up</title></head>"
        "<body onload=\"fetch('/loaded' + location.search, {cache: 'no-store'})\">"
        "<h1>Start-up</h1><p>This page tells the server when it has loaded.</p></body></html>";
    soup_message_headers_replace(soup_server_message_get_response_headers(msg), "Cache-Control", "no-store");
    soup_server_message_set_status(msg, 200, nullptr);
    soup_server_message_set_response(msg, "text/html; charset=utf-8", SOUP_MEMORY_STATIC, kBody, sizeof kBody - 1);
  }

  static void OnLoaded(SoupServer*, SoupServerMessage* msg, const char*, GHashTable* query, gpointer data) {
    const auto now = Clock::now();
    auto* self = static_cast<StartServer*>(data);
    if (self->ForThisRun(query) && !self->loadedAt) self->loadedAt = now;
    soup_server_message_set_status(msg, 204, nullptr);
  }

  SoupServer* server_ = nullptr;
  int port_ = 0;
  std::string run_;
};

StartServer& Server() {
  static StartServer server;
  return server;
}

// ---------------------------------------------------------------------------
// One start-up of one program.

// Home, data, config and cache folders of one run, removed with it.
class Scratch {
 public:
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumivale-startup-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    for (const char* name : {"home", "data", "config", "cache"}) std::filesystem::create_directory(root_ / name);
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  std::string operator/(const std::string& name) const { return (root_ / name).string(); }

 private:
  std::filesystem::path root_;
};

std::string Tail(const std::string& path, std::size_t bytes) {
  std::ifstream in(path, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(in), {});
  return text.size() > bytes ? "..." + text.substr(text.size() - bytes) : text;
}

// Kills the process group `group` (the program and the WebKit processes
// it started) and reaps all of them. The driver is the child subreaper,
// so the WebKit processes become its children when their parent dies.
void KillGroup(pid_t group) {
  kill(-group, SIGKILL);
  int status = 0;
  while (waitpid(-group, &status, 0) > 0 || errno == EINTR) {
  }
  // Anything of the group that is not (yet) our child.
  for (int i = 0; i < 200 && kill(-group, 0) == 0; ++i) {
    kill(-group, SIGKILL);
    usleep(10000);
    while (waitpid(-group, &status, WNOHANG) > 0) {
    }
  }
}

// ---------------------------------------------------------------------------
// The memory of a process tree.

std::string ReadSmall(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The parent of every process there is now.
std::map<pid_t, pid_t> Parents() {
  std::map<pid_t, pid_t> parents;
  DIR* proc = opendir("/proc");
  if (!proc) return parents;
  while (dirent* entry = readdir(proc)) {
    char* end = nullptr;
    const long pid = std::strtol(entry->d_name, &end, 10);
    if (pid <= 0 || *end) continue;
    // "PID (COMM) STATE PPID ...": the name may hold blanks and brackets.
    const std::string stat = ReadSmall("/proc/" + std::string(entry->d_name) + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    long parent = 0;
    if (std::sscanf(stat.c_str() + close + 1, " %c %ld", &state, &parent) == 2) parents[pid_t(pid)] = pid_t(parent);
  }
  closedir(proc);
  return parents;
}

// `root` and every process descended from it, `root` first.
std::vector<pid_t> Tree(pid_t root) {
  const auto parents = Parents();
  std::vector<pid_t> tree{root};
  for (std::size_t i = 0; i < tree.size(); ++i)
    for (const auto& [pid, parent] : parents)
      if (parent == tree[i] && pid != root) tree.push_back(pid);
  return tree;
}

// A "Name:  N kB" line of a process's smaps_rollup, in KiB.
long RollupField(const std::string& rollup, const char* name) {
  const auto at = rollup.find("\n" + std::string(name) + ":");
  return at == std::string::npos ? 0 : std::strtol(rollup.c_str() + at + std::strlen(name) + 2, nullptr, 10);
}

// The page frames `pid` has in memory in mappings of files, one entry per
// mapped page, leaving out the private copies it made of pages (which
// are counted as anonymous); nothing when the frame numbers cannot be
// read. The frames of shared memory (memfd, SysV) are among them.
std::optional<std::vector<std::uint64_t>> FileFrames(pid_t pid) {
  const std::string folder = "/proc/" + std::to_string(pid);
  std::ifstream maps(folder + "/maps");
  const int fd = open((folder + "/pagemap").c_str(), O_RDONLY | O_CLOEXEC);
  if (!maps || fd < 0) {
    if (fd >= 0) close(fd);
    return std::nullopt;
  }
  const std::uint64_t page = std::uint64_t(sysconf(_SC_PAGESIZE));
  std::vector<std::uint64_t> frames;
  std::vector<std::uint64_t> entries;
  bool readable = true;
  std::string line;
  while (readable && std::getline(maps, line)) {
    // "START-END PERMS OFFSET DEV INODE PATH": a file has an inode.
    unsigned long long first = 0, last = 0, inode = 0;
    char perms[8] = {}, dev[16] = {};
    unsigned long long offset = 0;
    if (std::sscanf(line.c_str(), "%llx-%llx %7s %llx %15s %llu", &first, &last, perms, &offset, dev, &inode) != 6 ||
        inode == 0) {
      continue;
    }
    entries.resize((last - first) / page);
    const ssize_t want = ssize_t(entries.size() * sizeof(std::uint64_t));
    if (pread(fd, entries.data(), std::size_t(want), off_t(first / page * sizeof(std::uint64_t))) != want) continue;
    for (std::uint64_t e : entries) {
      const bool present = e >> 63 & 1;
      const bool fileOrShared = e >> 61 & 1;
      const std::uint64_t frame = e & ((std::uint64_t(1) << 55) - 1);
      if (!present || !fileOrShared) continue;
      if (frame == 0) {
        readable = false;  // the kernel hides frame numbers from this driver
        break;
      }
      frames.push_back(frame);
    }
  }
  close(fd);
  if (!readable) return std::nullopt;
  return frames;
}

// The memory of `root`'s process tree now; nothing (and `error` says why)
// when the program itself cannot be read.
std::optional<Memory> MemoryOf(pid_t root, std::string& error) {
  Memory memory;
  std::vector<std::pair<std::uint64_t, Kind>> frames;  // every file-backed page of the tree, by its process's kind
  memory.aloneKnown = true;
  for (pid_t pid : Tree(root)) {
    const std::string rollup = ReadSmall("/proc/" + std::to_string(pid) + "/smaps_rollup");
    if (rollup.find("\nPss:") == std::string::npos) {
      if (pid != root) continue;  // ended meanwhile
      error = "cannot read /proc/" + std::to_string(pid) + "/smaps_rollup";
      return std::nullopt;
    }
    // The kernel keeps 15 characters of the name: "WebKitWebProces".
    const std::string name = ReadSmall("/proc/" + std::to_string(pid) + "/comm");
    const Kind kind = pid == root                           ? kProgram
                      : name.rfind("WebKitWebProc", 0) == 0 ? kWeb
                      : name.rfind("WebKitNetwork", 0) == 0 ? kNetwork
                                                            : kOther;
    memory.pss[kind] += RollupField(rollup, "Pss");
    memory.file[kind] += RollupField(rollup, "Pss_File");
    if (memory.aloneKnown) {
      const auto mine = FileFrames(pid);
      if (!mine) {
        memory.aloneKnown = false;
      } else {
        for (std::uint64_t f : *mine) frames.emplace_back(f, kind);
      }
    }
  }
  // Only the frames of the page cache: shared memory is swap-backed
  // (bit 14 of /proc/kpageflags) and counted as such already.
  const int flagsFd = memory.aloneKnown ? open("/proc/kpageflags", O_RDONLY | O_CLOEXEC) : -1;
  if (flagsFd < 0) memory.aloneKnown = false;
  if (memory.aloneKnown) {
    std::sort(frames.begin(), frames.end());
    std::uint64_t last = 0;
    bool lastIsCache = false;
    std::erase_if(frames, [&](const std::pair<std::uint64_t, Kind>& f) {
      if (f.first != last) {
        std::uint64_t flags = 0;
        last = f.first;
        lastIsCache = pread(flagsFd, &flags, sizeof flags, off_t(f.first * sizeof flags)) == sizeof flags &&
                      !(flags >> 14 & 1) && !(flags >> 12 & 1);
      }
      return !lastIsCache;
    });
  }
  if (flagsFd >= 0) close(flagsFd);
  if (memory.aloneKnown) {
    // A page mapped N times in the tree counts 1/N to each mapping.
    const double pageKib = double(sysconf(_SC_PAGESIZE)) / 1024;
    double alone[kKinds] = {};
    for (std::size_t i = 0; i < frames.size();) {
      std::size_t j = i;
      while (j < frames.size() && frames[j].first == frames[i].first) ++j;
      for (std::size_t k = i; k < j; ++k) alone[frames[k].second] += pageKib / double(j - i);
      i = j;
    }
    for (int k = 0; k < kKinds; ++k) memory.alone[k] = std::lround(alone[k]);
  }
  return memory;
}

// Starts `program` on the start page of run `run`, waits until the page
// has loaded and settled, takes its memory, ends it. Nothing (and `error` says why) when it did not get
// that far.
std::optional<Sample> RunOnce(const Program& program, int run, std::string& error) {
  StartServer& server = Server();
  Scratch scratch;
  const std::string url = server.PageUrl(run);

  std::vector<std::string> args{program.path};
  if (program.homePageFromSettings) {
    std::filesystem::create_directories(scratch / "data/Lumivale");
    std::ofstream(scratch / "data/Lumivale/Lumivale.cfg") << "[Config]\nHomepage=" << url << "\n";
  } else {
    args.push_back(url);
  }

  // The driver's own environment (display, session bus, runtime folder),
  // with folders of this run only.
  gchar** env = g_get_environ();
  env = g_environ_setenv(env, "HOME", (scratch / "home").c_str(), TRUE);
  env = g_environ_setenv(env, "XDG_DATA_HOME", (scratch / "data").c_str(), TRUE);
  env = g_environ_setenv(env, "XDG_CONFIG_HOME", (scratch / "config").c_str(), TRUE);
  env = g_environ_setenv(env, "XDG_CACHE_HOME", (scratch / "cache").c_str(), TRUE);

  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // Its own process group, default signal handling, output to a file.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setpgroup(&attr, 0);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  const std::string log = scratch / "output.txt";
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&files, 1, 2);

  server.Expect(run);
  // Wakes the loop now and then to notice a program that died.
  const guint tick = g_timeout_add(50, +[](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);

  pid_t pid = 0;
  const auto start = Clock::now();
  const int spawned = posix_spawn(&pid, program.path.c_str(), &files, &attr, argv.data(), env);
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attr);
  g_strfreev(env);
  if (spawned != 0) {
    g_source_remove(tick);
    error = program.path + ": " + std::strerror(spawned);
    return std::nullopt;
  }

  const auto deadline = start + std::chrono::seconds(timeoutSeconds);
  bool exited = false;
  int status = 0;
  while (!server.loadedAt && Clock::now() < deadline) {
    g_main_context_iteration(nullptr, TRUE);
    if (!server.loadedAt && waitpid(pid, &status, WNOHANG) == pid) {
      exited = true;
      break;
    }
  }
  // The memory once the program had time to settle after the load; it
  // keeps running meanwhile, and the loop serves what it asks for.
  std::optional<Memory> memory;
  std::string memoryError = "it ended before its memory was taken";
  if (server.loadedAt && !exited) {
    const auto settled = *server.loadedAt + std::chrono::seconds(settleSeconds);
    while (Clock::now() < settled && !exited) {
      g_main_context_iteration(nullptr, TRUE);
      exited = waitpid(pid, &status, WNOHANG) == pid;
    }
    if (!exited) memory = MemoryOf(pid, memoryError);
  }
  g_source_remove(tick);
  KillGroup(pid);

  if (!server.pageAt || !server.loadedAt) {
    const std::string output = Tail(log, 2000);
    error = program.name + (exited ? ": ended before the page loaded" : ": no load within the time-out") +
            (server.pageAt ? " (the page was requested)" : " (the page was never requested)") +
            "; its output:\n" + (output.empty() ? std::string("(none)") : output);
    return std::nullopt;
  }
  if (!memory) {
    error = program.name + ": no memory taken: " + memoryError;
    return std::nullopt;
  }
  return Sample{Seconds(*server.pageAt - start), Seconds(*server.loadedAt - start), *memory};
}

// A run that fails (a time-out on a loaded machine, a crash) is told on
// standard error and tried again; a program is given up after this many
// failures in a row.
constexpr int kAttempts = 3;

// One run of `program` that succeeded, or nothing after kAttempts
// failures (`program->failure` says the last one's cause).
std::optional<Sample> Attempt(Program* program, int& run) {
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    std::string error;
    if (auto sample = RunOnce(*program, ++run, error)) return sample;
    ++program->failures;
    program->failure = error;
    std::fprintf(stderr, "startup_bench: run %d of %s failed (%d of %d in a row): %s\n", run, program->name.c_str(),
                 attempt, kAttempts, error.c_str());
  }
  return std::nullopt;
}

void BM_Startup(benchmark::State& state, Program* program) {
  static int run = 0;
  if (!program->warmedUp) {
    program->warmedUp = true;
    if (!Attempt(program, run)) program->givenUp = true;
  }
  if (program->givenUp) {
    state.SkipWithError(program->failure.c_str());
    return;
  }
  double navigation = 0;
  double pss = 0;
  for (auto _ : state) {
    const auto sample = Attempt(program, run);
    if (!sample) {
      program->givenUp = true;
      state.SkipWithError(program->failure.c_str());
      break;
    }
    state.SetIterationTime(sample->loaded);
    navigation += sample->navigation;
    pss += double(sample->memory.Of(kPss, kKinds)) / 1024;
    program->samples.push_back(*sample);
  }
  state.counters["navigation_ms"] = benchmark::Counter(navigation * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["pss_mib"] = benchmark::Counter(pss, benchmark::Counter::kAvgIterations);
}

// ---------------------------------------------------------------------------
// The summary after the table.

struct Spread {
  std::size_t runs = 0;
  double mean = 0, stddev = 0, min = 0, median = 0, max = 0;
};

Spread SpreadOf(std::vector<double> v) {
  Spread s;
  s.runs = v.size();
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  for (double x : v) s.mean += x;
  s.mean /= double(v.size());
  for (double x : v) s.stddev += (x - s.mean) * (x - s.mean);
  s.stddev = v.size() > 1 ? std::sqrt(s.stddev / double(v.size() - 1)) : 0;
  s.min = v.front();
  s.max = v.back();
  s.median = v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  return s;
}

// One moment of every run of `p`, in milliseconds.
Spread SpreadOf(const Program& p, double Sample::*moment) {
  std::vector<double> ms;
  for (const Sample& s : p.samples) ms.push_back(s.*moment * 1e3);
  return SpreadOf(ms);
}

// The memory of every run of `p` in `view`, in MiB: of the processes of
// `kind`, or of the whole tree when `kind` is kKinds.
Spread SpreadOf(const Program& p, View view, int kind) {
  std::vector<double> mib;
  for (const Sample& s : p.samples) mib.push_back(double(s.memory.Of(view, kind)) / 1024);
  return SpreadOf(mib);
}

bool AloneKnown(const Program& p) {
  return !p.samples.empty() &&
         std::all_of(p.samples.begin(), p.samples.end(), [](const Sample& s) { return s.memory.aloneKnown; });
}

// The ratio of two means and its 95 % interval, for independent runs: the
// ratio's relative error is that of the two means together (first-order),
// with Welch's degrees of freedom for Student's t. The same for the
// difference of two means.
struct Ratio {
  double value = 0, low = 0, high = 0;
};

// Student's t for 97.5 % with `df` degrees of freedom, by the
// Cornish-Fisher expansion around 1.96: within 2 % of the table from 4
// degrees of freedom on, 0.2 % from 10.
double StudentT(double df) {
  const double z = 1.959964;
  return z + (z * z * z + z) / (4 * df) + (5 * std::pow(z, 5) + 16 * z * z * z + 3 * z) / (96 * df * df);
}

// Welch's degrees of freedom for two variances of means.
double WelchDf(double va, std::size_t na, double vb, std::size_t nb) {
  if (va + vb <= 0) return 1e9;
  return (va + vb) * (va + vb) / (va * va / double(na - 1) + vb * vb / double(nb - 1));
}

Ratio RatioOf(const Spread& a, const Spread& b) {
  Ratio r;
  r.value = a.mean / b.mean;
  if (a.runs < 2 || b.runs < 2) {
    r.low = r.high = r.value;
    return r;
  }
  const double va = a.stddev * a.stddev / (double(a.runs) * a.mean * a.mean);
  const double vb = b.stddev * b.stddev / (double(b.runs) * b.mean * b.mean);
  const double half = StudentT(WelchDf(va, a.runs, vb, b.runs)) * r.value * std::sqrt(va + vb);
  r.low = r.value - half;
  r.high = r.value + half;
  return r;
}

Ratio DifferenceOf(const Spread& a, const Spread& b) {
  Ratio d;
  d.value = a.mean - b.mean;
  if (a.runs < 2 || b.runs < 2) {
    d.low = d.high = d.value;
    return d;
  }
  const double va = a.stddev * a.stddev / double(a.runs);
  const double vb = b.stddev * b.stddev / double(b.runs);
  const double half = StudentT(WelchDf(va, a.runs, vb, b.runs)) * std::sqrt(va + vb);
  d.low = d.value - half;
  d.high = d.value + half;
  return d;
}

// The verdict on an estimate against an upper bound.
const char* Verdict(const Ratio& r, double bound, const char* within, const char* notWithin) {
  static std::string text;
  if (r.high <= bound) return within;
  if (r.low > bound) return notWithin;
  text = std::string(r.value <= bound ? within : notWithin) + ", but not surely at this noise (more runs would tell)";
  return text.c_str();
}

void PrintSummary(std::FILE* out, const std::vector<std::unique_ptr<Program>>& programs) {
  const struct {
    const char* title;
    double Sample::*moment;
  } moments[] = {{"first navigation issued", &Sample::navigation}, {"first page loaded", &Sample::loaded}};
  const Program& lumivale = *programs[0];
  const Program& bare = *programs[1];
  if (std::none_of(programs.begin(), programs.end(), [](const auto& p) { return !p->samples.empty(); })) return;

  std::fprintf(out,
               "\nStart-up from just before the spawn, in ms (fresh home, data, config and cache folders every run;\n"
               "runs of the programs interleaved; one untimed run of each first). ratio: mean against %s's.\n",
               bare.name.c_str());
  for (const auto& m : moments) {
    std::fprintf(out, "\n%-24s %5s %8s %8s %8s %8s %8s %8s\n", m.title, "runs", "mean", "stddev", "min", "median",
                 "max", "ratio");
    const Spread reference = SpreadOf(bare, m.moment);
    for (const auto& p : programs) {
      if (p->samples.empty()) continue;
      const Spread s = SpreadOf(*p, m.moment);
      std::fprintf(out, "%-24s %5zu %8.1f %8.1f %8.1f %8.1f %8.1f", p->name.c_str(), s.runs, s.mean, s.stddev, s.min,
                   s.median, s.max);
      if (reference.runs) std::fprintf(out, " %8.3f", s.mean / reference.mean);
      std::fprintf(out, "\n");
    }
  }

  if (lumivale.samples.empty() || bare.samples.empty()) return;
  for (const auto& p : programs) {
    if (p->failures)
      std::fprintf(out, "\n%s: %d failed run%s, each tried again (the causes are on standard error)\n",
                   p->name.c_str(), p->failures, p->failures == 1 ? "" : "s");
  }

  const struct {
    View view;
    const char* title;
  } views[] = {{kPss, "Pss"},
               {kAlone, "Pss as if alone (file-backed pages shared only within the tree)"},
               {kMade, "made (Pss_Anon + Pss_Shmem: without the file-backed pages)"}};
  const bool alone = std::all_of(programs.begin(), programs.end(),
                                 [](const auto& p) { return p->samples.empty() || AloneKnown(*p); });
  std::fprintf(out,
               "\nMemory of the process tree %d s after the page loaded, in MiB: the whole tree's mean and\n"
               "standard deviation, its median, the medians per kind of process, and diff: the whole tree's\n"
               "mean minus %s's.\n",
               settleSeconds, bare.name.c_str());
  for (const auto& v : views) {
    if (v.view == kAlone && !alone) {
      std::fprintf(out, "\n%s: not known (the page frames in /proc/PID/pagemap are hidden from this driver)\n",
                   v.title);
      continue;
    }
    std::fprintf(out, "\n%s\n%-22s %5s %15s %8s %8s %8s %8s %8s %8s\n", v.title, "", "runs", "whole tree", "median",
                 "program", "web", "network", "other", "diff");
    const Spread reference = SpreadOf(bare, v.view, kKinds);
    for (const auto& p : programs) {
      if (p->samples.empty()) continue;
      const Spread whole = SpreadOf(*p, v.view, kKinds);
      std::fprintf(out, "  %-20s %5zu %7.1f +- %4.1f %8.1f", p->name.c_str(), whole.runs, whole.mean, whole.stddev,
                   whole.median);
      for (int kind : {kProgram, kWeb, kNetwork, kOther})
        std::fprintf(out, " %8.1f", SpreadOf(*p, v.view, kind).median);
      if (reference.runs) std::fprintf(out, " %+8.1f", whole.mean - reference.mean);
      std::fprintf(out, "\n");
    }
  }

  if (lumivale.samples.empty() || bare.samples.empty()) return;
  std::fprintf(out, "\n%s against %s, ratio of the means [95 %% interval]; the target is at most 1.05:\n",
               lumivale.name.c_str(), bare.name.c_str());
  for (const auto& m : moments) {
    const Spread a = SpreadOf(lumivale, m.moment);
    const Spread b = SpreadOf(bare, m.moment);
    const Ratio r = RatioOf(a, b);
    std::fprintf(out, "  %-24s %.3f [%.3f, %.3f]  %+.1f ms  (medians %.3f)  %s\n", m.title, r.value, r.low, r.high,
                 a.mean - b.mean, a.median / b.median, Verdict(r, 1.05, "within 5 %", "NOT within 5 %"));
  }
  std::fprintf(out,
               "\n%s against %s, memory of the whole tree: difference of the means [95 %% interval]; the\n"
               "target is at most +10 MiB:\n",
               lumivale.name.c_str(), bare.name.c_str());
  for (const auto& v : views) {
    if (v.view == kAlone && !alone) continue;
    const Spread a = SpreadOf(lumivale, v.view, kKinds);
    const Spread b = SpreadOf(bare, v.view, kKinds);
    const Ratio d = DifferenceOf(a, b);
    std::fprintf(out, "  %-24s %+.1f MiB [%+.1f, %+.1f]  (medians %+.1f)  %s\n",
                 v.view == kPss ? "Pss" : v.view == kAlone ? "Pss as if alone" : "made", d.value, d.low, d.high,
                 a.median - b.median, Verdict(d, 10, "within 10 MiB", "NOT within 10 MiB"));
  }
}

// Takes the option `--NAME=VALUE` out of argv; its values, in order.
std::vector<std::string> TakeOption(int& argc, char** argv, const std::string& name) {
  std::vector<std::string> values;
  const std::string prefix = "--" + name + "=";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0)
      values.emplace_back(argv[i] + prefix.size());
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  argv[argc] = nullptr;
  return values;
}

bool HasOption(int argc, char** argv, const char* name) {
  const std::string prefix = std::string("--") + name;
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::unique_ptr<Program>> programs;
  programs.push_back(std::make_unique<Program>("lumivale", LUMIVALE_PATH, true));
  programs.push_back(std::make_unique<Program>("bare_webkit", BARE_WEBKIT_PATH, false));
  for (const std::string& option : TakeOption(argc, argv, "startup_program")) {
    const auto equals = option.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == option.size()) {
      std::fprintf(stderr, "startup_bench: --startup_program=NAME=PATH, not \"%s\"\n", option.c_str());
      return 2;
    }
    programs.push_back(std::make_unique<Program>(option.substr(0, equals), option.substr(equals + 1), false));
  }
  for (const std::string& option : TakeOption(argc, argv, "startup_settle")) {
    settleSeconds = std::atoi(option.c_str());
    if (settleSeconds < 0 || option.empty() || option.find_first_not_of("0123456789") != std::string::npos) {
      std::fprintf(stderr, "startup_bench: --startup_settle=SECONDS, not \"%s\"\n", option.c_str());
      return 2;
    }
  }
  for (const std::string& option : TakeOption(argc, argv, "startup_timeout")) {
    timeoutSeconds = std::atoi(option.c_str());
    if (timeoutSeconds <= 0) {
      std::fprintf(stderr, "startup_bench: --startup_timeout=SECONDS, not \"%s\"\n", option.c_str());
      return 2;
    }
  }
  if (!g_getenv("DISPLAY") && !g_getenv("WAYLAND_DISPLAY")) {
    std::fprintf(stderr, "startup_bench: the programs need a display; run it through scripts/run-bench, or as\n"
                         "  dbus-run-session -- xvfb-run -a -s \"-screen 0 1920x1080x24 -noreset\" %s\n",
                 argv[0]);
    return 1;
  }

  // The library's defaults that do not suit a benchmark of a few slow,
  // noisy runs; given on the command line, they win.
  std::vector<char*> args(argv, argv + argc);
  std::string extra[] = {"--benchmark_repetitions=15", "--benchmark_enable_random_interleaving=true",
                         "--benchmark_display_aggregates_only=true"};
  for (std::string& option : extra) {
    const std::string name = option.substr(2, option.find('=') - 2);
    if (!HasOption(argc, argv, name.c_str())) args.insert(args.begin() + 1, option.data());
  }
  int count = int(args.size());
  args.push_back(nullptr);

  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

  // The WebKit processes of a program that was killed become the driver's
  // children, so it can wait for them before the next run starts.
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  Server();

  for (auto& p : programs) {
    benchmark::RegisterBenchmark(("startup/" + p->name).c_str(), BM_Startup, p.get())
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  // The table may be JSON or CSV on standard output; the summary then
  // goes to standard error.
  bool console = true;
  for (int i = 1; i < count; ++i)
    if (std::strncmp(args[i], "--benchmark_format=", 19) == 0 && std::strcmp(args[i] + 19, "console") != 0)
      console = false;
  PrintSummary(console ? stdout : stderr, programs);
  return 0;
}
