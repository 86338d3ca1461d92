#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "settings/Configuration.h"
#include "support/TempFolder.h"

using settings::Configuration;
using settings::IniFile;
using settings::ReadConfiguration;
using settings::ScreenSize;
using settings::WriteConfiguration;
using testing_support::TempFolder;

namespace {

constexpr ScreenSize kScreen{1920, 1080};

Configuration Read(const std::string& text, Configuration c = {}) {
  ReadConfiguration(IniFile::Parse(text), c, kScreen);
  return c;
}

}  // namespace

TEST(ReadConfiguration, AMissingFileGivesEveryKeyItsDefault) {
  const Configuration c = Read("");
  EXPECT_FALSE(c.popupsAllowed);
  EXPECT_EQ(c.speedSearch, 0);
  EXPECT_EQ(c.homePage, settings::kBuiltInHomePage);
  EXPECT_EQ(c.hmenuX, 1920 - 300);
  EXPECT_EQ(c.hmenuY, 45);
  EXPECT_EQ(c.enableHist, 1);
  EXPECT_EQ(c.colorScheme, 12);
  EXPECT_EQ(c.customColor, 0);
  EXPECT_EQ(c.barState, 2);  // the default 1 is taken as 2
  EXPECT_TRUE(c.smartColor);
  EXPECT_TRUE(c.thumbZoom);
  EXPECT_TRUE(c.flatAddressBar);
  EXPECT_FALSE(c.complex);
  EXPECT_EQ(c.buttonMask, "1111111111");
  EXPECT_EQ(c.bnews, 0);
}

