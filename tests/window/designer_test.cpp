// The HTML designer with a scripted engine: opening, the editing flag, the
// commands of its toolbars and its questions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "designer/Tfdesigner.h"
#include "engine/FakeBrowser.h"
#include "support/MainFormFixture.h"
#include "support/ScriptedDialogs.h"
#include "ui/ProcessMessages.h"

namespace {

using testing_support::ScriptedDialogs;

class Designer : public ::testing::Test {
 protected:
  Designer() {
    designer::Tfdesigner::Callbacks c;
    c.newBrowser = [this]() -> std::unique_ptr<engine::Browser> {
      auto b = std::make_unique<engine::FakeBrowser>();
      b->body = "<p>page</p>";
      browser = b.get();
      return b;
    };
    c.userAgent = [this] { return agent; };
    c.save = [this](engine::Browser& b) { saved.push_back(&b); };
    c.print = [this](engine::Browser& b) { printed.push_back(&b); };
    c.fontFamilies = [] { return std::vector<std::string>{"Sans", "Serif", "Sans", "Monospace"}; };
    window = std::make_unique<designer::Tfdesigner>(c);
  }
  ~Designer() override {
    window.reset();
    ui::ProcessMessages();
  }

  // Opens `address` answering "Start Editing ?" with `answer`; `user` runs
  // while the window is open. The window stays open afterwards.
  void OpenAnd(const std::string& address, ui::Answer answer, const std::function<void()>& user = {}) {
    dialogs.answers.push_back(answer);
    dialogs.whileModal = [&](Gtk::Window& w) {
      w.show();
      if (user) user();
    };
    window->Open(address);
  }
  void Click(const char* name) {
    Gtk::ToolButton* button = window->Button(name);
    ASSERT_NE(button, nullptr) << name;
    g_signal_emit_by_name(button->gobj(), "clicked");
  }

  ScriptedDialogs dialogs;
  std::unique_ptr<designer::Tfdesigner> window;
  engine::FakeBrowser* browser = nullptr;
  std::string agent = "Agent/1";
  std::vector<engine::Browser*> saved, printed;
};

TEST_F(Designer, OpeningLoadsThePageAndAsksWhetherToStartEditing) {
  OpenAnd("http://example.com/page", ui::Answer::Yes);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(browser->navigations, std::vector<std::string>{"http://example.com/page"});
  EXPECT_EQ(window->get_title(), "Lumivale Designer http://example.com/page");
  EXPECT_EQ(dialogs.modalRuns, 1);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Start Editing ?");
  EXPECT_EQ(dialogs.shown[0].caption, "Lumivale Designer");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Question);
  EXPECT_EQ(dialogs.beeps, std::vector<ui::Beep>{ui::Beep::Question});
  EXPECT_TRUE(window->editing());
  EXPECT_TRUE(browser->designMode);
  EXPECT_EQ(browser->userAgent, "Agent/1");
  // The size list starts at its first item; the fonts are listed each once.
  EXPECT_EQ(window->csize.get_active_text(), "1");
  EXPECT_EQ(window->FontCombo.get_active_text(), "Sans");

  // Opened again: the agent of now, the fonts still once each, not
  // editing until the answer says so.
  window->hide();
  agent = "Agent/2";
  OpenAnd("http://example.com/other", ui::Answer::No);
  EXPECT_EQ(browser->userAgent, "Agent/2");
  EXPECT_FALSE(window->editing());
  auto model = window->FontCombo.get_model();
  EXPECT_EQ(model->children().size(), 3u);
}

TEST_F(Designer, OutsideEditingModeTheCommandsDoNothingUntilEdit) {
  OpenAnd("http://example.com/", ui::Answer::No);
  browser->designMode = true;  // whatever the document says, the flag rules
  Click("ToolButton47");       // Bold
  window->csize.set_active(12);
  dialogs.colorAnswer = 0x0000ffu;
  Click("ToolButton8");
  EXPECT_TRUE(browser->commands.empty());
  EXPECT_EQ(dialogs.colorDialogs, 0);

  // Save As and Print work in both modes.
  Click("ToolButton1");
  Click("ToolButton11");
  EXPECT_EQ(saved, std::vector<engine::Browser*>{browser});
  EXPECT_EQ(printed, std::vector<engine::Browser*>{browser});

  browser->designMode = false;
  Click("ToolButton3");  // Edit
  EXPECT_TRUE(window->editing());
  EXPECT_TRUE(browser->designMode);
  Click("ToolButton47");
  window->csize.set_active(13);  // 26
  Click("ToolButton8");          // red text
  Click("ToolButton22");         // a checkbox
  ASSERT_EQ(browser->commands.size(), 4u);
  EXPECT_EQ(browser->commands[0].name, "bold");
  EXPECT_EQ(browser->commands[1].name, "Fontsize");
  EXPECT_EQ(browser->commands[1].value, "26");
  EXPECT_EQ(browser->commands[2].name, "forecolor");
  EXPECT_EQ(browser->commands[2].value, "#ff0000");
  EXPECT_EQ(browser->commands[3].name, "InsertHTML");
  EXPECT_EQ(browser->commands[3].value, "<input type=\"checkbox\">");

  Click("ToolButton5");  // Preview
  EXPECT_FALSE(window->editing());
  EXPECT_FALSE(browser->designMode);
}

