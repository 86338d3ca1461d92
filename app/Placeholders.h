#pragma once
// Windows whose features are still to come: created at start-up in their
// place in the order, named and captioned, and never shown yet.

#include <gtkmm/window.h>

namespace app {

class PlaceholderWindow : public Gtk::Window {
 public:
  PlaceholderWindow(const char* name, const char* caption) {
    set_name(name);
    set_title(caption);
  }
};

}  // namespace app
