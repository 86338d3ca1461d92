// The options dialog with the main window: what OK and Cancel take over,
// the colour schemes on the top area, the user-agent list and its file,
// the home page and the about box.
#include "options/ColorSchemes.h"
#include "options/UserAgents.h"
#include "settings/AtomicFile.h"
#include "settings/IniFile.h"
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;
using Lines = std::vector<std::string>;

class OptionsTest : public MainFormTest {
 protected:
  // Runs the options dialog from the menu; `user` acts in it and closes it.
  void RunOptions(const std::function<void(options::Tfoptions&)>& user) {
    dialogs.whileModal = [this, user](Gtk::Window& w) {
      if (&w == foptions.get()) user(*foptions);
      else if (&w == faddstring.get() && inAddString) inAddString(*faddstring);
      else if (&w == fhomepage.get() && inHomePage) inHomePage(*fhomepage);
    };
    form->Options1.activate();
  }
  Lines Listed() const {
    Lines items;
    for (int i = 0;; ++i) {
      foptions->cbx.set_active(i);
      if (foptions->cbx.get_active_row_number() != i) break;
      items.push_back(foptions->cbx.get_active_text());
    }
    return items;
  }
  void Tick(int scheme) { foptions->schemeRadio[std::size_t(scheme - 1)].set_active(true); }
  // The add/edit box answers with `text` and OK, or Cancel.
  void AnswerAddString(std::optional<std::string> text) {
    inAddString = [this, text](options::Tfaddstring& box) {
      shownLabel = box.L1.get_text();
      shownText = box.eadd.get_text();
      if (text) box.eadd.set_text(*text);
      box.Finish(text ? options::ModalResult::Ok : options::ModalResult::Cancel);
    };
  }

  std::function<void(options::Tfaddstring&)> inAddString;
  std::function<void(options::Tfhomepage&)> inHomePage;
  std::string shownLabel, shownText;
};

TEST_F(OptionsTest, CancelKeepsTheEngineAndTheSchemeButNotTheCheckBoxesOrTheList) {
  Start();
  AddOptionsWindows();
  const std::string oldHint = form->xquick.get_tooltip_text();
  AnswerAddString("Added/1");
  RunOptions([&](options::Tfoptions& o) {
    EXPECT_EQ(o.pagecont.get_current_page(), 0);
    o.brg2.set_active(true);  // Bing
    Tick(8);
    o.cb5.set_active(true);
    o.cbthumbzoom.set_active(false);
    o.cbbreak.set_active(true);
    o.SpeedButton1.clicked();
    o.BitBtn2.clicked();
  });
  EXPECT_EQ(form->SpeedSearch, 1);
  EXPECT_EQ(form->xquick.get_tooltip_text(), oldHint);
  EXPECT_EQ(form->RGPanel1.tile(), options::SchemeTile(8));
  EXPECT_FALSE(form->PopupsAllowed);
  EXPECT_TRUE(form->ThumbZoom);
  EXPECT_EQ(form->config.bnews, 0);
  EXPECT_FALSE(settings::IsRegularFile(Settings("uas.cfg")));

  // The next opening shows the boxes as they were; the unsaved list stays
  // while there is no file. OK takes everything over.
  RunOptions([&](options::Tfoptions& o) {
    EXPECT_FALSE(o.cb5.get_active());
    EXPECT_TRUE(o.cbthumbzoom.get_active());
    EXPECT_FALSE(o.cbbreak.get_active());
    EXPECT_TRUE(o.brg2.get_active());
    EXPECT_EQ(o.agents().size(), options::BuiltInAgents().size() + 1);
    o.cb5.set_active(true);
    o.cbbreak.set_active(true);
    o.BitBtn1.clicked();
  });
  EXPECT_EQ(form->xquick.get_tooltip_text(), "Bing Search");
  EXPECT_TRUE(form->PopupsAllowed);
  EXPECT_EQ(form->config.bnews, 1);
  const Lines saved = options::SortedAgents([] {
    Lines l = options::BuiltInAgents();
    l.push_back("Added/1");
    return l;
  }());
  EXPECT_EQ(options::LoadAgentFile(Settings("uas.cfg")), saved);

  // With the file there, an added string that is cancelled is gone at the
  // next opening and the file is unchanged.
  const auto fileBefore = settings::ReadWholeFile(Settings("uas.cfg"));
  AnswerAddString("Second/2");
  RunOptions([&](options::Tfoptions& o) {
    o.SpeedButton1.clicked();
    EXPECT_EQ(o.agents().size(), saved.size() + 1);
    o.close();  // the close box counts as Cancel
  });
  EXPECT_EQ(settings::ReadWholeFile(Settings("uas.cfg")), fileBefore);
  RunOptions([&](options::Tfoptions& o) {
    EXPECT_EQ(o.agents(), saved);
    o.BitBtn2.clicked();
  });

  form->CloseProgram();
  const auto ini = settings::IniFile::Load(Settings("Lumivale.cfg"));
  EXPECT_EQ(ini.ReadInteger("Config", "colsheme", 0), 8);
  EXPECT_EQ(ini.ReadInteger("Config", "SPEEDSEARCH", 0), 1);
  EXPECT_EQ(ini.ReadInteger("Config", "popblock", 0), 1);
  EXPECT_EQ(ini.ReadInteger("Config", "bnews", 0), 1);
}

