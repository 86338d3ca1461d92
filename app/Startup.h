#pragma once
// Values start-up derives before the first tab opens.

#include <string>
#include <string_view>

namespace app {

// The user-agent text every browser sends, built from the program's
// four-part version.
inline std::string BuildUserAgent(std::string_view version) {
  std::string agent = "Lumivale/";
  agent += version;
  agent += " (Compatible; Windows; U; en-US)Version/ ";
  agent += version;
  return agent;
}

// The home page a new tab opens until the user chooses another.
inline constexpr const char* kDefaultHomePage = "www.google.com";

// The address that stands for the home page when a tab is opened.
inline constexpr const char* kHomePageToken = "666ycf";

// The folder of the program's per-user files, inside the user data folder.
inline constexpr const char* kSettingsFolderName = "Lumivale";

}  // namespace app
