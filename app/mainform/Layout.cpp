// The main window's fixed layout: the top bar with the tab strip and the
// address bar, the side bars, the pages and the floating panels; the
// layout after a resize and the top bar's modes.
#include "app/MainForm.h"

#include <algorithm>

#include "app/ButtonBar.h"
#include "app/Forms.h"
#include "app/mainform/Internal.h"
#include "tabs/StripLayout.h"

namespace app {

using namespace mainform;

namespace {

const char* const kCss = R"css(
tooltip, tooltip.background { background-color: rgb(255, 255, 244); color: black; }
tooltip label { color: black; }
#TMainForm { font-family: Sans; font-size: 8pt; }
#TMainForm #eurl { min-height: 0; padding: 0 2px; border: none; box-shadow: none; background: transparent; font-size: 9pt; }
#infotext label { color: black; padding-left: 2px; }
#Panel7 label { color: white; }
#p2 button { min-height: 0; min-width: 0; padding: 0; }
)css";

}  // namespace

void TMainForm::LoadStyle() {
  css_ = Gtk::CssProvider::create();
  css_->load_from_data(kCss);
  Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), css_,
                                             GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void TMainForm::BuildLayout() {
  Named(*this, "TMainForm");
  set_title("Lumivale");
  set_default_size(1258, 811);
  add(root);
  root.add(body);

  // Top bar: the tab strip, then the address bar in its frame.
  // Its height is the bar state's (76 or 103), whatever its children ask
  // for, and its width follows the window's: the window can always be made
  // narrower.
  Named(RGPanel1, "RGPanel1").SetColor(kTopBarColor);
  RGPanel1.SetSizedByRequest(true);
  RGPanel1.set_size_request(-1, 104);
  body.pack_start(RGPanel1, Gtk::PACK_SHRINK);

  Named(poddrsni, "poddrsni").set_size_request(-1, kStripHeight);
  RGPanel1.put(poddrsni, 0, 0);
  Named(drsnisx, "drsnisx").set_size_request(tabs::kScrollButtonWidth, kStripHeight);
  drsnisx.SetColors(kTopBarColor, {60, 60, 60});
  drsnisx.signal_clicked().connect([this] { drsnisxClick(); });
  poddrsni.pack_start(drsnisx, Gtk::PACK_SHRINK);
  Named(drsniAll, "drsniAll").set_hexpand(true);
  drsniAll.set_size_request(1, kStripHeight);
  poddrsni.pack_start(drsniAll, Gtk::PACK_EXPAND_WIDGET);
  Named(drsni, "drsni").SetColor(kTopBarColor);
  drsniAll.put(drsni, 0, 0);
  Named(Panel2, "Panel2").set_size_request(tabs::kRightPanelWidth, kStripHeight);
  poddrsni.pack_start(Panel2, Gtk::PACK_SHRINK);
  Named(drsnidx, "drsnidx").set_size_request(tabs::kScrollButtonWidth, kStripHeight);
  drsnidx.SetColors(kTopBarColor, {60, 60, 60});
  drsnidx.signal_clicked().connect([this] { drsnidxClick(); });
  Panel2.pack_start(drsnidx, Gtk::PACK_SHRINK);
  Named(paneldodaj, "paneldodaj").SetColor(kTopBarColor);
  paneldodaj.set_size_request(19, kStripHeight);
  Panel2.pack_start(paneldodaj, Gtk::PACK_SHRINK);
  Named(Panel6, "Panel6").SetColor(kTopBarColor);
  Panel6.set_size_request(3, kStripHeight);
  Panel2.pack_start(Panel6, Gtk::PACK_SHRINK);
  Named(sbdodaj, "sbdodaj").set_size_request(19, 66);
  sbdodaj.SetColors({90, 90, 90}, {255, 255, 255});
  sbdodaj.set_tooltip_text("New Document");
  sbdodaj.signal_clicked().connect([this] { sbdodajClick(); });
  drsni.put(sbdodaj, tabs::kFirstTabLeft, 5);

  for (auto* image : {&Image1, &Image3, &Image2}) image->set_size_request(10, 24);
  Named(Image1, "Image1");
  Named(Image3, "Image3");
  Named(Image2, "Image2");
  RGPanel1.put(Image1, 1, 76);
  RGPanel1.put(Image3, 11, 76);
  RGPanel1.put(Image2, 21, 76);
  Named(eurl, "eurl").set_has_frame(false);
  eurl.set_size_request(100, 16);
  eurl.signal_key_press_event().connect([this](GdkEventKey* key) { return eurlKeyPress(key); }, false);
  RGPanel1.put(eurl, 15, 82);
  Named(xs, "xs").set_size_request(30, 16);
  xs.SetColors({255, 255, 255}, {90, 90, 90});
  xs.set_tooltip_text("Search");
  xs.signal_clicked().connect([this] { xsClick(); });
  RGPanel1.put(xs, 20, 81);

  // Middle: search assistant, side button bar, pages, side panel.
  body.pack_start(middle, Gtk::PACK_EXPAND_WIDGET);
  panel9.set_no_show_all(true);
  middle.pack_start(panel9, Gtk::PACK_SHRINK);
  Named(p2, "p2").set_size_request(26, -1);
  p2.set_no_show_all(true);
  middle.pack_start(p2, Gtk::PACK_SHRINK);
  // Names, hints and handlers of the side buttons come from the command
  // table (Menu.cpp).
  for (Gtk::Button* b : {&xq1, &xisci, &xtranslate, &xquick, &xredirect, &xtransparent, &xhist, &xp9, &XiButton7,
                         &xF11}) {
    b->set_size_request(24, 24);
    b->set_relief(Gtk::RELIEF_NONE);
    b->set_no_show_all(true);
    p2.put(*b, 1, 0);
  }
  xiskrolup.set_size_request(24, 24);
  p2.put(xiskrolup, 1, 0);
  p2.signal_size_allocate().connect([this](Gtk::Allocation& a) {
    p2.move(xiskrolup, 1, std::max(0, a.get_height() - 24 - 2));
  });

  Named(PALL, "PALL");
  middle.pack_start(PALL, Gtk::PACK_EXPAND_WIDGET);
  Named(pages, "pages");
  pages.set_transition_type(Gtk::STACK_TRANSITION_TYPE_NONE);
  PALL.pack_start(pages, Gtk::PACK_EXPAND_WIDGET);
  ptop.set_no_show_all(true);
  PALL.pack_end(ptop, Gtk::PACK_SHRINK);
  // The splitter drags the side panel's width.
  Named(Spliter, "Spliter").SetColor({204, 204, 0});
  Spliter.set_size_request(5, -1);
  Spliter.set_no_show_all(true);
  Spliter.ReceiveEvents(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK | Gdk::BUTTON1_MOTION_MASK);
  Spliter.signal_button_press_event().connect(sigc::mem_fun(*this, &TMainForm::SpliterPress));
  Spliter.signal_motion_notify_event().connect(sigc::mem_fun(*this, &TMainForm::SpliterMotion));
  Spliter.signal_realize().connect(
      [this] { Spliter.get_window()->set_cursor(Gdk::Cursor::create(get_display(), "col-resize")); });
  middle.pack_start(Spliter, Gtk::PACK_SHRINK);
  dxpanel.set_no_show_all(true);
  middle.pack_start(dxpanel, Gtk::PACK_SHRINK);
  dxpanel.hide();

  // Redirect mode's two pictures; off at start.
  auto disc = [](guint32 rgba) {
    auto pixbuf = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, 16, 16);
    pixbuf->fill(rgba);
    return pixbuf;
  };
  Named(iredirektred, "iredirektred").set(disc(0xDD2020FF));
  Named(iredirektwhite, "iredirektwhite").set(disc(0xFFFFFFFF));
  xredirect.set_image(xredirectPicture);
  xredirect.set_always_show_image(true);
  SetRedirectPicture(false);

  // Floating: the preview, the status line, the busy wheel.
  auto floating = [this](Gtk::Widget& w) {
    w.set_halign(Gtk::ALIGN_START);
    w.set_valign(Gtk::ALIGN_START);
    w.set_no_show_all(true);
    root.add_overlay(w);
  };
  Named(pads, "pads").SetColor(kTabColor);
  pads.SetBorder(3, {90, 80, 80});
  floating(pads);
  Named(ipads, "ipads").tag = 0;
  pads.put(ipads, 3, 3);
  ipads.show();
  ipads.signal_mouse_enter.connect([this] { ThumbMouseEnter(ipads); });
  ipads.signal_mouse_leave.connect([this] { ThumbMouseLeave(ipads); });
  ipads.signal_mouse_move.connect([this] { ipadsMouseMove(); });
  Named(Panel7, "Panel7").SetColor({67, 67, 67});
  Panel7.put(Panel7Caption, 0, 0);
  Panel7Caption.set_xalign(0);
  Panel7Caption.set_ellipsize(Pango::ELLIPSIZE_END);
  Panel7Caption.show();
  pads.put(Panel7, 3, 3);
  Panel7.show();

  Named(infotext, "infotext").SetColor({232, 232, 232});
  infotext.set_size_request(450, 16);
  infotext.put(infotextLabel, 0, 0);
  infotextLabel.set_size_request(450, 16);
  infotextLabel.set_xalign(0);
  infotextLabel.show();
  floating(infotext);

  Named(ppwheel, "ppwheel").SetColor({255, 255, 255});
  ppwheel.set_size_request(31, 21);
  ppwheel.put(pwheel, 8, 2);
  Named(pwheel, "pwheel").set_size_request(17, 17);
  pwheel.show();
  floating(ppwheel);

  root.show_all();

  root.signal_size_allocate().connect([this](Gtk::Allocation& a) {
    // Only a new size needs a new layout: laying out moves widgets, which
    // allocates again.
    if (a.get_width() == laidOutWidth_ && a.get_height() == laidOutHeight_) return;
    laidOutWidth_ = a.get_width();
    laidOutHeight_ = a.get_height();
    // Once GTK has finished this allocation.
    layoutIdle_.disconnect();
    layoutIdle_ = Glib::signal_idle().connect([this] {
      FormResize();
      return false;
    });
  });
  signal_configure_event().connect(
      [this](GdkEventConfigure* e) {
        if (!(windowState_ & (GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_ICONIFIED |
                              GDK_WINDOW_STATE_FULLSCREEN))) {
          // The frame's corner, as move() takes it: saving the inside
          // would move the window down by its title bar at every restart.
          get_position(normalLeft_, normalTop_);
          normalWidth_ = e->width;
          normalHeight_ = e->height;
        }
        return false;
      },
      false);
  signal_window_state_event().connect([this](GdkEventWindowState* e) {
    windowState_ = e->new_window_state;
    return false;
  });
  property_is_active().signal_changed().connect([this] {
    if (property_is_active()) FormActivate();
  });
  signal_map().connect([this] { FormActivate(); });
  signal_delete_event().connect([this](GdkEventAny*) {
    CloseProgram();
    return true;
  });
}