TEST_F(OptionsTest, EditedAndAddedStringsTakeTheirSortedPlaceAndTheFirstItemIsSelected) {
  data.Write("Lumivale/uas.cfg", "b/1\r\nD/1\n\ra/1\r\n");
  Start();
  AddOptionsWindows();
  RunOptions([&](options::Tfoptions& o) {
    EXPECT_EQ(Listed(), (Lines{"", "a/1", "b/1", "D/1"}));
    o.cbx.set_active(3);
    AnswerAddString("C/9");
    o.sbedit.clicked();
    EXPECT_EQ(shownLabel, "Edit user agent string");
    EXPECT_EQ(shownText, "D/1");
    EXPECT_EQ(o.agents(), (Lines{"", "a/1", "b/1", "C/9"}));
    EXPECT_EQ(o.cbx.get_active_row_number(), 0);

    AnswerAddString("B/0");
    o.SpeedButton1.clicked();
    EXPECT_EQ(shownLabel, "Add new user agent string");
    EXPECT_EQ(shownText, "");
    EXPECT_EQ(o.agents(), (Lines{"", "a/1", "B/0", "b/1", "C/9"}));
    EXPECT_EQ(o.cbx.get_active_row_number(), 0);

    AnswerAddString(std::nullopt);  // Cancel changes nothing
    o.cbx.set_active(2);
    o.sbedit.clicked();
    o.SpeedButton1.clicked();
    EXPECT_EQ(o.agents().size(), 5u);
    EXPECT_EQ(o.cbx.get_active_row_number(), 2);
    o.BitBtn1.clicked();
  });
  EXPECT_EQ(settings::ReadWholeFile(Settings("uas.cfg")), "\r\na/1\r\nB/0\r\nb/1\r\nC/9\r\n");
}

TEST_F(OptionsTest, RemovingAsksWithNoAsTheDefaultAndOnlyYesRemoves) {
  data.Write("Lumivale/uas.cfg", "x/1\r\ny/2\r\n");
  Start();
  AddOptionsWindows();
  RunOptions([&](options::Tfoptions& o) {
    o.cbx.set_active(1);
    dialogs.answers = {ui::Answer::No};
    o.sbminus.clicked();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const ui::Message& asked = dialogs.shown.back();
    EXPECT_EQ(asked.text, "Remove \"y/2\" from user agent list ?");
    EXPECT_EQ(asked.caption, "Lumivale");
    EXPECT_EQ(asked.icon, ui::Icon::Stop);
    EXPECT_EQ(asked.buttons, ui::Buttons::YesNo);
    EXPECT_TRUE(asked.noIsDefault);
    EXPECT_EQ(dialogs.beeps, std::vector<ui::Beep>{ui::Beep::Question});
    EXPECT_EQ(o.agents(), (Lines{"x/1", "y/2"}));

    dialogs.answers = {ui::Answer::Yes, ui::Answer::Yes};
    o.sbminus.clicked();
    EXPECT_EQ(o.agents(), Lines{"x/1"});
    EXPECT_EQ(o.cbx.get_active_row_number(), 0);
    o.sbminus.clicked();
    EXPECT_TRUE(o.agents().empty());
    // An empty list: the buttons that need an item do nothing.
    const std::size_t messages = dialogs.shown.size();
    AnswerAddString("never");
    for (Gtk::Button* b : {&o.sbminus, &o.sbedit, &o.sbset2}) b->clicked();
    EXPECT_EQ(dialogs.shown.size(), messages);
    EXPECT_TRUE(shownLabel.empty());
    o.BitBtn1.clicked();
  });
  EXPECT_EQ(settings::ReadWholeFile(Settings("uas.cfg")), "");
}

