#pragma once
// The hand cursor every clickable picture and flat button shows. Made
// once per display and shared.

#include <gdkmm/cursor.h>
#include <gdkmm/display.h>

namespace controls {

inline Glib::RefPtr<Gdk::Cursor> HandCursor(const Glib::RefPtr<Gdk::Display>& display) {
  static Glib::RefPtr<Gdk::Display> madeFor;
  static Glib::RefPtr<Gdk::Cursor> cursor;
  if (!cursor || madeFor != display) {
    cursor = Gdk::Cursor::create(display, "pointer");
    madeFor = display;
  }
  return cursor;
}

}  // namespace controls
