#pragma once
// The zoom window: a small floating window with a vertical slider that
// sets the zoom of the current tab's page, dragged by its panel.

#include <gtkmm.h>

#include <functional>
#include <string>

#include "controls/GlyphButton.h"
#include "controls/Panel.h"

namespace navigation {

// The zoom for a slider position: (10000 - position) div 10; the top (10)
// gives 999, the designed position 1000 gives 900, 9000 gives 100.
inline int ZoomForPosition(int position) { return (10000 - position) / 10; }
// The slider position for a zoom: 10000 - 10 x zoom.
inline int PositionForZoom(int zoom) { return 10000 - 10 * zoom; }

class Tfzum : public Gtk::Window {
 public:
  struct Callbacks {
    // The current tab's zoom, as its thumbnail keeps it ("100").
    std::function<std::string()> currentZoomText;
    // Applies `percent` to the current tab; false when the engine refused.
    std::function<bool(int percent)> applyZoom;
  };

  static constexpr int kWidth = 107;
  static constexpr int kHeight = 233;

  explicit Tfzum(Callbacks callbacks);

  // Places the window near the bottom right corner of a screen of this size.
  void FormCreate(int screenWidth, int screenHeight);
  // Each time the window shows or becomes active: the slider takes the
  // current tab's zoom.
  void FormActivate();
  void zumbarChange();
  void XiButton4Click();  // Reset
  void XiButton5Click();  // close

  controls::Panel RGPanel3;
  Gtk::Label Label16{"Zoom"};
  Gtk::Scale zumbar{Gtk::ORIENTATION_VERTICAL};
  controls::GlyphButton XiButton5{controls::GlyphButton::Glyph::Cross};
  Gtk::Button XiButton4;
  Gtk::Label XiButton4Caption;

 protected:
  bool on_button_press_event(GdkEventButton* event) override;

 private:
  Callbacks callbacks_;
};

}  // namespace navigation
