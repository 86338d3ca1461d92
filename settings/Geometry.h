#pragma once
// The main window's size, place and state between runs: "Progset.cfg",
// section "Velikost", read before the configuration and written at the very
// end of the run.

#include <optional>
#include <string>

namespace settings {

inline constexpr int kWindowNormal = 0;
inline constexpr int kWindowMinimised = 1;
inline constexpr int kWindowMaximised = 2;

struct Geometry {
  int width;   // "Sirina": of the normal (not maximised) rectangle
  int height;  // "Visina"
  int left;    // "Levo"
  int top;     // "Gor"
  int status;  // "Status": 0 normal, 2 maximised (1, minimised, is written only)
  bool operator==(const Geometry&) const = default;
};

// The saved geometry, or nothing when the file does not exist (the window
// then opens maximised). Each size and place defaults to the value in
// `current`; a width or height that is not positive keeps the current one.
// A file that exists but cannot be read gives every key its default.
// The state defaults to maximised; a window saved minimised opens normal,
// and a state that is neither normal nor maximised opens maximised.
std::optional<Geometry> LoadGeometry(const std::string& path, const Geometry& current);

// Writes the five keys, keeping anything else the file holds.
bool SaveGeometry(const std::string& path, const Geometry& g, std::string* error = nullptr);

}  // namespace settings
