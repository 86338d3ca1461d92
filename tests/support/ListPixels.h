#pragma once
// What a list of the history or bookmarks window shows: the list drawn
// whole into an image, as the screen would draw it, and the colours of one
// cell read back from it. Also a double click on a row, Esc pressed on a
// window, and colours and rows printed readably in test messages.

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "controls/Color.h"
#include "library/ListView.h"
#include "ui/ProcessMessages.h"

namespace controls {
// Colours in test messages as (red, green, blue).
inline void PrintTo(const Rgb& c, std::ostream* out) {
  *out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}
}  // namespace controls

namespace listfile {
// Rows in test messages as their texts.
inline void PrintTo(const Row& row, std::ostream* out) {
  *out << "{\"" << row.caption << "\"";
  for (const std::string& text : row.subItems) *out << ", \"" << text << "\"";
  *out << "}";
}
}  // namespace listfile

namespace testing_support {

struct DrawnCell {
  controls::Rgb background;  // at the cell's top left corner, where no text is
  controls::Rgb text;        // the pixel of the cell farthest from the background
};

// Whether two colours are alike, as anti-aliased text is to its colour.
inline bool Near(controls::Rgb a, controls::Rgb b, int tolerance = 60) {
  return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= tolerance;
}

inline controls::Rgb PixelAt(const Cairo::RefPtr<Cairo::ImageSurface>& image, int x, int y) {
  const unsigned char* p = image->get_data() + y * image->get_stride() + x * 4;
  return {p[2], p[1], p[0]};
}

// Draws `view` (shown in its window) and reads the cell of `row` in
// `column`.
inline DrawnCell DrawCell(library::ListView& view, std::size_t row, int column) {
  ui::WaitUntil([&] { return view.get_mapped() && view.get_allocated_width() > 1; }, 3000);
  ui::WaitWithMessages(30);
  auto image = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, view.get_allocated_width(), view.get_allocated_height());
  auto cr = Cairo::Context::create(image);
  gtk_widget_draw(GTK_WIDGET(view.gobj()), cr->cobj());
  image->flush();
  Gdk::Rectangle area;
  view.get_background_area(Gtk::TreePath(std::to_string(row)), *view.get_column(column), area);
  int left = 0, top = 0;
  view.convert_bin_window_to_widget_coords(area.get_x(), area.get_y(), left, top);
  DrawnCell cell;
  cell.background = PixelAt(image, left + 1, top + 1);
  int farthest = 0;
  for (int y = top; y < top + area.get_height() && y < image->get_height(); ++y)
    for (int x = left; x < left + area.get_width() && x < image->get_width(); ++x) {
      const controls::Rgb c = PixelAt(image, x, y);
      const int d = std::abs(c.r - cell.background.r) + std::abs(c.g - cell.background.g) +
                    std::abs(c.b - cell.background.b);
      if (d > farthest) {
        farthest = d;
        cell.text = c;
      }
    }
  return cell;
}

// A double click on `row` of `view`, as the display reports it.
inline void DoubleClick(library::ListView& view, std::size_t row) {
  Gdk::Rectangle area;
  view.get_background_area(Gtk::TreePath(std::to_string(row)), *view.get_column(0), area);
  GdkEventButton press{};
  press.type = GDK_2BUTTON_PRESS;
  press.button = 1;
  press.window = view.get_bin_window()->gobj();
  press.x = area.get_x() + 5;
  press.y = area.get_y() + area.get_height() / 2.0;
  gtk_widget_event(GTK_WIDGET(view.gobj()), reinterpret_cast<GdkEvent*>(&press));
}

// Esc pressed while `window` has the keyboard.
inline void PressEscape(Gtk::Window& window) {
  GdkEventKey escape{};
  escape.type = GDK_KEY_PRESS;
  escape.keyval = GDK_KEY_Escape;
  escape.window = window.get_window() ? window.get_window()->gobj() : nullptr;
  gtk_widget_event(GTK_WIDGET(window.gobj()), reinterpret_cast<GdkEvent*>(&escape));
}

}  // namespace testing_support
