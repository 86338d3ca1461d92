#pragma once
// The search assistant: a panel at the left of the main window in which the
// user types search words, picks options and one engine (Google, Bing or
// Wikipedia); Search opens the composed advanced search in a new tab. Its
// lists are filled the first time the panel shows.

#include <gtkmm.h>

#include <functional>
#include <string>

#include "navigation/AdvancedSearch.h"

namespace navigation {

class SearchAssistant : public Gtk::Box {
 public:
  struct Callbacks {
    // Opens `address` in a new tab; `refreshOnce` asks for the one-shot
    // refresh when the page has completed.
    std::function<void(const std::string& address, bool refreshOnce)> openInNewTab;
    // The panel hid itself and the window should lay itself out again.
    std::function<void()> relayout;
  };

  static constexpr int kWidth = 249;

  explicit SearchAssistant(Callbacks callbacks);

  // Fills the lists and lays the panel out, once.
  void Build();
  bool built() const { return built_; }

  void sbgoClick();
  bool surlKeyPress(GdkEventKey* key);
  void cb1Change();
  void cb2Change();
  void cb3Change();
  void cb5Change();
  void bc1Click();
  void bc2Click();
  void bc3Click();
  void Label13Click();
  void Label14Click();
  void Label15Click();
  void XiButton4Click();  // Reset
  void XiButton1Click();  // close
  void XiButton2Click();  // "Close"
  void XiButton5Click();  // close, without a new layout
  void Image4Click();
  void Image5Click();

  // Shows the panel with the focus in the words field, or hides it.
  void Toggle();

  const SearchFragments& fragments() const { return fragments_; }
  SearchHosts hosts;

  Gtk::Entry surl;
  Gtk::Button XiButton3{"Search"};
  Gtk::ComboBoxText cb1, cb3, cb2, cb5;
  Gtk::Entry eexact, eexclude, edomain;
  Gtk::CheckButton bc1, bc2, bc3;
  Gtk::Label Label13{"Google"}, Label14{"Bing"}, Label15{"Wikipedia"};
  Gtk::Button XiButton4{"Reset"}, XiButton2{"Close"}, XiButton1, XiButton5;
  Gtk::EventBox Image4, Image5;

 protected:
  void on_show() override;
  // As wide as designed, whatever its lists' longest items would like.
  void get_preferred_width_vfunc(int& minimum, int& natural) const override;
  void get_preferred_width_for_height_vfunc(int height, int& minimum, int& natural) const override;

 private:
  void Tick(Gtk::CheckButton& chosen, bool tickIt);
  void Hide(bool relayout);

  // The fields scroll when the window is lower than they are: the panel
  // never makes the window taller.
  Gtk::ScrolledWindow scroller_;
  Gtk::Box content_{Gtk::ORIENTATION_VERTICAL, 1};
  Callbacks callbacks_;
  SearchFragments fragments_;
  bool built_ = false;
  bool ticking_ = false;    // the engine boxes are being set, not clicked
  bool resetting_ = false;  // Reset sets the lists without their change rules
};

}  // namespace navigation
