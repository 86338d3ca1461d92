#include "controls/TGaugeEdit.h"

#include <gtkmm/stylecontext.h>

#include <algorithm>

namespace controls {

TGaugeEdit::TGaugeEdit() {
  // The edit itself paints no background: the gauge is its background.
  css_ = Gtk::CssProvider::create();
  css_->load_from_data(
      "entry { background: transparent; background-image: none; border: none; box-shadow: none;"
      " color: rgb(128, 128, 128); min-height: 0; padding: 0 3px; }");
  get_style_context()->add_provider(css_, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void TGaugeEdit::SetMaxValue(int max) {
  max_ = max;
  queue_draw();
}

void TGaugeEdit::SetProgress(int position) {
  position_ = position;
  queue_draw();
}

bool TGaugeEdit::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  const double w = get_allocated_width();
  const double h = get_allocated_height();
  cr->set_source_rgb(1, 1, 1);
  cr->paint();
  if (max_ > 0 && position_ > 0) {
    const double done = w * std::clamp(double(position_) / max_, 0.0, 1.0);
    auto gradient = Cairo::LinearGradient::create(0, 0, done, 0);
    gradient->add_color_stop_rgb(0, 1, 1, 1);
    gradient->add_color_stop_rgb(1, 0.75, 0.75, 0.75);  // ends in silver
    cr->set_source(gradient);
    cr->rectangle(0, 0, done, h);
    cr->fill();
  }
  return Gtk::Entry::on_draw(cr);
}

}  // namespace controls
