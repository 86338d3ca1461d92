#include "navigation/Tfzum.h"

#include <exception>

#include "ui/Dialogs.h"

namespace navigation {

Tfzum::Tfzum(Callbacks callbacks) : Gtk::Window(Gtk::WINDOW_TOPLEVEL), callbacks_(std::move(callbacks)) {
  set_name("Tfzum");
  set_title("Zoom");
  set_decorated(false);
  set_resizable(false);
  set_keep_above(true);
  set_skip_taskbar_hint(true);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_UTILITY);
  set_default_size(kWidth, kHeight);
  set_size_request(kWidth, kHeight);
  set_opacity(200 / 255.0);
  add_events(Gdk::BUTTON_PRESS_MASK);

  RGPanel3.set_name("RGPanel3");
  RGPanel3.SetColor({58, 48, 48});
  add(RGPanel3);

  Label16.set_name("Label16");
  Label16.set_size_request(kWidth, 18);
  Label16.set_justify(Gtk::JUSTIFY_CENTER);
  Pango::AttrList white;
  auto colour = Pango::Attribute::create_attr_foreground(0xFFFF, 0xFFFF, 0xFFFF);
  white.insert(colour);
  Label16.set_attributes(white);
  RGPanel3.put(Label16, 0, 14);

  zumbar.set_name("zumbar");
  zumbar.set_range(10, 10000);
  zumbar.set_increments(10, 500);
  zumbar.set_draw_value(false);
  zumbar.set_inverted(false);  // the minimum is at the top
  for (int mark = 500; mark <= 10000; mark += 500) {
    zumbar.add_mark(mark, Gtk::POS_LEFT, "");
    zumbar.add_mark(mark, Gtk::POS_RIGHT, "");
  }
  zumbar.set_value(1000);
  zumbar.set_size_request(60, 150);
  zumbar.signal_value_changed().connect(sigc::mem_fun(*this, &Tfzum::zumbarChange));
  RGPanel3.put(zumbar, 23, 36);

  XiButton5.set_name("XiButton5");
  XiButton5.set_size_request(12, 12);
  XiButton5.SetColors({58, 48, 48}, {230, 230, 230});
  XiButton5.set_tooltip_text("Close");
  XiButton5.signal_clicked().connect(sigc::mem_fun(*this, &Tfzum::XiButton5Click));
  RGPanel3.put(XiButton5, kWidth - 15, 3);

  XiButton4.set_name("XiButton4");
  XiButton4Caption.set_markup("<b>Reset</b>");
  XiButton4.add(XiButton4Caption);
  XiButton4.set_size_request(70, 28);
  XiButton4.signal_clicked().connect(sigc::mem_fun(*this, &Tfzum::XiButton4Click));
  RGPanel3.put(XiButton4, 18, 195);
  RGPanel3.show_all();

  signal_show().connect(sigc::mem_fun(*this, &Tfzum::FormActivate));
  property_is_active().signal_changed().connect([this] {
    if (property_is_active()) FormActivate();
  });
}

void Tfzum::FormCreate(int screenWidth, int screenHeight) {
  move(screenWidth - kWidth - 35, screenHeight - kHeight - 50);
}

void Tfzum::FormActivate() {
  const std::string text = callbacks_.currentZoomText ? callbacks_.currentZoomText() : "100";
  int zoom = 0;
  try {
    std::size_t used = 0;
    zoom = std::stoi(text, &used);
    if (used != text.size()) throw std::invalid_argument(text);
  } catch (const std::exception&) {
    ui::ShowMessage("'" + text + "' is not a valid integer value", "Lumivale web browser", ui::Icon::Error, this);
    return;
  }
  zumbar.set_value(PositionForZoom(zoom));
  zumbarChange();
  zumbar.grab_focus();
}

void Tfzum::zumbarChange() {
  const int zoom = ZoomForPosition(int(zumbar.get_value()));
  if (callbacks_.applyZoom && !callbacks_.applyZoom(zoom)) return;  // the label keeps its text
  Label16.set_text(std::to_string(zoom) + " %");
}

void Tfzum::XiButton4Click() {
  zumbar.set_value(9000);
  zumbarChange();
}

void Tfzum::XiButton5Click() { hide(); }

bool Tfzum::on_button_press_event(GdkEventButton* event) {
  // A press that no control took is on the panel: it drags the window.
  if (event->button == 1 && event->type == GDK_BUTTON_PRESS) {
    begin_move_drag(1, int(event->x_root), int(event->y_root), event->time);
    return true;
  }
  return Gtk::Window::on_button_press_event(event);
}

}  // namespace navigation
