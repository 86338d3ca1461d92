#pragma once
// The breaking-news keyword editor: the keyword file's text, shown as it is
// and saved as it is shown.

#include <gtkmm.h>

#include <functional>
#include <string>

namespace rss {

class Tfhotwords : public Gtk::Window {
 public:
  // `keywordFile` is "rss.hot" in the settings folder; `feedShown` answers
  // the feed the reader shows now.
  Tfhotwords(std::string keywordFile, std::function<std::string()> feedShown);

  // Each time the window becomes active: the file's text replaces what was
  // typed and not saved, and the label names the feed.
  void FormActivate();
  // Writes the text exactly as shown, line breaks as CR LF, no line break
  // added at the end. False (and the user told why) when it cannot.
  bool SaveClick();
  void CloseClick();

  Gtk::TextView Memo1;
  Gtk::Label Label1;
  Gtk::Button Save{"Save"}, Close{"Close"};

 protected:
  bool on_key_press_event(GdkEventKey* event) override;

 private:
  std::string file_;
  std::function<std::string()> feedShown_;
  Gtk::Box box_{Gtk::ORIENTATION_VERTICAL};
  Gtk::EventBox header_;
  Gtk::Label headerText_{" Keywords to find breaking news, comma delimited"};
};

}  // namespace rss
