#pragma once
// The Add dialog of the feed list ("Lumivale - Add RSS"): a feed's name
// and address. Always shown modally, for Add and for Edit; each time it is
// shown, an address bar holding "RSS" fills both fields from the current
// tab.

#include <gtkmm.h>

#include <functional>
#include <string>

namespace rss {

enum class ModalResult { None, Ok, Cancel };

class Tfslide : public Gtk::Window {
 public:
  struct Callbacks {
    std::function<std::string()> addressBarText;  // the main window's address bar
    std::function<std::string()> currentTabTitle;  // the hint of the current tab
  };

  explicit Tfslide(Callbacks callbacks);

  // Runs the pre-fill, then the dialog, modally. Answers how it ended.
  ModalResult ShowModal();
  // The pre-fill of every showing.
  void FormActivate();
  void OKClick();
  void CancelClick();

  Gtk::Label Label1{"Feed name:"};
  Gtk::Entry ename;
  Gtk::Label Label2{"URL:"};
  Gtk::Entry eurl;
  Gtk::Button OK{"OK"};
  Gtk::Button Cancel{"Cancel"};
  ModalResult modalResult() const { return result_; }

 protected:
  bool on_key_press_event(GdkEventKey* key) override;
  bool on_delete_event(GdkEventAny* event) override;

 private:
  void End(ModalResult result);

  Callbacks callbacks_;
  Gtk::Grid grid_;
  Gtk::Box buttons_{Gtk::ORIENTATION_HORIZONTAL};
  ModalResult result_ = ModalResult::None;
};

}  // namespace rss
