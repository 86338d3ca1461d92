#pragma once
// The one seam through which the program talks to the user in dialogs:
// message boxes, Yes/No questions, beeps and modal windows. The product
// shows GTK dialogs; tests install a scripted implementation.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Gtk {
class Window;
}

namespace ui {

enum class Icon { None, Error, Warning, Information, Question, Stop };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };
enum class Beep { Question, Default };

struct Message {
  std::string text;
  std::string caption;
  Icon icon = Icon::None;
  Buttons buttons = Buttons::Ok;
  bool noIsDefault = false;  // a Yes/No box whose default button is No
};

// A colour as the program stores it, 0x00BBGGRR.
using StoredColor = std::uint32_t;
// One entry of a file dialog's list of filters.
struct FileType {
  std::string name;
  std::vector<std::string> patterns;  // "*.htm", "*.*", ...
};

// What the user chose in a save dialog.
struct SaveChoice {
  std::string path;
  int filter = 0;  // the index of the filter chosen
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box owned by `owner` (may be null) and answers
  // the button the user chose.
  virtual Answer Show(const Message& message, Gtk::Window* owner) = 0;
  virtual void Sound(Beep beep) = 0;
  // Runs `window` modally until it hides itself.
  virtual void RunModal(Gtk::Window& window) = 0;
  // The colour dialog with `initial` preselected and the user's sixteen
  // custom colours offered beside it; the chosen colour, or nothing
  // when the user cancelled.
  virtual std::optional<StoredColor> ChooseColor(StoredColor initial, const std::array<StoredColor, 16>& custom,
                                                 Gtk::Window* owner) = 0;
  // An open dialog: the full path of the file chosen, nothing when the
  // user cancelled.
  virtual std::optional<std::string> OpenFile(const std::string& title, const std::vector<FileType>& types,
                                              Gtk::Window* owner) {
    (void)title, (void)types, (void)owner;
    return std::nullopt;
  }
  // A save dialog proposing `suggestedName`, showing `folder` when one is
  // given (else the dialog's own choice); it asks before a file is
  // replaced. Nothing when the user cancelled.
  virtual std::optional<SaveChoice> SaveFile(const std::string& title, const std::string& suggestedName,
                                             const std::vector<FileType>& types, Gtk::Window* owner,
                                             const std::string& folder = {}) {
    (void)title, (void)suggestedName, (void)types, (void)owner, (void)folder;
    return std::nullopt;
  }
  // A colour dialog starting at `initial`; the colour chosen with red in
  // the lowest byte, then green, then blue. Nothing when cancelled.
  virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t initial, Gtk::Window* owner) {
    (void)initial, (void)owner;
    return std::nullopt;
  }
  // Asks for one line of text, proposing `initial`. Nothing when
  // cancelled.
  virtual std::optional<std::string> AskText(const std::string& prompt, const std::string& caption,
                                             const std::string& initial, Gtk::Window* owner) {
    (void)prompt, (void)caption, (void)initial, (void)owner;
    return std::nullopt;
  }
};

// The dialogs in use. Never null: the product installs its GTK dialogs at
// start, tests install scripted ones.
Dialogs& dialogs();
// Installs `d` (not owned) and returns the one it replaces.
Dialogs* SetDialogs(Dialogs* d);

// A Yes/No question the way the program asks it everywhere: the question
// beep first, then the box with the stop icon. True when the answer is Yes.
// With `noIsDefault`, Enter answers No.
bool AskYesNo(const std::string& text, const std::string& caption, Gtk::Window* owner = nullptr,
              bool noIsDefault = false);

// A plain message box with the OK button.
void ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                 Gtk::Window* owner = nullptr);

}  // namespace ui
