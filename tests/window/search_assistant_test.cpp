// The search assistant with the main window: its searches open in new
// tabs, one engine at a time, Reset, show and hide.
#include "navigation/SearchCodes.h"
#include "settings/IniFile.h"
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

template <std::size_t N>
int Row(const std::array<navigation::CodeItem, N>& table, const char* text) {
  for (std::size_t i = 0; i < N; ++i)
    if (std::string(table[i].text) == text) return int(i);
  return -1;
}

class SearchAssistantTest : public MainFormTest {
 protected:
  void StartWithPanel() {
    Start();
    form->xp9Click();
    ASSERT_TRUE(form->panel9.get_visible());
    ASSERT_TRUE(form->panel9.built());
  }
  navigation::SearchAssistant& panel() { return form->panel9; }
};

TEST_F(SearchAssistantTest, ShowingItFillsItsListsAndPutsTheFocusInTheWords) {
  Start();
  EXPECT_FALSE(panel().built());  // nothing is built while it is hidden
  form->AdvancedSearch1.activate();
  EXPECT_TRUE(panel().get_visible());
  EXPECT_TRUE(panel().surl.is_focus());
  EXPECT_EQ(panel().cb1.get_model()->children().size(), 150u);
  EXPECT_EQ(panel().cb3.get_model()->children().size(), 243u);
  EXPECT_EQ(panel().cb2.get_model()->children().size(), 47u);
  EXPECT_EQ(panel().cb5.get_model()->children().size(), 9u);
  EXPECT_EQ(panel().cb3.get_active_text(), "- - -");
  EXPECT_TRUE(panel().bc1.get_active());
  ui::WaitWithMessages(100);
  EXPECT_EQ(panel().get_allocated_width(), 249);
  // And it is saved as shown.
  form->CloseProgram();
  EXPECT_EQ(settings::IniFile::Load(Settings("Lumivale.cfg")).ReadInteger("Config", "complex", -1), 1);
}

TEST_F(SearchAssistantTest, ASearchOpensTheComposedAddressInANewTabForTheTickedEngine) {
  StartWithPanel();
  panel().surl.set_text("solar power");
  panel().cb3.set_active(Row(navigation::kCountryCodes, "Germany"));
  panel().cb2.set_active(Row(navigation::kLanguageCodes, "German"));
  panel().eexclude.set_text("wind");
  struct Case {
    void (navigation::SearchAssistant::*pick)();
    const char* address;
    bool refreshOnce;
  };
  const Case cases[] = {
      {&navigation::SearchAssistant::Label13Click,
       "http://www.google.com/search?&cr=countryDE&lr=lang_de&q=solar+power+-wind", true},
      {&navigation::SearchAssistant::Label14Click,
       "http://www.bing.com/search?&q=solar+power+ -wind+loc%3ADE++language%3Ade", false},
      {&navigation::SearchAssistant::Label15Click, "http://de.wikipedia.org/w/index.php?search=solar+power", false},
  };
  for (const Case& c : cases) {
    (panel().*c.pick)();
    form->GoogleRefresh = false;
    const int tabs = form->table.LiveCount();
    panel().sbgoClick();
    ASSERT_EQ(form->table.LiveCount(), tabs + 1) << c.address;
    EXPECT_EQ(Current().navigations, (std::vector<std::string>{"Blank Page", c.address}));
    EXPECT_GE(Current().focusGrabs, 1);
    EXPECT_EQ(form->GoogleRefresh, c.refreshOnce) << c.address;
  }
  // The lists' fragments are kept for the next search.
  panel().sbgoClick();
  EXPECT_EQ(Current().navigations.back(), "http://de.wikipedia.org/w/index.php?search=solar+power");
}

TEST_F(SearchAssistantTest, OneEngineAtATimeAndNoneSearchesNothing) {
  StartWithPanel();
  panel().bc2.clicked();  // the user clicks Bing while Google is ticked
  EXPECT_FALSE(panel().bc1.get_active());
  EXPECT_TRUE(panel().bc2.get_active());
  EXPECT_FALSE(panel().bc3.get_active());
  panel().bc2.clicked();  // and again: none
  EXPECT_FALSE(panel().bc1.get_active() || panel().bc2.get_active() || panel().bc3.get_active());
  const int tabs = form->table.LiveCount();
  panel().sbgoClick();
  EXPECT_EQ(form->table.LiveCount(), tabs);
  panel().Label15Click();
  EXPECT_TRUE(panel().bc3.get_active());
  EXPECT_FALSE(panel().bc1.get_active() || panel().bc2.get_active());
}

TEST_F(SearchAssistantTest, ResetEmptiesTheOptionsButKeepsTheWordsAndTheEngine) {
  StartWithPanel();
  panel().surl.set_text("solar power");
  panel().Label15Click();
  panel().cb2.set_active(Row(navigation::kLanguageCodes, "German"));
  panel().cb5.set_active(1);
  panel().eexact.set_text("green energy");
  panel().edomain.set_text("example.org");
  panel().XiButton4Click();
  EXPECT_EQ(panel().cb2.get_active_row_number(), 0);
  EXPECT_EQ(panel().cb5.get_active_row_number(), 0);
  EXPECT_EQ(panel().eexact.get_text(), "");
  EXPECT_EQ(panel().edomain.get_text(), "");
  EXPECT_TRUE(panel().eexact.is_focus());
  EXPECT_EQ(panel().fragments().wikiPrefix, "");
  EXPECT_EQ(panel().fragments().fileExt, "");
  EXPECT_EQ(panel().surl.get_text(), "solar power");
  EXPECT_TRUE(panel().bc3.get_active());
  panel().sbgoClick();
  EXPECT_EQ(Current().navigations.back(), "http://wikipedia.org/w/index.php?search=solar+power");
}

TEST_F(SearchAssistantTest, EnterInTheWordsSearchesAndTheCloseButtonsHideIt) {
  StartWithPanel();
  panel().surl.set_text("solar");
  GdkEventKey enter{};
  enter.type = GDK_KEY_PRESS;
  enter.keyval = GDK_KEY_Return;
  EXPECT_TRUE(panel().surlKeyPress(&enter));
  EXPECT_EQ(Current().navigations.back(), "http://www.google.com/search?&q=solar");
  for (auto close : {&navigation::SearchAssistant::XiButton2Click, &navigation::SearchAssistant::XiButton1Click,
                     &navigation::SearchAssistant::XiButton5Click}) {
    if (!panel().get_visible()) form->xp9Click();
    ASSERT_TRUE(panel().get_visible());
    (panel().*close)();
    EXPECT_FALSE(panel().get_visible());
  }
  form->xp9Click();
  form->xp9Click();  // shown, then hidden again
  EXPECT_FALSE(panel().get_visible());
}

}  // namespace
