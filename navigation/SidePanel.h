#pragma once
// The side panel: a second browser docked at the right of the main window,
// with its own small toolbar and a caption bar showing the side page's
// address over its loading progress. Redirect mode sends the tabs'
// navigations here.

#include <gtkmm.h>

#include <functional>
#include <memory>

#include "controls/GlyphButton.h"
#include "controls/Panel.h"
#include "controls/TGaugeEdit.h"
#include "engine/BrowserFactory.h"

namespace navigation {

class SidePanel : public Gtk::Box {
 public:
  struct Callbacks {
    engine::BrowserFactory newBrowser;
    // The side browser was made: its owner binds its events.
    std::function<void(engine::Browser&)> browserCreated;
    std::function<void()> openInBrowser;  // "Open in Browser"
    std::function<void()> close;          // the panel's close button
    // The find command, on the side browser.
    std::function<void(engine::Browser&)> find;
  };

  static constexpr int kDesignedWidth = 537;

  explicit SidePanel(Callbacks callbacks);
  ~SidePanel() override;

  // The side browser; null until the panel first needs one (a browser
  // costs the engine a process of its own).
  engine::Browser* wbr() const { return wbr_.get(); }
  // The side browser, made on first use.
  engine::Browser& EnsureBrowser();

  // The panel's width, as set and as the user dragged it.
  int Width() const { return width_; }
  void SetWidth(int width);

  // Caption bar.
  void wbrDownloadBegin();
  void wbrProgressChange(int progress, int progressMax);
  void wbrTitleChange();
  // A page of the side browser asks for a new window: none opens, the side
  // page loads again.
  void wbrNewWindow2(engine::Browser*& newWindow, bool& cancel);
  void ResetGauge() { pcaption.SetProgress(0); }
  void dxpanelResize();

  // The side toolbar.
  void XiButton10Click();  // refresh
  void XiButton11Click();  // find
  void XiButton8Click();   // back (hidden)
  void XiButton9Click();   // forward (hidden)
  void XiButton12Click();  // Open in Browser
  void XiButton13Click();  // close

  controls::Panel Panel1;  // the side toolbar
  Gtk::Button XiButton12;
  Gtk::Label XiButton12Caption{"Open in Browser"};
  controls::GlyphButton XiButton10{controls::GlyphButton::Glyph::Refresh};
  controls::GlyphButton XiButton11{controls::GlyphButton::Glyph::Find};
  controls::GlyphButton XiButton8{controls::GlyphButton::Glyph::Left};
  controls::GlyphButton XiButton9{controls::GlyphButton::Glyph::Right};
  controls::Panel Panel3;
  controls::GlyphButton XiButton13{controls::GlyphButton::Glyph::Cross};
  controls::Panel p506;  // the caption bar
  controls::TGaugeEdit pcaption;

 private:
  Callbacks callbacks_;
  std::unique_ptr<engine::Browser> wbr_;
  int width_ = kDesignedWidth;
  int laidOutWidth_ = 0;
  sigc::connection layout_;
};

}  // namespace navigation
