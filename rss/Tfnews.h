#pragma once
// The breaking-news popup: the feed and date, the keyword that matched, the
// item's title as a link and its text; it opens the item in a new tab.

#include <gtkmm.h>

#include <functional>
#include <string>

namespace rss {

class Tfnews : public Gtk::Window {
 public:
  // `openInNewTab` opens an address in a new tab of the main window.
  explicit Tfnews(std::function<void(const std::string&)> openInNewTab);

  // Fills the popup for a hit; `body` is what the text box shows.
  void Show(const std::string& header, const std::string& keyword, const std::string& title,
            const std::string& link, const std::string& body);
  const std::string& NewsLink() const { return link_; }

  void OpenInBrowserClick();
  void CloseClick();

  Gtk::Label LB, LA{"Keyword: "}, l3;
  Gtk::TextView L5;
  Gtk::Button OpenInBrowser{"Open in Browser"}, Close{"Close"};

 protected:
  bool on_key_press_event(GdkEventKey* event) override;

 private:
  std::function<void(const std::string&)> openInNewTab_;
  std::string link_;
  Gtk::Box box_{Gtk::ORIENTATION_VERTICAL};
  Gtk::EventBox header_, title_;
  Gtk::Label headerText_;
};

}  // namespace rss
