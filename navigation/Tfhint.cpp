#include "navigation/Tfhint.h"

#include <cmath>

#include "engine/Browser.h"

namespace navigation {
namespace {

constexpr controls::Rgb kBackground{248, 248, 241};
constexpr controls::Rgb kGlyph{60, 60, 60};
constexpr int kCorner = 13;  // the corner ellipses are 13 x 13

// A rectangle with rounded corners, as a region of whole pixels.
Cairo::RefPtr<Cairo::Region> RoundedRegion(int width, int height, int corner) {
  auto mask = Cairo::ImageSurface::create(Cairo::FORMAT_A1, width, height);
  auto cr = Cairo::Context::create(mask);
  const double r = corner / 2.0;
  cr->begin_new_sub_path();
  cr->arc(width - r, r, r, -M_PI / 2, 0);
  cr->arc(width - r, height - r, r, 0, M_PI / 2);
  cr->arc(r, height - r, r, M_PI / 2, M_PI);
  cr->arc(r, r, r, M_PI, 3 * M_PI / 2);
  cr->close_path();
  cr->set_antialias(Cairo::ANTIALIAS_NONE);
  cr->fill();
  mask->flush();
  cairo_region_t* region = gdk_cairo_region_create_from_surface(mask->cobj());
  return Cairo::RefPtr<Cairo::Region>(new Cairo::Region(region, true));
}

}  // namespace

Tfhint::Tfhint(int left, int top, Callbacks callbacks)
    : Gtk::Window(Gtk::WINDOW_TOPLEVEL), callbacks_(std::move(callbacks)), left_(left), top_(top) {
  set_name("Tfhint");
  set_title("s");
  set_decorated(false);
  set_resizable(false);
  set_keep_above(true);
  set_skip_taskbar_hint(true);
  set_skip_pager_hint(true);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_UTILITY);
  set_default_size(kWidth, kHeight);
  set_size_request(kWidth, kHeight);
  add_events(Gdk::BUTTON_PRESS_MASK | Gdk::ENTER_NOTIFY_MASK | Gdk::LEAVE_NOTIFY_MASK | Gdk::PROPERTY_CHANGE_MASK);

  RGPanel1.set_name("RGPanel1");
  RGPanel1.SetColor(kBackground);
  add(RGPanel1);
  struct Place {
    Gtk::Widget* control;
    const char* name;
    int x, width;
  };
  const Place places[] = {
      {&SpeedButton1, "SpeedButton1", 10, 54}, {&SpeedButton2, "SpeedButton2", 65, 39},
      {&Bevel2, "Bevel2", 108, 3},             {&sbrefresh, "sbrefresh", 113, 30},
      {&sbstop, "sbstop", 113, 30},            {&SpeedButton5, "SpeedButton5", 144, 30},
      {&SpeedButton6, "SpeedButton6", 175, 30}, {&Bevel1, "Bevel1", 208, 3},
      {&IngPopupButton5, "IngPopupButton5", 212, 30},
  };
  for (const Place& p : places) {
    p.control->set_name(p.name);
    p.control->set_size_request(p.width, 28);
    RGPanel1.put(*p.control, p.x, 6);
  }
  for (controls::GlyphButton* b :
       {&SpeedButton1, &SpeedButton2, &sbrefresh, &sbstop, &SpeedButton5, &SpeedButton6, &IngPopupButton5})
    b->SetColors(kBackground, kGlyph);
  SpeedButton1.signal_clicked().connect(sigc::mem_fun(*this, &Tfhint::SpeedButton1Click));
  SpeedButton2.signal_clicked().connect(sigc::mem_fun(*this, &Tfhint::SpeedButton2Click));
  sbrefresh.signal_clicked().connect(sigc::mem_fun(*this, &Tfhint::sbrefreshClick));
  sbstop.signal_clicked().connect(sigc::mem_fun(*this, &Tfhint::sbstopClick));
  SpeedButton5.signal_clicked().connect(sigc::mem_fun(*this, &Tfhint::SpeedButton5Click));
  SpeedButton6.signal_clicked().connect(sigc::mem_fun(*this, &Tfhint::SpeedButton6Click));
  IngPopupButton5.signal_clicked().connect(sigc::mem_fun(*this, &Tfhint::IngPopupButton5Click));
  RGPanel1.show_all();
  // Stop covers Refresh only while a page loads.
  sbstop.hide();
  sbstop.set_no_show_all(true);
  ApplyOpacity();
}

void Tfhint::Shape() {
  region_ = RoundedRegion(kWidth, kHeight, kCorner);
  shape_combine_region(region_);
}

void Tfhint::FormCreate() {
  Shape();
  move(left_, top_);
  show();
}

void Tfhint::ApplyOpacity() { set_opacity(alphaBlend_ ? alpha_ / 255.0 : 1.0); }

void Tfhint::AppOnHint(const std::string& hint) {
  alphaBlend_ = !OpaqueForHint(hint);
  ApplyOpacity();
}

