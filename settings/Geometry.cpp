#include "settings/Geometry.h"

#include "settings/AtomicFile.h"
#include "settings/IniFile.h"

namespace settings {
namespace {
constexpr const char* kSection = "Velikost";
}

std::optional<Geometry> LoadGeometry(const std::string& path, const Geometry& current) {
  if (!IsRegularFile(path)) return std::nullopt;
  const IniFile ini = IniFile::Load(path);
  Geometry g = current;
  g.width = ini.ReadInteger(kSection, "Sirina", current.width);
  g.height = ini.ReadInteger(kSection, "Visina", current.height);
  g.left = ini.ReadInteger(kSection, "Levo", current.left);
  g.top = ini.ReadInteger(kSection, "Gor", current.top);
  if (g.width <= 0) g.width = current.width;
  if (g.height <= 0) g.height = current.height;
  g.status = ini.ReadInteger(kSection, "Status", kWindowMaximised);
  if (g.status == kWindowMinimised) g.status = kWindowNormal;
  if (g.status != kWindowNormal) g.status = kWindowMaximised;
  return g;
}

bool SaveGeometry(const std::string& path, const Geometry& g, std::string* error) {
  std::optional<IniFile> ini = IniFile::LoadForUpdate(path, error);
  if (!ini) return false;
  ini->WriteInteger(kSection, "Sirina", g.width);
  ini->WriteInteger(kSection, "Visina", g.height);
  ini->WriteInteger(kSection, "Levo", g.left);
  ini->WriteInteger(kSection, "Gor", g.top);
  ini->WriteInteger(kSection, "Status", g.status);
  return ini->Save(path, error);
}

}  // namespace settings
