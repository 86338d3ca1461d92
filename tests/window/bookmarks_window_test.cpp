// The bookmarks window and its add and edit dialogs with the main window:
// opening it, adding, editing, removing, sorting, opening a bookmark, the
// search highlight, and the file "2favlist.lmf".
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/BookmarkRules.h"
#include "support/ListPixels.h"
#include "support/MainFormFixture.h"

namespace {

using listfile::Row;
using listfile::Rows;
using Names = std::vector<std::string>;

const Rows kBookmarks{{"Debian", {"https://www.debian.org/"}, 0},
                      {"GNU", {"https://www.gnu.org/"}, 0},
                      {"Kernel", {"https://www.kernel.org/"}, 0}};

Names NamesOf(const Rows& rows) {
  Names names;
  for (const Row& row : rows) names.push_back(row.caption);
  return names;
}

class BookmarksTest : public testing_support::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    // The user's part in each modal window: it shows, and the test acts.
    dialogs.whileModal = [this](Gtk::Window& window) {
      window.show();
      ui::WaitUntil([&] { return window.get_mapped(); }, 3000);
      if (&window == bookmarks.get()) {
        if (inBookmarks) inBookmarks();
      } else if (auto* dialog = dynamic_cast<library::BookmarkDialog*>(&window)) {
        if (inDialog) inDialog(*dialog);
      }
    };
  }

  void StartWith(const Rows& rows) {
    data.Write("Lumivale/2favlist.lmf", listfile::Encode(rows));
    StartBare();
  }
  void StartBare() {
    Start();
    AddBookmarkWindows();
  }
  // The floating toolbar's Bookmarks button, with `user` acting in the
  // window while it is shown.
  void OpenBookmarks(std::function<void()> user) {
    inBookmarks = std::move(user);
    form->ShowBookmarks();
    inBookmarks = nullptr;
  }
  // The window shown with the file's list, outside a modal run.
  void ShowBookmarks() {
    bookmarks->LoadList();
    bookmarks->show();
    ui::WaitUntil([&] { return bookmarks->tabela.get_mapped(); }, 3000);
  }
  void Select(int row) {
    bookmarks->tabela.get_selection()->unselect_all();
    if (row >= 0) bookmarks->tabela.Select(std::size_t(row));
  }
  std::string File() const { return data / "Lumivale/2favlist.lmf"; }
  std::string FileBytes() const { return data.Read("Lumivale/2favlist.lmf"); }
  Rows OnDisk() const { return listfile::Decode(FileBytes()).rows; }
  const Rows& Shown() const { return bookmarks->tabela.Items(); }

  std::function<void()> inBookmarks;
  std::function<void(library::BookmarkDialog&)> inDialog;
};

TEST_F(BookmarksTest, OpeningReadsTheFileAndEveryWayOfClosingWritesTheList) {
  StartWith(kBookmarks);
  struct Case {
    const char* way;
    std::function<void()> close;
  };
  const Case cases[] = {
      {"the Close button", [&] { bookmarks->XiButton3.clicked(); }},
      {"Esc", [&] { testing_support::PressEscape(*bookmarks); }},
      {"the close box",
       [&] {
         bookmarks->close();  // the close request arrives as an event
         ui::WaitUntil([&] { return !bookmarks->get_visible(); }, 3000);
       }},
      {"a double click with nothing selected", [&] { bookmarks->tabelaDblClick(); }},
  };
  for (const Case& c : cases) {
    const Rows before = OnDisk();
    OpenBookmarks([&] {
      EXPECT_EQ(bookmarks->get_title(), "Lumivale - Bookmarks");
      EXPECT_EQ(Shown(), before) << c.way;
      bookmarks->FormActivate();
      EXPECT_EQ(bookmarks->get_focus(), &bookmarks->hurl) << c.way;
      Select(-1);
      bookmarks->tabela.get_column(library::kNameColumn)->clicked();  // sorted in memory only
      EXPECT_EQ(OnDisk(), before) << c.way;
      c.close();
    });
    EXPECT_FALSE(bookmarks->get_visible()) << c.way;
    // The file holds the rows in their sorted order.
    const Names sorted = bookmarks->SortInverted() ? Names{"Kernel", "GNU", "Debian"} : Names{"Debian", "GNU", "Kernel"};
    EXPECT_EQ(NamesOf(OnDisk()), sorted) << c.way;
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BookmarksTest, AMissingFileIsAnEmptyListAndAForeignFileIsReportedAndKeptAside) {
  StartBare();
  OpenBookmarks([&] {
    EXPECT_TRUE(Shown().empty());
    bookmarks->BitBtn1Click();
  });
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(FileBytes(), std::string("LVF\0\0", 5));

  const std::string foreign = "<html>not bookmarks</html>";
  data.Write("Lumivale/2favlist.lmf", foreign);
  OpenBookmarks([&] { bookmarks->BitBtn1Click(); });
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "\"2favlist.lmf\" is not a ListView file!");
  EXPECT_EQ(dialogs.shown[0].caption, "I/O Error");
  EXPECT_EQ(data.Read("Lumivale/2favlist.lmf.bad"), foreign);
  EXPECT_TRUE(listfile::Decode(FileBytes()).signatureOk);
}

