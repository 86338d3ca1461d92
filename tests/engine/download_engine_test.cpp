// Files the pages lead to, with the real engine and the main window: what
// becomes a download, where it lands, and what a cancelled or failed one
// leaves behind (nothing).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "engine/WebKitBrowser.h"
#include "library/Tfhistory.h"
#include "navigation/UrlResolution.h"
#include "RealMainForm.h"
#include "support/DownloadFolderSetting.h"
#include "support/FixtureServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

constexpr int kLoadMs = 20000;
constexpr int kDownloadMs = 30000;

// Bytes no text rule would leave as they are: every byte value, NULs and
// line ends included, over several of the engine's reads.
std::string BinaryBody(std::size_t size, unsigned seed) {
  std::string body = "PK\x03\x04";
  for (std::size_t i = 0; body.size() < size; ++i) body += char((i * 131 + seed) & 0xFF);
  return body;
}

class DownloadEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetTerminating(false);
    std::filesystem::create_directories(folder());
    server.AddPage("/home",
                   "<title>Home</title><p id='p'>home</p>"
                   "<a id='zip' href='/files/report.zip'>zip</a>"
                   "<a id='attachment' href='/attachment'>attachment</a>"
                   "<a id='link' href='/page.html' download='saved-page.html'>download link</a>"
                   "<a id='broken' href='/broken.zip'>broken</a>"
                   "<a id='broken-old' href='/broken-old.zip'>broken, HTTP/1.0</a>"
                   "<a id='refused' href='/file.zip' download>refused</a>");
    // The file is elsewhere, where nobody answers.
    server.AddRedirect("/file.zip", refused.Url("/file.zip"));
    server.AddPage("/files/report.zip", zip, 200, "application/zip");
    server.Add("/attachment", {"one line\nand another\n", "text/plain", 200,
                               {{"Content-Disposition", "attachment; filename=\"notes.txt\""}}});
    server.AddPage("/page.html", "<title>Page</title><p>a page to keep</p>");
  }

  void TearDown() override { main.Close(); }

  // Starts the main window on the server's home page, as the program does.
  void Start() {
    main.Open(server.Url("/home"));
    ASSERT_TRUE(ui::WaitUntil(
        [&] {
          engine::Browser* b = form->GetCurrentWB();
          return b && b->IsComplete() && b->LocationURL() == server.Url("/home");
        },
        kLoadMs));
  }

  engine::Browser& Current() { return *form->GetCurrentWB(); }
  void Click(const std::string& id) {
    ASSERT_TRUE(Current().RunScript("document.getElementById('" + id + "').click(); true"));
  }
  // Lets messages run until `count` messages have been shown.
  bool WaitMessages(std::size_t count, int timeoutMs = kDownloadMs) {
    return ui::WaitUntil([&] { return dialogs.shown.size() >= count; }, timeoutMs);
  }
  // The user's download folder, where the dialog starts.
  std::string folder() const { return home / "Downloads"; }
  // The names of the files in the download folder.
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder()))
      names.insert(entry.path().filename().string());
    return names;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  const std::string zip = BinaryBody(300 * 1024, 7);
  testing_support::RefusedPort refused;
  testing_support::FixtureServer server;
  testing_support::TempFolder home;
  testing_support::DownloadFolderSetting folderSetting{home / "Downloads"};
  testing_support::ScriptedDialogs dialogs;
  engine_testing::RealMainForm main;
  testing_support::TempFolder& data = main.data;
  std::unique_ptr<app::TMainForm>& form = main.form;
  std::unique_ptr<library::Tfhistory>& history = main.history;
};

TEST_F(DownloadEngineTest, WhatThePageCannotShowIsSavedWhereTheUserChoseWithItsExactBytes) {
  const struct {
    std::string link;
    std::string suggested;  // what the dialog proposes
    std::string body;       // what lands in the file
    std::string existing;   // a file of that name the user already has, replaced
  } cases[] = {
      {"zip", "report.zip", zip, ""},                                   // a type the engine cannot show
      {"attachment", "notes.txt", "one line\nand another\n", "old notes"},  // text the server sends as a file
      {"link", "saved-page.html", "<title>Page</title><p>a page to keep</p>", ""},  // a download link
  };
  Start();
  std::set<std::string> saved;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    const std::size_t before = dialogs.shown.size();
    const std::string path = folder() + "/" + c.suggested;
    if (!c.existing.empty()) std::ofstream(path, std::ios::binary) << c.existing;
    dialogs.saveAnswer = ui::SaveChoice{path, 0};
    Click(c.link);
    ASSERT_TRUE(WaitMessages(before + 1));
    ASSERT_EQ(dialogs.fileDialogs.size(), before + 1);
    EXPECT_EQ(dialogs.fileDialogs.back().title, "Save Download");
    EXPECT_EQ(dialogs.fileDialogs.back().suggestedName, c.suggested);
    EXPECT_EQ(dialogs.fileDialogs.back().folder, folder());
    EXPECT_EQ(dialogs.shown.back().text, "Download complete: " + path);
    EXPECT_EQ(dialogs.shown.back().icon, ui::Icon::Information);
    EXPECT_TRUE(Read(path) == c.body) << Read(path).size() << " bytes of " << c.body.size();
    // Only the file itself: nothing half-written beside it.
    saved.insert(c.suggested);
    EXPECT_EQ(Files(), saved);
    // The page stays as it was: the download was never shown in the tab.
    EXPECT_EQ(Current().LocationURL(), server.Url("/home"));
    EXPECT_NE(Current().BodyInnerHTML().value_or("").find("id=\"p\""), std::string::npos);
    EXPECT_FALSE(form->DownloadsRunning());
  }
}

