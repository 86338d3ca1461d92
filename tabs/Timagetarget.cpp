#include "tabs/Timagetarget.h"

#include <gdkmm/general.h>
#include <gdkmm/window.h>

#include <cstring>

#include "controls/HandCursor.h"

namespace tabs {

Timagetarget::Timagetarget() {
  add_events(Gdk::ENTER_NOTIFY_MASK | Gdk::LEAVE_NOTIFY_MASK | Gdk::POINTER_MOTION_MASK |
             Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK);
}

void Timagetarget::on_realize() {
  Gtk::DrawingArea::on_realize();
  get_window()->set_cursor(controls::HandCursor(get_display()));
}

void Timagetarget::SetPicture(const engine::Bitmap& bitmap) {
  if (bitmap.empty()) return;
  auto pixbuf = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, bitmap.width, bitmap.height);
  const int stride = pixbuf->get_rowstride();
  guint8* dst = pixbuf->get_pixels();
  for (int y = 0; y < bitmap.height; ++y)
    std::memcpy(dst + std::size_t(y) * std::size_t(stride), bitmap.pixel(0, y), std::size_t(bitmap.width) * 3);
  SetPicture(pixbuf);
}

void Timagetarget::SetPicture(const Glib::RefPtr<Gdk::Pixbuf>& picture) {
  picture_ = picture ? picture->copy() : Glib::RefPtr<Gdk::Pixbuf>();
  queue_draw();
}

void Timagetarget::ClearPicture() {
  picture_.reset();
  queue_draw();
}

bool Timagetarget::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  if (!picture_) return true;
  const double w = get_allocated_width();
  const double h = get_allocated_height();
  cr->scale(w / picture_->get_width(), h / picture_->get_height());
  Gdk::Cairo::set_source_pixbuf(cr, picture_, 0, 0);
  cr->paint();
  return true;
}

bool Timagetarget::on_enter_notify_event(GdkEventCrossing* event) {
  Gtk::DrawingArea::on_enter_notify_event(event);
  hovered_ = true;
  signal_mouse_enter.emit();
  return false;
}

bool Timagetarget::on_leave_notify_event(GdkEventCrossing* event) {
  Gtk::DrawingArea::on_leave_notify_event(event);
  hovered_ = false;
  signal_mouse_leave.emit();
  return false;
}

bool Timagetarget::on_motion_notify_event(GdkEventMotion*) {
  signal_mouse_move.emit();
  return false;
}

bool Timagetarget::on_button_press_event(GdkEventButton* event) {
  if (event->button == 1) pressed_ = true;
  return true;
}

bool Timagetarget::on_button_release_event(GdkEventButton* event) {
  const bool click = pressed_ && event->button == 1;
  pressed_ = false;
  if (click) signal_click.emit();
  return true;
}

}  // namespace tabs
