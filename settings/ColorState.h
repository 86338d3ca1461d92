#pragma once
// The colour dialog's state between runs ("color.cld"): the last chosen
// colour and the sixteen custom colours, all as 0x00BBGGRR.
//
// The file is a small INI text of our own:
//
//   ; Lumivale colour dialog. Colours are 0x00BBGGRR (blue, green, red).
//   [ColorDialog]
//   Version=1
//   Color=0x00FF8000
//   Custom1=0x00FFFFFF
//   ...
//   Custom16=0x00FFFFFF
//
// A file that does not parse (another version, a missing key, a value that
// is not a colour) is treated as missing.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace settings {

struct ColorDialogState {
  std::uint32_t color = 0;
  std::array<std::uint32_t, 16> custom{};
  bool operator==(const ColorDialogState&) const = default;
};

std::optional<ColorDialogState> LoadColorState(const std::string& path);
// Writes the state atomically. Only the low 24 bits of each colour are
// stored (0x00BBGGRR has no use for the high byte), so the file always parses.
bool SaveColorState(const std::string& path, const ColorDialogState& s, std::string* error = nullptr);

// The settings folder's copy when it parses, else the program folder's.
std::optional<ColorDialogState> LoadColorState(const std::string& settingsFolderFile,
                                               const std::string& programFolderFile);

}  // namespace settings
