#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/IniFile.h"
#include "support/TempFolder.h"

using settings::IniFile;
using settings::ParseIniInteger;
using testing_support::TempFolder;

TEST(ParseIniInteger, AcceptsWholeDecimalAndHexadecimalNumbersOnly) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"42", 42},
      {"-7", -7},
      {"+7", 7},
      {"007", 7},  // decimal, not octal
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"0x1F", 31},
      {"0X1f", 31},
      {"0x00000000000000FF", 255},  // leading zeros do not count against 32 bits
      {"0x7FFFFFFF", 2147483647},
      {"0xFFFFFFFF", -1},  // the 32-bit pattern
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"0x100000000", std::nullopt},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
      {"-0x10", std::nullopt},  // hexadecimal only where the value begins with 0x
      {"0x", std::nullopt},
      {"0xG", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
      {" 7", std::nullopt},  // the reader trims values before parsing
      {"1 2", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.value) << '"' << c.text << '"';
}

namespace {

// A file as a Windows editor might leave it: byte-order mark, CR LF, odd
// spacing and letter case, comments, duplicates and no final line break.
using namespace std::string_literals;

const std::string kWindowsFile =
    "\xEF\xBB\xBF" "orphan=before any section\r\n"
    "; a comment=not a key\r\n"
    "[Config]\r\n"
    "  PopBlock = 1  \r\n"
    "Homepage=\r\n"
    "hmenu=not a section\r\n"
    "name=Caf\xE9\r\n"
    "nul=ab\0cd\r\n"
    "dup=first\r\n"
    "dup=second\r\n"
    "just text without equals\r\n"
    "=no key\r\n"
    "\r\n"
    "[ hmenu ]\r\n"
    "x=0x10\r\n"
    "y=12abc\r\n"
    "[config]\r\n"
    "onlyhere=1\r\n"
    "[Bools]\r\n"
    "zero=0\r\n"
    "five=5\r\n"
    "minus=-1\r\n"
    "word=yes\r\n"
    "empty=\r\n"
    "last=no line break"s;

IniFile WindowsFile() { return IniFile::Parse(kWindowsFile); }

}  // namespace

TEST(IniFileRead, FollowsThePrivateProfileRules) {
  const IniFile ini = WindowsFile();
  EXPECT_EQ(ini.ReadInteger("config", "popblock", 7), 1);          // names ignore case, blanks trimmed
  EXPECT_EQ(ini.ReadString("Config", "Homepage", "default"), "");  // present but empty
  EXPECT_EQ(ini.ReadString("Config", "missing", "default"), "default");
  EXPECT_EQ(ini.ReadString("Config", "hmenu", ""), "not a section");
  EXPECT_EQ(ini.ReadString("Config", "name", ""), "Caf\xC3\xA9");  // Windows-1252 value
  EXPECT_EQ(ini.ReadString("Config", "nul", ""), "ab");            // cut at NUL
  EXPECT_EQ(ini.ReadString("Config", "dup", ""), "first");         // first key wins
  EXPECT_EQ(ini.ReadString("Config", "onlyhere", "no"), "no");     // only the first section counts
  EXPECT_EQ(ini.ReadString("Config", "; a comment", "no"), "no");
  EXPECT_EQ(ini.ReadString("Config", "just text without equals", "no"), "no");
  EXPECT_EQ(ini.ReadString("", "orphan", "no"), "no");
  EXPECT_EQ(ini.ReadInteger("hmenu", "x", 0), 16);
  EXPECT_EQ(ini.ReadInteger("hmenu", "y", 45), 45);  // not an integer
  EXPECT_EQ(ini.ReadString("Bools", "last", ""), "no line break");
}

