// Files the pages lead to, with FakeBrowsers: the save dialog, the status
// line and the busy wheel while they run, and the message at the end.
#include <glib.h>

#include <filesystem>

#include "support/DownloadFolderSetting.h"
#include "support/MainFormFixture.h"

namespace {

using testing_support::DownloadFolderSetting;
using testing_support::MainFormTest;
using testing_support::TempFolder;

class DownloadsTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    std::filesystem::create_directories(downloads.path() / "Downloads");
  }

  // The wheel as Timer1 leaves it.
  bool WheelTurns() {
    form->Timer1Timer();
    return form->ppwheel.get_visible() && form->TimerprogressEnabled();
  }

  TempFolder downloads;
  DownloadFolderSetting folderSetting{downloads / "Downloads"};
};

TEST_F(DownloadsTest, AFileIsSavedWhereTheUserChoseWhileTheStatusLineAndTheWheelShowItsProgress) {
  Start();
  ASSERT_FALSE(WheelTurns());
  auto download = browsers[0]->StartDownload("http://example.com/files/get?id=7");
  EXPECT_TRUE(form->DownloadsRunning());
  // The page is complete; the wheel turns for the download.
  EXPECT_TRUE(WheelTurns());

  const std::string chosen = downloads / "Downloads/report (1).zip";
  dialogs.saveAnswer = ui::SaveChoice{chosen, 0};
  download->AskDestination("report.zip");
  ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(dialogs.fileDialogs[0].title, "Save Download");
  EXPECT_EQ(dialogs.fileDialogs[0].suggestedName, "report.zip");
  EXPECT_EQ(dialogs.fileDialogs[0].folder, downloads / "Downloads");
  EXPECT_EQ(download->destination, chosen);

  // The status line names the file as saved and stays open while it runs.
  download->Receive(1258291, 3565158);
  EXPECT_EQ(form->infotextLabel.get_text(), "Downloading report (1).zip: 1.2 MB of 3.4 MB (35%)");
  EXPECT_EQ(form->infotextHeight(), 16);
  form->Timer5Timer();
  EXPECT_EQ(form->infotextHeight(), 16);
  EXPECT_TRUE(dialogs.shown.empty());

  download->Finish();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Download complete: " + chosen);
  EXPECT_EQ(dialogs.shown[0].caption, "Lumivale");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Information);
  EXPECT_FALSE(form->DownloadsRunning());
  EXPECT_EQ(form->infotextLabel.get_text(), "");
  form->Timer5Timer();
  EXPECT_EQ(form->infotextHeight(), 0);
  EXPECT_FALSE(WheelTurns());
}

TEST_F(DownloadsTest, ACancelledDialogCancelsTheDownloadWithoutAWord) {
  Start();
  auto download = browsers[0]->StartDownload("http://example.com/x");
  dialogs.saveAnswer.reset();
  // The suggested name is made safe before it is proposed.
  download->AskDestination("../../.bashrc");
  ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(dialogs.fileDialogs[0].suggestedName, "_.._.bashrc");
  EXPECT_FALSE(download->running);
  EXPECT_EQ(download->cancels, 1);
  EXPECT_TRUE(download->destination.empty());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(form->DownloadsRunning());
  EXPECT_FALSE(WheelTurns());
}

TEST_F(DownloadsTest, AFailureIsReportedNamingTheFile) {
  // Before the answer came the file is known by its address; after it,
  // by the name it is saved under.
  const struct {
    bool asked;
    std::string expected;
  } cases[] = {
      {false, "The download of file.zip failed: Could not connect: Connection refused"},
      {true, "The download of saved.zip failed: Could not connect: Connection refused"},
  };
  Start();
  for (const auto& c : cases) {
    dialogs.shown.clear();
    auto download = browsers[0]->StartDownload("http://example.com/file.zip");
    dialogs.saveAnswer = ui::SaveChoice{downloads / "saved.zip", 0};
    if (c.asked) download->AskDestination("file.zip");
    download->Fail("Could not connect: Connection refused");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, c.expected);
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Error);
    EXPECT_FALSE(form->DownloadsRunning());
  }
}

TEST_F(DownloadsTest, DownloadsOfSeveralTabsRunTogetherAndOutliveTheirTab) {
  Start();
  form->sbdodajClick();
  engine::FakeBrowser& second = Current();
  auto& side = static_cast<engine::FakeBrowser&>(form->dxpanel.EnsureBrowser());
  auto first = browsers[0]->StartDownload("http://example.com/a.zip");
  auto other = second.StartDownload("http://example.com/b.zip");
  auto fromSide = side.StartDownload("http://example.com/c.zip");
  dialogs.chooseSave = [&](const testing_support::ScriptedDialogs::FileDialog& d) {
    return ui::SaveChoice{downloads / d.suggestedName, 0};
  };
  first->AskDestination("a.zip");
  other->AskDestination("b.zip");
  fromSide->AskDestination("c.zip");

  // The first tab closes; its download goes on.
  form->brisiAklik(0);
  ui::WaitWithMessages(300);  // the closed tab's objects are gone by now
  const std::uint64_t mb = 1024 * 1024;
  first->Receive(mb, 4 * mb);
  other->Receive(mb, 4 * mb);
  fromSide->Receive(2 * mb, 4 * mb);
  EXPECT_EQ(form->infotextLabel.get_text(), "Downloading 3 files: 4.0 MB of 12.0 MB (33%)");

  first->Finish();
  other->Finish();
  EXPECT_TRUE(form->DownloadsRunning());
  EXPECT_EQ(form->infotextLabel.get_text(), "Downloading c.zip: 2.0 MB of 4.0 MB (50%)");
  fromSide->Finish();
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[0].text, "Download complete: " + downloads / "a.zip");
  EXPECT_EQ(dialogs.shown[1].text, "Download complete: " + downloads / "b.zip");
  EXPECT_EQ(dialogs.shown[2].text, "Download complete: " + downloads / "c.zip");
  EXPECT_FALSE(form->DownloadsRunning());
}

TEST_F(DownloadsTest, TheDialogStartsInTheUsersDownloadFolderOrElseAtHome) {
  Start();
  dialogs.saveAnswer.reset();
  browsers[0]->StartDownload("http://example.com/a.zip")->AskDestination("a.zip");
  std::filesystem::remove(downloads.path() / "Downloads");
  browsers[0]->StartDownload("http://example.com/b.zip")->AskDestination("b.zip");
  ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
  EXPECT_EQ(dialogs.fileDialogs[0].folder, downloads / "Downloads");
  EXPECT_EQ(dialogs.fileDialogs[1].folder, g_get_home_dir());
}

TEST_F(DownloadsTest, ClosingTheProgramCancelsTheDownloadsThatRun) {
  Start();
  auto download = browsers[0]->StartDownload("http://example.com/a.zip");
  dialogs.saveAnswer = ui::SaveChoice{downloads / "a.zip", 0};
  download->AskDestination("a.zip");
  form->CloseProgram();
  EXPECT_EQ(download->cancels, 1);
  EXPECT_FALSE(download->running);
  EXPECT_TRUE(dialogs.shown.empty());
  // One that starts now is not kept.
  auto late = browsers[0]->StartDownload("http://example.com/b.zip");
  EXPECT_EQ(late->cancels, 1);
  EXPECT_FALSE(form->DownloadsRunning());
}

}  // namespace
