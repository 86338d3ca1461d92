#include "controls/Panel.h"

#include <cairomm/surface.h>

#include <cmath>
#include <cstdint>

namespace controls {
namespace {

void RoundedRectangle(const Cairo::RefPtr<Cairo::Context>& cr, double x, double y, double w, double h, double r) {
  cr->begin_new_sub_path();
  cr->arc(x + w - r, y + r, r, -M_PI / 2, 0);
  cr->arc(x + w - r, y + h - r, r, 0, M_PI / 2);
  cr->arc(x + r, y + h - r, r, M_PI / 2, M_PI);
  cr->arc(x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cr->close_path();
}

void SetSource(const Cairo::RefPtr<Cairo::Context>& cr, Rgb c) {
  cr->set_source_rgb(c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

}  // namespace

Cairo::RefPtr<Cairo::SurfacePattern> TilePattern(const Tile& tile) {
  auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, Tile::kSize, Tile::kSize);
  surface->flush();
  unsigned char* data = surface->get_data();
  const int stride = surface->get_stride();
  for (int y = 0; y < Tile::kSize; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < Tile::kSize; ++x) {
      const Rgb c = tile.at(x, y);
      row[x] = std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b;
    }
  }
  surface->mark_dirty();
  auto pattern = Cairo::SurfacePattern::create(surface);
  pattern->set_extend(Cairo::EXTEND_REPEAT);
  pattern->set_filter(Cairo::FILTER_NEAREST);
  return pattern;
}

Panel::Panel(Rgb color) : color_(color) { set_has_window(false); }

void Panel::SetColor(Rgb color) {
  if (color == color_) return;
  color_ = color;
  queue_draw();
}

void Panel::SetTile(const std::optional<Tile>& tile) {
  if (tile == tile_) return;
  tile_ = tile;
  pattern_ = Cairo::RefPtr<Cairo::SurfacePattern>();
  if (tile_) pattern_ = TilePattern(*tile_);
  queue_draw();
}

void Panel::SetRounded(bool rounded) {
  rounded_ = rounded;
  queue_draw();
}

void Panel::SetBorder(int width, Rgb color) {
  borderWidth_ = width;
  borderColor_ = color;
  queue_draw();
}

void Panel::ReceiveEvents(Gdk::EventMask events) {
  set_has_window(true);
  add_events(events);
}

void Panel::SetSizedByRequest(bool byRequest) {
  byRequest_ = byRequest;
  queue_resize();
}

// GTK adds the size request on top of what these answer.
void Panel::get_preferred_width_vfunc(int& minimum, int& natural) const {
  if (byRequest_) {
    minimum = natural = 0;
    return;
  }
  Gtk::Fixed::get_preferred_width_vfunc(minimum, natural);
}

void Panel::get_preferred_height_vfunc(int& minimum, int& natural) const {
  if (byRequest_) {
    minimum = natural = 0;
    return;
  }
  Gtk::Fixed::get_preferred_height_vfunc(minimum, natural);
}

bool Panel::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  const double w = get_allocated_width();
  const double h = get_allocated_height();
  const double radius = rounded_ ? 2.5 : 0.0;
  auto shape = [&](double inset) {
    if (radius > 0)
      RoundedRectangle(cr, inset, inset, w - 2 * inset, h - 2 * inset, radius);
    else
      cr->rectangle(inset, inset, w - 2 * inset, h - 2 * inset);
  };
  if (borderWidth_ > 0) {
    SetSource(cr, borderColor_);
    shape(0);
    cr->fill();
    SetSource(cr, color_);
    shape(borderWidth_);
    cr->fill();
  } else {
    SetSource(cr, color_);
    shape(0);
    cr->fill();
  }
  if (pattern_) {
    cr->set_source(pattern_);
    shape(borderWidth_);
    cr->fill();
  }
  return Gtk::Fixed::on_draw(cr);
}

}  // namespace controls
