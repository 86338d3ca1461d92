// The main window under a window manager: the minimum size it announces,
// maximise and restore, and a place that holds across restarts.
#include <glib.h>

#include <regex>
#include <string>

#include "settings/IniFile.h"
#include "support/MainFormFixture.h"
// After gtkmm and gtest, whose names its macros would clash with.
#include <gdk/gdkx.h>

namespace {

using testing_support::MainFormTest;

class WindowManagerTest : public MainFormTest {
 protected:
  // Waits until the window manager has framed and placed the window.
  void WaitManaged() {
    ASSERT_TRUE(ui::WaitUntil([&] { return form->get_mapped() && form->get_window(); }, 5000));
    ui::WaitWithMessages(400);
  }
  void Restart() {
    form->CloseProgram();
    TearDown();
    SetUp();
    browsers.clear();
    Start();
    WaitManaged();
  }
  // What the window manager reads: the window's size hints.
  std::string SizeHints() {
    const std::string id = std::to_string(gdk_x11_window_get_xid(form->get_window()->gobj()));
    gchar* out = nullptr;
    const std::string command = "xprop -id " + id + " WM_NORMAL_HINTS";
    EXPECT_TRUE(g_spawn_command_line_sync(command.c_str(), &out, nullptr, nullptr, nullptr));
    std::string text = out ? out : "";
    g_free(out);
    return text;
  }
  bool WaitWidth(int width) {
    return ui::WaitUntil([&] { return form->get_allocated_width() == width; }, 5000);
  }
};

TEST_F(WindowManagerTest, AWideWindowStillAnnouncesASmallMinimumWidth) {
  data.Write("Lumivale/Progset.cfg", "[Velikost]\nSirina=1900\nVisina=700\nLevo=0\nGor=0\nStatus=0\n");
  Start();
  WaitManaged();
  ASSERT_TRUE(WaitWidth(1900));
  ui::WaitWithMessages(300);
  const std::string hints = SizeHints();
  std::smatch m;
  ASSERT_TRUE(std::regex_search(hints, m, std::regex("minimum size: (\\d+) by (\\d+)"))) << hints;
  EXPECT_LT(std::stoi(m[1]), 400) << hints;
}

TEST_F(WindowManagerTest, MaximiseThenRestoreGivesBackTheSmallerWindow) {
  data.Write("Lumivale/Progset.cfg", "[Velikost]\nSirina=900\nVisina=600\nLevo=100\nGor=80\nStatus=0\n");
  Start();
  WaitManaged();
  ASSERT_TRUE(WaitWidth(900));
  form->maximize();
  ASSERT_TRUE(ui::WaitUntil([&] { return form->is_maximized() && form->get_allocated_width() > 1800; }, 5000));
  ui::WaitWithMessages(300);
  form->unmaximize();
  EXPECT_TRUE(WaitWidth(900)) << form->get_allocated_width();
  ui::WaitWithMessages(300);
  // Saved while maximised, the normal rectangle is the smaller one.
  form->maximize();
  ASSERT_TRUE(ui::WaitUntil([&] { return form->is_maximized(); }, 5000));
  ui::WaitWithMessages(300);
  form->CloseProgram();
  const auto ini = settings::IniFile::Load(Settings("Progset.cfg"));
  EXPECT_EQ(ini.ReadInteger("Velikost", "Sirina", -1), 900);
  EXPECT_EQ(ini.ReadInteger("Velikost", "Visina", -1), 600);
  EXPECT_EQ(ini.ReadInteger("Velikost", "Status", -1), 2);
}

TEST_F(WindowManagerTest, ThreeRestartsLeaveTheWindowWhereItWas) {
  data.Write("Lumivale/Progset.cfg", "[Velikost]\nSirina=800\nVisina=500\nLevo=200\nGor=150\nStatus=0\n");
  Start();
  WaitManaged();
  int x0 = 0, y0 = 0;
  form->get_window()->get_root_origin(x0, y0);
  for (int run = 1; run <= 3; ++run) {
    Restart();
    int x = 0, y = 0;
    form->get_window()->get_root_origin(x, y);
    EXPECT_EQ(x, x0) << "restart " << run;
    EXPECT_EQ(y, y0) << "restart " << run;
    const auto ini = settings::IniFile::Load(Settings("Progset.cfg"));
    EXPECT_EQ(ini.ReadInteger("Velikost", "Levo", -1), 200) << "restart " << run;
    EXPECT_EQ(ini.ReadInteger("Velikost", "Gor", -1), 150) << "restart " << run;
  }
}

TEST(FloatingToolbar, StaysOnTopAgainAfterSomethingTookThatAway) {
  navigation::Tfhint toolbar(300, 100, {});
  toolbar.FormCreate();
  ASSERT_TRUE(ui::WaitUntil([&] { return toolbar.get_mapped() && toolbar.get_window(); }, 5000));
  ui::WaitWithMessages(300);
  const std::string id = std::to_string(gdk_x11_window_get_xid(toolbar.get_window()->gobj()));
  auto above = [&] {
    gchar* out = nullptr;
    g_spawn_command_line_sync(("xprop -id " + id + " _NET_WM_STATE").c_str(), &out, nullptr, nullptr, nullptr);
    const bool is = out && std::string(out).find("_NET_WM_STATE_ABOVE") != std::string::npos;
    g_free(out);
    return is;
  };
  ASSERT_TRUE(ui::WaitUntil(above, 3000));
  // Another program (here the window manager's own tool) takes it away.
  ASSERT_TRUE(g_spawn_command_line_sync(("wmctrl -i -r " + id + " -b remove,above").c_str(), nullptr, nullptr,
                                        nullptr, nullptr));
  ASSERT_TRUE(ui::WaitUntil([&] { return !above(); }, 3000));
  // The main window's timer ticks, every 125 ms.
  bool back = false;
  for (int tick = 0; tick < 8 && !back; ++tick) {
    toolbar.StayOnTop();
    ui::WaitWithMessages(125);
    back = above();
  }
  EXPECT_TRUE(back);
}

}  // namespace
