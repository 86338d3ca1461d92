#pragma once
// The designer's commands and how each is carried out by the engine's
// editing commands: most are the engine's own, the insertion of form
// controls, frames and the like is their markup inserted in place, and a
// link or a picture first asks for its address.

#include <cstdint>
#include <string>
#include <vector>

namespace designer {

// What a toolbar button does.
enum class ButtonKind {
  Separator,
  Hidden,     // shown nowhere, does nothing
  New,        // an empty page
  SaveAs,     // the page commands' save
  Edit,       // design mode on
  Preview,    // design mode off
  Command,    // an editing command (only while editing)
  ForeColor,  // the colour commands (only while editing)
  BackColor,
  Print,      // the page commands' print
  Exit,       // close the window
};

struct ToolButtonRow {
  const char* name;
  const char* hint;     // empty for a separator
  const char* icon;     // an icon of the desktop's theme; null for none
  ButtonKind kind;
  const char* command;  // for Command: the name the designer passes on
};

// The two toolbars, left to right.
const std::vector<ToolButtonRow>& ToolBar1Buttons();
const std::vector<ToolButtonRow>& ToolBar2Buttons();

// How an editing command reaches the engine.
struct EngineAction {
  enum class Kind {
    Command,     // the engine's editing command `name` with `value`
    InsertHtml,  // `value` is markup inserted where the caret is
    AskAddress,  // the engine's command `name` with an address asked first
    Reload,      // the page loaded again
  };
  Kind kind = Kind::Command;
  std::string name;
  std::string value;
  std::string prompt;  // for AskAddress: what the user is asked
};

// The engine action for the designer's command `command`, letter case as
// the toolbar passes it ("Justifyright", "bold").
EngineAction ActionFor(const std::string& command);

// The items of the size list, smallest first.
const std::vector<std::string>& FontSizes();

// A colour in the layout the colour dialog answers (red in the lowest
// byte, then green, then blue) as the engine takes it: "#rrggbb".
std::string CssColor(std::uint32_t bgr);

// `families` with each name once, in their first place.
std::vector<std::string> EachOnce(const std::vector<std::string>& families);

}  // namespace designer
