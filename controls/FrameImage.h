#pragma once
// One piece of the address bar's frame: the left cap, the stretched middle
// or the right cap, drawn flat or raised.

#include <gtkmm/drawingarea.h>

namespace controls {

class FrameImage : public Gtk::DrawingArea {
 public:
  enum class Piece { Left, Middle, Right };
  explicit FrameImage(Piece piece) : piece_(piece) {}
  void SetFlat(bool flat) {
    flat_ = flat;
    queue_draw();
  }
  bool flat() const { return flat_; }

 protected:
  bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

 private:
  Piece piece_;
  bool flat_ = true;
};

}  // namespace controls
