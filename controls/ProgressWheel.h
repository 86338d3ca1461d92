#pragma once
// The circular busy gauge: the done part as a pie from the top, clockwise,
// over the remaining colour. No text, no inner circle.

#include <gtkmm/drawingarea.h>

#include "controls/WheelModel.h"

namespace controls {

class ProgressWheel : public Gtk::DrawingArea {
 public:
  ProgressWheel();
  WheelModel& model() { return model_; }
  const WheelModel& model() const { return model_; }
  void Advance();

 protected:
  bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

 private:
  WheelModel model_;
};

}  // namespace controls
