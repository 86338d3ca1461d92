#pragma once
// The picture control of a tab's thumbnail and of the preview: shows its
// picture stretched to its own size and reports the mouse entering,
// leaving, moving over and clicking it. Seven published properties are
// stored with it; setting one repaints the control. On a tab's thumbnail,
// `CodeA` holds the tab's page zoom in percent.

#include <gdkmm/pixbuf.h>
#include <gtkmm/drawingarea.h>

#include <string>

#include "engine/Bitmap.h"

namespace tabs {

class Timagetarget : public Gtk::DrawingArea {
 public:
  Timagetarget();

  void SetPicture(const engine::Bitmap& bitmap);
  void SetPicture(const Glib::RefPtr<Gdk::Pixbuf>& picture);
  const Glib::RefPtr<Gdk::Pixbuf>& picture() const { return picture_; }
  void ClearPicture();
  bool HasPicture() const { return bool(picture_); }

  int KodaI() const { return kodaI_; }
  void SetKodaI(int v) { kodaI_ = v; queue_draw(); }
  const std::string& Author() const { return author_; }
  void SetAuthor(const std::string& v) { author_ = v; queue_draw(); }
  const std::string& kodaS() const { return kodaS_; }
  void SetkodaS(const std::string& v) { kodaS_ = v; queue_draw(); }
  const std::string& CodeA() const { return codeA_; }
  void SetCodeA(const std::string& v) { codeA_ = v; queue_draw(); }
  const std::string& CodeB() const { return codeB_; }
  void SetCodeB(const std::string& v) { codeB_ = v; queue_draw(); }
  const std::string& CodeC() const { return codeC_; }
  void SetCodeC(const std::string& v) { codeC_ = v; queue_draw(); }
  const std::string& CodeD() const { return codeD_; }
  void SetCodeD(const std::string& v) { codeD_ = v; queue_draw(); }

  // The slot number of the tab it shows (0 for the preview).
  int tag = 0;
  // The mouse is over the control now.
  bool hovered() const { return hovered_; }

  sigc::signal<void()> signal_mouse_enter;
  sigc::signal<void()> signal_mouse_leave;
  sigc::signal<void()> signal_mouse_move;
  sigc::signal<void()> signal_click;

 protected:
  bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
  bool on_enter_notify_event(GdkEventCrossing* event) override;
  bool on_leave_notify_event(GdkEventCrossing* event) override;
  bool on_motion_notify_event(GdkEventMotion* event) override;
  bool on_button_press_event(GdkEventButton* event) override;
  bool on_button_release_event(GdkEventButton* event) override;
  void on_realize() override;

 private:
  Glib::RefPtr<Gdk::Pixbuf> picture_;
  int kodaI_ = 0;
  std::string author_, kodaS_, codeA_, codeB_, codeC_, codeD_;
  bool pressed_ = false;
  bool hovered_ = false;
};

}  // namespace tabs
