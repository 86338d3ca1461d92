#include "rss/TickerBar.h"

#include <glibmm/main.h>

namespace rss {

TickerBar::TickerBar(Callbacks callbacks) : controls::Panel(kColour), callbacks_(std::move(callbacks)) {
  set_name("ptop");
  SetSizedByRequest(true);
  set_size_request(-1, kHeight);
  xals.set_name("xals");
  xals.SetBackgroundColor(kColour);
  Pango::FontDescription font("Sans Bold");
  font.set_absolute_size(13 * PANGO_SCALE);
  xals.SetFont(font, {255, 255, 255});
  xals.SetTextDirection(controls::TextDirection::RightToLeft);
  xals.SetSpeed(55);
  xals.signal_clicked().connect([this] {
    if (callbacks_.openReader) callbacks_.openReader();
  });
  put(xals, 0, 0);
  buttons.set_name("alsbuttons");
  buttons.SetColor(kColour);
  buttons.set_size_request(34, kHeight);
  alsrefresh.set_name("alsrefresh");
  alszapri.set_name("alszapri");
  alsrefresh.set_tooltip_text("Refresh");
  alszapri.set_tooltip_text("Close");
  for (controls::GlyphButton* b : {&alsrefresh, &alszapri}) {
    b->set_size_request(16, 16);
    b->SetColors(kColour, {230, 230, 230});
  }
  alsrefresh.signal_clicked().connect([this] {
    if (callbacks_.refresh) callbacks_.refresh();
  });
  alszapri.signal_clicked().connect([this] {
    if (callbacks_.close) callbacks_.close();
  });
  buttons.put(alsrefresh, 1, 0);
  buttons.put(alszapri, 17, 0);
  put(buttons, 0, 0);
  show_all_children();
  signal_size_allocate().connect([this](Gtk::Allocation& a) {
    if (a.get_width() == laidOutWidth_) return;
    laidOutWidth_ = a.get_width();
    layout_.disconnect();
    layout_ = Glib::signal_idle().connect([this] {
      ptopResize();
      return false;
    });
  });
}

void TickerBar::ptopResize() {
  const int width = std::max(1, get_allocated_width());
  xals.set_size_request(width, kHeight);
  move(xals, 0, 0);
  move(buttons, std::max(0, width - 34), 0);
}

}  // namespace rss
