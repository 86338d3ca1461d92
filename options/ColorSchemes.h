#pragma once
// The colour schemes of the main window's top area: twelve fixed schemes,
// each with a 16 x 16 tile and a colour for the side button bar, and the
// custom scheme 13 in one plain colour.

#include <optional>

#include "controls/Color.h"
#include "controls/Tile.h"

namespace options {

inline constexpr int kCustomScheme = 13;

struct SchemeInfo {
  controls::Rgb shade;      // the tile's main shade
  controls::Rgb buttonBar;  // the colour of the side button bar
  bool texture;             // a patterned tile; plain colour otherwise
};

// Schemes 1 to 12; nothing for any other number.
std::optional<SchemeInfo> SchemeOf(int scheme);

// The tile of scheme 1 to 12: a four-shade pattern repeating every 4
// pixels (an irregular one for schemes 5 and 6) or the plain shade.
// Nothing for any other number.
std::optional<controls::Tile> SchemeTile(int scheme);

// What the panels of the main window's top area show. A panel with a tile
// shows it repeated over its colour; without, its plain colour.
struct Look {
  struct Panel {
    std::optional<controls::Tile> tile;
    controls::Rgb color;
    friend bool operator==(const Panel&, const Panel&) = default;
  };
  Panel topBar;       // RGPanel1
  Panel stripArea;    // drsniAll
  Panel strip;        // drsni
  Panel buttonBar;    // p2
  Panel rightOfStrip; // paneldodaj (colour only)
  friend bool operator==(const Look&, const Look&) = default;
};

// Applies scheme `scheme` (1 to 13; 13 in `custom`) to `look` the way the
// scheme's radio button does. False, and `look` untouched, for any other
// number.
bool ApplyScheme(int scheme, controls::Rgb custom, Look& look);

}  // namespace options
