#include "navigation/Tfred.h"

namespace navigation {

Tfred::Tfred(std::function<bool()> redirectMode)
    : Gtk::Window(Gtk::WINDOW_TOPLEVEL), redirectMode_(std::move(redirectMode)) {
  set_name("Tfred");
  set_title("Lumivale");
  set_decorated(false);
  set_resizable(false);
  set_keep_above(true);
  set_skip_taskbar_hint(true);
  set_skip_pager_hint(true);
  set_position(Gtk::WIN_POS_CENTER);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_NOTIFICATION);
  set_default_size(292, 37);
  set_size_request(292, 37);
  Panel1.set_name("Panel1");
  Panel1.SetColor({255, 255, 255});
  add(Panel1);
  Panel1Caption.set_name("Panel1Caption");
  Panel1Caption.set_size_request(292, 37);
  Pango::AttrList attributes;
  auto colour = Pango::Attribute::create_attr_foreground(0xFFFF, 0, 0);
  auto weight = Pango::Attribute::create_attr_weight(Pango::WEIGHT_BOLD);
  auto size = Pango::Attribute::create_attr_size_absolute(24 * PANGO_SCALE);
  attributes.insert(colour);
  attributes.insert(weight);
  attributes.insert(size);
  Panel1Caption.set_attributes(attributes);
  Panel1.put(Panel1Caption, 0, 0);
  Panel1.show_all();
  SetCaption(kRedirectOff);
  signal_show().connect(sigc::mem_fun(*this, &Tfred::FormActivate));
}

Tfred::~Tfred() { timer_.disconnect(); }

void Tfred::SetCaption(const std::string& text) { Panel1Caption.set_text(text); }

void Tfred::FormActivate() {
  if (redirectMode_ && redirectMode_()) SetCaption(kRedirectOn);
  fade_.Start();
  set_opacity(1.0);
  timer_.disconnect();
  timer_ = Glib::signal_timeout().connect(
      [this] {
        Timer1Timer();
        return fade_.running;
      },
      150);
}

void Tfred::Timer1Timer() {
  const bool closes = fade_.Tick();
  set_opacity(fade_.alpha / 255.0);
  if (!closes) return;
  timer_.disconnect();
  hide();
}

}  // namespace navigation