TEST_F(OptionsTest, ChosenAgentGoesToTheCurrentAndLaterTabsWhileOlderTabsKeepTheirs) {
  Start();
  form->sbdodajClick();
  engine::FakeBrowser& older = Browser(0);
  engine::FakeBrowser& current = Current();
  AddOptionsWindows();
  const std::string chosen = options::BuiltInAgents()[3];
  RunOptions([&](options::Tfoptions& o) {
    EXPECT_EQ(o.e_ua.get_text(), form->DefaultUserAgent);
    EXPECT_EQ(o.L5.get_text(), form->DefaultUserAgent);
    o.cbx.set_active(3);
    o.sbset2.clicked();
    EXPECT_EQ(o.L5.get_text(), chosen);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, "Current user agent: " + chosen);
    EXPECT_EQ(dialogs.shown.back().icon, ui::Icon::Information);
    o.BitBtn2.clicked();  // the choice does not wait for OK
  });
  EXPECT_EQ(form->UserAgent, chosen);
  EXPECT_EQ(current.userAgent, chosen);
  EXPECT_EQ(older.userAgent, form->DefaultUserAgent);
  form->sbdodajClick();
  EXPECT_EQ(Current().userAgent, chosen);

  // "Set default " by the default string brings the program's own back.
  RunOptions([&](options::Tfoptions& o) {
    EXPECT_EQ(o.L5.get_text(), chosen);
    o.sbset.clicked();
    o.BitBtn2.clicked();
  });
  EXPECT_EQ(Current().userAgent, form->DefaultUserAgent);
  EXPECT_EQ(form->UserAgent, form->DefaultUserAgent);
}

TEST_F(OptionsTest, CustomColourChangesTheWindowOnlyWhileCustomColorIsTicked) {
  Start();
  AddOptionsWindows();
  const controls::Rgb picked{0x99, 0x66, 0x33};
  RunOptions([&](options::Tfoptions& o) {
    Tick(3);
    dialogs.colorAnswer = std::nullopt;  // cancelled: nothing changes
    o.SpeedButton2.clicked();
    EXPECT_EQ(o.b13.color(), (controls::Rgb{0, 0, 0}));
    dialogs.colorAnswer = controls::ToStored(picked);
    o.SpeedButton2.clicked();
    EXPECT_EQ(dialogs.colorRequests, (std::vector<ui::StoredColor>{0, 0}));
    EXPECT_EQ(o.b13.color(), picked);
    EXPECT_EQ(form->RGPanel1.tile(), options::SchemeTile(3));

    Tick(13);
    for (controls::Panel* p : {&form->RGPanel1, &form->drsni, &form->p2}) {
      EXPECT_FALSE(p->tile()) << p->get_name();
      EXPECT_EQ(p->color(), picked) << p->get_name();
    }
    EXPECT_EQ(form->paneldodaj.color(), (controls::Rgb{0, 0, 0}));

    // With Custom color ticked a new colour shows at once.
    dialogs.colorAnswer = 0x00FFFFFF;
    o.SpeedButton2.clicked();
    EXPECT_EQ(form->RGPanel1.color(), (controls::Rgb{255, 255, 255}));
    o.BitBtn2.clicked();
  });
  EXPECT_EQ(form->colorDialog.color, 0x00FFFFFFu);
  form->CloseProgram();
  const auto ini = settings::IniFile::Load(Settings("Lumivale.cfg"));
  EXPECT_EQ(ini.ReadInteger("Config", "colsheme", 0), 13);
  EXPECT_EQ(ini.ReadInteger("Config", "customcolor", 0), 0x00FFFFFF);
}

