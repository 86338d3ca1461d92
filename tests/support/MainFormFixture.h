#pragma once
// A main window in a scratch folder, with FakeBrowsers and scripted
// dialogs, shown on the test display.

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <memory>
#include <vector>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "engine/FakeBrowser.h"
#include "library/Tfhistory.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace testing_support {

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override { ui::SetTerminating(false); }

  void TearDown() override {
    app::forms() = app::Forms{};
    form.reset();
    history.reset();
    ui::ProcessMessages();
  }

  // Creates and starts the main window the way the program does.
  void Start() {
    app::Environment env;
    env.appDataFolder = data.str();
    env.programFolder = program.str();
    env.newBrowser = [this] {
      auto b = std::make_unique<engine::FakeBrowser>();
      b->completeOnNavigate = completeOnNavigate;
      b->body = "<p>blank</p>";
      browsers.push_back(b.get());
      return b;
    };
    env.endProgram = [this] { ++programEnds; };
    env.now = [] { return std::time_t(1765375402); };
    env.checkUrl = [this](const std::string& text) {
      probed.push_back(text);
      return reachable;
    };
    env.engines = engines;
    form = std::make_unique<app::TMainForm>(env);
    form->FormCreate();
    history = std::make_unique<library::Tfhistory>(form->SettingsFolder() + "history.lmf", form->config.enableHist);
    app::forms().fhistory = history.get();
    form->show();
    ui::WaitUntil([this] { return form->root.get_allocated_width() > 1; }, 5000);
    ui::WaitWithMessages(50);
  }

  // Moves the real pointer over `widget` at (x, y) in its own coordinates,
  // so the display sends the crossing events a user's mouse would.
  static void PointAt(Gtk::Widget& widget, int x, int y) {
    int ox = 0, oy = 0;
    widget.get_window()->get_origin(ox, oy);
    const auto a = widget.get_allocation();
    if (!widget.get_has_window()) {
      ox += a.get_x();
      oy += a.get_y();
    }
    auto seat = widget.get_display()->get_default_seat();
    seat->get_pointer()->warp(widget.get_screen(), ox + x, oy + y);
  }

  engine::FakeBrowser& Browser(int slot) {
    return *static_cast<engine::FakeBrowser*>(form->tab[std::size_t(slot)].browser.get());
  }
  engine::FakeBrowser& Current() { return Browser(form->table.CurrentTab()); }
  std::string Settings(const std::string& name) const { return data / ("Lumivale/" + name); }

  TempFolder data;
  TempFolder program;
  ScriptedDialogs dialogs;
  std::unique_ptr<app::TMainForm> form;
  std::unique_ptr<library::Tfhistory> history;
  std::vector<engine::FakeBrowser*> browsers;
  std::vector<std::string> probed;
  bool reachable = true;
  bool completeOnNavigate = true;
  int programEnds = 0;
  navigation::EngineTable engines = navigation::DefaultEngines();
};

}  // namespace testing_support
