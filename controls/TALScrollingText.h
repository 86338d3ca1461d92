#pragma once
// A line of text that scrolls one pixel per tick of its own timer, its
// glyphs fading into the background within a few pixels of either edge.
// The pictures it is made of are built when a property changes, so a step
// only lays them over each other.

#include <gtkmm/drawingarea.h>
#include <pangomm/fontdescription.h>

#include <string>

#include "controls/Color.h"
#include "controls/ScrollingTextModel.h"

namespace controls {

class TALScrollingText : public Gtk::DrawingArea {
 public:
  TALScrollingText();
  ~TALScrollingText() override;

  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  // The stepping interval in milliseconds.
  void SetSpeed(int milliseconds);
  int Speed() const { return speed_; }
  void SetBackgroundColor(Rgb colour);
  void SetFont(const Pango::FontDescription& font, Rgb colour);
  void SetEdgeFadeWidth(int width);
  void SetLayout(TextLayout layout);
  void SetTextDirection(TextDirection direction);
  // Shown or hidden; a hidden text does not step.
  void SetVisible(bool visible);

  // The scroll position, and one step of it.
  int Position() const { return position_; }
  void StepOnce();
  // Lays the pictures over each other onto `cr`, as one repaint does.
  void Paint(const Cairo::RefPtr<Cairo::Context>& cr);
  // How often the pictures were made.
  int Rebuilds() const { return rebuilds_; }
  int StripWidth() const { return stripWidth_; }

  sigc::signal<void()>& signal_clicked() { return clicked_; }

 protected:
  bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
  void on_size_allocate(Gtk::Allocation& allocation) override;
  bool on_button_release_event(GdkEventButton* event) override;
  void on_realize() override;
  // The timer runs only while the text is on screen.
  void on_map() override;
  void on_unmap() override;

 private:
  void Rebuild();
  void Restart();

  std::string text_ = "Text";
  int speed_ = 50;
  Rgb background_{240, 240, 240};
  Rgb fontColour_{0, 0, 0};
  Pango::FontDescription font_;
  int fadeWidth_ = 15;
  TextLayout layout_ = TextLayout::Center;
  TextDirection direction_ = TextDirection::LeftToRight;
  bool enabled_ = true;

  int position_ = 0;
  int stripWidth_ = 0;
  int builtWidth_ = 0, builtHeight_ = 0;
  int rebuilds_ = 0;
  Cairo::RefPtr<Cairo::ImageSurface> strip_, backdrop_;
  sigc::connection timer_;
  sigc::signal<void()> clicked_;
};

}  // namespace controls
