#include "navigation/UrlResolution.h"

#include <algorithm>
#include <cctype>

namespace navigation {

std::string ProbeAddress(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  if (lower.find("http://") != std::string::npos || lower.find("https://") != std::string::npos) return text;
  return "http://" + text;
}

std::string ExtractHost(const std::string& text) {
  std::string rest = text;
  if (const auto scheme = rest.find("://"); scheme != std::string::npos) rest.erase(0, scheme + 3);
  if (const auto slash = rest.find('/'); slash != std::string::npos) rest.erase(slash);
  return rest;
}

}  // namespace navigation