TEST_F(DownloadEngineTest, ACancelledDialogSavesNothingAnywhere) {
  Start();
  dialogs.saveAnswer.reset();
  Click("zip");
  ASSERT_TRUE(ui::WaitUntil([&] { return !dialogs.fileDialogs.empty(); }, kDownloadMs));
  ASSERT_TRUE(ui::WaitUntil([&] { return !form->DownloadsRunning(); }, kDownloadMs));
  // Time for anything the engine might still write.
  ui::WaitWithMessages(500);
  EXPECT_TRUE(Files().empty());
  for (const auto& entry : std::filesystem::recursive_directory_iterator(home.path()))
    EXPECT_FALSE(entry.is_regular_file()) << entry.path();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(Current().LocationURL(), server.Url("/home"));
}

TEST_F(DownloadEngineTest, AFailedDownloadLeavesNoPartialFileAndIsReportedByName) {
  // Thirty pieces of a file; the server goes away before the last. An
  // HTTP/1.0 server's early end reaches the engine as a plain end.
  const std::string body = BinaryBody(400 * 1024, 3);
  server.AddSlowBody("/broken.zip", body, 30, "application/zip", {}, /*dropAtEnd=*/true);
  server.AddSlowBody("/broken-old.zip", body, 30, "application/zip", {}, /*dropAtEnd=*/true, /*http10=*/true);
  const struct {
    std::string link;
    std::string name;
    bool asked;            // the server answered, so the user was asked where to save
    std::string existing;  // the user's own file of that name, which must stay as it was
  } cases[] = {
      {"broken", "broken.zip", true, ""},
      {"broken", "broken.zip", true, "the user's own file"},
      {"broken-old", "broken-old.zip", true, ""},
      {"refused", "file.zip", false, ""},  // its server cannot be reached
  };
  Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link + " " + c.existing);
    dialogs.shown.clear();
    dialogs.fileDialogs.clear();
    const std::string path = folder() + "/" + c.name;
    if (!c.existing.empty()) std::ofstream(path, std::ios::binary) << c.existing;
    dialogs.saveAnswer = ui::SaveChoice{path, 0};
    // Every text the status line shows.
    bool progressShown = false;
    sigc::connection watch = form->infotextLabel.property_label().signal_changed().connect([&] {
      const std::string status = form->infotextLabel.get_text();
      progressShown |= status.rfind("Downloading " + c.name + ": ", 0) == 0 &&
                       status.find(" KB of ") != std::string::npos;
    });
    Click(c.link);
    const bool ended = ui::WaitUntil([&] { return !dialogs.shown.empty(); }, kDownloadMs);
    watch.disconnect();
    ASSERT_TRUE(ended);
    EXPECT_EQ(dialogs.fileDialogs.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_TRUE(progressShown) << "the file was not under way when it failed";
    }
    const std::string prefix = "The download of " + c.name + " failed: ";
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.rfind(prefix, 0), 0u) << dialogs.shown[0].text;
    EXPECT_GT(dialogs.shown[0].text.size(), prefix.size()) << "no reason given";
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Error);
    ui::WaitWithMessages(300);
    if (c.existing.empty()) {
      EXPECT_TRUE(Files().empty()) << *Files().begin();
    } else {
      EXPECT_EQ(Files(), std::set<std::string>{c.name});
      EXPECT_EQ(Read(path), c.existing);
      std::filesystem::remove(path);
    }
    EXPECT_FALSE(form->DownloadsRunning());
  }
}

TEST_F(DownloadEngineTest, DownloadsOfTwoTabsRunTogetherAndOneOutlivesItsTab) {
  const std::string first = BinaryBody(200 * 1024, 1);
  const std::string second = BinaryBody(250 * 1024, 2);
  server.AddSlowBody("/first.bin", first, 20, "application/octet-stream");
  server.AddSlowBody("/second.bin", second, 20, "application/octet-stream");
  Start();
  // The user saves each under the name proposed, whichever asks first.
  dialogs.chooseSave = [&](const testing_support::ScriptedDialogs::FileDialog& d) {
    return ui::SaveChoice{folder() + "/" + d.suggestedName, 0};
  };
  form->createBrowser(server.Url("/first.bin"));
  const int firstTab = form->table.CurrentTab();
  form->createBrowser(server.Url("/second.bin"));
  ASSERT_TRUE(ui::WaitUntil([&] { return dialogs.fileDialogs.size() == 2; }, kDownloadMs));
  EXPECT_TRUE(dialogs.shown.empty()) << "a download ended before both ran";
  // The first tab closes while its file is still coming.
  form->brisiAklik(firstTab);
  ASSERT_TRUE(WaitMessages(2));
  std::set<std::string> messages{dialogs.shown[0].text, dialogs.shown[1].text};
  EXPECT_EQ(messages, (std::set<std::string>{"Download complete: " + folder() + "/first.bin",
                                             "Download complete: " + folder() + "/second.bin"}));
  EXPECT_TRUE(Read(folder() + "/first.bin") == first) << Read(folder() + "/first.bin").size() << " bytes";
  EXPECT_TRUE(Read(folder() + "/second.bin") == second) << Read(folder() + "/second.bin").size() << " bytes";
  EXPECT_EQ(Files(), (std::set<std::string>{"first.bin", "second.bin"}));
}

}  // namespace