TEST_F(BookmarksTest, AddIsFilledFromTheCurrentPageAndOkAppendsAndWritesAtOnce) {
  StartWith(kBookmarks);
  Current().FinishLoad("http://page.example/", "The Page");
  form->eurl.set_text("http://typed.example/");
  struct Case {
    const char* what;
    std::function<void(library::BookmarkDialog&)> user;
    std::optional<Row> added;
  };
  const Case cases[] = {
      {"Cancel", [](library::BookmarkDialog& d) { d.XiButton2.clicked(); }, std::nullopt},
      {"Esc", [](library::BookmarkDialog& d) { testing_support::PressEscape(d); }, std::nullopt},
      {"the close box",
       [](library::BookmarkDialog& d) {
         d.close();
         ui::WaitUntil([&] { return !d.get_visible(); }, 3000);
       },
       std::nullopt},
      {"OK as filled in", [](library::BookmarkDialog& d) { d.XiButton1.clicked(); },
       Row{"The Page", {"http://typed.example/"}, 0}},
      {"OK with both fields empty",
       [](library::BookmarkDialog& d) {
         d.ename.set_text("");
         d.eurl.set_text("");
         d.XiButton1.clicked();
       },
       Row{"", {""}, 0}},
  };
  for (const Case& c : cases) {
    const std::string before = FileBytes();
    Rows expected = OnDisk();
    if (c.added) expected.push_back(*c.added);
    inDialog = [&](library::BookmarkDialog& d) {
      EXPECT_EQ(&d, addBookmark.get()) << c.what;
      EXPECT_EQ(d.get_title(), "Add to Bookmarks");
      EXPECT_EQ(d.ename.get_text(), "The Page") << c.what;
      EXPECT_EQ(d.eurl.get_text(), "http://typed.example/") << c.what;
      EXPECT_EQ(d.get_focus(), &d.ename) << c.what;
      c.user(d);
      EXPECT_FALSE(d.get_visible()) << c.what;
    };
    OpenBookmarks([&] {
      bookmarks->XiButton4.clicked();
      EXPECT_EQ(Shown(), expected) << c.what;
      // Written before the window closes, or not at all.
      if (c.added)
        EXPECT_EQ(OnDisk(), expected) << c.what;
      else
        EXPECT_EQ(FileBytes(), before) << c.what;
      bookmarks->BitBtn1Click();
    });
  }
  EXPECT_EQ(OnDisk().size(), kBookmarks.size() + 2);
}

TEST_F(BookmarksTest, EditChangesTheSelectedRowOrElseTheFirstAndOnlyOnOk) {
  StartWith(kBookmarks);
  ShowBookmarks();
  struct Case {
    const char* what;
    int selected;  // -1: none
    bool ok;
    std::size_t edited;
  };
  const Case cases[] = {
      {"nothing selected", -1, true, 0},
      {"the selected row", 2, true, 2},
      {"cancelled", 1, false, 1},
  };
  for (const Case& c : cases) {
    Select(c.selected);
    Rows expected = Shown();
    inDialog = [&](library::BookmarkDialog& d) {
      EXPECT_EQ(&d, editBookmark.get()) << c.what;
      EXPECT_EQ(d.get_title(), "Edid Bookmarks");
      EXPECT_EQ(d.ename.get_text(), expected[c.edited].caption) << c.what;
      EXPECT_EQ(d.eurl.get_text(), library::BookmarkUrl(expected[c.edited])) << c.what;
      d.ename.set_text("Edited");
      d.eurl.set_text("http://edited.example/");
      (c.ok ? d.XiButton1 : d.XiButton2).clicked();
    };
    bookmarks->BitBtn4Click();
    if (c.ok) expected[c.edited] = Row{"Edited", {"http://edited.example/"}, 0};
    EXPECT_EQ(Shown(), expected) << c.what;
  }
  EXPECT_EQ(OnDisk(), kBookmarks);  // written when the window closes
  bookmarks->BitBtn1Click();
  EXPECT_EQ(OnDisk(), Shown());

  // An empty list has nothing to edit.
  bookmarks->tabela.Clear();
  const int runs = dialogs.modalRuns;
  bookmarks->BitBtn4Click();
  EXPECT_EQ(dialogs.modalRuns, runs);
}

