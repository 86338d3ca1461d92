#include <gtest/gtest.h>

#include <string>

#include "settings/ColorState.h"
#include "support/TempFolder.h"

using settings::ColorDialogState;
using settings::LoadColorState;
using settings::SaveColorState;
using testing_support::TempFolder;

namespace {

ColorDialogState Sample() {
  ColorDialogState s;
  s.color = 0x00FF8000;
  for (std::size_t i = 0; i < s.custom.size(); ++i) s.custom[i] = static_cast<std::uint32_t>(i * 0x010203);
  s.custom[15] = 0x00FFFFFF;
  return s;
}

std::string ValidText() {
  std::string text = "[ColorDialog]\nVersion=1\nColor=0x00FF8000\n";
  for (int i = 1; i <= 16; ++i) text += "Custom" + std::to_string(i) + "=0\n";
  return text;
}

}  // namespace

TEST(ColorState, SurvivesASaveAndLoadAsReadableText) {
  TempFolder dir;
  ASSERT_TRUE(SaveColorState(dir / "color.cld", Sample()));
  EXPECT_EQ(LoadColorState(dir / "color.cld"), Sample());
  const std::string text = dir.Read("color.cld");
  EXPECT_NE(text.find("[ColorDialog]\nVersion=1\nColor=0x00FF8000\nCustom1=0x00000000\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Custom16=0x00FFFFFF\n"), std::string::npos) << text;
}

TEST(ColorState, AFileThatDoesNotParseIsTreatedAsMissing) {
  TempFolder dir;
  dir.Write("ok.cld", ValidText());
  ASSERT_TRUE(LoadColorState(dir / "ok.cld"));

  auto replaced = [](std::string from, std::string to) {
    std::string text = ValidText();
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::string broken[] = {
      "",
      std::string("TPF0\x0BTColorDialog\x00\x01", 17),  // some other program's serialisation
      replaced("Version=1", "Version=2"),
      replaced("Version=1\n", ""),
      replaced("Custom16=0\n", ""),
      replaced("Color=0x00FF8000", "Color=0x01FF8000"),  // not 0x00BBGGRR
      replaced("Color=0x00FF8000", "Color=-1"),
      replaced("Custom3=0", "Custom3=red"),
      replaced("[ColorDialog]", "[Other]"),
  };
  for (const std::string& text : broken) {
    dir.Write("bad.cld", text);
    EXPECT_EQ(LoadColorState(dir / "bad.cld"), std::nullopt) << text;
  }
  EXPECT_EQ(LoadColorState(dir / "absent.cld"), std::nullopt);
}

TEST(ColorState, TheSettingsFolderCopyComesBeforeTheProgramFolderCopy) {
  TempFolder settingsDir, programDir;
  ColorDialogState fromProgram = Sample();
  fromProgram.color = 0x123456;
  ASSERT_TRUE(SaveColorState(programDir / "color.cld", fromProgram));

  EXPECT_EQ(LoadColorState(settingsDir / "color.cld", programDir / "color.cld"), fromProgram);
  settingsDir.Write("color.cld", "garbage");
  EXPECT_EQ(LoadColorState(settingsDir / "color.cld", programDir / "color.cld"), fromProgram);
  ASSERT_TRUE(SaveColorState(settingsDir / "color.cld", Sample()));
  EXPECT_EQ(LoadColorState(settingsDir / "color.cld", programDir / "color.cld"), Sample());
  EXPECT_EQ(LoadColorState(settingsDir / "none.cld", programDir / "none.cld"), std::nullopt);
}
