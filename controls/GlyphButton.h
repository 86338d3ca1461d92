#pragma once
// A small flat button that draws its own glyph: the tab's close cross, the
// new-tab plus, the strip's scroll arrows, the floating toolbar's Refresh,
// Stop, Home, Bookmarks and menu. Hand cursor; `clicked` on a left-button
// release inside it.

#include <gtkmm/drawingarea.h>

#include "controls/Color.h"

namespace controls {

class GlyphButton : public Gtk::DrawingArea {
 public:
  enum class Glyph { Cross, Plus, Left, Right, Up, Refresh, Stop, Home, Star, Menu, Find };
  explicit GlyphButton(Glyph glyph);

  sigc::signal<void()>& signal_clicked() { return clicked_; }
  void SetColors(Rgb background, Rgb foreground);
  // Where the last click was released, in the button's coordinates.
  double lastClickX() const { return lastClickX_; }
  // Tag: the slot number of the tab the button belongs to.
  int tag = 0;

 protected:
  bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
  bool on_button_press_event(GdkEventButton* event) override;
  bool on_button_release_event(GdkEventButton* event) override;
  bool on_enter_notify_event(GdkEventCrossing* event) override;
  bool on_leave_notify_event(GdkEventCrossing* event) override;
  void on_realize() override;

 private:
  Glyph glyph_;
  Rgb background_{128, 128, 128};
  Rgb foreground_{255, 255, 255};
  bool hover_ = false;
  bool pressed_ = false;
  double lastClickX_ = 0;
  sigc::signal<void()> clicked_;
};

}  // namespace controls