TEST_F(BookmarksTest, RemoveAsksAboutTheSelectedNamedBookmarkOnly) {
  const Rows rows{kBookmarks[0], {"", {"http://no-name.example/"}, 0}, kBookmarks[1]};
  StartWith(rows);
  ShowBookmarks();
  // Nothing selected, or a bookmark without a name: no question.
  for (int selected : {-1, 1}) {
    Select(selected);
    bookmarks->BitBtn3Click();
  }
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(dialogs.beeps.empty());

  Select(2);
  dialogs.answers = {ui::Answer::No};
  bookmarks->BitBtn3Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Remove \"GNU\" from bookmarks ?");
  EXPECT_EQ(dialogs.shown[0].caption, "Lumivale");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Stop);
  EXPECT_EQ(dialogs.shown[0].buttons, ui::Buttons::YesNo);
  EXPECT_EQ(dialogs.beeps, (std::vector<ui::Beep>{ui::Beep::Question}));
  EXPECT_EQ(Shown(), rows);

  dialogs.answers = {ui::Answer::Yes};
  bookmarks->BitBtn3Click();
  EXPECT_EQ(Shown(), (Rows{rows[0], rows[1]}));
  EXPECT_EQ(OnDisk(), rows);  // written when the window closes
  bookmarks->BitBtn1Click();
  EXPECT_EQ(OnDisk(), (Rows{rows[0], rows[1]}));

  bookmarks->tabela.Clear();
  bookmarks->BitBtn3Click();
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(BookmarksTest, ADoubleClickOpensTheSelectedBookmarkInTheCurrentTabAndClosesTheWindow) {
  StartWith(kBookmarks);
  engine::FakeBrowser& tab = Current();
  const int tabs = form->table.LiveCount();
  OpenBookmarks([&] {
    Select(1);
    testing_support::DoubleClick(bookmarks->tabela, 1);
  });
  EXPECT_EQ(form->eurl.get_text(), "https://www.gnu.org/");
  EXPECT_EQ(tab.navigations.back(), "https://www.gnu.org/");
  EXPECT_EQ(form->table.LiveCount(), tabs);  // no new tab
  EXPECT_FALSE(bookmarks->get_visible());

  // With nothing selected, or no bookmarks at all, the window only closes.
  const std::size_t navigations = tab.navigations.size();
  OpenBookmarks([&] {
    Select(-1);
    testing_support::DoubleClick(bookmarks->tabela, 0);
  });
  EXPECT_FALSE(bookmarks->get_visible());
  ASSERT_TRUE(listfile::SaveListViewToFile({}, File()));
  OpenBookmarks([&] {
    EXPECT_TRUE(Shown().empty());
    bookmarks->tabelaDblClick();
  });
  EXPECT_FALSE(bookmarks->get_visible());
  EXPECT_EQ(tab.navigations.size(), navigations);
  EXPECT_EQ(form->table.LiveCount(), tabs);
}

TEST_F(BookmarksTest, SortingSharesOneDirectionFlagAndKeepsBookmarksWithoutAnAddressFirst) {
  const Rows rows{{"cherry", {"http://b.example/"}, 0},
                  {"apple", {"http://c.example/"}, 0},
                  {"No address", {""}, 0},
                  {"Banana", {"http://a.example/"}, 0}};
  StartWith(rows);
  ShowBookmarks();
  Select(0);
  struct Step {
    int column;
    Names expected;
  };
  const Step steps[] = {
      {library::kNameColumn, {"No address", "cherry", "Banana", "apple"}},  // the first click inverts
      {library::kUrlColumn, {"No address", "Banana", "cherry", "apple"}},   // the other header goes on from there
      {library::kUrlColumn, {"No address", "apple", "cherry", "Banana"}},
      {library::kNameColumn, {"No address", "apple", "Banana", "cherry"}},
  };
  for (const Step& s : steps) {
    bookmarks->tabela.get_column(s.column)->clicked();
    EXPECT_EQ(NamesOf(Shown()), s.expected) << "column " << s.column;
    // The selection stays on its bookmark.
    ASSERT_TRUE(bookmarks->tabela.Selected());
    EXPECT_EQ(Shown()[*bookmarks->tabela.Selected()].caption, "cherry");
  }
  bookmarks->BitBtn1Click();
  EXPECT_EQ(NamesOf(OnDisk()), steps[3].expected);
}

