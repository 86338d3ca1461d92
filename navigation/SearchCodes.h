#pragma once
// The option lists of the search assistant: each row is the text the list
// shows and the entry stored for it ("hl=af", "lr=lang_af", "countryAF").
// Row 0 is "- - -", whose entry never reaches an address.

#include <array>

namespace navigation {

struct CodeItem {
  const char* text;
  const char* entry;
};

extern const std::array<CodeItem, 150> kInterfaceCodes;
extern const std::array<CodeItem, 47> kLanguageCodes;
extern const std::array<CodeItem, 243> kCountryCodes;

}  // namespace navigation
