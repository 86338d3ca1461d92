#pragma once
// The floating navigation toolbar: a small borderless window that stays on
// top of everything, with Back, Forward, Refresh or Stop, Home, Bookmarks
// and the command menu. Faint while the mouse is away, opaque while it is
// on the toolbar, fading slowly when it has left; dragged by its panel.

#include <gtkmm.h>

#include <functional>
#include <string>

#include "controls/GlyphButton.h"
#include "controls/Panel.h"
#include "navigation/ToolbarFade.h"

namespace engine {
class Browser;
}

namespace navigation {

class Tfhint : public Gtk::Window {
 public:
  // What the toolbar needs from the main window.
  struct Callbacks {
    // The browser page commands act on (the side panel's while the shell
    // routes there).
    std::function<engine::Browser*()> currentBrowser;
    // The current tab's own browser, whatever the routing.
    std::function<engine::Browser*()> tabBrowser;
    std::function<std::string()> homePage;
    // Shows the bookmarks window modally.
    std::function<void()> showBookmarks;
    // Opens the command menu under `button`.
    std::function<void(Gtk::Widget& button)> popupMenu;
    std::function<void()> focusMainWindow;
  };

  static constexpr int kWidth = 252;
  static constexpr int kHeight = 40;

  // `left` and `top`: where the toolbar was last time.
  Tfhint(int left, int top, Callbacks callbacks);

  // Shapes the window, moves it to its place and shows it.
  void FormCreate();

  // The buttons.
  void SpeedButton1Click();  // Back
  void SpeedButton2Click();  // Forward
  void sbrefreshClick();
  void sbstopClick();
  void SpeedButton5Click();  // Home
  void SpeedButton6Click();  // Bookmarks
  void IngPopupButton5Click();

  // The hint under the mouse changed: the toolbar's own hint makes it
  // opaque, any other lets its alpha apply.
  void AppOnHint(const std::string& hint);

  // The three steps of every tick of the main window's 125 ms timer.
  void StayOnTop();
  void ShowStop(bool loading);
  // Fades by where the mouse is; `mainWidth` is the main window's width.
  void FadeStep(int mainWidth);
  void FadeStep(const Pointer& pointer);

  // Alpha blending: while on, the window is drawn at AlphaBlendValue of
  // 255; while off, fully opaque.
  bool AlphaBlend() const { return alphaBlend_; }
  int AlphaBlendValue() const { return alpha_; }
  // The window's outline: a rectangle with rounded 13 x 13 corners.
  const Cairo::RefPtr<Cairo::Region>& region() const { return region_; }

  controls::Panel RGPanel1;
  controls::GlyphButton SpeedButton1{controls::GlyphButton::Glyph::Left};
  controls::GlyphButton SpeedButton2{controls::GlyphButton::Glyph::Right};
  Gtk::Separator Bevel2{Gtk::ORIENTATION_VERTICAL};
  controls::GlyphButton sbrefresh{controls::GlyphButton::Glyph::Refresh};
  controls::GlyphButton sbstop{controls::GlyphButton::Glyph::Stop};
  controls::GlyphButton SpeedButton5{controls::GlyphButton::Glyph::Home};
  controls::GlyphButton SpeedButton6{controls::GlyphButton::Glyph::Star};
  Gtk::Separator Bevel1{Gtk::ORIENTATION_VERTICAL};
  controls::GlyphButton IngPopupButton5{controls::GlyphButton::Glyph::Menu};

 protected:
  bool on_button_press_event(GdkEventButton* event) override;
  bool on_enter_notify_event(GdkEventCrossing* event) override;
  bool on_leave_notify_event(GdkEventCrossing* event) override;
  bool on_property_notify_event(GdkEventProperty* event) override;

 private:
  void ApplyOpacity();
  void Shape();

  Callbacks callbacks_;
  int left_, top_;
  bool alphaBlend_ = true;
  int alpha_ = kToolbarStartAlpha;
  Cairo::RefPtr<Cairo::Region> region_;
  // Whether the window manager keeps it above the others, as its state
  // property last said.
  bool aboveOnScreen_ = true;
};

}  // namespace navigation
