// How the designer's commands reach the engine.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "designer/DesignerCommands.h"

namespace {

using designer::ActionFor;
using designer::ButtonKind;
using Kind = designer::EngineAction::Kind;

TEST(DesignerCommands, EachToolbarCommandHasAWayToTheEngine) {
  struct Case {
    const char* command;
    Kind kind;
    const char* name;
    const char* value;
  } cases[] = {
      // The engine's own commands keep the designer's spelling.
      {"bold", Kind::Command, "bold", ""},
      {"Justifyright", Kind::Command, "Justifyright", ""},
      {"InsertHorizontalRule", Kind::Command, "InsertHorizontalRule", ""},
      {"InsertOrderedList", Kind::Command, "InsertOrderedList", ""},
      // What the engine has no command for is inserted as markup.
      {"InsertInputCheckbox", Kind::InsertHtml, "InsertHTML", "<input type=\"checkbox\">"},
      {"InsertTextArea", Kind::InsertHtml, "InsertHTML", "<textarea></textarea>"},
      {"InsertIFrame", Kind::InsertHtml, "InsertHTML", "<iframe src=\"about:blank\"></iframe>"},
      {"InsertSelectListbox", Kind::InsertHtml, "InsertHTML",
       "<select size=\"4\" multiple><option>Option</option></select>"},
      // A link and a picture ask for their address first.
      {"createlink", Kind::AskAddress, "CreateLink", ""},
      {"InsertImage", Kind::AskAddress, "InsertImage", ""},
      {"refresh", Kind::Reload, "", ""},
  };
  for (const Case& c : cases) {
    const auto action = ActionFor(c.command);
    EXPECT_EQ(action.kind, c.kind) << c.command;
    EXPECT_EQ(action.name, c.name) << c.command;
    EXPECT_EQ(action.value, c.value) << c.command;
  }

  // Every insertion of the second toolbar is either the engine's command or
  // markup that the engine's InsertHTML takes; none is left to fail.
  for (const auto& button : designer::ToolBar2Buttons()) {
    if (button.kind != ButtonKind::Command) continue;
    const auto action = ActionFor(button.command);
    if (action.kind == Kind::InsertHtml) EXPECT_EQ(action.value.front(), '<') << button.command;
  }
}

TEST(DesignerCommands, TheToolbarsHoldTheirButtonsInOrderWithTheirHints) {
  const auto& one = designer::ToolBar1Buttons();
  ASSERT_EQ(one.size(), 27u);
  EXPECT_STREQ(one[1].hint, "New");
  EXPECT_STREQ(one[9].hint, "Tex Background Color");
  EXPECT_STREQ(one[9].command, "BackColor");
  EXPECT_EQ(one[3].kind, ButtonKind::Hidden);
  EXPECT_STREQ(one.back().hint, "Exit");
  const auto& two = designer::ToolBar2Buttons();
  ASSERT_EQ(two.size(), 19u);
  EXPECT_STREQ(two[1].command, "InsertImage");
  EXPECT_STREQ(two.back().hint, "Text Area");
  std::set<std::string> names;
  for (const auto* bar : {&one, &two})
    for (const auto& b : *bar) EXPECT_TRUE(names.insert(b.name).second) << b.name;
}

TEST(DesignerCommands, ColoursFontsAndSizes) {
  // Red in the lowest byte, blue in the third.
  EXPECT_EQ(designer::CssColor(0x000000ff), "#ff0000");
  EXPECT_EQ(designer::CssColor(0x00ff8000), "#0080ff");
  EXPECT_EQ(designer::CssColor(0x00000000), "#000000");
  EXPECT_EQ(designer::EachOnce({"Sans", "Serif", "Sans", "Mono", "Serif"}),
            (std::vector<std::string>{"Sans", "Serif", "Mono"}));
  const auto& sizes = designer::FontSizes();
  ASSERT_EQ(sizes.size(), 20u);
  EXPECT_EQ(sizes.front(), "1");
  EXPECT_EQ(sizes[13], "26");
  EXPECT_EQ(sizes.back(), "90");
}

}  // namespace
