// The INI reader on arbitrary text: Parse, every read function, the
// configuration and geometry rules, and a write of every configuration key.
// Beyond not crashing, leaking or reading out of bounds, it checks that an
// untouched file comes back byte for byte and that what was written reads
// back the same from the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/Configuration.h"
#include "settings/Encoding.h"
#include "settings/IniFile.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool Same(const settings::Configuration& a, const settings::Configuration& b) {
  return a.popupsAllowed == b.popupsAllowed && a.speedSearch == b.speedSearch && a.homePage == b.homePage &&
         a.hmenuX == b.hmenuX && a.hmenuY == b.hmenuY && a.enableHist == b.enableHist &&
         a.colorScheme == b.colorScheme && a.customColor == b.customColor && a.barState == b.barState &&
         a.smartColor == b.smartColor && a.thumbZoom == b.thumbZoom && a.flatAddressBar == b.flatAddressBar &&
         a.complex == b.complex && a.buttonMask == b.buttonMask && a.bnews == b.bnews;
}

// Names taken from the input itself, so sections and keys it defines are
// looked up too.
std::string_view Token(std::string_view text, std::size_t n) {
  for (std::size_t i = 0; i <= n; ++i) {
    const std::size_t start = text.find_first_not_of("[]=\n");
    if (start == std::string_view::npos) return {};
    text.remove_prefix(start);
    const std::size_t end = text.find_first_of("[]=\n");
    if (i == n) return text.substr(0, end);
    if (end == std::string_view::npos) return {};
    text.remove_prefix(end);
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  settings::IniFile ini = settings::IniFile::Parse(text);
  Check(ini.Text() == text);

  const std::string_view section = Token(text, 0), key = Token(text, 1);
  const std::string value = ini.ReadString(section, key, "default");
  Check(settings::IsValidUtf8(value));
  const int number = ini.ReadInteger(section, key, 12345);
  const bool flag = ini.ReadBool(section, key, true);
  if (number != 12345) Check(flag == (number != 0));
  Check(ini.ReadValue(section, key).has_value() || value == "default");

  if (const std::optional<int> parsed = settings::ParseIniInteger(text)) {
    Check(settings::ParseIniInteger(std::to_string(*parsed)) == parsed);
  }

  settings::Configuration c;
  settings::ReadConfiguration(ini, c, {1920, 1080});
  Check(c.barState == 0 || c.barState == 2);

  settings::WriteConfiguration(ini, c);
  ini.WriteString(section, key, text.substr(0, 64));
  const settings::IniFile again = settings::IniFile::Parse(ini.Text());
  Check(again.Text() == ini.Text());
  settings::Configuration fromObject, fromText;
  settings::ReadConfiguration(ini, fromObject, {1920, 1080});
  settings::ReadConfiguration(again, fromText, {1920, 1080});
  Check(Same(fromObject, fromText));
  Check(again.ReadString(section, key, "default") == ini.ReadString(section, key, "default"));
  return 0;
}
