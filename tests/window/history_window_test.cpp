// The history window's file: a history file that is not a list survives
// the first visit, even one recorded while the message about it is open.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "library/Tfhistory.h"
#include "listfile/ListFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace {

using testing_support::ScriptedDialogs;
using testing_support::TempFolder;

library::Visit At(const std::string& address) { return library::Visit{true, "A page", address, "d", "t"}; }

TEST(HistoryWindow, AForeignHistoryFileIsKeptEvenWhenAVisitIsWrittenWhileItsMessageIsOpen) {
  TempFolder dir;
  ScriptedDialogs dialogs;
  const std::string foreign = "<html>saved over the history by mistake</html>";
  dir.Write("history.lmf", foreign);
  dir.Write("history.lmf.bad", "an older one");

  library::Tfhistory history(dir / "history.lmf", 1, /*loadLater=*/true);
  bool nestedRecorded = false;
  dialogs.whileShown = [&](const ui::Message&) { nestedRecorded = history.Record(At("http://during.example/")); };
  // The first visit loads the file; its message is open while the next
  // page finishes loading.
  EXPECT_TRUE(history.Record(At("http://first.example/")));
  EXPECT_TRUE(nestedRecorded);

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "\"history.lmf\" is not a ListView file!");
  EXPECT_EQ(dir.Read("history.lmf.bad"), foreign);
  const listfile::Rows onDisk = listfile::Decode(dir.Read("history.lmf")).rows;
  ASSERT_EQ(onDisk.size(), 2u);
  EXPECT_EQ(onDisk[0].subItems[1], "http://first.example/");
  EXPECT_EQ(onDisk[1].subItems[1], "http://during.example/");
  EXPECT_EQ(history.mhistory, onDisk);
}

}  // namespace
