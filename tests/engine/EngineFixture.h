#pragma once
// A real WebKit browser in a shown window, and the loopback server it
// loads from.

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/window.h>

#include <memory>
#include <string>

#include "engine/WebKitBrowser.h"
#include "support/FixtureServer.h"
#include "ui/ProcessMessages.h"

namespace engine_testing {

inline constexpr int kLoadTimeoutMs = 20000;

// A top-level window at a fixed place on the screen showing one browser.
class BrowserWindow {
 public:
  explicit BrowserWindow(std::unique_ptr<engine::Browser> b, int x = 0, int y = 0, int width = 640,
                         int height = 480)
      : browser(std::move(b)) {
    window.set_default_size(width, height);
    window.move(x, y);
    window.add(browser->widget());
    window.show_all();
    ui::WaitUntil([&] { return browser->widget().get_allocated_width() > 1; }, 5000);
  }
  ~BrowserWindow() {
    // The browser takes its view out of the window itself.
    browser.reset();
  }

  Gtk::Window window;
  std::unique_ptr<engine::Browser> browser;
};

// A mouse click (`button` 1: left, 3: right) at (x, y) of `widget`, as
// the toolkit delivers it to the widget. No real pointer is involved, so
// other windows on the screen cannot take it.
inline void ClickAt(Gtk::Widget& widget, int x, int y, guint button) {
  GtkWidget* w = widget.gobj();
  for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(w)));
    event->button.time = GDK_CURRENT_TIME;
    event->button.button = button;
    event->button.x = x;
    event->button.y = y;
    gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_widget_event(w, event);
    gdk_event_free(event);
  }
}

// The mouse moved to (x, y) of `widget`, as the toolkit delivers the
// motion to the widget. The display's one pointer stays where it is, so
// tests running beside this one are not disturbed.
inline void MoveTo(Gtk::Widget& widget, int x, int y) {
  GtkWidget* w = widget.gobj();
  GdkEvent* event = gdk_event_new(GDK_MOTION_NOTIFY);
  event->motion.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(w)));
  event->motion.time = GDK_CURRENT_TIME;
  event->motion.x = x;
  event->motion.y = y;
  gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
  gtk_widget_event(w, event);
  gdk_event_free(event);
}

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() : shown(engine::CreateWebKitBrowser()), browser(*shown.browser) {}

  // Lets messages run until `b` is complete.
  static bool WaitComplete(engine::Browser& b, int timeoutMs = kLoadTimeoutMs) {
    return ui::WaitUntil([&] { return b.IsComplete(); }, timeoutMs);
  }
  // Navigates `b` to `address` and waits until the page is complete.
  static bool Load(engine::Browser& b, const std::string& address) {
    b.Navigate(address);
    return WaitComplete(b);
  }
  bool Load(const std::string& address) { return Load(browser, address); }

  testing_support::FixtureServer server;
  BrowserWindow shown;
  engine::Browser& browser;
};

}  // namespace engine_testing
