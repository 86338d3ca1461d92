// The installed way of opening links: the real program, started twice in
// one desktop session (a private session bus), hands the second start's
// addresses to the first window, while New Session stays on its own.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/FixtureServer.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

using testing_support::FixtureServer;
using testing_support::TempFolder;

// A process of the program (or of the bus) the test started; it is ended
// with the test.
class Child {
 public:
  Child(const std::vector<std::string>& command, const std::vector<std::string>& environment,
        const std::string& folder = {}, bool readLine = false) {
    std::vector<char*> argv, envp;
    for (const auto& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    GError* error = nullptr;
    gint out = -1;
    const bool started = g_spawn_async_with_pipes(
        folder.empty() ? nullptr : folder.c_str(), argv.data(), envp.data(),
        GSpawnFlags(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_SEARCH_PATH | G_SPAWN_STDERR_TO_DEV_NULL |
                    (readLine ? 0 : G_SPAWN_STDOUT_TO_DEV_NULL)),
        nullptr, nullptr, &pid_, nullptr, readLine ? &out : nullptr, nullptr, &error);
    if (!started) {
      ADD_FAILURE() << command[0] << ": " << (error ? error->message : "not started");
      if (error) g_error_free(error);
      return;
    }
    auto status = status_;
    g_child_watch_add(pid_, +[](GPid pid, gint code, gpointer data) {
      auto* keep = static_cast<std::shared_ptr<std::optional<int>>*>(data);
      **keep = g_spawn_check_wait_status(code, nullptr) ? 0 : (WIFEXITED(code) ? WEXITSTATUS(code) : 128);
      delete keep;
      g_spawn_close_pid(pid);
    }, new std::shared_ptr<std::optional<int>>(status));
    if (readLine) {
      std::string text;
      char c = 0;
      while (read(out, &c, 1) == 1 && c != '\n') text += c;
      close(out);
      line = text;
    }
  }
  ~Child() { End(); }

  void End() {
    if (pid_ > 0 && !status_->has_value()) {
      kill(pid_, SIGTERM);
      ui::WaitUntil([&] { return status_->has_value(); }, 5000);
      if (!status_->has_value()) kill(pid_, SIGKILL);
    }
  }
  // Lets messages run until the process ended, at most `timeoutMs`.
  bool WaitForExit(int timeoutMs) { return ui::WaitUntil([&] { return status_->has_value(); }, timeoutMs); }
  std::optional<int> status() const { return *status_; }

  std::string line;  // the first line it printed, when asked for

 private:
  GPid pid_ = 0;
  std::shared_ptr<std::optional<int>> status_ = std::make_shared<std::optional<int>>();
};

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sub : {"data/Lumivale", "cache", "config", "runtime", "pages"})
      std::filesystem::create_directories(home / sub);
    std::filesystem::permissions(home / "runtime", std::filesystem::perms::owner_all);
    std::ofstream(home / "data/Lumivale/Lumivale.cfg") << "[Config]\nHomepage=" << server.Url("/home") << "\n";
    server.AddPage("/home", "<title>Home</title>");
    server.AddPage("/second", "<title>Second</title>");
    server.AddPage("/third", "<title>Third</title>");
    server.AddPage("/picture.png", "", 200, "image/png");
    // A local page, named relative to the folder a command is given in; its
    // picture tells the server it was opened.
    std::ofstream(home / "pages/local.html")
        << "<title>Local</title><img src=\"" << server.Url("/picture.png") << "\">";

    bus = std::make_unique<Child>(std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--print-address=1"},
                                  Environment(""), "", /*readLine=*/true);
    ASSERT_FALSE(bus->line.empty());
  }

  // The environment of the program: a home of its own on the test's
  // display, with the private session bus.
  std::vector<std::string> Environment(const std::string& busAddress) const {
    std::vector<std::string> e = {"HOME=" + home.str(), "XDG_DATA_HOME=" + (home / "data"),
                                  "XDG_CACHE_HOME=" + (home / "cache"), "XDG_CONFIG_HOME=" + (home / "config"),
                                  "XDG_RUNTIME_DIR=" + (home / "runtime"), "NO_AT_BRIDGE=1", "GTK_A11Y=none",
                                  "PATH=" + std::string(g_getenv("PATH") ? g_getenv("PATH") : "/usr/bin:/bin")};
    for (const char* name : {"DISPLAY", "XAUTHORITY"})
      if (const char* value = g_getenv(name)) e.push_back(std::string(name) + "=" + value);
    if (!busAddress.empty()) e.push_back("DBUS_SESSION_BUS_ADDRESS=" + busAddress);
    return e;
  }

  std::unique_ptr<Child> Start(std::vector<std::string> arguments, const std::string& folder = {}) {
    arguments.insert(arguments.begin(), LUMIVALE_PROGRAM);
    return std::make_unique<Child>(arguments, Environment(bus->line), folder);
  }

  bool WaitForRequests(const std::string& path, int count, int timeoutMs = 30000) {
    return ui::WaitUntil([&] { return server.RequestCount(path) >= count; }, timeoutMs);
  }

  TempFolder home;
  FixtureServer server;
  std::unique_ptr<Child> bus;
};

TEST_F(SingleInstance, ALaterStartHandsItsAddressesToTheRunningWindowAndEnds) {
  auto first = Start({});
  ASSERT_TRUE(WaitForRequests("/home", 1)) << "the first window did not open its home page";

  // An address, and a local file named relative to the folder of the
  // command: both become tabs of the first window.
  auto second = Start({server.Url("/second"), "local.html"}, home / "pages");
  ASSERT_TRUE(second->WaitForExit(20000)) << "the second start did not end";
  EXPECT_EQ(second->status(), 0);
  ASSERT_TRUE(WaitForRequests("/second", 1));
  ASSERT_TRUE(WaitForRequests("/picture.png", 1)) << "the local page was not opened";
  // Requested by the program, with its agent.
  EXPECT_EQ(server.RequestsFor("/second").at(0).userAgent.rfind("Lumivale/", 0), 0u);

  // Without an address: a new tab on the home page there.
  auto third = Start({});
  ASSERT_TRUE(third->WaitForExit(20000));
  EXPECT_EQ(third->status(), 0);
  EXPECT_TRUE(WaitForRequests("/home", 2));
  EXPECT_FALSE(first->status().has_value()) << "the first window ended";
}

TEST_F(SingleInstance, NewSessionStartsAWindowOfItsOwn) {
  auto first = Start({});
  ASSERT_TRUE(WaitForRequests("/home", 1));
  auto session = Start({"--new-session", server.Url("/third")});
  ASSERT_TRUE(WaitForRequests("/third", 1));
  // It opened the address itself and stays, beside the first.
  ui::WaitWithMessages(1000);
  EXPECT_FALSE(session->status().has_value());
  EXPECT_FALSE(first->status().has_value());
  EXPECT_EQ(server.RequestCount("/home"), 1) << "the address replaces the home page of a window started with one";
}

}  // namespace
