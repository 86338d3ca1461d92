#include "settings/Configuration.h"

#include <optional>

namespace settings {
namespace {

constexpr const char* C = kConfigSection;
constexpr const char* H = kToolbarSection;

}  // namespace

bool HistorySwitchOn(int enableHist) { return enableHist != 0; }
bool BreakingNewsOn(int bnews) { return bnews != 0; }

void ReadConfiguration(const IniFile& ini, Configuration& c, ScreenSize screen) {
  switch (ini.ReadInteger(C, "popblock", 0)) {
    case 0: c.popupsAllowed = false; break;
    case 1: c.popupsAllowed = true; break;
    default: break;
  }

  if (const int engine = ini.ReadInteger(C, "SPEEDSEARCH", 0); engine >= 0 && engine <= 3) c.speedSearch = engine;

  c.homePage = ini.ReadString(C, "Homepage", c.homePage);

  c.hmenuX = ini.ReadInteger(H, "x", screen.width - 300);
  c.hmenuY = ini.ReadInteger(H, "y", 45);
  if (c.hmenuX > screen.width - 60) c.hmenuX = screen.width - 300;
  if (c.hmenuY > screen.height - 60) c.hmenuY = 120;

  c.enableHist = ini.ReadInteger(C, "enablehist", 1);
  c.colorScheme = ini.ReadInteger(C, "colsheme", 12);
  c.customColor = ini.ReadInteger(C, "customcolor", 0);

  // The hidden state 1 is never kept: it opens with the full bar. A value
  // outside 0..2 would leave the address-bar switch stuck (it only cycles
  // 0, 1, 2), so it opens with the full bar too.
  const int bar = ini.ReadInteger(C, "hidebar", 1);
  c.barState = bar == 0 ? 0 : 2;

  c.smartColor = ini.ReadBool(C, "smartcolor", true);
  if (c.colorScheme == -1) c.colorScheme = 4;

  switch (ini.ReadInteger(C, "thumbzoom", 1)) {
    case 0: c.thumbZoom = false; break;
    case 1: c.thumbZoom = true; break;
    default: break;
  }
  switch (ini.ReadInteger(C, "3durl", 0)) {
    case 0: c.flatAddressBar = true; break;
    case 1: c.flatAddressBar = false; break;
    default: break;
  }
  switch (ini.ReadInteger(C, "complex", 0)) {
    case 0: c.complex = false; break;
    case 1: c.complex = true; break;
    default: break;
  }
  c.buttonMask = ini.ReadString(C, "setbutton", kAllButtons);

  // Read by the RSS reader when it is created.
  c.bnews = ini.ReadInteger(C, "bnews", 0);
}

void WriteConfiguration(IniFile& ini, const Configuration& c) {
  if (c.speedSearch >= 0 && c.speedSearch <= 3) ini.WriteInteger(C, "SPEEDSEARCH", c.speedSearch);
  ini.WriteBool(C, "popblock", c.popupsAllowed);
  ini.WriteBool(C, "thumbzoom", c.thumbZoom);
  ini.WriteBool(C, "enablehist", HistorySwitchOn(c.enableHist));
  ini.WriteBool(C, "complex", c.complex);
  ini.WriteBool(C, "bnews", BreakingNewsOn(c.bnews));
  ini.WriteInteger(C, "hidebar", c.barState == 1 ? 2 : c.barState);
  ini.WriteBool(C, "smartcolor", c.smartColor);
  ini.WriteBool(C, "hideadressbar", c.hideAddressBar);
  ini.WriteInteger(C, "3durl", c.flatAddressBar ? 0 : 1);
  ini.WriteString(C, "setbutton", c.buttonMask);
  ini.WriteString(C, "Homepage", c.homePage);
  ini.WriteInteger(H, "x", c.hmenuX);
  ini.WriteInteger(H, "y", c.hmenuY);
  ini.WriteInteger(C, "colsheme", c.colorScheme);
  ini.WriteInteger(C, "customcolor", c.customColor);
}

bool SaveConfiguration(const std::string& path, const Configuration& c, std::string* error) {
  std::optional<IniFile> ini = IniFile::LoadForUpdate(path, error);
  if (!ini) return false;
  WriteConfiguration(*ini, c);
  return ini->Save(path, error);
}

}  // namespace settings
