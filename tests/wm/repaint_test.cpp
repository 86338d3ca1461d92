// What the screen shows of a page after another window that lay over it
// has gone: the page again, not a hole of the window's background.
#include <gtest/gtest.h>
#include <gtkmm.h>

#include <memory>

#include "engine/WebKitBrowser.h"
#include "support/FixtureServer.h"
#include "ui/ProcessMessages.h"

namespace {

// The colour the screen shows at (x, y).
guint32 ScreenPixel(int x, int y) {
  GdkWindow* root = gdk_get_default_root_window();
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(root, x, y, 1, 1);
  const guchar* p = gdk_pixbuf_get_pixels(shot);
  const guint32 rgb = (guint32(p[0]) << 16) | (guint32(p[1]) << 8) | p[2];
  g_object_unref(shot);
  return rgb;
}

TEST(Repaint, APageIsPaintedAgainWhereAWindowOverItClosed) {
  testing_support::FixtureServer server;
  server.AddPage("/red", "<html><body style='margin:0;background:rgb(200,30,30)'></body></html>");
  Gtk::Window window;
  auto browser = engine::CreateWebKitBrowser();
  window.set_default_size(500, 300);
  window.move(200, 200);
  window.add(browser->widget());
  window.show_all();
  browser->Navigate(server.Url("/red"));
  ASSERT_TRUE(ui::WaitUntil([&] { return browser->IsComplete(); }, 20000));
  ASSERT_TRUE(ui::WaitUntil([] { return ScreenPixel(450, 350) == 0xC81E1E; }, 5000)) << std::hex << ScreenPixel(450, 350);

  // A small window over the page, as a tooltip or a notice is, then gone.
  Gtk::Window over(Gtk::WINDOW_POPUP);
  over.set_default_size(120, 40);
  over.move(400, 330);
  over.show_all();
  ui::WaitWithMessages(400);
  over.hide();
  ui::WaitWithMessages(600);
  EXPECT_EQ(ScreenPixel(450, 350), 0xC81E1Eu) << std::hex << ScreenPixel(450, 350);
  browser.reset();
}

}  // namespace
