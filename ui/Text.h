#pragma once
// Small text helpers shared by the windows.

#include <string>
#include <string_view>

namespace ui {

// `text` without its leading and trailing blanks (spaces only).
std::string Trim(std::string_view text);

// `text` with the ASCII letters a-z in upper case; other bytes as they are.
std::string Upper(std::string_view text);

}  // namespace ui