TEST_F(OptionsTest, TheSavedSchemeIsPaintedAtStartAndNumbersOutsideTheRangeAreKept) {
  struct Case {
    const char* stored;
    int scheme;  // what is painted; 0 for nothing
    int written;
  } cases[] = {{"3", 3, 3}, {"-1", 4, 4}, {"13", 13, 13}, {"0", 0, 0}, {"14", 0, 14}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    data.Write("Lumivale/Lumivale.cfg",
               std::string("[Config]\ncolsheme=") + c.stored + "\ncustomcolor=" + std::to_string(0x00102030) + "\n");
    Start();
    AddOptionsWindows();
    if (c.scheme == 13) {
      EXPECT_FALSE(form->RGPanel1.tile());
      EXPECT_EQ(form->RGPanel1.color(), controls::FromStored(0x00102030));
    } else if (c.scheme > 0) {
      EXPECT_EQ(form->RGPanel1.tile(), options::SchemeTile(c.scheme));
      EXPECT_EQ(form->p2.tile(), options::SchemeTile(c.scheme));
    } else {
      EXPECT_FALSE(form->RGPanel1.tile());
      EXPECT_EQ(form->RGPanel1.color(), (controls::Rgb{214, 214, 214}));
    }
    // Switching the address-bar style re-applies the scheme, as does
    // closing the dialog; an unknown number stays as it is.
    form->RGPanel1.SetTile(std::nullopt);
    form->FlatAdressBar1Click();
    if (c.scheme > 0 && c.scheme < 13) EXPECT_EQ(form->RGPanel1.tile(), options::SchemeTile(c.scheme));
    RunOptions([](options::Tfoptions& o) { o.BitBtn2.clicked(); });
    EXPECT_EQ(foptions->colsheme(), c.written);
    form->CloseProgram();
    EXPECT_EQ(settings::IniFile::Load(Settings("Lumivale.cfg")).ReadInteger("Config", "colsheme", -5), c.written);
    TearDown();
    SetUp();
  }
}

TEST_F(OptionsTest, HomePageCancelKeepsTheOldValueAndAddCurrentTakesThePagesAddress) {
  Start();
  AddOptionsWindows();
  const std::string old = form->HomePage;
  EXPECT_EQ(fhomepage->ehomepage.get_text(), old);
  inHomePage = [](options::Tfhomepage& h) {
    h.ehomepage.set_text("typed.example");
    h.XiButton2.clicked();
  };
  RunOptions([](options::Tfoptions& o) {
    o.sbhomepage.clicked();
    o.BitBtn2.clicked();
  });
  EXPECT_EQ(form->HomePage, old);
  EXPECT_EQ(fhomepage->ehomepage.get_text(), old);

  Current().Navigate("http://current.example/page");
  inHomePage = [](options::Tfhomepage& h) {
    h.XiButton3.clicked();
    h.XiButton1.clicked();
  };
  RunOptions([](options::Tfoptions& o) {
    o.sbhomepage.clicked();
    o.BitBtn2.clicked();  // the home page does not wait for the options' OK
  });
  EXPECT_EQ(form->HomePage, Current().LocationURL());
  EXPECT_EQ(fhomepage->ehomepage.get_text(), Current().LocationURL());
  form->CloseProgram();
  EXPECT_EQ(settings::IniFile::Load(Settings("Lumivale.cfg")).ReadString("Config", "Homepage", ""),
            Current().LocationURL());
}

TEST_F(OptionsTest, AboutBoxShowsTheVersionAndItsLinkOpensTheSiteInANewTab) {
  Start();
  AddOptionsWindows();
  dialogs.whileModal = [this](Gtk::Window& w) {
    ASSERT_EQ(&w, fabout.get());
    EXPECT_EQ(fabout->Label2.get_text(), "Version 4.6.0.0");
    fabout->Label5Click();
  };
  const int tabs = form->table.TabCount();
  form->AboutLumivale1.activate();
  EXPECT_EQ(form->table.TabCount(), tabs + 1);
  EXPECT_EQ(Current().LocationURL(), "http://lumivale.example/");
  EXPECT_FALSE(fabout->get_visible());
}

}  // namespace

namespace {

TEST(OptionsDialog, TheSettingsFolderButtonOpensTheSettingsFolder) {
  testing_support::TempFolder folder;
  std::vector<std::string> opened;
  options::Tfoptions::Callbacks callbacks;
  callbacks.openFolder = [&](const std::string& path) { opened.push_back(path); };
  options::Tfoptions dialog(folder.str(), callbacks);
  dialog.sbcfgfolder.clicked();
  EXPECT_EQ(opened, std::vector<std::string>{folder.str()});
}

}  // namespace
