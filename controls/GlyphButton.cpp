#include "controls/GlyphButton.h"

#include <gdkmm/window.h>

#include <algorithm>

#include "controls/HandCursor.h"

namespace controls {

GlyphButton::GlyphButton(Glyph glyph) : glyph_(glyph) {
  add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK | Gdk::ENTER_NOTIFY_MASK |
             Gdk::LEAVE_NOTIFY_MASK);
}

void GlyphButton::SetColors(Rgb background, Rgb foreground) {
  background_ = background;
  foreground_ = foreground;
  queue_draw();
}

void GlyphButton::on_realize() {
  Gtk::DrawingArea::on_realize();
  get_window()->set_cursor(controls::HandCursor(get_display()));
}

bool GlyphButton::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  const double w = get_allocated_width();
  const double h = get_allocated_height();
  Rgb bg = background_;
  if (hover_) bg = Rgb{std::uint8_t(std::min(255, bg.r + 30)), std::uint8_t(std::min(255, bg.g + 30)),
                       std::uint8_t(std::min(255, bg.b + 30))};
  cr->set_source_rgb(bg.r / 255.0, bg.g / 255.0, bg.b / 255.0);
  cr->paint();
  cr->set_source_rgb(foreground_.r / 255.0, foreground_.g / 255.0, foreground_.b / 255.0);
  const double s = std::min(w, h);
  const double cx = w / 2, cy = h / 2;
  const double a = s * 0.3;
  cr->set_line_width(std::max(1.5, s / 8));
  switch (glyph_) {
    case Glyph::Cross:
      cr->move_to(cx - a, cy - a);
      cr->line_to(cx + a, cy + a);
      cr->move_to(cx + a, cy - a);
      cr->line_to(cx - a, cy + a);
      cr->stroke();
      break;
    case Glyph::Plus:
      cr->move_to(cx - a, cy);
      cr->line_to(cx + a, cy);
      cr->move_to(cx, cy - a);
      cr->line_to(cx, cy + a);
      cr->stroke();
      break;
    case Glyph::Left:
    case Glyph::Right:
    case Glyph::Up: {
      const double d = std::min(a, 6.0);
      if (glyph_ == Glyph::Left) {
        cr->move_to(cx + d / 2, cy - d);
        cr->line_to(cx - d / 2, cy);
        cr->line_to(cx + d / 2, cy + d);
      } else if (glyph_ == Glyph::Right) {
        cr->move_to(cx - d / 2, cy - d);
        cr->line_to(cx + d / 2, cy);
        cr->line_to(cx - d / 2, cy + d);
      } else {
        cr->move_to(cx - d, cy + d / 2);
        cr->line_to(cx, cy - d / 2);
        cr->line_to(cx + d, cy + d / 2);
      }
      cr->close_path();
      cr->fill();
      break;
    }
  }
  return true;
}

bool GlyphButton::on_button_press_event(GdkEventButton* event) {
  if (event->button == 1) pressed_ = true;
  return true;
}

bool GlyphButton::on_button_release_event(GdkEventButton* event) {
  const bool inside = event->x >= 0 && event->y >= 0 && event->x < get_allocated_width() &&
                      event->y < get_allocated_height();
  const bool click = pressed_ && event->button == 1 && inside;
  pressed_ = false;
  if (click) clicked_.emit();
  return true;
}

bool GlyphButton::on_enter_notify_event(GdkEventCrossing*) {
  hover_ = true;
  queue_draw();
  return false;
}

bool GlyphButton::on_leave_notify_event(GdkEventCrossing*) {
  hover_ = false;
  queue_draw();
  return false;
}

}  // namespace controls