TEST(IniFileRead, BooleansAreIntegers) {
  const IniFile ini = WindowsFile();
  struct Case {
    const char* key;
    bool def, value;
  };
  const Case cases[] = {
      {"zero", true, false}, {"five", false, true},  {"minus", false, true}, {"word", true, true},
      {"word", false, false}, {"empty", true, true}, {"absent", false, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.ReadBool("Bools", c.key, c.def), c.value) << c.key;
  EXPECT_EQ(ini.ReadInteger("Bools", "empty", 3), 3);
}

TEST(IniFileWrite, ChangesOnlyTheLinesItMust) {
  // Untouched, the text comes back byte for byte.
  EXPECT_EQ(WindowsFile().Text(), kWindowsFile);

  IniFile ini = WindowsFile();
  ini.WriteString("CONFIG", "popblock", "0");  // keeps place, spacing and spelling of the key
  ini.WriteString("Config", "dup", "new");     // the first of two
  ini.WriteString("Config", "added", "v");     // after the section's last entry
  ini.WriteString("Fresh", "k", "1");          // a new section at the end
  std::string expected = kWindowsFile;
  expected.replace(expected.find("  PopBlock = 1  "), 16, "  PopBlock = 0  ");
  expected.replace(expected.find("dup=first"), 9, "dup=new");
  expected.replace(expected.find("just text"), 0, "added=v\r\n");
  expected += "\r\n\r\n[Fresh]\r\nk=1\r\n";  // CR LF like the rest of the file
  EXPECT_EQ(ini.Text(), expected);
  EXPECT_EQ(ini.ReadString("config", "added", ""), "v");
}

TEST(IniFileWrite, BuildsANewFileSectionBySection) {
  IniFile ini;
  ini.WriteInteger("Config", "a", -5);
  ini.WriteBool("Config", "b", true);
  ini.WriteBool("Config", "c", false);
  ini.WriteString("hmenu", "x", "  padded  ");
  ini.WriteString("Config", "d", "");
  EXPECT_EQ(ini.Text(), "[Config]\na=-5\nb=1\nc=0\nd=\n\n[hmenu]\nx=  padded  \n");
  EXPECT_EQ(ini.ReadString("hmenu", "x", ""), "padded");
  EXPECT_EQ(ini.ReadString("Config", "d", "default"), "");
}

TEST(IniFileWrite, NeitherValuesNorNamesCanBreakTheFile) {
  IniFile ini = IniFile::Parse("[Config]\npopblock=0\n");
  ini.WriteString("Config", "Homepage", std::string("evil\r\n[Config]\npopblock=1\0x", 28));
  EXPECT_EQ(ini.ReadString("Config", "Homepage", ""), "evil[Config]popblock=1x");
  EXPECT_EQ(ini.ReadInteger("Config", "popblock", 9), 0);

  const std::string before = ini.Text();
  const std::pair<std::string, std::string> refused[] = {
      {"", "k"}, {"a]b", "k"}, {"a\nb", "k"}, {"Config", ""}, {"Config", "a=b"},
      {"Config", "[k"}, {"Config", ";k"}, {"Config", "k\rx"}, {"Config", std::string("k\0", 2)},
  };
  for (const auto& [section, key] : refused) ini.WriteString(section, key, "v");
  EXPECT_EQ(ini.Text(), before);
}

TEST(IniFile, LoadsAndSavesFiles) {
  TempFolder dir;
  EXPECT_EQ(IniFile::Load(dir / "absent.cfg").Text(), "");
  IniFile ini;
  ini.WriteString("Velikost", "Sirina", "800");
  ASSERT_TRUE(ini.Save(dir / "Progset.cfg"));
  EXPECT_EQ(IniFile::Load(dir / "Progset.cfg").ReadInteger("Velikost", "Sirina", 0), 800);

  ASSERT_TRUE(IniFile::LoadForUpdate(dir / "absent.cfg").has_value());
  std::filesystem::create_directory(dir.path() / "folder.cfg");
  std::string error;
  EXPECT_FALSE(IniFile::LoadForUpdate(dir / "folder.cfg", &error).has_value());
  EXPECT_FALSE(error.empty());
}

TEST(IniFile, SurvivesHostileText) {
  std::string huge = "[Config]\nkey=" + std::string(1 << 20, 'x') + "\n";
  huge += std::string("[\0]\n=\n[\n]\n\r\r\n\n\xFF\xFE[Config\nkey\n", 27);
  IniFile ini = IniFile::Parse(huge);
  EXPECT_EQ(ini.ReadString("Config", "key", "").size(), std::size_t{1} << 20);
  EXPECT_EQ(ini.Text(), huge);
  ini.WriteString("Config", "key", "short");
  EXPECT_EQ(ini.ReadString("Config", "key", ""), "short");
}
