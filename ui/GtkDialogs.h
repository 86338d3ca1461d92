#pragma once
// The product's dialogs: GTK message boxes, the display's beep and modal
// windows run in a nested main loop.

#include "ui/Dialogs.h"

namespace ui {

class GtkDialogs final : public Dialogs {
 public:
  Answer Show(const Message& message, Gtk::Window* owner) override;
  void Sound(Beep beep) override;
  void RunModal(Gtk::Window& window) override;
  std::optional<StoredColor> ChooseColor(StoredColor initial, const std::array<StoredColor, 16>& custom,
                                         Gtk::Window* owner) override;
  std::optional<std::string> OpenFile(const std::string& title, const std::vector<FileType>& types,
                                      Gtk::Window* owner) override;
  std::optional<SaveChoice> SaveFile(const std::string& title, const std::string& suggestedName,
                                     const std::vector<FileType>& types, Gtk::Window* owner,
                                     const std::string& folder = {}) override;
  std::optional<std::uint32_t> ChooseColor(std::uint32_t initial, Gtk::Window* owner) override;
  std::optional<std::string> AskText(const std::string& prompt, const std::string& caption,
                                     const std::string& initial, Gtk::Window* owner) override;
};

}  // namespace ui
