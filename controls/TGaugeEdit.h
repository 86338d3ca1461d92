#pragma once
// An edit that paints a progress gauge behind its text: the side panel's
// caption bar shows the page's address over its loading progress.

#include <gtkmm/cssprovider.h>
#include <gtkmm/entry.h>

namespace controls {

class TGaugeEdit : public Gtk::Entry {
 public:
  TGaugeEdit();

  void SetMaxValue(int max);
  int MaxValue() const { return max_; }
  void SetProgress(int position);
  int Progress() const { return position_; }

 protected:
  bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

 private:
  int max_ = 100;
  int position_ = 0;
  Glib::RefPtr<Gtk::CssProvider> css_;
};

}  // namespace controls