TEST_F(BookmarksTest, AFailedWriteIsReportedNamingTheFileAndTheWindowStillCloses) {
  std::filesystem::create_directories(data.path() / "Lumivale/2favlist.lmf");
  StartBare();
  inDialog = [](library::BookmarkDialog& d) {
    d.ename.set_text("Kept");
    d.eurl.set_text("http://kept.example/");
    d.XiButton1.clicked();
  };
  OpenBookmarks([&] {
    bookmarks->XiButton4.clicked();
    bookmarks->BitBtn1Click();
  });
  EXPECT_FALSE(bookmarks->get_visible());
  ASSERT_EQ(dialogs.shown.size(), 2u);  // the folder cannot be read; the add cannot be written
  EXPECT_NE(dialogs.shown[0].text.find("cannot be read"), std::string::npos) << dialogs.shown[0].text;
  const std::string& failure = dialogs.shown[1].text;
  EXPECT_EQ(failure.rfind("File \"2favlist.lmf\" cannot be saved.", 0), 0u) << failure;
  EXPECT_GT(failure.size(), failure.find("\n\n") + 2) << "no reason in: " << failure;
  EXPECT_EQ(dialogs.shown[1].caption, "I/O Error");

  // The bookmark stays for the rest of the run.
  OpenBookmarks([&] {
    EXPECT_EQ(Shown(), (Rows{{"Kept", {"http://kept.example/"}, 0}}));
    bookmarks->BitBtn1Click();
  });
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(BookmarksTest, BookmarksAnotherProgramWindowWroteAreKept) {
  StartWith({kBookmarks[0]});
  OpenBookmarks([&] { bookmarks->BitBtn1Click(); });
  // A second program (New Session) adds a bookmark.
  ASSERT_TRUE(listfile::SaveListViewToFile({kBookmarks[0], kBookmarks[1]}, File()));
  inDialog = [](library::BookmarkDialog& d) {
    d.ename.set_text("Mine");
    d.eurl.set_text("http://mine.example/");
    d.XiButton1.clicked();
  };
  OpenBookmarks([&] {
    EXPECT_EQ(Shown(), (Rows{kBookmarks[0], kBookmarks[1]}));
    // ... and another while this window is open.
    ASSERT_TRUE(listfile::SaveListViewToFile(kBookmarks, File()));
    bookmarks->XiButton4.clicked();
    bookmarks->BitBtn1Click();
  });
  EXPECT_EQ(OnDisk(), (Rows{kBookmarks[0], kBookmarks[1], kBookmarks[2], {"Mine", {"http://mine.example/"}, 0}}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BookmarksTest, TheSearchHighlightsBothCellsOfARowWhoseNameHoldsTheText) {
  StartWith({kBookmarks[0], {"Free Software Foundation", {"https://www.fsf.org/"}, 0}, kBookmarks[1]});
  ShowBookmarks();
  bookmarks->hurl.set_text("foundation");
  GdkEventKey enter{};
  enter.type = GDK_KEY_PRESS;
  enter.keyval = GDK_KEY_Return;
  EXPECT_TRUE(bookmarks->hurlKeyPress(&enter));
  const controls::Rgb found{255, 255, 185};
  struct Case {
    std::size_t row;
    int column;
    controls::Rgb background, text;
  };
  const Case cases[] = {
      {0, 0, {105, 105, 105}, {243, 243, 243}},
      {1, 0, found, {0, 106, 213}},
      {1, 1, found, {0, 106, 213}},  // the address cell too
      {2, 1, {105, 105, 105}, {243, 243, 243}},
  };
  for (const Case& c : cases) {
    const testing_support::DrawnCell cell = testing_support::DrawCell(bookmarks->tabela, c.row, c.column);
    EXPECT_EQ(cell.background, c.background) << "row " << c.row << " column " << c.column;
    EXPECT_TRUE(testing_support::Near(cell.text, c.text)) << "row " << c.row << " column " << c.column;
  }
}

}  // namespace
