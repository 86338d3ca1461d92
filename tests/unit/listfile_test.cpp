#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "listfile/ListFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

using listfile::Decode;
using listfile::Decoded;
using listfile::Encode;
using listfile::Row;
using listfile::Rows;
using testing_support::ScriptedDialogs;
using testing_support::TempFolder;
using namespace std::string_literals;

namespace {

// Rows as the three lists hold them, with the unusual cases mixed in.
Rows Sample() {
  return {
      {"10.12.2026   14:03:22", {"Lumivale - Start", "https://lumivale.example/"}, 0},
      {"", {}, -1},                                     // empty caption, no sub-items
      {"Caf\xC3\xA9 \xE2\x82\xAC", {"one"}, INT_MIN},   // UTF-8, lowest image index
      {"three", {"a", "", "c"}, INT_MAX},
  };
}

}  // namespace

TEST(ListFileFormat, MatchesTheDocumentedBytes) {
  EXPECT_EQ(Encode({}), "LVF\0\0"s);
  const std::string oneRow = Encode({{"Google", {"about:blank"}, 0}});
  EXPECT_EQ(oneRow, "LVF\x01\x00\x01\x00\x00\x00\x00\x00\x06\x00Google\x0B\x00" "about:blank"s);
  EXPECT_EQ(oneRow.size(), 32u);
  EXPECT_EQ(Encode({{"", {}, -2}}), "LVF\x01\x00\x00\x00\xFE\xFF\xFF\xFF\x00\x00"s);
}

TEST(ListFileFormat, RowsSurviveEncodeAndDecode) {
  const Decoded d = Decode(Encode(Sample()));
  EXPECT_TRUE(d.signatureOk);
  EXPECT_TRUE(d.complete);
  EXPECT_EQ(d.rows, Sample());  // each row keeps its own number of sub-items
}

TEST(ListFileFormat, AFileThatEndsEarlyKeepsTheRowsReadCompletely) {
  const Rows rows = Sample();
  const std::string bytes = Encode(rows);
  std::size_t rowEnd[4];
  for (std::size_t n = 1; n <= 4; ++n) rowEnd[n - 1] = Encode(Rows(rows.begin(), rows.begin() + n)).size();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const Decoded d = Decode(std::string_view(bytes).substr(0, length));
    EXPECT_EQ(d.signatureOk, length >= 3) << length;
    EXPECT_FALSE(d.complete) << length;
    std::size_t whole = 0;
    while (whole < 4 && rowEnd[whole] <= length) ++whole;
    EXPECT_EQ(d.rows, Rows(rows.begin(), rows.begin() + whole)) << length;
  }
  EXPECT_EQ(Decode(bytes + "trailing bytes").rows, rows);
}

