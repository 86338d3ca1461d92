// The main window reads its configuration and geometry at start-up and
// writes them back when it closes.
#include "support/MainFormFixture.h"
#include "settings/IniFile.h"

namespace {

using testing_support::MainFormTest;

TEST_F(MainFormTest, AHandEditedConfigurationLoadsAndIsWrittenBackByTheRules) {
  data.Write("Lumivale/Lumivale.cfg",
             "; my settings\r\n"
             "[Config]\r\n"
             "popblock=2\r\n"
             "SPEEDSEARCH=7\r\n"
             "Homepage=http://home.example/\r\n"
             "hidebar=1\r\n"
             "thumbzoom=5\r\n"
             "3durl=1\r\n"
             "complex=1\r\n"
             "setbutton=0101\r\n"
             "colsheme=-1\r\n"
             "smartcolor=0\r\n"
             "enablehist=0\r\n"
             "mine=kept\r\n"
             "[hmenu]\r\n"
             "x=99999\r\n"
             "y=99999\r\n"
             "[Other]\r\n"
             "a=b\r\n");
  Start();
  EXPECT_FALSE(form->PopupsAllowed);
  EXPECT_EQ(form->SpeedSearch, 0);
  EXPECT_EQ(form->xquick.get_tooltip_text(), "Google Search");
  EXPECT_EQ(form->HomePage, "http://home.example/");
  EXPECT_EQ(browsers[0]->navigations.front(), "http://home.example/");
  EXPECT_EQ(form->BarState, 2);
  int w = 0, h = 0;
  form->RGPanel1.get_size_request(w, h);
  EXPECT_EQ(h, 103);
  EXPECT_TRUE(form->ThumbZoom);
  EXPECT_FALSE(form->FlatAddressBar);
  EXPECT_FALSE(form->FlatAdressBar1.get_active());
  EXPECT_TRUE(form->panel9.get_visible());
  EXPECT_FALSE(form->smartback.get_active());
  EXPECT_EQ(form->config.colorScheme, 4);
  EXPECT_EQ(form->config.hmenuX, 1920 - 300);
  EXPECT_EQ(form->config.hmenuY, 120);
  EXPECT_FALSE(history->bchist.get_active());
  // "0101": only Find and the quick search show, at 0 and 24.
  EXPECT_FALSE(form->xq1.get_visible());
  EXPECT_TRUE(form->xisci.get_visible());
  EXPECT_TRUE(form->xquick.get_visible());
  EXPECT_FALSE(form->xF11.get_visible());
  int y = -1;
  gtk_container_child_get(GTK_CONTAINER(form->p2.gobj()), GTK_WIDGET(form->xquick.gobj()), "y", &y, nullptr);
  EXPECT_EQ(y, 24);

  form->CloseProgram();
  const auto ini = settings::IniFile::Load(Settings("Lumivale.cfg"));
  EXPECT_EQ(ini.ReadString("Config", "popblock", "?"), "0");
  EXPECT_EQ(ini.ReadString("Config", "SPEEDSEARCH", "?"), "0");
  EXPECT_EQ(ini.ReadString("Config", "hidebar", "?"), "2");
  EXPECT_EQ(ini.ReadString("Config", "thumbzoom", "?"), "1");
  EXPECT_EQ(ini.ReadString("Config", "3durl", "?"), "1");
  EXPECT_EQ(ini.ReadString("Config", "complex", "?"), "1");
  EXPECT_EQ(ini.ReadString("Config", "setbutton", "?"), "0101");
  EXPECT_EQ(ini.ReadString("Config", "colsheme", "?"), "4");
  EXPECT_EQ(ini.ReadString("Config", "enablehist", "?"), "0");
  EXPECT_EQ(ini.ReadString("Config", "hideadressbar", "?"), "1");
  EXPECT_EQ(ini.ReadString("Config", "Homepage", "?"), "http://home.example/");
  EXPECT_EQ(ini.ReadString("hmenu", "x", "?"), "1620");
  EXPECT_EQ(ini.ReadString("hmenu", "y", "?"), "120");
  // What the program does not own stays in the file.
  EXPECT_EQ(ini.ReadString("Config", "mine", "?"), "kept");
  EXPECT_EQ(ini.ReadString("Other", "a", "?"), "b");
}

TEST_F(MainFormTest, ChangesMadeDuringTheRunAreWrittenAtClose) {
  Start();
  form->PopupsAllowed = true;
  form->ThumbZoom = false;
  ASSERT_EQ(form->BarState, 2);  // a missing "hidebar" reads as 1, taken as 2
  form->FullScreen1Click();
  form->FullScreen1Click();
  ASSERT_EQ(form->BarState, 1);  // hidden: written as 2
  history->bchist.set_active(false);
  form->FlatAdressBar1Click();
  form->CloseProgram();
  const auto ini = settings::IniFile::Load(Settings("Lumivale.cfg"));
  EXPECT_EQ(ini.ReadInteger("Config", "popblock", -1), 1);
  EXPECT_EQ(ini.ReadInteger("Config", "thumbzoom", -1), 0);
  EXPECT_EQ(ini.ReadInteger("Config", "hidebar", -1), 2);
  EXPECT_EQ(ini.ReadInteger("Config", "enablehist", -1), 0);
  EXPECT_EQ(ini.ReadInteger("Config", "3durl", -1), 1);
}

TEST_F(MainFormTest, TheGeometryIsRestoredAndAMinimisedWindowOpensNormal) {
  data.Write("Lumivale/Progset.cfg", "[Velikost]\nSirina=900\nVisina=600\nLevo=30\nGor=40\nStatus=1\n");
  Start();
  int w = 0, h = 0;
  form->get_size(w, h);
  EXPECT_EQ(w, 900);
  EXPECT_EQ(h, 600);
  EXPECT_FALSE(form->is_maximized());
  form->CloseProgram();
  const auto ini = settings::IniFile::Load(Settings("Progset.cfg"));
  EXPECT_EQ(ini.ReadInteger("Velikost", "Sirina", -1), 900);
  EXPECT_EQ(ini.ReadInteger("Velikost", "Visina", -1), 600);
  EXPECT_EQ(ini.ReadInteger("Velikost", "Status", -1), 0);
}

TEST_F(MainFormTest, AGeometryFarOffTheScreenIsBroughtBack) {
  data.Write("Lumivale/Progset.cfg", "[Velikost]\nSirina=-5\nVisina=600\nLevo=50000\nGor=40\nStatus=0\n");
  Start();
  int x = -1, y = -1, w = 0, h = 0;
  form->get_position(x, y);
  form->get_size(w, h);
  EXPECT_LT(x, 1920);
  EXPECT_GT(w, 0);
  EXPECT_EQ(h, 600);
}

TEST_F(MainFormTest, TheColourChoicesPersistInTheSettingsFolder) {
  settings::ColorDialogState state;
  state.color = 0x00336699;
  state.custom[3] = 0x00ABCDEF;
  ASSERT_TRUE(settings::SaveColorState(program / "color.cld", state));
  Start();
  EXPECT_EQ(form->colorDialog.color, 0x00336699u);
  EXPECT_EQ(form->colorDialog.custom[3], 0x00ABCDEFu);
  form->colorDialog.color = 0x00112233;
  form->CloseProgram();
  const auto saved = settings::LoadColorState(Settings("color.cld"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->color, 0x00112233u);
  EXPECT_EQ(saved->custom[3], 0x00ABCDEFu);
}

TEST_F(MainFormTest, AConfigurationThatCannotBeWrittenIsReportedNotLost) {
  Start();
  // The settings file's place is taken by a folder: the write must fail
  // without a crash, and say so on standard error.
  std::filesystem::create_directories(data.path() / "Lumivale" / "Lumivale.cfg");
  testing::internal::CaptureStderr();
  form->CloseProgram();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("settings"), std::string::npos) << err;
  EXPECT_EQ(programEnds, 1);
}

}  // namespace
