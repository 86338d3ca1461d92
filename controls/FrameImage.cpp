#include "controls/FrameImage.h"

#include <cairomm/pattern.h>
#include <cmath>

namespace controls {

bool FrameImage::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  const double w = get_allocated_width();
  const double h = get_allocated_height();
  // The three pieces together draw one rounded field; each draws its part,
  // extended past its own edges where a neighbour continues it.
  const double r = 6;
  const double left = piece_ == Piece::Left ? 0.5 : -r - 1;
  const double right = piece_ == Piece::Right ? w - 0.5 : w + r + 1;
  const double top = 2.5, bottom = h - 2.5;
  cr->begin_new_sub_path();
  cr->arc(right - r, top + r, r, -M_PI / 2, 0);
  cr->arc(right - r, bottom - r, r, 0, M_PI / 2);
  cr->arc(left + r, bottom - r, r, M_PI / 2, M_PI);
  cr->arc(left + r, top + r, r, M_PI, 3 * M_PI / 2);
  cr->close_path();
  if (flat_) {
    cr->set_source_rgb(1, 1, 1);
  } else {
    auto g = Cairo::LinearGradient::create(0, top, 0, bottom);
    g->add_color_stop_rgb(0, 0.86, 0.86, 0.86);
    g->add_color_stop_rgb(0.3, 1, 1, 1);
    g->add_color_stop_rgb(1, 0.95, 0.95, 0.95);
    cr->set_source(g);
  }
  cr->fill_preserve();
  cr->set_line_width(1);
  if (flat_)
    cr->set_source_rgb(0.62, 0.62, 0.62);
  else
    cr->set_source_rgb(0.45, 0.45, 0.45);
  cr->stroke();
  return true;
}

}  // namespace controls