TEST(ReadConfiguration, AppliesEachKeysRule) {
  // Where a rule leaves a value alone, the starting value is the opposite of
  // the default, so leaving it is told apart from taking the default.
  Configuration opposite;
  opposite.popupsAllowed = true;
  opposite.speedSearch = 2;
  opposite.homePage = "current.example";
  opposite.thumbZoom = false;
  opposite.flatAddressBar = false;
  opposite.complex = true;

  struct Case {
    std::string file;
    std::function<void(const Configuration&)> check;
  };
  const Case cases[] = {
      {"[Config]\npopblock=0", [](auto& c) { EXPECT_FALSE(c.popupsAllowed); }},
      {"[Config]\npopblock=1", [](auto& c) { EXPECT_TRUE(c.popupsAllowed); }},
      {"[Config]\npopblock=2", [](auto& c) { EXPECT_TRUE(c.popupsAllowed); }},
      {"[Config]\nSPEEDSEARCH=3", [](auto& c) { EXPECT_EQ(c.speedSearch, 3); }},
      {"[Config]\nspeedsearch=7", [](auto& c) { EXPECT_EQ(c.speedSearch, 2); }},
      {"[Config]\nSPEEDSEARCH=-1", [](auto& c) { EXPECT_EQ(c.speedSearch, 2); }},
      {"[Config]\nSPEEDSEARCH=bing", [](auto& c) { EXPECT_EQ(c.speedSearch, 0); }},  // default 0 taken
      {"[Config]\nHomepage=lumivale.example", [](auto& c) { EXPECT_EQ(c.homePage, "lumivale.example"); }},
      {"[Config]\nHomepage=", [](auto& c) { EXPECT_EQ(c.homePage, ""); }},
      {"[Config]", [](auto& c) { EXPECT_EQ(c.homePage, "current.example"); }},
      {"[hmenu]\nx=1860\ny=1020", [](auto& c) { EXPECT_EQ(c.hmenuX, 1860); EXPECT_EQ(c.hmenuY, 1020); }},
      {"[hmenu]\nx=1861\ny=1021", [](auto& c) { EXPECT_EQ(c.hmenuX, 1620); EXPECT_EQ(c.hmenuY, 120); }},
      {"[hmenu]\nx=-40\ny=-5", [](auto& c) { EXPECT_EQ(c.hmenuX, -40); EXPECT_EQ(c.hmenuY, -5); }},
      {"[Config]\nhidebar=0", [](auto& c) { EXPECT_EQ(c.barState, 0); }},
      {"[Config]\nhidebar=1", [](auto& c) { EXPECT_EQ(c.barState, 2); }},
      {"[Config]\nhidebar=2", [](auto& c) { EXPECT_EQ(c.barState, 2); }},
      {"[Config]\nhidebar=5", [](auto& c) { EXPECT_EQ(c.barState, 2); }},  // never a stuck switch
      {"[Config]\ncolsheme=-1", [](auto& c) { EXPECT_EQ(c.colorScheme, 4); }},
      {"[Config]\ncolsheme=7", [](auto& c) { EXPECT_EQ(c.colorScheme, 7); }},
      {"[Config]\ncustomcolor=0x00FF8000", [](auto& c) { EXPECT_EQ(c.customColor, 0xFF8000); }},
      {"[Config]\nsmartcolor=0", [](auto& c) { EXPECT_FALSE(c.smartColor); }},
      {"[Config]\nthumbzoom=1", [](auto& c) { EXPECT_TRUE(c.thumbZoom); }},
      {"[Config]\nthumbzoom=5", [](auto& c) { EXPECT_FALSE(c.thumbZoom); }},
      {"[Config]\n3durl=0", [](auto& c) { EXPECT_TRUE(c.flatAddressBar); }},
      {"[Config]\n3durl=2", [](auto& c) { EXPECT_FALSE(c.flatAddressBar); }},
      {"[Config]\ncomplex=0", [](auto& c) { EXPECT_FALSE(c.complex); }},
      {"[Config]\ncomplex=3", [](auto& c) { EXPECT_TRUE(c.complex); }},
      {"[Config]\nsetbutton=0101", [](auto& c) { EXPECT_EQ(c.buttonMask, "0101"); }},
      {"[Config]\nenablehist=0\nbnews=5", [](auto& c) { EXPECT_EQ(c.enableHist, 0); EXPECT_EQ(c.bnews, 5); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    c.check(Read(c.file, opposite));
  }
}

TEST(CheckBoxSettings, OneTicksZeroClearsOthersKeepTheTickedDesign) {
  for (auto [value, on] : {std::pair{1, true}, {0, false}, {5, true}, {-1, true}}) {
    EXPECT_EQ(settings::HistorySwitchOn(value), on) << value;
    EXPECT_EQ(settings::BreakingNewsOn(value), on) << value;
  }
}

TEST(WriteConfiguration, WritesEveryKeyInTheCloseOrder) {
  Configuration c;
  c.speedSearch = 1;
  c.popupsAllowed = true;
  c.thumbZoom = false;
  c.enableHist = 5;
  c.complex = true;
  c.bnews = 0;
  c.barState = 1;
  c.smartColor = false;
  c.flatAddressBar = false;
  c.buttonMask = "0001";
  c.homePage = "lumivale.example";
  c.hmenuX = 100;
  c.hmenuY = 200;
  c.colorScheme = 13;
  c.customColor = 0x102030;
  IniFile ini;
  WriteConfiguration(ini, c);
  EXPECT_EQ(ini.Text(),
            "[Config]\nSPEEDSEARCH=1\npopblock=1\nthumbzoom=0\nenablehist=1\ncomplex=1\nbnews=0\nhidebar=2\n"
            "smartcolor=0\nhideadressbar=1\n3durl=1\nsetbutton=0001\nHomepage=lumivale.example\n"
            "colsheme=13\ncustomcolor=1056816\n\n[hmenu]\nx=100\ny=200\n");
}

TEST(WriteConfiguration, ValuesReadAtStartUpAreWrittenBackAsTheProgramHoldsThem) {
  Configuration c = Read("[Config]\npopblock=2\nSPEEDSEARCH=7\nthumbzoom=5\nhidebar=1\n");
  IniFile ini = IniFile::Parse("[Config]\npopblock=2\nSPEEDSEARCH=7\nthumbzoom=5\nhidebar=1\n");
  WriteConfiguration(ini, c);
  EXPECT_EQ(ini.ReadString("Config", "popblock", ""), "0");
  EXPECT_EQ(ini.ReadString("Config", "SPEEDSEARCH", ""), "0");
  EXPECT_EQ(ini.ReadString("Config", "thumbzoom", ""), "1");
  EXPECT_EQ(ini.ReadString("Config", "hidebar", ""), "2");

  // An engine outside 0..3 is not written: the file keeps what it had.
  c.speedSearch = 9;
  WriteConfiguration(ini, c);
  EXPECT_EQ(ini.ReadString("Config", "SPEEDSEARCH", ""), "0");
}

TEST(SaveConfiguration, KeepsEverythingElseInTheFile) {
  TempFolder dir;
  const std::string path = dir / "Lumivale.cfg";
  dir.Write("Lumivale.cfg", "; my notes\r\n[Config]\r\nHomepage=old.example\r\nmine=42\r\n[Other]\r\nz=1\r\n");
  Configuration c;
  c.homePage = "new.example";
  ASSERT_TRUE(settings::SaveConfiguration(path, c));
  const std::string text = dir.Read("Lumivale.cfg");
  EXPECT_EQ(text.find("; my notes\r\n[Config]\r\nHomepage=new.example\r\nmine=42\r\n"), 0u) << text;
  EXPECT_NE(text.find("[Other]\r\nz=1\r\n"), std::string::npos) << text;

  Configuration back;
  ReadConfiguration(IniFile::Load(path), back, kScreen);
  EXPECT_EQ(back.homePage, "new.example");
}

TEST(SaveConfiguration, RefusesToReplaceAFileItCannotRead) {
  TempFolder dir;
  std::filesystem::create_directory(dir.path() / "Lumivale.cfg");
  std::string error;
  EXPECT_FALSE(settings::SaveConfiguration(dir / "Lumivale.cfg", Configuration{}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Lumivale.cfg"));
}
