#pragma once
// The options dialog: the quick-search engine, the pop-up blocker,
// thumbnail zoom, breaking news, the user-agent strings, the home page and
// the colour scheme of the main window.
//
// The engine and the scheme take effect the moment their radio button is
// clicked; the check boxes and the user-agent list only when the dialog
// closes with OK.

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/frame.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/notebook.h>
#include <gtkmm/radiobutton.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "controls/Panel.h"
#include "options/ColorSchemes.h"
#include "options/OptionsDialogs.h"
#include "settings/ColorState.h"

namespace engine {
class Browser;
}

namespace options {

class Tfoptions : public ModalDialog {
 public:
  struct Callbacks {
    // The quick-search engine: 0 Google, 1 Bing, 2 Yahoo, 3 Wikipedia.
    std::function<int()> engineIndex;
    std::function<void(int)> setEngineIndex;
    // The quick-search button's hint follows the engine.
    std::function<void(int)> setQuickHint;
    std::function<bool()> popupsAllowed;
    std::function<void(bool)> setPopupsAllowed;
    std::function<bool()> thumbZoom;
    std::function<void(bool)> setThumbZoom;
    std::function<bool()> breakingNews;
    std::function<void(bool)> setBreakingNews;
    // Paints the main window's top area.
    std::function<void(const Look&)> paint;
    // Paints the current tab's item in the current-tab colour.
    std::function<void()> paintCurrentTab;
    // The scheme number or the custom colour changed (kept for the close).
    std::function<void(int scheme, controls::Rgb custom)> schemeChanged;
    // The main window's colour dialog.
    std::function<settings::ColorDialogState&()> colorDialog;
    std::function<engine::Browser*()> currentBrowser;
    // The program's own user agent, and making a text the current one for
    // the current browser and every browser made later.
    std::function<std::string()> defaultUserAgent;
    std::function<void(const std::string&)> setCurrentUserAgent;
    // Opens a folder in the desktop's file manager.
    std::function<void(const std::string&)> openFolder;
  };

  // `settingsFolder` ends in "/".
  Tfoptions(std::string settingsFolder, Callbacks callbacks);
  void Attach(Tfaddstring& addString, Tfhomepage& homePage);

  // At start-up: the swatch takes `custom`, scheme `scheme` is applied
  // (nothing for a number outside 1 to 13) and the user-agent list is read
  // from "uas.cfg" when that file exists.
  void FormCreate(int scheme, controls::Rgb custom);

  // The "Options" command: shows the dialog modally, then re-applies the
  // current scheme whatever the button.
  void Open();
  // Each showing: the first page, the cancel flag set, the controls filled
  // from the program's values.
  void FormShow();
  void BitBtn1Click();  // OK
  void BitBtn2Click();  // Cancel
  // Takes the edits over unless the dialog was cancelled.
  void FormCloseQuery();

  // Re-applies the current scheme number (1 to 13; others do nothing).
  void ponastavi();
  // The refresh every scheme ends with.
  void osvezi();
  // The scheme radio buttons 1 to 12, and the custom colour 13.
  void SchemeClick(int scheme);
  void r13Click();
  // "select": the colour dialog for the swatch.
  void SpeedButton2Click();

  void sbhomepageClick();
  void sbcfgfolderClick();
  void sbsetClick();
  void sbset2Click();
  void SpeedButton4Click();  // add
  void sbeditClick();
  void sbminusClick();

  int colsheme() const { return scheme_; }
  const Look& look() const { return look_; }
  // The list of optional user agents, in its order.
  const std::vector<std::string>& agents() const { return agents_; }
  // True until OK closes the dialog.
  bool Cancelled = true;

  Gtk::Box content{Gtk::ORIENTATION_VERTICAL};
  Gtk::Notebook pagecont;
  // General
  controls::Panel general;
  Gtk::Frame webSearch{" Web search "};
  Gtk::Box webSearchBox{Gtk::ORIENTATION_VERTICAL};
  Gtk::RadioButton brg1{"Google"}, brg2{"Bing"}, brg3{"Yahoo"}, brg4{"Wikipedia"};
  Gtk::Button sbhomepage{"Home Page"};
  Gtk::Button sbcfgfolder{"Configuration files folder"};
  Gtk::CheckButton cb5{"Turn Off Pop-up blocker"};
  Gtk::CheckButton cbthumbzoom{"Thumbnail Zoom"};
  Gtk::CheckButton cbbreak{"Enable breaking news"};
  // User Agent
  controls::Panel agentPage;
  Gtk::Label Label4{"The user agent is what the browser sends to visited servers to identify itself"};
  Gtk::Label Label3{"Lumivale default user agent string"};
  Gtk::Entry e_ua;
  Gtk::Button sbset{"Set default "};
  Gtk::Label Label2{"Optional user agent string"};
  Gtk::ComboBoxText cbx;
  Gtk::Button sbset2{"Set default "};
  Gtk::Button SpeedButton1{"+"};
  Gtk::Button sbminus{"-"};
  Gtk::Button sbedit{"Edit"};
  Gtk::Label L55{"Current user agent"};
  Gtk::Entry L5;
  // Background Color
  controls::Panel colorPage;
  Gtk::Label chooseLabel{"Choose Background Color"};
  std::array<Gtk::RadioButton, 13> schemeRadio;  // R1 .. R9, r10 .. r13
  std::array<Gtk::Image, 12> schemeImage;         // the tile beside each of R1 .. r12
  controls::Panel b13;
  Gtk::Button SpeedButton2{"select"};
  // Buttons
  Gtk::Box buttons{Gtk::ORIENTATION_HORIZONTAL};
  Gtk::Button BitBtn1{"OK"};
  Gtk::Button BitBtn2{"Cancel"};

 protected:
  bool on_key_press_event(GdkEventKey* key) override;
  bool on_delete_event(GdkEventAny* event) override;

 private:
  void BuildGeneral();
  void BuildAgentPage();
  void BuildColorPage();
  void ShowAgents();
  void SelectFirst();
  // The selected item of the list, or -1.
  int Selected() const;
  void LoadAgentFile();
  void MakeCurrent(const std::string& agent);
  void EngineClick(int index);
  void TickScheme(int scheme);
  void Close();

  std::string settingsFolder_;
  Callbacks callbacks_;
  Tfaddstring* addString_ = nullptr;
  Tfhomepage* homePage_ = nullptr;
  Look look_;
  int scheme_ = 0;
  std::vector<std::string> agents_;
  bool quiet_ = false;  // the program, not the user, is setting a control
};

}  // namespace options