void TMainForm::FormResize() {
  const int width = root.get_allocated_width();
  if (width <= 1) return;
  const int middleWidth = width - 22;
  poddrsni.set_size_request(width, kStripHeight);
  RGPanel1.move(Image1, 1, 76);
  RGPanel1.move(Image3, 11, 76);
  Image3.set_size_request(std::max(1, middleWidth), 24);
  RGPanel1.move(Image2, middleWidth + 11, 76);
  eurl.set_size_request(std::max(1, middleWidth - 30 - 10), 16);
  RGPanel1.move(eurl, 15, 82);
  RGPanel1.move(xs, middleWidth - 24, 81);
  poravnava();
  PlaceFloating();
}

void TMainForm::PlaceFloating() {
  int left = 0, top = 0;
  if (PALL.get_realized()) PALL.translate_coordinates(root, 0, 0, left, top);
  infotext.set_margin_start(left + 2);
  infotext.set_margin_top(std::max(0, root.get_allocated_height() - 16));
  ppwheel.set_margin_start(left + 4);
  ppwheel.set_margin_top(top + 4);
}

void TMainForm::ScreenSize(int& width, int& height) {
  width = 1920;
  height = 1080;
  auto display = Gdk::Display::get_default();
  if (!display) return;
  auto monitor = display->get_primary_monitor();
  if (!monitor) monitor = display->get_monitor(0);
  if (!monitor) return;
  Gdk::Rectangle r;
  monitor->get_geometry(r);
  width = r.get_width();
  height = r.get_height();
}

