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
    // A copy: the hook may run another modal window, or replace itself.
    if (auto hook = whileModal) hook(window);
  }

  std::optional<ui::StoredColor> ChooseColor(ui::StoredColor initial, const std::array<ui::StoredColor, 16>&,
                                             Gtk::Window*) override {
    colorRequests.push_back(initial);
    return colorAnswer;
  }

  std::optional<std::string> OpenFile(const std::string& title, const std::vector<ui::FileType>& types,
                                      Gtk::Window*) override {
    fileDialogs.push_back({title, types, {}, {}});
    return openAnswer;
  }
  std::optional<ui::SaveChoice> SaveFile(const std::string& title, const std::string& suggestedName,
                                         const std::vector<ui::FileType>& types, Gtk::Window*,
                                         const std::string& folder = {}) override {
    fileDialogs.push_back({title, types, suggestedName, folder});
    if (chooseSave) return chooseSave(fileDialogs.back());
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
  // Runs while `window` is modal, as the user acting in it would; the
  // window closes itself (or stays, as a real one would until closed).
  std::function<void(Gtk::Window& window)> whileModal;
  std::deque<ui::Answer> answers;
  std::vector<ui::Message> shown;
  std::vector<ui::Beep> beeps;
  int modalRuns = 0;
  // What the colour dialogs answer (nothing: the user cancels), the
  // colours the options dialog's was opened with, and how many the
  // designer opened.
  std::optional<ui::StoredColor> colorAnswer;
  std::vector<ui::StoredColor> colorRequests;
  int colorDialogs = 0;
  // The file dialogs shown, and what the user picks in them (nothing:
  // Cancel).
  struct FileDialog {
    std::string title;
    std::vector<ui::FileType> types;
    std::string suggestedName;
    std::string folder;  // the folder a save dialog starts in; empty: its own choice
  };
  std::vector<FileDialog> fileDialogs;
  std::optional<std::string> openAnswer;
  // What save dialogs answer: `chooseSave`'s answer to the dialog when it
  // is set, else `saveAnswer`.
  std::function<std::optional<ui::SaveChoice>(const FileDialog&)> chooseSave;
  std::optional<ui::SaveChoice> saveAnswer;
  // Text questions, and their answer (nothing: Cancel).
  std::vector<std::string> asked;
  std::optional<std::string> textAnswer;

 private:
  ui::Dialogs* previous_ = nullptr;
};

}  // namespace testing_support
