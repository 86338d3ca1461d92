#include "ui/Dialogs.h"

namespace ui {
namespace {

// Until something is installed, answer No to every question and show
// nothing, so logic used without a window never blocks.
class SilentDialogs final : public Dialogs {
 public:
  Answer Show(const Message& m, Gtk::Window*) override {
    return m.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  void Sound(Beep) override {}
  void RunModal(Gtk::Window&) override {}
  std::optional<StoredColor> ChooseColor(StoredColor, const std::array<StoredColor, 16>&, Gtk::Window*) override {
    return std::nullopt;
  }
};

SilentDialogs silent;
Dialogs* current = &silent;

}  // namespace

Dialogs& dialogs() { return *current; }

Dialogs* SetDialogs(Dialogs* d) {
  Dialogs* old = current;
  current = d ? d : &silent;
  return old;
}

bool AskYesNo(const std::string& text, const std::string& caption, Gtk::Window* owner, bool noIsDefault) {
  dialogs().Sound(Beep::Question);
  return dialogs().Show({text, caption, Icon::Stop, Buttons::YesNo, noIsDefault}, owner) == Answer::Yes;
}

void ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                 Gtk::Window* owner) {
  dialogs().Show({text, caption, icon, Buttons::Ok}, owner);
}

}  // namespace ui
