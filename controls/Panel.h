#pragma once
// A panel that paints its own colour behind its children, placed by
// coordinates. Optionally with rounded corners (5 x 5 corner ellipses) and
// a border.

#include <cairomm/pattern.h>
#include <gtkmm/fixed.h>

#include <optional>

#include "controls/Color.h"
#include "controls/Tile.h"

namespace controls {

// `tile` as a cairo pattern that repeats it.
Cairo::RefPtr<Cairo::SurfacePattern> TilePattern(const Tile& tile);

class Panel : public Gtk::Fixed {
 public:
  explicit Panel(Rgb color = {240, 240, 240});

  void SetColor(Rgb color);
  Rgb color() const { return color_; }
  // A picture repeated over the panel from its top left corner, in front
  // of its colour; nothing shows the plain colour.
  void SetTile(const std::optional<Tile>& tile);
  const std::optional<Tile>& tile() const { return tile_; }
  // Rounded corners, as every tab panel and the preview panel have.
  void SetRounded(bool rounded);
  bool rounded() const { return rounded_; }
  void SetBorder(int width, Rgb color);
  // The panel asks for its size request only, however far its children
  // reach: it can be made smaller than they are (what lies outside is cut
  // off or hidden by its owner), and it never makes its window wider.
  void SetSizedByRequest(bool byRequest);
  // Gives the panel a window of its own, so it receives the pointer's
  // events (`events`) itself. Call before it is realised.
  void ReceiveEvents(Gdk::EventMask events);

 protected:
  bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
  void get_preferred_width_vfunc(int& minimum, int& natural) const override;
  void get_preferred_height_vfunc(int& minimum, int& natural) const override;

 private:
  Rgb color_;
  std::optional<Tile> tile_;
  Cairo::RefPtr<Cairo::SurfacePattern> pattern_;
  bool rounded_ = false;
  int borderWidth_ = 0;
  Rgb borderColor_{};
  bool byRequest_ = false;
};

}  // namespace controls
