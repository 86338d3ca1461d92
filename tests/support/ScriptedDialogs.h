#pragma once
// Dialogs for tests: records every message, beep and modal window and
// answers questions from a script (No when the script runs out). A test
// can run code while a message is open, as the modal loop of a real
// message box lets events run, and act as the user of a modal window.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Dialogs.h"

namespace testing_support {

class ScriptedDialogs final : public ui::Dialogs {
 public:
  ScriptedDialogs() { previous_ = ui::SetDialogs(this); }
  ~ScriptedDialogs() override { ui::SetDialogs(previous_); }

  ui::Answer Show(const ui::Message& m, Gtk::Window*) override {
    shown.push_back(m);
    if (whileShown) whileShown(m);
    if (m.buttons != ui::Buttons::YesNo) return ui::Answer::Ok;
    if (answers.empty()) return ui::Answer::No;
    ui::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void Sound(ui::Beep b) override { beeps.push_back(b); }
  void RunModal(Gtk::Window& window) override {
    ++modalRuns;
    if (whileModal) whileModal(window);
  }

  std::optional<std::string> OpenFile(const std::string& title, const std::vector<ui::FileType>& types,
                                      Gtk::Window*) override {
    fileDialogs.push_back({title, types, {}});
    return openAnswer;
  }
  std::optional<ui::SaveChoice> SaveFile(const std::string& title, const std::string& suggestedName,
                                         const std::vector<ui::FileType>& types, Gtk::Window*) override {
    fileDialogs.push_back({title, types, suggestedName});
    return saveAnswer;
  }

  std::optional<std::uint32_t> ChooseColor(std::uint32_t, Gtk::Window*) override {
    ++colorDialogs;
    return colorAnswer;
  }
  std::optional<std::string> AskText(const std::string& prompt, const std::string&, const std::string&,
                                     Gtk::Window*) override {
    asked.push_back(prompt);
    return textAnswer;
  }

  // Runs while a message is open, as events the modal loop lets through.
  std::function<void(const ui::Message&)> whileShown;
  // Runs while a window is modal: what the user does in it, closing it
  // included.
  std::function<void(Gtk::Window&)> whileModal;
  std::deque<ui::Answer> answers;
  std::vector<ui::Message> shown;
  std::vector<ui::Beep> beeps;
  int modalRuns = 0;
  // The file dialogs shown, and what the user picks in them (nothing:
  // Cancel).
  struct FileDialog {
    std::string title;
    std::vector<ui::FileType> types;
    std::string suggestedName;
  };
  std::vector<FileDialog> fileDialogs;
  std::optional<std::string> openAnswer;
  std::optional<ui::SaveChoice> saveAnswer;
  // Colour dialogs and text questions, and their answers (nothing: Cancel).
  int colorDialogs = 0;
  std::optional<std::uint32_t> colorAnswer;
  std::vector<std::string> asked;
  std::optional<std::string> textAnswer;

 private:
  ui::Dialogs* previous_ = nullptr;
};

}  // namespace testing_support
