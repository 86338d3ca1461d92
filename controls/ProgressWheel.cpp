#include "controls/ProgressWheel.h"

#include <algorithm>
#include <cairomm/pattern.h>
#include <cmath>

namespace controls {

ProgressWheel::ProgressWheel() { set_size_request(16, 16); }

void ProgressWheel::Advance() {
  model_.Advance();
  queue_draw();
}

bool ProgressWheel::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  const double w = get_allocated_width();
  const double h = get_allocated_height();
  const double r = std::min(w, h) / 2.0 - 1.0;
  if (r <= 0) return true;
  const double cx = w / 2.0, cy = h / 2.0;
  const Rgb rem = model_.remainingColor;
  cr->set_source_rgb(rem.r / 255.0, rem.g / 255.0, rem.b / 255.0);
  cr->arc(cx, cy, r, 0, 2 * M_PI);
  cr->fill();

  const int span = model_.maximum - model_.minimum;
  const double done = span > 0 ? std::clamp(double(model_.position - model_.minimum) / span, 0.0, 1.0) : 0.0;
  if (done > 0) {
    auto gradient = Cairo::LinearGradient::create(cx, cy - r, cx, cy + r);
    const Rgb a = model_.doneColor, b = model_.doneColor2;
    gradient->add_color_stop_rgb(0, a.r / 255.0, a.g / 255.0, a.b / 255.0);
    gradient->add_color_stop_rgb(1, b.r / 255.0, b.g / 255.0, b.b / 255.0);
    cr->set_source(gradient);
    cr->move_to(cx, cy);
    cr->arc(cx, cy, r, -M_PI / 2, -M_PI / 2 + done * 2 * M_PI);
    cr->close_path();
    cr->fill();
  }
  return true;
}

}  // namespace controls
