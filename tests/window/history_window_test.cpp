// The history window: its file (a history file that is not a list
// survives the first visit, even one recorded while the message about it
// is open), Clear History, opening a visit, the search highlight, the
// recording switch and how the window is shown and closed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "library/Tfhistory.h"
#include "listfile/ListFile.h"
#include "support/ListPixels.h"
#include "support/MainFormFixture.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace {

using testing_support::MainFormTest;
using testing_support::ScriptedDialogs;
using testing_support::TempFolder;

const listfile::Rows kVisits{{"10/12/26   14:03:22", {"Debian News", "https://www.debian.org/News/"}, 0},
                             {"10/12/26   14:01:09", {"Other page", "http://other.example/"}, 0},
                             {"10/12/26 13:58:40", {"The Linux Kernel", "https://www.kernel.org/"}, 0}};

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
  EXPECT_EQ(history.mhistory.Items(), onDisk);
}

TEST(HistoryWindow, ClearHistoryAsksFirstAndOnYesWritesAnEmptyList) {
  TempFolder dir;
  ScriptedDialogs dialogs;
  {
    // An empty list asks nothing and writes nothing.
    library::Tfhistory history(dir / "history.lmf", 1);
    history.XiButton2Click();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.beeps.empty());
    EXPECT_FALSE(dir.Exists("history.lmf"));
  }
  dir.Write("history.lmf", listfile::Encode(kVisits));
  const std::string before = dir.Read("history.lmf");
  library::Tfhistory history(dir / "history.lmf", 1);

  dialogs.answers = {ui::Answer::No};
  history.XiButton2Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Clear History ?");
  EXPECT_EQ(dialogs.shown[0].caption, "Lumivale");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Stop);
  EXPECT_EQ(dialogs.shown[0].buttons, ui::Buttons::YesNo);
  EXPECT_EQ(dialogs.beeps, (std::vector<ui::Beep>{ui::Beep::Question}));
  EXPECT_EQ(history.mhistory.Items(), kVisits);
  EXPECT_EQ(dir.Read("history.lmf"), before);

  dialogs.answers = {ui::Answer::Yes};
  history.show();  // the shown list empties too
  history.XiButton2Click();
  EXPECT_TRUE(history.mhistory.Items().empty());
  EXPECT_EQ(history.mhistory.get_model()->children().size(), 0u);
  EXPECT_EQ(dir.Read("history.lmf"), std::string("LVF\0\0", 5));
  // The next run starts with an empty window.
  library::Tfhistory restarted(dir / "history.lmf", 1);
  EXPECT_TRUE(restarted.mhistory.Items().empty());
}

TEST(HistoryWindow, TheLabelTogglesRecordingAtOnce) {
  TempFolder dir;
  library::Tfhistory history(dir / "history.lmf", 1);
  history.Label1Click();
  EXPECT_FALSE(history.bchist.get_active());
  EXPECT_FALSE(history.Record(library::Visit{history.bchist.get_active(), "Page", "http://a.example/", "d", "t"}));
  history.Label1Click();
  EXPECT_TRUE(history.bchist.get_active());
  EXPECT_TRUE(history.Record(library::Visit{history.bchist.get_active(), "Page", "http://a.example/", "d", "t"}));
}

