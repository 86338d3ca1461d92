#include "settings/ColorState.h"

#include <cstdio>

#include "settings/AtomicFile.h"
#include "settings/IniFile.h"

namespace settings {
namespace {

constexpr const char* kSection = "ColorDialog";
constexpr int kVersion = 1;
constexpr std::uint32_t kMaxColor = 0x00FFFFFF;

std::string CustomKey(std::size_t i) { return "Custom" + std::to_string(i + 1); }

std::optional<std::uint32_t> ReadColor(const IniFile& ini, const std::string& key) {
  const std::optional<std::string> text = ini.ReadValue(kSection, key);
  if (!text) return std::nullopt;
  const std::optional<int> value = ParseIniInteger(*text);
  if (!value || *value < 0 || static_cast<std::uint32_t>(*value) > kMaxColor) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

std::string ColorText(std::uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(color));
  return text;
}

}  // namespace

std::optional<ColorDialogState> LoadColorState(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  const IniFile ini = IniFile::Parse(*bytes);
  const std::optional<std::string> version = ini.ReadValue(kSection, "Version");
  if (!version || ParseIniInteger(*version) != kVersion) return std::nullopt;
  ColorDialogState s;
  const std::optional<std::uint32_t> color = ReadColor(ini, "Color");
  if (!color) return std::nullopt;
  s.color = *color;
  for (std::size_t i = 0; i < s.custom.size(); ++i) {
    const std::optional<std::uint32_t> custom = ReadColor(ini, CustomKey(i));
    if (!custom) return std::nullopt;
    s.custom[i] = *custom;
  }
  return s;
}

bool SaveColorState(const std::string& path, const ColorDialogState& s, std::string* error) {
  std::string text = "; Lumivale colour dialog. Colours are 0x00BBGGRR (blue, green, red).\n";
  text += "[ColorDialog]\nVersion=" + std::to_string(kVersion) + "\n";
  text += "Color=" + ColorText(s.color & kMaxColor) + "\n";
  for (std::size_t i = 0; i < s.custom.size(); ++i)
    text += CustomKey(i) + "=" + ColorText(s.custom[i] & kMaxColor) + "\n";
  return WriteFileAtomically(path, text, error);
}

std::optional<ColorDialogState> LoadColorState(const std::string& settingsFolderFile,
                                               const std::string& programFolderFile) {
  if (std::optional<ColorDialogState> s = LoadColorState(settingsFolderFile)) return s;
  return LoadColorState(programFolderFile);
}

}  // namespace settings
