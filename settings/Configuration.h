#pragma once
// The user's preferences in "Lumivale.cfg": read once at start-up, held in
// memory while the program runs, written once when the main window closes.

#include <string>

#include "settings/IniFile.h"

namespace settings {

inline constexpr const char* kConfigSection = "Config";
inline constexpr const char* kToolbarSection = "hmenu";
// Google's start page, without a scheme.
inline constexpr const char* kBuiltInHomePage = "www.google.com";
inline constexpr const char* kAllButtons = "1111111111";

struct ScreenSize {
  int width;
  int height;
};

// Every key of "Lumivale.cfg" as the program keeps it in memory. The
// initial values are the program's own before the file is read.
struct Configuration {
  bool popupsAllowed = false;       // "popblock"
  int speedSearch = 0;              // "SPEEDSEARCH": 0 Google, 1 Bing, 2 Yahoo, 3 Wikipedia
  std::string homePage = kBuiltInHomePage;  // "Homepage"
  int hmenuX = 0;                   // "hmenu" "x": floating toolbar left
  int hmenuY = 0;                   // "hmenu" "y": floating toolbar top
  int enableHist = 1;               // "enablehist", as read: see HistorySwitchOn
  int colorScheme = 12;             // "colsheme"
  int customColor = 0;              // "customcolor", 0x00BBGGRR
  int barState = 0;                 // "hidebar": 0 tab strip only, 1 hidden, 2 strip and address bar
  bool smartColor = true;           // "smartcolor"
  bool thumbZoom = true;            // "thumbzoom"
  bool flatAddressBar = true;       // "3durl" 0
  bool complex = false;             // "complex": search-assistant panel visible
  std::string buttonMask = kAllButtons;  // "setbutton"
  int bnews = 0;                    // "bnews", as read: see BreakingNewsOn
  bool hideAddressBar = true;       // "hideadressbar" (written, never read)
};

// Whether the history window's "Enable History" box is ticked for the
// stored value: 1 ticks it, 0 clears it, any other value leaves the box in
// its designed state, which is ticked.
bool HistorySwitchOn(int enableHist);
// Whether the RSS reader's "Enable breaking news" box is ticked for the
// stored value: 1 ticks it, 0 clears it, any other value leaves the box in
// its designed state, which is ticked.
bool BreakingNewsOn(int bnews);

// Applies the start-up reading rules to `c`, key by key in the start-up
// order. Keys the file lacks take their defaults; values a rule does not
// accept leave the field as it was.
void ReadConfiguration(const IniFile& ini, Configuration& c, ScreenSize screen);

// Writes every key of `c` in the order and with the values of the close.
void WriteConfiguration(IniFile& ini, const Configuration& c);

// Loads the file at `path` (keeping all else in it), writes the keys and
// saves it atomically. Refuses, without touching the file, when the file
// exists but cannot be read, so that nothing else in it is lost.
bool SaveConfiguration(const std::string& path, const Configuration& c, std::string* error = nullptr);

}  // namespace settings