TEST(HistoryWindow, ShowingTheWindowTakesTheVisitsAnotherProgramWindowWrote) {
  TempFolder dir;
  ScriptedDialogs dialogs;
  dir.Write("history.lmf", listfile::Encode({kVisits[1]}));
  library::Tfhistory history(dir / "history.lmf", 1);
  history.show();
  history.hide();
  // A second program (New Session) records a visit meanwhile.
  ASSERT_TRUE(listfile::SaveListViewToFile({kVisits[0], kVisits[1]}, dir / "history.lmf"));
  history.show();
  EXPECT_EQ(history.mhistory.Items(), (listfile::Rows{kVisits[0], kVisits[1]}));
  EXPECT_EQ(history.mhistory.get_model()->children().size(), 2u);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(HistoryWindow, TheSearchHighlightsTitleAndAddressOfMatchingRowsWhenTheListIsRepainted) {
  TempFolder dir;
  dir.Write("history.lmf", listfile::Encode(kVisits));
  library::Tfhistory history(dir / "history.lmf", 1);
  history.show();
  // The end of the title and the start of the address, joined.
  history.hurl.set_text("newshttps");
  GdkEventKey enter{};
  enter.type = GDK_KEY_PRESS;
  enter.keyval = GDK_KEY_Return;
  EXPECT_TRUE(history.hurlKeyPress(&enter));  // Enter does not reach the box
  EXPECT_EQ(history.hurl.get_text(), "newshttps");

  // The history keeps its order: its headers do not sort.
  history.mhistory.get_column(1)->clicked();
  EXPECT_EQ(history.mhistory.Items(), kVisits);

  const controls::Rgb found{255, 255, 185}, foundText{0, 106, 213};
  struct Case {
    std::size_t row;
    int column;
    controls::Rgb background;
  };
  const Case cases[] = {
      {0, 0, {105, 105, 105}},  // the date is never highlighted
      {0, 1, found},
      {0, 2, found},
      {1, 1, {243, 241, 241}},
      {1, 2, {243, 241, 241}},
      {2, 0, {105, 105, 105}},
      {2, 1, {255, 255, 255}},
  };
  for (const Case& c : cases) {
    const testing_support::DrawnCell cell = testing_support::DrawCell(history.mhistory, c.row, c.column);
    EXPECT_EQ(cell.background, c.background) << "row " << c.row << " column " << c.column;
  }
  EXPECT_TRUE(testing_support::Near(testing_support::DrawCell(history.mhistory, 0, 1).text, foundText));
  EXPECT_TRUE(testing_support::Near(testing_support::DrawCell(history.mhistory, 1, 2).text, {128, 128, 128}));
  EXPECT_TRUE(testing_support::Near(testing_support::DrawCell(history.mhistory, 1, 0).text, {255, 230, 204}));
}

TEST_F(MainFormTest, TheMenuItemAndTheSideButtonShowTheHistoryCloseAndEscHideIt) {
  Start();
  form->History1.activate();
  ASSERT_TRUE(ui::WaitUntil([&] { return history->get_mapped(); }, 3000));
  EXPECT_EQ(history->get_title(), "Web History");
  // Each time it becomes active, the keyboard goes to the search box.
  history->FormActivate();
  EXPECT_EQ(history->get_focus(), &history->hurl);
  EXPECT_TRUE(form->get_sensitive());  // modeless: the main window stays usable
  history->XiButton3Click();
  EXPECT_FALSE(history->get_visible());

  form->xhist.clicked();
  ASSERT_TRUE(ui::WaitUntil([&] { return history->get_mapped(); }, 3000));
  testing_support::PressEscape(*history);
  EXPECT_FALSE(history->get_visible());
}

TEST_F(MainFormTest, ADoubleClickOpensTheSelectedVisitInANewTabAndTheWindowStaysOpen) {
  data.Write("Lumivale/history.lmf", listfile::Encode(kVisits));
  Start();
  form->History1Click();
  ASSERT_TRUE(ui::WaitUntil([&] { return history->mhistory.get_mapped(); }, 3000));
  ui::WaitWithMessages(50);
  struct Case {
    const char* what;
    int select;  // -1: none
    const char* opened;
  };
  const Case cases[] = {
      {"the selected visit", 1, "http://other.example/"},
      {"nothing selected", -1, ""},
  };
  for (const Case& c : cases) {
    history->mhistory.get_selection()->unselect_all();
    if (c.select >= 0) history->mhistory.Select(std::size_t(c.select));
    const int tabs = form->table.LiveCount();
    const int before = form->table.CurrentTab();
    testing_support::DoubleClick(history->mhistory, c.select >= 0 ? std::size_t(c.select) : 0);
    EXPECT_EQ(form->table.LiveCount(), tabs + 1) << c.what;
    EXPECT_NE(form->table.CurrentTab(), before) << c.what;
    EXPECT_EQ(Current().navigations.back(), c.opened) << c.what;
    EXPECT_TRUE(history->get_visible()) << c.what;
  }
}

TEST(HistoryWindow, WhenNoNewTabOpensTheCurrentPageStays) {
  TempFolder dir;
  dir.Write("history.lmf", listfile::Encode(kVisits));
  engine::FakeBrowser current;
  library::Tfhistory::Callbacks callbacks;
  callbacks.createBrowser = [](const std::string&) -> engine::Browser* { return nullptr; };
  callbacks.currentBrowser = [&]() -> engine::Browser* { return &current; };
  library::Tfhistory history(dir / "history.lmf", 1, /*loadLater=*/false, callbacks);
  history.mhistory.Select(0);
  history.mhistoryDblClick();
  EXPECT_TRUE(current.navigations.empty());
}

TEST_F(MainFormTest, ADoubleClickOnAnEmptyHistoryOpensNothing) {
  Start();
  const int tabs = form->table.LiveCount();
  history->mhistoryDblClick();
  EXPECT_EQ(form->table.LiveCount(), tabs);
}

}  // namespace
