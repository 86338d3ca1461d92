#include "designer/DesignerCommands.h"

#include <cstdio>
#include <set>

namespace designer {

namespace {

using K = ButtonKind;

ToolButtonRow Sep(const char* name) { return {name, "", nullptr, K::Separator, nullptr}; }

}  // namespace

const std::vector<ToolButtonRow>& ToolBar1Buttons() {
  static const std::vector<ToolButtonRow> buttons = {
      Sep("ToolButton2"),
      {"ToolButton43", "New", "document-new", K::New, nullptr},
      {"ToolButton1", "Save As", "document-save-as", K::SaveAs, nullptr},
      {"ToolButton37", "", "document-print-preview", K::Hidden, nullptr},
      {"ToolButton3", "Edit", "document-edit", K::Edit, nullptr},
      {"ToolButton5", "Preview", "document-print-preview", K::Preview, nullptr},
      Sep("ToolButton6"),
      {"ToolButton36", "Refresh", "view-refresh", K::Command, "refresh"},
      {"ToolButton8", "Text Foreground Color", "format-text-color", K::ForeColor, "forecolor"},
      {"ToolButton9", "Tex Background Color", "format-fill-color", K::BackColor, "BackColor"},
      {"ToolButton7", "Create Link", "insert-link", K::Command, "createlink"},
      Sep("ToolButton10"),
      {"ToolButton11", "Print", "document-print", K::Print, nullptr},
      {"ToolButton38", "Select All", "edit-select-all", K::Command, "SelectAll"},
      {"ToolButton12", "Cut", "edit-cut", K::Command, "Cut"},
      {"ToolButton14", "Copy", "edit-copy", K::Command, "Copy"},
      {"ToolButton15", "Paste", "edit-paste", K::Command, "Paste"},
      {"ToolButton16", "Delete", "edit-delete", K::Command, "Delete"},
      Sep("ToolButton13"),
      {"ToolButton40", "Justify Left", "format-justify-left", K::Command, "JustifyLeft"},
      {"ToolButton41", "Justify Center", "format-justify-center", K::Command, "JustifyCenter"},
      {"ToolButton42", "Justify Right", "format-justify-right", K::Command, "Justifyright"},
      Sep("ToolButton46"),
      // The font and size lists stand here.
      {"ToolButton47", "Bold", "format-text-bold", K::Command, "bold"},
      {"ToolButton48", "Italic", "format-text-italic", K::Command, "italic"},
      Sep("ToolButton39"),
      {"ToolButton4", "Exit", "application-exit", K::Exit, nullptr},
  };
  return buttons;
}

const std::vector<ToolButtonRow>& ToolBar2Buttons() {
  static const std::vector<ToolButtonRow> buttons = {
      Sep("ToolButton17"),
      {"ToolButton18", "Image", "insert-image", K::Command, "InsertImage"},
      {"ToolButton19", "Button", nullptr, K::Command, "InsertButton"},
      {"ToolButton20", "Horizontal Rule", nullptr, K::Command, "InsertHorizontalRule"},
      {"ToolButton21", "Frame", nullptr, K::Command, "InsertIFrame"},
      {"ToolButton22", "Input Checkbox", nullptr, K::Command, "InsertInputCheckbox"},
      {"ToolButton23", "Input File Upload", nullptr, K::Command, "InsertInputFileUpload"},
      {"ToolButton24", "Input Image", nullptr, K::Command, "InsertInputImage"},
      {"ToolButton25", "Input Password", nullptr, K::Command, "InsertInputPassword"},
      {"ToolButton26", "Input Radio", nullptr, K::Command, "InsertInputRadio"},
      {"ToolButton27", "Input Reset", nullptr, K::Command, "InsertInputReset"},
      {"ToolButton28", "Input Submit", nullptr, K::Command, "InsertInputSubmit"},
      {"ToolButton29", "Input Text", nullptr, K::Command, "InsertInputText"},
      {"ToolButton30", "Marquee", nullptr, K::Command, "InsertMarquee"},
      {"ToolButton31", "Ordered List", "format-list-ordered", K::Command, "InsertOrderedList"},
      {"ToolButton32", "Paragraph", nullptr, K::Command, "InsertParagraph"},
      {"ToolButton33", "Select Dropdown", nullptr, K::Command, "InsertSelectDropdown"},
      {"ToolButton34", "Select Listbox", nullptr, K::Command, "InsertSelectListbox"},
      {"ToolButton35", "Text Area", nullptr, K::Command, "InsertTextArea"},
  };
  return buttons;
}

EngineAction ActionFor(const std::string& command) {
  using Kind = EngineAction::Kind;
  // Elements the engine has no command of its own for: their markup.
  struct Markup {
    const char* command;
    const char* html;
  };
  static const Markup markups[] = {
      {"InsertButton", "<button type=\"button\">Button</button>"},
      {"InsertIFrame", "<iframe src=\"about:blank\"></iframe>"},
      {"InsertInputCheckbox", "<input type=\"checkbox\">"},
      {"InsertInputFileUpload", "<input type=\"file\">"},
      {"InsertInputImage", "<input type=\"image\" alt=\"Image\">"},
      {"InsertInputPassword", "<input type=\"password\">"},
      {"InsertInputRadio", "<input type=\"radio\">"},
      {"InsertInputReset", "<input type=\"reset\">"},
      {"InsertInputSubmit", "<input type=\"submit\">"},
      {"InsertInputText", "<input type=\"text\">"},
      {"InsertMarquee", "<marquee>Marquee</marquee>"},
      {"InsertSelectDropdown", "<select><option>Option</option></select>"},
      {"InsertSelectListbox", "<select size=\"4\" multiple><option>Option</option></select>"},
      {"InsertTextArea", "<textarea></textarea>"},
  };
  for (const Markup& m : markups)
    if (command == m.command) return {Kind::InsertHtml, "InsertHTML", m.html, {}};
  if (command == "createlink") return {Kind::AskAddress, "CreateLink", {}, "Address of the link:"};
  if (command == "InsertImage") return {Kind::AskAddress, "InsertImage", {}, "Address of the image:"};
  if (command == "refresh") return {Kind::Reload, {}, {}, {}};
  // The engine's own command; it reads the name in any letter case.
  return {Kind::Command, command, {}, {}};
}

const std::vector<std::string>& FontSizes() {
  static const std::vector<std::string> sizes = {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "10", "12",
                                                 "14", "16", "20", "26", "32", "37", "45", "60", "75", "90"};
  return sizes;
}

std::string CssColor(std::uint32_t bgr) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(bgr & 0xff), unsigned((bgr >> 8) & 0xff),
                unsigned((bgr >> 16) & 0xff));
  return text;
}

std::vector<std::string> EachOnce(const std::vector<std::string>& families) {
  std::vector<std::string> once;
  std::set<std::string> seen;
  for (const std::string& family : families)
    if (seen.insert(family).second) once.push_back(family);
  return once;
}

}  // namespace designer
