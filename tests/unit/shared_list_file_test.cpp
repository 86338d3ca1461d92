// A list file written by more than one program window: changes of the
// other window are read before this one writes, a file that is not a list
// is kept aside before it is replaced, and a failed write is reported once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "library/HistoryRecording.h"
#include "listfile/SharedListFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

using listfile::LoadStatus;
using listfile::Rows;
using listfile::SharedListFile;
using testing_support::ScriptedDialogs;
using testing_support::TempFolder;
using namespace std::string_literals;

namespace {

Rows History(std::initializer_list<const char*> addresses) {
  Rows rows;
  for (const char* a : addresses) rows.push_back({"d   t", {"T", a}, 0});
  return rows;
}

// The list file's bytes written into the existing file, keeping its inode.
void WriteInPlace(const std::string& path, const Rows& rows) {
  std::ofstream(path, std::ios::binary | std::ios::in | std::ios::trunc) << listfile::Encode(rows);
}

void SetModified(const std::string& path, timespec when) {
  const timespec times[2] = {{0, UTIME_OMIT}, when};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

timespec ModifiedOf(const std::string& path) {
  struct stat st {};
  stat(path.c_str(), &st);
  return st.st_mtim;
}

class SharedListFileTest : public testing::Test {
 protected:
  void SetUp() override { listfile::SetListLoaded(true); }
  void TearDown() override { listfile::SetListLoaded(true); }
  std::string Path() const { return dir / "history.lmf"; }
  TempFolder dir;
  ScriptedDialogs dialogs;
};

TEST_F(SharedListFileTest, EveryKindOfWriteByAnotherProgramIsNoticedAndRead) {
  // Each change keeps what a cheaper check would look at: the same size
  // and time but a new file, or the same file and size a nanosecond later.
  struct Case {
    const char* what;
    std::function<void(const std::string& path, const Rows& theirs)> change;
  };
  const Case cases[] = {
      {"replaced by a new file of the same size and time",
       [](const std::string& path, const Rows& theirs) {
         const timespec before = ModifiedOf(path);
         ASSERT_TRUE(listfile::SaveListViewToFile(theirs, path));
         SetModified(path, before);
       }},
      {"rewritten in place, same size, a nanosecond later",
       [](const std::string& path, const Rows& theirs) {
         timespec when = ModifiedOf(path);
         WriteInPlace(path, theirs);
         if (++when.tv_nsec == 1000000000) when = {when.tv_sec + 1, 0};
         SetModified(path, when);
       }},
      {"grown in place, same time",
       [](const std::string& path, const Rows&) {
         const timespec before = ModifiedOf(path);
         WriteInPlace(path, History({"http://other.example/", "http://mine.example/", "http://more.example/"}));
         SetModified(path, before);
       }},
  };
  for (const Case& c : cases) {
    SharedListFile mine(Path());
    Rows rows = History({"http://mine.example/"});
    ASSERT_TRUE(mine.Save(rows, nullptr)) << c.what;
    EXPECT_FALSE(mine.ChangedOnDisk()) << c.what;  // its own write is no change

    const Rows theirs = History({"http://othr.example/"});  // as long as the row above
    c.change(Path(), theirs);
    EXPECT_TRUE(mine.ChangedOnDisk()) << c.what;
    EXPECT_TRUE(mine.ReloadIfChanged(rows, nullptr)) << c.what;
    EXPECT_EQ(rows, listfile::Decode(dir.Read("history.lmf")).rows) << c.what;
    EXPECT_FALSE(mine.ChangedOnDisk()) << c.what;
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SharedListFileTest, AnUnchangedFileIsNotReadAgainAndAVanishedOneLeavesTheRows) {
  SharedListFile mine(Path());
  Rows rows;
  EXPECT_EQ(mine.Load(rows, nullptr, /*reportMissing=*/false), LoadStatus::Missing);
  EXPECT_FALSE(mine.ChangedOnDisk());
  ASSERT_TRUE(mine.Save(History({"http://a.example/"}), nullptr));

  rows = History({"http://in-memory.example/"});
  EXPECT_FALSE(mine.ReloadIfChanged(rows, nullptr));
  EXPECT_EQ(rows, History({"http://in-memory.example/"}));

  std::filesystem::remove(Path());
  EXPECT_TRUE(mine.ReloadIfChanged(rows, nullptr));
  EXPECT_EQ(rows, History({"http://in-memory.example/"}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SharedListFileTest, TwoWindowsTakingTurnsKeepEveryVisit) {
  SharedListFile first(Path()), second(Path());
  Rows firstRows, secondRows;
  first.Load(firstRows, nullptr, false);
  second.Load(secondRows, nullptr, false);
  auto visit = [](SharedListFile& list, Rows& rows, const std::string& address) {
    list.ReloadIfChanged(rows, nullptr);
    ASSERT_TRUE(library::RecordVisit(rows, library::Visit{true, "T", address, "d", "t"}));
    ASSERT_TRUE(list.Save(rows, nullptr));
  };
  visit(first, firstRows, "http://one.example/");
  visit(second, secondRows, "http://two.example/");
  visit(first, firstRows, "http://three.example/");
  visit(second, secondRows, "http://four.example/");

  const Rows onDisk = listfile::Decode(dir.Read("history.lmf")).rows;
  ASSERT_EQ(onDisk.size(), 4u);
  const char* newestFirst[] = {"http://four.example/", "http://three.example/", "http://two.example/",
                               "http://one.example/"};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(onDisk[i].subItems[1], newestFirst[i]);
  EXPECT_EQ(secondRows, onDisk);
}

TEST_F(SharedListFileTest, AFileThatIsNotAListIsKeptAsBadBeforeItIsReplaced) {
  const std::string foreign = "PK\x03\x04 a zip archive, not a list"s;
  struct Case {
    const char* what;
    bool atLoad;  // met when first loaded, or written by someone after that
  };
  for (const Case c : {Case{"at the first load", true}, Case{"when read again", false}}) {
    TempFolder folder;
    const std::string path = folder / "history.lmf";
    dialogs.shown.clear();
    folder.Write("history.lmf.bad", "an older foreign file");
    SharedListFile list(path);
    Rows rows = History({"http://in-memory.example/"});
    if (!c.atLoad) {
      ASSERT_TRUE(list.Save(rows, nullptr));
    }
    folder.Write("history.lmf", foreign);

    if (c.atLoad) {
      EXPECT_EQ(list.Load(rows, nullptr), LoadStatus::NotAListFile) << c.what;
    } else {
      EXPECT_TRUE(list.ReloadIfChanged(rows, nullptr)) << c.what;
    }
    EXPECT_EQ(rows, History({"http://in-memory.example/"})) << c.what;
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.what;
    EXPECT_EQ(dialogs.shown[0].text, "\"history.lmf\" is not a ListView file!") << c.what;
    EXPECT_EQ(folder.Read("history.lmf"), foreign) << c.what;  // nothing is touched before a write

    ASSERT_TRUE(list.Save(rows, nullptr)) << c.what;
    EXPECT_EQ(folder.Read("history.lmf.bad"), foreign) << c.what;
    EXPECT_EQ(listfile::Decode(folder.Read("history.lmf")).rows, rows) << c.what;
    rows.push_back(rows.front());
    ASSERT_TRUE(list.Save(rows, nullptr)) << c.what;  // kept once, not again
    EXPECT_EQ(folder.Read("history.lmf.bad"), foreign) << c.what;
  }
}

TEST_F(SharedListFileTest, AFileThisUserMayNotReadIsKeptAsBadToo) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads a file of mode 000";
  dir.Write("history.lmf", listfile::Encode(History({"http://unreadable.example/"})));
  std::filesystem::permissions(Path(), std::filesystem::perms::none);
  SharedListFile list(Path());
  Rows rows;
  EXPECT_EQ(list.Load(rows, nullptr), LoadStatus::Unreadable);
  ASSERT_TRUE(list.Save(History({"http://new.example/"}), nullptr));
  std::filesystem::permissions(list.KeptPath(), std::filesystem::perms::owner_read);
  EXPECT_EQ(listfile::Decode(dir.Read("history.lmf.bad")).rows, History({"http://unreadable.example/"}));
}

TEST_F(SharedListFileTest, WhenTheForeignFileCannotBeKeptNothingIsWritten) {
  dir.Write("history.lmf", "foreign bytes");
  dir.Write("history.lmf.bad/something", "in the way");  // a folder of that name
  SharedListFile list(Path());
  Rows rows;
  list.Load(rows, nullptr);
  dialogs.shown.clear();
  EXPECT_FALSE(list.Save(History({"http://new.example/"}), nullptr));
  EXPECT_EQ(dir.Read("history.lmf"), "foreign bytes");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("history.lmf.bad"), std::string::npos) << dialogs.shown[0].text;
}

TEST_F(SharedListFileTest, AFailedWriteIsReportedOnceWithTheReason) {
  std::filesystem::create_directory(Path());
  SharedListFile list(Path());
  Rows rows;
  EXPECT_EQ(list.Load(rows, nullptr, /*reportMissing=*/false), LoadStatus::Unreadable);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "File \"history.lmf\" cannot be read: Is a directory");

  for (int visit = 0; visit < 3; ++visit) {
    rows.push_back({"d   t", {"T", "http://kept.example/"}, 0});
    EXPECT_FALSE(list.Save(rows, nullptr));
  }
  ASSERT_EQ(dialogs.shown.size(), 2u);
  const ui::Message& m = dialogs.shown[1];
  EXPECT_EQ(m.caption, "I/O Error");
  EXPECT_EQ(m.icon, ui::Icon::Error);
  EXPECT_EQ(m.text.rfind("File \"history.lmf\" cannot be saved.", 0), 0u) << m.text;
  EXPECT_NE(m.text.find("Is a directory"), std::string::npos) << m.text;
  EXPECT_FALSE(dir.Exists("history.lmf.bad"));  // a folder is not moved aside
  EXPECT_TRUE(std::filesystem::is_directory(Path()));
}

}  // namespace
