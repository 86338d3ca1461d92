#pragma once
// The two small modal dialogs of the bookmarks window: "Add to Bookmarks"
// (`Tfaddfav`) and "Edid Bookmarks" (`Tfeditfavorites`). Both show a name
// and an address with OK and Cancel; Esc and the close box cancel.

#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include <functional>
#include <string>

#include "controls/Panel.h"

namespace library {

enum class ModalResult { None, Ok, Cancel };

class BookmarkDialog : public Gtk::Window {
 public:
  BookmarkDialog(const char* name, const char* caption);

  // Shows the dialog modally; answers how it was closed.
  ModalResult Execute();
  ModalResult modalResult() const { return modalResult_; }

  // "OK": the dialog closes with OK.
  virtual void XiButton1Click();
  // "Cancel", Esc and the close box: the dialog closes with Cancel.
  void XiButton2Click();

  controls::Panel Panel1;
  Gtk::Label Label1{"Name:"};
  Gtk::Label Label2{"URL:"};
  Gtk::Entry ename;
  Gtk::Entry eurl;
  Gtk::Button XiButton1{"OK"};
  Gtk::Button XiButton2{"Cancel"};

 protected:
  bool on_key_press_event(GdkEventKey* key) override;
  bool on_delete_event(GdkEventAny* event) override;
  void Finish(ModalResult result);

 private:
  ModalResult modalResult_ = ModalResult::None;
};

class Tfaddfav : public BookmarkDialog {
 public:
  struct Callbacks {
    // The title of the page in the current tab, and the address bar's text.
    std::function<std::string()> currentTitle;
    std::function<std::string()> addressText;
  };
  // Appends a bookmark and writes the list.
  using AddBookmark = std::function<void(const std::string& name, const std::string& url)>;

  explicit Tfaddfav(Callbacks callbacks);
  // Where OK puts the new bookmark: the bookmarks window.
  void SetTarget(AddBookmark add) { add_ = std::move(add); }

  // Each time the dialog is shown: the current page's title and address,
  // the keyboard in the name.
  void FormShow();
  // OK: the bookmark is appended and the list written, then the dialog
  // closes.
  void XiButton1Click() override;
  void BitBtn2Click() { XiButton1Click(); }

 private:
  Callbacks callbacks_;
  AddBookmark add_;
};

// Filled and read back by the bookmarks window; no handlers of its own.
class Tfeditfavorites : public BookmarkDialog {
 public:
  Tfeditfavorites();
};

}  // namespace library