void TMainForm::dolocigumbe() {
  Gtk::Button* buttons[kSideButtons] = {&xq1, &xisci, &xtranslate, &xquick, &xredirect,
                                        &xtransparent, &xhist, &xp9, &XiButton7, &xF11};
  const auto tops = SideButtonTops(ButtonMask);
  for (std::size_t i = 0; i < tops.size(); ++i) {
    buttons[i]->hide();
    if (!tops[i]) continue;
    p2.move(*buttons[i], 1, *tops[i]);
    buttons[i]->show();
  }
}

void TMainForm::ApplyBarState() {
  switch (BarState) {
    case 0:
      RGPanel1.set_size_request(-1, kStripHeight);
      break;
    case 1:
      RGPanel1.hide();
      RGPanel1.set_size_request(-1, 0);
      break;
    case 2:
      RGPanel1.show();
      RGPanel1.set_size_request(-1, kFullBarHeight);
      break;
  }
  // The address bar lies below the strip: out of sight with the strip only.
  const bool addressBar = BarState != 0;
  for (Gtk::Widget* w : std::initializer_list<Gtk::Widget*>{&Image1, &Image3, &Image2, &eurl, &xs})
    w->set_visible(addressBar);
}

void TMainForm::xbshow() {
  ++BarState;
  // A value out of range (from a hand-edited file) starts the cycle again.
  if (BarState >= 3 || BarState < 0) BarState = 0;
  ApplyBarState();
}

void TMainForm::FullScreen1Click() {
  xbshow();
  if (auto* b = GetCurrentWB()) b->GrabFocus();
}

void TMainForm::ApplyFrameStyle() {
  for (auto* image : {&Image1, &Image3, &Image2}) image->SetFlat(FlatAddressBar);
}

void TMainForm::FlatAdressBar1Click() { FlatAdressBar1.activate(); }

void TMainForm::FlatAdressBar1Toggled() {
  FlatAddressBar = FlatAdressBar1.get_active();
  ApplyFrameStyle();
  // The address bar's end caps take the scheme's colours again.
  if (options::Tfoptions* dialog = forms().foptions) dialog->ponastavi();
}

}  // namespace app
