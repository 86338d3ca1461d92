#pragma once
// The HTML designer: a page in a browser of its own, edited in place in
// the engine's design mode with the engine's editing commands. It keeps no
// document of its own; saving and printing are the page commands'.

#include <gtkmm.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "designer/DesignerCommands.h"
#include "engine/Browser.h"
#include "engine/BrowserFactory.h"

namespace designer {

class Tfdesigner : public Gtk::Window {
 public:
  struct Callbacks {
    engine::BrowserFactory newBrowser;
    // The user agent current now.
    std::function<std::string()> userAgent;
    // The page commands' save and print, on the designer's browser.
    std::function<void(engine::Browser&)> save;
    std::function<void(engine::Browser&)> print;
    // The font families the system lists; empty: Pango's.
    std::function<std::vector<std::string>()> fontFamilies;
  };

  explicit Tfdesigner(Callbacks callbacks);
  ~Tfdesigner() override;

  // Opens `address` in the designer and shows it modally.
  void Open(const std::string& address);
  // Each time the window is shown.
  void FormActivate();
  // True when the window may close: "Close designer ?" answered Yes.
  bool FormCloseQuery();

  // The editing command `command`, only while editing; a command the
  // engine refuses is told and changes nothing.
  void akcija(const std::string& command);
  void NewClick();
  void SaveAsClick();
  void EditClick();
  void PreviewClick();
  void PrintClick();
  void ExitClick();
  void ToolButton8Click();  // text colour
  void ToolButton9Click();  // background colour
  void FontComboChange();
  void csizeChange();

  bool editing() const { return editing_; }
  engine::Browser* wbrisi() const { return wbrisi_.get(); }
  // The toolbar button named `name`; null when there is none.
  Gtk::ToolButton* Button(const std::string& name);

  Gtk::Box layout{Gtk::ORIENTATION_VERTICAL};
  Gtk::Toolbar ToolBar1;
  Gtk::Toolbar ToolBar2;
  Gtk::ComboBoxText FontCombo;
  Gtk::ComboBoxText csize;

 private:
  void Build();
  void AddButtons(Gtk::Toolbar& bar, const std::vector<ToolButtonRow>& rows);
  void Run(const ToolButtonRow& row);
  void ColorCommand(const std::string& command);
  void Refused(const std::string& command);
  void FillFonts();
  bool on_delete_event(GdkEventAny* event) override;
  void on_show() override;

  Callbacks callbacks_;
  std::unique_ptr<engine::Browser> wbrisi_;
  bool built_ = false;
  bool editing_ = false;
  // Design mode waits for the document being loaded.
  bool designPending_ = false;
  bool filling_ = false;  // the lists are being filled: no commands
  std::uint32_t lastColor_ = 0;
  std::vector<std::unique_ptr<Gtk::ToolItem>> items_;
  std::vector<std::pair<std::string, Gtk::ToolButton*>> buttons_;
  Gtk::ToolItem fontItem_, sizeItem_;
};

}  // namespace designer
