#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/AtomicFile.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using settings::ReadWholeFile;
using settings::WriteFileAtomically;
using testing_support::TempFolder;

namespace {
int Entries(const TempFolder& folder) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder.path())) ++n;
  return n;
}
}  // namespace

TEST(WriteFileAtomically, CreatesAndReplacesWholeFilesLeavingNoTemporaryFile) {
  TempFolder dir;
  const std::string bytes("binary\0\xFF data", 13);
  ASSERT_TRUE(WriteFileAtomically(dir / "a.lmf", bytes));
  EXPECT_EQ(dir.Read("a.lmf"), bytes);
  ASSERT_TRUE(WriteFileAtomically(dir / "a.lmf", "short"));
  EXPECT_EQ(dir.Read("a.lmf"), "short");
  ASSERT_TRUE(WriteFileAtomically(dir / "a.lmf", ""));
  EXPECT_EQ(dir.Read("a.lmf"), "");
  EXPECT_EQ(Entries(dir), 1);
}

TEST(WriteFileAtomically, FailsWithAReasonAndLeavesEverythingAsItWas) {
  TempFolder dir;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir / "missing/a.cfg", "x", &error));
  EXPECT_NE(error.find("missing/a.cfg"), std::string::npos) << error;

  fs::create_directory(dir.path() / "sub");
  dir.Write("sub/keep.txt", "kept");
  error.clear();
  EXPECT_FALSE(WriteFileAtomically(dir / "sub", "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(dir.Read("sub/keep.txt"), "kept");
  EXPECT_EQ(Entries(dir), 1);  // no temporary file left behind
}

TEST(WriteFileAtomically, KeepsPermissionsAndFollowsSymbolicLinks) {
  TempFolder dir;
  dir.Write("real.cfg", "old");
  ASSERT_EQ(chmod((dir / "real.cfg").c_str(), 0600), 0);
  fs::create_symlink(dir.path() / "real.cfg", dir.path() / "link.cfg");

  ASSERT_TRUE(WriteFileAtomically(dir / "link.cfg", "new"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.cfg"));
  EXPECT_EQ(dir.Read("real.cfg"), "new");
  struct stat st {};
  ASSERT_EQ(stat((dir / "real.cfg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST(ReadWholeFile, ReadsRegularFilesOnly) {
  TempFolder dir;
  const std::string bytes("\0LVF\r\n\xE9", 7);
  dir.Write("data.bin", bytes);
  dir.Write("empty", "");
  fs::create_directory(dir.path() / "folder");
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);

  EXPECT_EQ(ReadWholeFile(dir / "data.bin"), bytes);
  EXPECT_EQ(ReadWholeFile(dir / "empty"), "");
  EXPECT_EQ(ReadWholeFile(dir / "absent"), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir / "folder"), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir / "pipe"), std::nullopt);  // and does not wait for a writer
}
