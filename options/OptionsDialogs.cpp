#include "options/OptionsDialogs.h"

#include "controls/HandCursor.h"
#include "ui/Dialogs.h"
#include "ui/ProcessMessages.h"

namespace options {

ModalDialog::ModalDialog(const char* name, const char* caption) {
  set_name(name);
  set_title(caption);
  set_resizable(false);
  set_position(Gtk::WIN_POS_CENTER);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
  set_skip_taskbar_hint(true);
}

ModalResult ModalDialog::Execute() {
  modalResult_ = ModalResult::None;
  set_position(Gtk::WIN_POS_CENTER);
  ui::dialogs().RunModal(*this);
  if (modalResult_ == ModalResult::None) modalResult_ = ModalResult::Cancel;
  if (get_visible()) hide();
  return modalResult_;
}

void ModalDialog::Finish(ModalResult result) {
  modalResult_ = result;
  hide();
}

bool ModalDialog::on_key_press_event(GdkEventKey* key) {
  if (key->keyval == GDK_KEY_Escape) {
    Finish(ModalResult::Cancel);
    return true;
  }
  return Gtk::Window::on_key_press_event(key);
}

bool ModalDialog::on_delete_event(GdkEventAny*) {
  Finish(ModalResult::Cancel);
  return true;
}

// ---------------------------------------------------------------------------

Tfaddstring::Tfaddstring() : ModalDialog("Tfaddstring", "Lumivale") {
  set_default_size(460, 110);
  Panel1.set_name("Panel1");
  Panel1.set_size_request(460, 110);
  add(Panel1);
  L1.set_name("L1");
  eadd.set_name("eadd");
  XiButton1.set_name("XiButton1");
  XiButton2.set_name("XiButton2");
  Panel1.put(L1, 12, 12);
  eadd.set_size_request(436, 26);
  Panel1.put(eadd, 12, 34);
  XiButton1.set_size_request(80, 26);
  XiButton2.set_size_request(80, 26);
  Panel1.put(XiButton1, 280, 74);
  Panel1.put(XiButton2, 368, 74);
  eadd.set_activates_default(true);
  XiButton1.set_can_default(true);
  set_default(XiButton1);
  XiButton1.signal_clicked().connect([this] { Finish(ModalResult::Ok); });
  XiButton2.signal_clicked().connect([this] { Finish(ModalResult::Cancel); });
  Panel1.show_all();
}

// ---------------------------------------------------------------------------

Tfhomepage::Tfhomepage(Callbacks callbacks) : ModalDialog("Tfhomepage", "Lumivale"), callbacks_(std::move(callbacks)) {
  set_default_size(420, 110);
  Panel2.set_name("Panel2");
  Panel2.set_size_request(420, 110);
  add(Panel2);
  Panel1.set_name("Panel1");
  Panel1.set_size_request(396, 56);
  Panel2.put(Panel1, 12, 6);
  ehomepage.set_name("ehomepage");
  ehomepage.set_margin_start(8);
  ehomepage.set_margin_end(8);
  ehomepage.set_margin_bottom(6);
  Panel1.add(ehomepage);
  for (auto [button, name] : {std::pair{&XiButton3, "XiButton3"}, {&XiButton1, "XiButton1"}, {&XiButton2, "XiButton2"}}) {
    button->set_name(name);
    button->set_size_request(90, 26);
  }
  Panel2.put(XiButton3, 12, 74);
  Panel2.put(XiButton1, 222, 74);
  Panel2.put(XiButton2, 318, 74);
  XiButton1.signal_clicked().connect([this] { Finish(ModalResult::Ok); });
  XiButton2.signal_clicked().connect([this] { Finish(ModalResult::Cancel); });
  XiButton3.signal_clicked().connect(sigc::mem_fun(*this, &Tfhomepage::XiButton3Click));
  Panel2.show_all();
}

void Tfhomepage::FormCreate() { ehomepage.set_text(callbacks_.homePage ? callbacks_.homePage() : std::string()); }

void Tfhomepage::Open() {
  const std::string remembered = callbacks_.homePage ? callbacks_.homePage() : std::string();
  if (Execute() == ModalResult::Ok) {
    if (callbacks_.setHomePage) callbacks_.setHomePage(ehomepage.get_text());
  } else {
    ehomepage.set_text(remembered);
  }
}

void Tfhomepage::XiButton3Click() {
  ehomepage.set_text(callbacks_.currentAddress ? callbacks_.currentAddress() : std::string());
}

// ---------------------------------------------------------------------------

Tfabout::Tfabout(std::string version, std::function<void(const std::string&)> openInNewTab)
    : ModalDialog("Tfabout", "Lumivale"), version_(std::move(version)), openInNewTab_(std::move(openInNewTab)) {
  set_decorated(false);
  set_default_size(360, 200);
  Panel1.set_name("Panel1");
  Panel1.set_size_request(360, 200);
  add(Panel1);
  auto white = [](Gtk::Label& label, const char* name) {
    label.set_name(name);
    label.override_color(Gdk::RGBA("#ffffff"));
  };
  white(Label1, "Label1");
  white(Label2, "Label2");
  white(Label5, "Label5");
  Label1.set_markup("<span font_family=\"serif\" size=\"xx-large\">Lumivale</span>");
  Label5.set_markup(std::string("<u>") + Glib::Markup::escape_text(kSiteAddress) + "</u>");
  Label5Box.set_name("Label5Box");
  Label5Box.override_background_color(Gdk::RGBA("#555555"));
  Label5Box.add(Label5);
  Label5Box.signal_button_release_event().connect([this](GdkEventButton*) {
    Label5Click();
    return true;
  });
  Label5Box.signal_realize().connect([this] {
    if (auto w = Label5Box.get_window()) w->set_cursor(controls::HandCursor(Label5Box.get_display()));
  });
  Panel1.put(Label1, 24, 24);
  Panel1.put(Label2, 26, 86);
  Panel1.put(Label5Box, 26, 116);
  XiButton3.set_name("XiButton3");
  XiButton3.set_size_request(80, 26);
  Panel1.put(XiButton3, 264, 160);
  XiButton3.signal_clicked().connect(sigc::mem_fun(*this, &Tfabout::BitBtn1Click));
  signal_show().connect(sigc::mem_fun(*this, &Tfabout::FormShow));
  Panel1.show_all();
}

void Tfabout::Open() {
  FormShow();
  Execute();
}

void Tfabout::FormShow() { Label2.set_text("Version " + version_); }

void Tfabout::Label5Click() {
  if (openInNewTab_) openInNewTab_(kSiteAddress);
  ui::ProcessMessages();
  Finish(ModalResult::Ok);
}

void Tfabout::BitBtn1Click() { Finish(ModalResult::Ok); }

}  // namespace options