TEST(ListFileFormat, ReadsWhatOtherWritersLeave) {
  struct Case {
    std::string bytes;
    Rows rows;
  };
  const Case cases[] = {
      // A caption ends at its first NUL byte; a sub-item keeps what it holds.
      {"LVF\x01\x00\x01\x00\x00\x00\x00\x00\x03\x00" "a\0b\x03\x00" "c\0d"s, {{"a", {"c\0d"s}, 0}}},
      // Windows-1252 text from a file made on Windows.
      {"LVF\x01\x00\x01\x00\x07\x00\x00\x00\x04\x00" "Caf\xE9\x02\x00\x80!"s, {{"Caf\xC3\xA9", {"\xE2\x82\xAC!"}, 7}}},
      // Counts that promise far more than the file holds.
      {"LVF\xFF\xFF\xFF\xFF\x00\x00\x00\x00\x00\x00"s, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(c.bytes).rows, c.rows);
  for (const std::string& bad : {""s, "LV"s, "lvf\0\0"s, "XLVF\0\0"s}) EXPECT_FALSE(Decode(bad).signatureOk) << bad;
}

TEST(ListFileFormat, TheWriterCutsWhatTheFormatCannotHold) {
  Rows rows(listfile::kMaxRows + 1);
  rows.front().caption = std::string(70000, 'x');
  rows.front().subItems.assign(listfile::kMaxSubItems + 1, "s");
  rows.front().subItems.front() = "\xC3\xA9"s + std::string(65534, 'y');  // 65536 bytes
  for (int i = 0; i < 32768; ++i) rows[1].caption += "\xC3\xA9";  // 65536 bytes of two-byte characters
  rows.back().caption = "dropped";

  const Decoded d = Decode(Encode(rows));
  ASSERT_TRUE(d.complete);
  ASSERT_EQ(d.rows.size(), listfile::kMaxRows);  // the rows after the first 65535 are left out
  EXPECT_EQ(d.rows.front().caption, std::string(65535, 'x'));
  ASSERT_EQ(d.rows.front().subItems.size(), listfile::kMaxSubItems);
  EXPECT_EQ(d.rows.front().subItems.front().size(), 65535u);
  EXPECT_EQ(d.rows[1].caption.size(), 65534u);  // not in the middle of a character
  EXPECT_NE(d.rows.back().caption, "dropped");
}

class ListFileOnDisk : public testing::Test {
 protected:
  void SetUp() override { listfile::SetListLoaded(true); }
  void TearDown() override { listfile::SetListLoaded(true); }
  TempFolder dir;
  ScriptedDialogs dialogs;
  Rows kept{{"kept", {"https://kept.example/"}, 0}};
};

TEST_F(ListFileOnDisk, SavesAndLoadsAndClearsTheListLoadedFlag) {
  ASSERT_TRUE(listfile::SaveListViewToFile(Sample(), dir / "2favlist.lmf"));
  Rows rows = kept;
  ASSERT_TRUE(listfile::LoadListViewToFile(rows, dir / "2favlist.lmf"));
  EXPECT_EQ(rows, Sample());
  EXPECT_FALSE(listfile::ListLoaded());
  EXPECT_TRUE(dialogs.shown.empty());

  ASSERT_TRUE(listfile::SaveListViewToFile({}, dir / "2favlist.lmf"));
  EXPECT_EQ(dir.Read("2favlist.lmf").size(), 5u);
  ASSERT_TRUE(listfile::LoadListViewToFile(rows, dir / "2favlist.lmf"));
  EXPECT_TRUE(rows.empty());
}

TEST_F(ListFileOnDisk, RefusesMissingForeignAndUnreadableFilesWithAMessageAndKeepsTheList) {
  dir.Write("notes.lmf", "LV");
  std::filesystem::create_directory(dir.path() / "folder.lmf");
  ASSERT_EQ(mkfifo((dir / "pipe.lmf").c_str(), 0600), 0);
  std::filesystem::create_symlink("loop.lmf", dir.path() / "loop.lmf");
  std::filesystem::create_symlink("gone.lmf", dir.path() / "dangling.lmf");
  struct Case {
    std::string name, text;
  };
  const Case cases[] = {
      {"history.lmf", "File \"history.lmf\" does not exist!"},
      {"dangling.lmf", "File \"dangling.lmf\" does not exist!"},
      {"notes.lmf", "\"notes.lmf\" is not a ListView file!"},
      // There is something of that name: the message says what is wrong.
      {"folder.lmf", "File \"folder.lmf\" cannot be read: Is a directory"},
      {"pipe.lmf", "File \"pipe.lmf\" cannot be read: Not a regular file"},
      {"loop.lmf", "File \"loop.lmf\" cannot be read: Too many levels of symbolic links"},
  };
  for (const Case& c : cases) {
    Rows rows = kept;
    dialogs.shown.clear();
    EXPECT_FALSE(listfile::LoadListViewToFile(rows, dir / c.name));
    EXPECT_EQ(rows, kept);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, c.text);
    EXPECT_EQ(dialogs.shown[0].caption, "I/O Error");
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Error);
  }
  EXPECT_TRUE(listfile::ListLoaded());
}

TEST_F(ListFileOnDisk, AFileWithoutReadPermissionIsReportedAsSuch) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads a file of mode 000";
  ASSERT_TRUE(listfile::SaveListViewToFile(Sample(), dir / "2rss.lmf"));
  std::filesystem::permissions(dir.path() / "2rss.lmf", std::filesystem::perms::none);
  Rows rows = kept;
  EXPECT_FALSE(listfile::LoadListViewToFile(rows, dir / "2rss.lmf"));
  EXPECT_EQ(rows, kept);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "File \"2rss.lmf\" cannot be read: Permission denied");
}

TEST_F(ListFileOnDisk, ATruncatedFileLoadsTheRowsItHolds) {
  const std::string bytes = Encode(Sample());
  dir.Write("history.lmf", bytes.substr(0, bytes.size() - 1));
  Rows rows = kept;
  EXPECT_TRUE(listfile::LoadListViewToFile(rows, dir / "history.lmf"));
  const Rows sample = Sample();
  EXPECT_EQ(rows, Rows(sample.begin(), sample.begin() + 3));
  EXPECT_FALSE(listfile::ListLoaded());
}

TEST_F(ListFileOnDisk, AFailedSaveSaysWhyAndKeepsTheOldFile) {
  std::string error;
  EXPECT_FALSE(listfile::SaveListViewToFile(Sample(), dir / "no/such/folder.lmf", &error));
  EXPECT_FALSE(error.empty());
}
