#include "rss/Tfslide.h"

#include "rss/FeedList.h"
#include "ui/Dialogs.h"

namespace rss {

Tfslide::Tfslide(Callbacks callbacks) : callbacks_(std::move(callbacks)) {
  set_name("Tfslide");
  set_title("Lumivale - Add RSS");
  set_resizable(false);
  set_position(Gtk::WIN_POS_CENTER);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
  set_border_width(12);
  ename.set_name("ename");
  eurl.set_name("eurl");
  OK.set_name("OK");
  Cancel.set_name("Cancel");
  ename.set_width_chars(48);
  eurl.set_width_chars(48);
  ename.set_activates_default(true);
  eurl.set_activates_default(true);
  Label1.set_halign(Gtk::ALIGN_START);
  Label2.set_halign(Gtk::ALIGN_START);
  grid_.set_row_spacing(6);
  grid_.set_column_spacing(8);
  grid_.attach(Label1, 0, 0);
  grid_.attach(ename, 1, 0);
  grid_.attach(Label2, 0, 1);
  grid_.attach(eurl, 1, 1);
  buttons_.set_spacing(8);
  buttons_.set_halign(Gtk::ALIGN_END);
  buttons_.set_margin_top(10);
  OK.set_size_request(80, -1);
  Cancel.set_size_request(80, -1);
  buttons_.pack_start(OK, Gtk::PACK_SHRINK);
  buttons_.pack_start(Cancel, Gtk::PACK_SHRINK);
  grid_.attach(buttons_, 0, 2, 2, 1);
  add(grid_);
  grid_.show_all();
  OK.set_can_default(true);
  OK.signal_clicked().connect(sigc::mem_fun(*this, &Tfslide::OKClick));
  Cancel.signal_clicked().connect(sigc::mem_fun(*this, &Tfslide::CancelClick));
}

ModalResult Tfslide::ShowModal() {
  result_ = ModalResult::Cancel;
  FormActivate();
  set_default(OK);
  ename.grab_focus();
  ui::dialogs().RunModal(*this);
  hide();
  return result_;
}

void Tfslide::FormActivate() {
  const std::string address = callbacks_.addressBarText ? callbacks_.addressBarText() : std::string();
  const std::string title = callbacks_.currentTabTitle ? callbacks_.currentTabTitle() : std::string();
  if (auto fill = AddDialogPrefill(address, title)) {
    ename.set_text(fill->first);
    eurl.set_text(fill->second);
  }
}

void Tfslide::End(ModalResult result) {
  result_ = result;
  hide();
}

void Tfslide::OKClick() { End(ModalResult::Ok); }

void Tfslide::CancelClick() { End(ModalResult::Cancel); }

bool Tfslide::on_key_press_event(GdkEventKey* key) {
  if (key->keyval == GDK_KEY_Escape) {
    CancelClick();
    return true;
  }
  return Gtk::Window::on_key_press_event(key);
}

bool Tfslide::on_delete_event(GdkEventAny*) {
  CancelClick();
  return true;
}

}  // namespace rss
