#include "controls/Panel.h"

#include <cmath>

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

Panel::Panel(Rgb color) : color_(color) { set_has_window(false); }

void Panel::SetColor(Rgb color) {
  if (color == color_) return;
  color_ = color;
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
  return Gtk::Fixed::on_draw(cr);
}

}  // namespace controls
