#pragma once
// Turning an agent text into the User-Agent header the engine will send.

#include <string>

namespace engine {

// No line breaks or other control characters: they would end the header.
inline std::string HeaderSafe(const std::string& text) {
  std::string clean;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7f) clean += c;
  }
  return clean;
}

// The engine refuses a product whose version is missing ("Version/ 4.6"):
// the blanks between a product's "/" and its version are left out, outside
// comments in parentheses.
inline std::string WithJoinedVersions(const std::string& text) {
  std::string out;
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) --depth;
    out += c;
    if (c == '/' && depth == 0 && i > 0 && text[i - 1] != ' ')
      while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
  }
  return out;
}

}  // namespace engine
