#include "controls/GlyphButton.h"

#include <gdkmm/window.h>

#include <algorithm>
#include <cmath>

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
    case Glyph::Refresh: {
      const double r = a;
      cr->arc(cx, cy, r, 0.3, 2 * M_PI - 0.3);
      cr->stroke();
      cr->move_to(cx + r + 3, cy - 4);
      cr->line_to(cx + r, cy + 1);
      cr->line_to(cx + r - 4, cy - 3);
      cr->close_path();
      cr->fill();
      break;
    }
    case Glyph::Stop:
      cr->rectangle(cx - a, cy - a, 2 * a, 2 * a);
      cr->fill();
      break;
    case Glyph::Home:
      cr->move_to(cx - a - 2, cy);
      cr->line_to(cx, cy - a - 2);
      cr->line_to(cx + a + 2, cy);
      cr->stroke();
      cr->rectangle(cx - a + 1, cy, 2 * a - 2, a);
      cr->fill();
      break;
    case Glyph::Star:
      for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? a * 0.45 : a * 1.1;
        const double t = -M_PI / 2 + i * M_PI / 5;
        if (i == 0)
          cr->move_to(cx + r * std::cos(t), cy + r * std::sin(t));
        else
          cr->line_to(cx + r * std::cos(t), cy + r * std::sin(t));
      }
      cr->close_path();
      cr->fill();
      break;
    case Glyph::Find:
      cr->arc(cx - 2, cy - 2, a * 0.8, 0, 2 * M_PI);
      cr->stroke();
      cr->move_to(cx - 2 + a * 0.6, cy - 2 + a * 0.6);
      cr->line_to(cx + a + 1, cy + a + 1);
      cr->stroke();
      break;
    case Glyph::Menu: {
      // Three lines, and the drop-down arrow at the right.
      const double left = cx - a - 3, right = cx + a - 3;
      for (double y : {cy - a * 0.7, cy, cy + a * 0.7}) {
        cr->move_to(left, y);
        cr->line_to(right, y);
      }
      cr->stroke();
      cr->move_to(w - 9, cy - 1.5);
      cr->line_to(w - 3, cy - 1.5);
      cr->line_to(w - 6, cy + 2);
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
  if (click) {
    lastClickX_ = event->x;
    clicked_.emit();
  }
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
