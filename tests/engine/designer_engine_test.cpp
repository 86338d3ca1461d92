// The HTML designer on the real engine: what its commands do to the
// document.
#include <gtest/gtest.h>

#include <string>

#include "designer/Tfdesigner.h"
#include "engine/EngineFixture.h"
#include "support/ScriptedDialogs.h"

namespace {

class DesignerEngine : public ::testing::Test {
 protected:
  DesignerEngine() {
    server.AddPage("/doc", "<!DOCTYPE html><html><head><title>Doc</title></head>"
                           "<body><p id='p'>Plain words</p></body></html>");
    designer::Tfdesigner::Callbacks c;
    c.newBrowser = [] { return engine::CreateWebKitBrowser(); };
    window = std::make_unique<designer::Tfdesigner>(c);
  }
  ~DesignerEngine() override {
    window.reset();
    ui::ProcessMessages();
  }

  engine::Browser& Page() { return *window->wbrisi(); }
  std::string Body() { return Page().BodyInnerHTML().value_or(""); }
  bool SelectParagraph() {
    return Page().RunScript("getSelection().selectAllChildren(document.getElementById('p')); 1").has_value();
  }
  void Click(const char* name) { g_signal_emit_by_name(window->Button(name)->gobj(), "clicked"); }

  testing_support::FixtureServer server;
  testing_support::ScriptedDialogs dialogs;
  std::unique_ptr<designer::Tfdesigner> window;
};

TEST_F(DesignerEngine, TheToolbarsCommandsEditTheDocumentOnlyInEditingMode) {
  dialogs.answers = {ui::Answer::No};
  dialogs.whileModal = [&](Gtk::Window& w) {
    w.show();
    ASSERT_TRUE(ui::WaitUntil([&] { return Page().IsComplete() && Page().Title() == "Doc"; }, 20000));
    // Not editing: Bold does nothing.
    ASSERT_TRUE(SelectParagraph());
    Click("ToolButton47");
    EXPECT_EQ(Body().find("<b>"), std::string::npos) << Body();
    EXPECT_TRUE(dialogs.shown.size() == 1u);  // only "Start Editing ?"

    Click("ToolButton3");  // Edit
    ASSERT_TRUE(Page().DesignMode());
    ASSERT_TRUE(SelectParagraph());
    Click("ToolButton47");   // Bold
    window->csize.set_active(13);  // 26
    ASSERT_TRUE(Page().RunScript("getSelection().collapseToEnd(); 1"));
    Click("ToolButton22");  // Input Checkbox
    const std::string body = Body();
    EXPECT_EQ(Page().RunScript("document.querySelector('#p b').textContent"), "Plain words") << body;
    EXPECT_EQ(Page().RunScript("document.querySelectorAll('input[type=checkbox]').length"), "1") << body;
    // The engine takes 26 as the largest of its seven sizes.
    EXPECT_NE(body.find("size=\"7\""), std::string::npos) << body;
    EXPECT_EQ(dialogs.shown.size(), 1u) << dialogs.shown.back().text;
    w.hide();
  };
  window->Open(server.Url("/doc"));
}

}  // namespace
