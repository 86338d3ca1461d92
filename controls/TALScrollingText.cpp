#include "controls/TALScrollingText.h"

#include <gdkmm/window.h>
#include <glibmm/main.h>
#include <pangomm/layout.h>

#include <algorithm>

#include "controls/HandCursor.h"

namespace controls {
namespace {

void SetSource(const Cairo::RefPtr<Cairo::Context>& cr, Rgb c) {
  cr->set_source_rgb(c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

}  // namespace

TALScrollingText::TALScrollingText() {
  set_size_request(50, 18);
  add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK);
  font_ = Pango::FontDescription("Sans");
  SetSpeed(speed_);
}

TALScrollingText::~TALScrollingText() { timer_.disconnect(); }

void TALScrollingText::on_realize() {
  Gtk::DrawingArea::on_realize();
  get_window()->set_cursor(HandCursor(get_display()));
}

void TALScrollingText::on_map() {
  Gtk::DrawingArea::on_map();
  SetSpeed(speed_);
}

void TALScrollingText::on_unmap() {
  timer_.disconnect();
  Gtk::DrawingArea::on_unmap();
}

void TALScrollingText::SetText(const std::string& text) {
  if (text == text_) return;  // nothing moves, nothing is made again
  text_ = text;
  Rebuild();
}

void TALScrollingText::SetSpeed(int milliseconds) {
  speed_ = std::max(1, milliseconds);
  timer_.disconnect();
  if (!enabled_ || !get_mapped()) return;
  timer_ = Glib::signal_timeout().connect(
      [this] {
        StepOnce();
        return true;
      },
      unsigned(speed_));
}

void TALScrollingText::SetBackgroundColor(Rgb colour) {
  background_ = colour;
  Rebuild();
}

void TALScrollingText::SetFont(const Pango::FontDescription& font, Rgb colour) {
  font_ = font;
  fontColour_ = colour;
  Rebuild();
}

void TALScrollingText::SetEdgeFadeWidth(int width) {
  fadeWidth_ = width;
  Rebuild();
}

void TALScrollingText::SetLayout(TextLayout layout) {
  layout_ = layout;
  Rebuild();
}

void TALScrollingText::SetTextDirection(TextDirection direction) {
  direction_ = direction;
  Rebuild();
  Restart();
}

void TALScrollingText::SetVisible(bool visible) {
  set_visible(visible);
  enabled_ = visible;
  SetSpeed(speed_);  // the stepping follows
}

void TALScrollingText::Restart() {
  position_ = StartPosition(direction_, std::max(1, get_allocated_width()), stripWidth_);
}

void TALScrollingText::on_size_allocate(Gtk::Allocation& allocation) {
  Gtk::DrawingArea::on_size_allocate(allocation);
  if (allocation.get_width() == builtWidth_ && allocation.get_height() == builtHeight_) return;
  const bool first = builtWidth_ == 0;
  Rebuild();
  if (first) Restart();
}

void TALScrollingText::Rebuild() {
  const int w = std::max(1, get_allocated_width());
  const int h = std::max(1, get_allocated_height());
  builtWidth_ = w;
  builtHeight_ = h;
  ++rebuilds_;

  // The text strip: the background with the glyphs in the key colour,
  // which becomes transparent. Glyphs are drawn without smoothing, so that
  // every pixel is either key or background.
  auto measure = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, 1, 1);
  auto layout = Pango::Layout::create(Cairo::Context::create(measure));
  layout->set_font_description(font_);
  layout->set_text(text_);
  int textWidth = 0, textHeight = 0;
  layout->get_pixel_size(textWidth, textHeight);
  stripWidth_ = textWidth + 2 * w;

  const Rgb key = KeyColour(fontColour_, background_);
  strip_ = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, stripWidth_, h);
  {
    auto cr = Cairo::Context::create(strip_);
    SetSource(cr, background_);
    cr->paint();
    Cairo::FontOptions options;
    options.set_antialias(Cairo::ANTIALIAS_NONE);
    options.set_hint_style(Cairo::HINT_STYLE_FULL);
    auto textLayout = Pango::Layout::create(cr);
    pango_cairo_context_set_font_options(textLayout->get_context()->gobj(), options.cobj());
    textLayout->context_changed();
    textLayout->set_font_description(font_);
    textLayout->set_text(text_);
    SetSource(cr, key);
    cr->move_to(w, TextTop(layout_, h, textHeight));
    textLayout->show_in_cairo_context(cr);
  }
  strip_->flush();
  // Key pixels become transparent.
  unsigned char* data = strip_->get_data();
  const int stride = strip_->get_stride();
  const std::uint32_t keyPixel = 0xFF000000u | (std::uint32_t(key.r) << 16) | (std::uint32_t(key.g) << 8) | key.b;
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < stripWidth_; ++x)
      if (row[x] == keyPixel) row[x] = 0;
  }
  strip_->mark_dirty();

  // The backdrop: the font colour, fading into the background at the edges.
  backdrop_ = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, w, h);
  {
    auto cr = Cairo::Context::create(backdrop_);
    for (int x = 0; x < w; ++x) {
      SetSource(cr, BackdropColour(x, w, fadeWidth_, fontColour_, background_));
      cr->rectangle(x, 0, 1, h);
      cr->fill();
    }
  }
  queue_draw();
}

void TALScrollingText::StepOnce() {
  if (!enabled_ || !strip_) return;
  position_ = Step(position_, direction_, std::max(1, get_allocated_width()), stripWidth_);
  queue_draw();
}

void TALScrollingText::Paint(const Cairo::RefPtr<Cairo::Context>& cr) {
  if (!strip_ || !backdrop_) return;
  cr->set_source(backdrop_, 0, 0);
  cr->paint();
  cr->set_source(strip_, position_, 0);
  cr->paint();
}

bool TALScrollingText::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  Paint(cr);
  return true;
}

bool TALScrollingText::on_button_release_event(GdkEventButton* event) {
  if (event->button == 1) clicked_.emit();
  return true;
}

}  // namespace controls
