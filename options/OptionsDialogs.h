#pragma once
// The small modal dialogs of the options: the add/edit box of the user
// agents (`Tfaddstring`), the home page (`Tfhomepage`) and the about box
// (`Tfabout`). Each is made once at start-up and centred when shown.

#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include <functional>
#include <string>

#include "controls/Panel.h"

namespace options {

enum class ModalResult { None, Ok, Cancel };

// A dialog run modally until a button closes it; Esc and the close box
// cancel.
class ModalDialog : public Gtk::Window {
 public:
  ModalDialog(const char* name, const char* caption);

  // Shows the dialog modally; answers how it was closed.
  ModalResult Execute();
  ModalResult modalResult() const { return modalResult_; }
  void Finish(ModalResult result);

 protected:
  bool on_key_press_event(GdkEventKey* key) override;
  bool on_delete_event(GdkEventAny* event) override;

 private:
  ModalResult modalResult_ = ModalResult::None;
};

// Adds or edits one user-agent string.
class Tfaddstring : public ModalDialog {
 public:
  Tfaddstring();

  controls::Panel Panel1;
  Gtk::Label L1;
  Gtk::Entry eadd;
  Gtk::Button XiButton1{"OK"};
  Gtk::Button XiButton2{"Cancel"};
};

// The address a new tab opens.
class Tfhomepage : public ModalDialog {
 public:
  struct Callbacks {
    std::function<std::string()> homePage;
    std::function<void(const std::string&)> setHomePage;
    // The address of the page in the current browser.
    std::function<std::string()> currentAddress;
  };
  explicit Tfhomepage(Callbacks callbacks);

  // At start-up: the edit shows the home page.
  void FormCreate();
  // The options dialog's "Home Page": OK takes the edit's text as the home
  // page; Cancel keeps it and shows it again at the next opening.
  void Open();
  // "Add Current": the edit takes the current page's address.
  void XiButton3Click();

  Gtk::Frame Panel1{"   Home page"};
  controls::Panel Panel2;
  Gtk::Entry ehomepage;
  Gtk::Button XiButton1{"OK"};
  Gtk::Button XiButton2{"Cancel"};
  Gtk::Button XiButton3{"Add Current"};

 private:
  Callbacks callbacks_;
};

// The product's name, the running program's version and the maker's site.
class Tfabout : public ModalDialog {
 public:
  static constexpr const char* kSiteAddress = "http://lumivale.example/";

  // `openInNewTab` opens an address in a new tab and makes it current.
  Tfabout(std::string version, std::function<void(const std::string&)> openInNewTab);

  // Shows the box modally, with the version line filled in.
  void Open();
  void FormShow();
  // The site's address: opens it in a new tab and closes the box.
  void Label5Click();
  // "OK" and Esc close the box.
  void BitBtn1Click();

  controls::Panel Panel1{{85, 85, 85}};
  Gtk::Label Label1{"Lumivale"};
  Gtk::Label Label2;
  Gtk::EventBox Label5Box;
  Gtk::Label Label5;
  Gtk::Button XiButton3{"OK"};

 private:
  std::string version_;
  std::function<void(const std::string&)> openInNewTab_;
};

}  // namespace options