bool Tfhint::on_enter_notify_event(GdkEventCrossing* event) {
  // Every spot of the toolbar is one of its controls, all of which carry
  // the toolbar's hint.
  AppOnHint(std::string(kToolbarHint));
  return Gtk::Window::on_enter_notify_event(event);
}

bool Tfhint::on_leave_notify_event(GdkEventCrossing* event) {
  if (event->detail != GDK_NOTIFY_INFERIOR) AppOnHint("");
  return Gtk::Window::on_leave_notify_event(event);
}

bool Tfhint::on_button_press_event(GdkEventButton* event) {
  // A press that no button took is on the panel: it drags the window.
  if (event->button == 1 && event->type == GDK_BUTTON_PRESS) {
    begin_move_drag(1, int(event->x_root), int(event->y_root), event->time);
    return true;
  }
  return Gtk::Window::on_button_press_event(event);
}

bool Tfhint::on_property_notify_event(GdkEventProperty* event) {
  // The toolkit's own idea of the window's state does not follow a window
  // manager that takes "above" away, so the state property is read.
  static const GdkAtom state = gdk_atom_intern_static_string("_NET_WM_STATE");
  static const GdkAtom above = gdk_atom_intern_static_string("_NET_WM_STATE_ABOVE");
  if (event->atom == state && event->state == GDK_PROPERTY_NEW_VALUE) {
    GdkAtom type = nullptr;
    gint format = 0, length = 0;
    guchar* data = nullptr;
    bool found = false;
    if (gdk_property_get(event->window, state, gdk_atom_intern_static_string("ATOM"), 0, 1024, FALSE, &type, &format,
                         &length, &data)) {
      const auto* atoms = reinterpret_cast<const GdkAtom*>(data);
      for (gint i = 0; i < length / gint(sizeof(GdkAtom)); ++i) found |= atoms[i] == above;
      g_free(data);
    }
    aboveOnScreen_ = found;
  }
  return Gtk::Window::on_property_notify_event(event);
}

void Tfhint::StayOnTop() {
  if (!get_mapped() || aboveOnScreen_) return;
  set_keep_above(true);
}

void Tfhint::ShowStop(bool loading) { sbstop.set_visible(loading); }

void Tfhint::FadeStep(int mainWidth) {
  auto window = get_window();
  if (!window) return;
  int x = 0, y = 0;
  Gdk::ModifierType mask;
  window->get_device_position(get_display()->get_default_seat()->get_pointer(), x, y, mask);
  FadeStep(Pointer{x, y, get_allocated_height(), mainWidth});
}

void Tfhint::FadeStep(const Pointer& pointer) {
  const int alpha = navigation::FadeStep(alpha_, pointer);
  if (alpha == alpha_) return;
  alpha_ = alpha;
  ApplyOpacity();
}

void Tfhint::SpeedButton1Click() {
  // Back works on the tab's own browser; at the start of its history it
  // only stops the page.
  engine::Browser* b = callbacks_.tabBrowser ? callbacks_.tabBrowser() : nullptr;
  if (!b) return;
  b->Stop();
  b->GoBack();
}

void Tfhint::SpeedButton2Click() {
  engine::Browser* b = callbacks_.currentBrowser ? callbacks_.currentBrowser() : nullptr;
  if (!b) return;
  b->Stop();
  b->GoForward();
}

void Tfhint::sbrefreshClick() {
  if (engine::Browser* b = callbacks_.currentBrowser ? callbacks_.currentBrowser() : nullptr) b->Refresh();
}

void Tfhint::sbstopClick() {
  sbstop.hide();
  sbrefresh.show();
  if (engine::Browser* b = callbacks_.currentBrowser ? callbacks_.currentBrowser() : nullptr) b->Stop();
}

void Tfhint::SpeedButton5Click() {
  if (engine::Browser* tab = callbacks_.tabBrowser ? callbacks_.tabBrowser() : nullptr) tab->Stop();
  engine::Browser* b = callbacks_.currentBrowser ? callbacks_.currentBrowser() : nullptr;
  if (b && callbacks_.homePage) b->Navigate(callbacks_.homePage());
}

void Tfhint::SpeedButton6Click() {
  if (callbacks_.showBookmarks) callbacks_.showBookmarks();
  if (callbacks_.focusMainWindow) callbacks_.focusMainWindow();
}

void Tfhint::IngPopupButton5Click() {
  // The drop-down arrow at the right opens the menu; the rest of the
  // button gives the main window the focus.
  const bool arrow = IngPopupButton5.lastClickX() >= IngPopupButton5.get_allocated_width() - 10;
  if (arrow) {
    if (callbacks_.popupMenu) callbacks_.popupMenu(IngPopupButton5);
  } else if (callbacks_.focusMainWindow) {
    callbacks_.focusMainWindow();
  }
}

}  // namespace navigation
