#include "library/Tfaddfav.h"

#include "library/ListStyle.h"
#include "ui/Dialogs.h"

namespace library {

BookmarkDialog::BookmarkDialog(const char* name, const char* caption) {
  set_name(name);
  set_title(caption);
  set_resizable(false);
  set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
  set_skip_taskbar_hint(true);
  set_default_size(420, 120);
  UseListStyle();
  Panel1.set_name("Panel1");
  Panel1.set_size_request(420, 120);
  add(Panel1);
  Label1.set_name("Label1");
  Label2.set_name("Label2");
  ename.set_name("ename");
  eurl.set_name("eurl");
  XiButton1.set_name("XiButton1");
  XiButton2.set_name("XiButton2");
  Panel1.put(Label1, 12, 18);
  Panel1.put(ename, 60, 12);
  Panel1.put(Label2, 12, 52);
  Panel1.put(eurl, 60, 46);
  ename.set_size_request(348, 26);
  eurl.set_size_request(348, 26);
  XiButton1.set_size_request(80, 26);
  XiButton2.set_size_request(80, 26);
  Panel1.put(XiButton1, 240, 84);
  Panel1.put(XiButton2, 328, 84);
  XiButton1.signal_clicked().connect([this] { XiButton1Click(); });
  XiButton2.signal_clicked().connect(sigc::mem_fun(*this, &BookmarkDialog::XiButton2Click));
  Panel1.show_all();
}

ModalResult BookmarkDialog::Execute() {
  modalResult_ = ModalResult::None;
  ui::dialogs().RunModal(*this);
  if (modalResult_ == ModalResult::None) modalResult_ = ModalResult::Cancel;
  if (get_visible()) hide();
  return modalResult_;
}

void BookmarkDialog::Finish(ModalResult result) {
  modalResult_ = result;
  hide();
}

void BookmarkDialog::XiButton1Click() { Finish(ModalResult::Ok); }

void BookmarkDialog::XiButton2Click() { Finish(ModalResult::Cancel); }

bool BookmarkDialog::on_key_press_event(GdkEventKey* key) {
  if (key->keyval == GDK_KEY_Escape) {
    XiButton2Click();
    return true;
  }
  return Gtk::Window::on_key_press_event(key);
}

bool BookmarkDialog::on_delete_event(GdkEventAny*) {
  XiButton2Click();
  return true;
}

Tfaddfav::Tfaddfav(Callbacks callbacks) : BookmarkDialog("Tfaddfav", "Add to Bookmarks"), callbacks_(std::move(callbacks)) {
  signal_show().connect(sigc::mem_fun(*this, &Tfaddfav::FormShow));
}

void Tfaddfav::FormShow() {
  ename.set_text(callbacks_.currentTitle ? callbacks_.currentTitle() : std::string());
  eurl.set_text(callbacks_.addressText ? callbacks_.addressText() : std::string());
  ename.grab_focus();
}

void Tfaddfav::XiButton1Click() {
  if (add_) add_(ename.get_text(), eurl.get_text());
  Finish(ModalResult::Ok);
}

Tfeditfavorites::Tfeditfavorites() : BookmarkDialog("Tfeditfavorites", "Edid Bookmarks") {}

}  // namespace library