TEST_F(Designer, CancelledDialogsAndRefusedCommandsChangeNothing) {
  OpenAnd("http://example.com/", ui::Answer::Yes);
  // Cancelled colour and link address.
  Click("ToolButton9");
  Click("ToolButton7");
  EXPECT_EQ(dialogs.colorDialogs, 1);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_TRUE(browser->commands.empty());
  dialogs.textAnswer = "http://example.org/";
  Click("ToolButton7");
  ASSERT_EQ(browser->commands.size(), 1u);
  EXPECT_EQ(browser->commands[0].name, "CreateLink");
  EXPECT_EQ(browser->commands[0].value, "http://example.org/");

  // A command the engine refuses is told.
  dialogs.shown.clear();
  browser->refusedCommands = {"Paste"};
  Click("ToolButton15");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "Lumivale Designer");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Error);
  EXPECT_NE(dialogs.shown[0].text.find("Paste"), std::string::npos);
  EXPECT_TRUE(window->get_visible());
}

TEST_F(Designer, EditWhileThePageLoadsTakesEffectWhenItHasLoaded) {
  OpenAnd("http://example.com/", ui::Answer::No);
  browser->state = engine::ReadyState::Loading;
  Click("ToolButton3");
  EXPECT_TRUE(window->editing());
  EXPECT_FALSE(browser->designMode);
  browser->FinishLoad("http://example.com/", "Page");
  EXPECT_TRUE(browser->designMode);

  // New: an empty page outside design mode; the flag stays.
  browser->designMode = false;
  Click("ToolButton43");
  EXPECT_EQ(browser->navigations.back(), "about:blank ");
  browser->FinishLoad("about:blank", "");
  EXPECT_TRUE(window->editing());
  EXPECT_FALSE(browser->designMode);
}

TEST_F(Designer, ClosingAsksAndNoKeepsTheWindowAndItsPage) {
  OpenAnd("http://example.com/", ui::Answer::Yes);
  dialogs.shown.clear();
  dialogs.beeps.clear();
  dialogs.answers = {ui::Answer::No};
  Click("ToolButton4");  // Exit
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Close designer ?");
  EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Question);
  EXPECT_EQ(dialogs.beeps, std::vector<ui::Beep>{ui::Beep::Question});
  EXPECT_TRUE(window->get_visible());
  EXPECT_TRUE(window->editing());

  // The title bar's close box asks the same.
  dialogs.answers = {ui::Answer::Yes};
  GdkEvent* event = gdk_event_new(GDK_DELETE);
  event->any.window = GDK_WINDOW(g_object_ref(window->get_window()->gobj()));
  gtk_main_do_event(event);
  gdk_event_free(event);
  EXPECT_FALSE(window->get_visible());
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

class DesignerFromTheMainWindow : public testing_support::MainFormTest {};

TEST_F(DesignerFromTheMainWindow, EditorOpensTheAddressBarsPageAndSavesThroughThePageCommands) {
  Start();
  designer::Tfdesigner designerWindow(form->DesignerCallbacks());
  app::forms().fdesigner = &designerWindow;
  form->UserAgent = "Current/1";
  form->eurl.set_text("http://example.com/edit");
  dialogs.answers = {ui::Answer::No};
  dialogs.saveAnswer = ui::SaveChoice{"/tmp/edited.html", 0};
  dialogs.whileModal = [&](Gtk::Window& w) {
    w.show();
    g_signal_emit_by_name(designerWindow.Button("ToolButton1")->gobj(), "clicked");  // Save As, in viewing mode
    w.hide();
  };
  form->Editor1.activate();
  auto* page = static_cast<engine::FakeBrowser*>(designerWindow.wbrisi());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->navigations, std::vector<std::string>{"http://example.com/edit"});
  EXPECT_EQ(page->userAgent, "Current/1");
  EXPECT_EQ(designerWindow.get_title(), "Lumivale Designer http://example.com/edit");
  ASSERT_EQ(page->saves.size(), 1u);
  EXPECT_EQ(page->saves[0].path, "/tmp/edited.html");
  app::forms().fdesigner = nullptr;
}

}  // namespace
