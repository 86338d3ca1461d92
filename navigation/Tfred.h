#pragma once
// The redirect notice: a borderless window in the middle of the screen
// that says whether redirect mode is on, and fades out by itself in four
// 150 ms ticks.

#include <gtkmm.h>

#include <functional>
#include <string>

#include "controls/Panel.h"
#include "navigation/ToolbarFade.h"

namespace navigation {

inline constexpr const char* kRedirectOn = "R E D I R E C T";
inline constexpr const char* kRedirectOff = "N O  R E D I R E C T";

class Tfred : public Gtk::Window {
 public:
  // `redirectMode` answers whether the mode is on when the notice shows.
  explicit Tfred(std::function<bool()> redirectMode);
  ~Tfred() override;

  void SetCaption(const std::string& text);
  std::string Caption() const { return Panel1Caption.get_text(); }

  // Each time the notice shows: the caption follows the mode, the fade
  // starts at full opacity.
  void FormActivate();
  // One tick of the fade: lower the alpha by 50; the fourth closes it.
  void Timer1Timer();
  bool Timer1Enabled() const { return timer_.connected(); }
  int AlphaBlendValue() const { return fade_.alpha; }

  controls::Panel Panel1;
  Gtk::Label Panel1Caption;

 private:
  std::function<bool()> redirectMode_;
  NoticeFade fade_;
  sigc::connection timer_;
};

}  // namespace navigation
