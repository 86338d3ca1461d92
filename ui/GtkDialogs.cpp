#include "ui/GtkDialogs.h"

#include <gtkmm.h>

#include <algorithm>
#include <vector>
#include <cmath>

#include "ui/ProcessMessages.h"

namespace ui {
namespace {

Gtk::MessageType TypeOf(Icon icon) {
  switch (icon) {
    case Icon::Error:
    case Icon::Stop:
      return Gtk::MESSAGE_ERROR;
    case Icon::Warning:
      return Gtk::MESSAGE_WARNING;
    case Icon::Information:
      return Gtk::MESSAGE_INFO;
    case Icon::Question:
      return Gtk::MESSAGE_QUESTION;
    case Icon::None:
      break;
  }
  return Gtk::MESSAGE_OTHER;
}

// GTK 3 message boxes show no icon of their own: the icon the program asks
// for is set as the box's picture.
const char* IconName(Icon icon) {
  switch (icon) {
    case Icon::Error:
      return "dialog-error";
    case Icon::Stop:
      return "process-stop";
    case Icon::Warning:
      return "dialog-warning";
    case Icon::Information:
      return "dialog-information";
    case Icon::Question:
      return "dialog-question";
    case Icon::None:
      break;
  }
  return nullptr;
}

}  // namespace

Answer GtkDialogs::Show(const Message& m, Gtk::Window* owner) {
  const bool yesNo = m.buttons == Buttons::YesNo;
  Gtk::MessageDialog box(m.text, false, TypeOf(m.icon), yesNo ? Gtk::BUTTONS_YES_NO : Gtk::BUTTONS_OK,
                         true);
  if (owner) box.set_transient_for(*owner);
  box.set_title(m.caption);
  Gtk::Image picture;
  if (const char* name = IconName(m.icon)) {
    picture.set_from_icon_name(name, Gtk::ICON_SIZE_DIALOG);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_message_dialog_set_image(box.gobj(), GTK_WIDGET(picture.gobj()));
    G_GNUC_END_IGNORE_DEPRECATIONS
    picture.show();
  }
  box.set_position(Gtk::WIN_POS_CENTER);
  if (yesNo && m.noIsDefault) box.set_default_response(Gtk::RESPONSE_NO);
  NestedLoop nested;
  const int response = box.run();
  if (!yesNo) return Answer::Ok;
  return response == Gtk::RESPONSE_YES ? Answer::Yes : Answer::No;
}

void GtkDialogs::Sound(Beep) {
  if (GdkDisplay* display = gdk_display_get_default()) gdk_display_beep(display);
}

void GtkDialogs::RunModal(Gtk::Window& window) {
  Glib::RefPtr<Glib::MainLoop> loop = Glib::MainLoop::create();
  NestedLoop nested;
  window.set_modal(true);
  sigc::connection hidden = window.signal_hide().connect([loop] { loop->quit(); });
  window.show();
  window.present();
  loop->run();
  hidden.disconnect();
  window.set_modal(false);
}

std::optional<StoredColor> GtkDialogs::ChooseColor(StoredColor initial, const std::array<StoredColor, 16>& custom,
                                                   Gtk::Window* owner) {
  auto toRgba = [](StoredColor c) {
    Gdk::RGBA rgba;
    rgba.set_rgba((c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
    return rgba;
  };
  auto toStored = [](const Gdk::RGBA& rgba) {
    auto channel = [](double v) { return StoredColor(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return channel(rgba.get_red()) | channel(rgba.get_green()) << 8 | channel(rgba.get_blue()) << 16;
  };
  Gtk::ColorChooserDialog chooser("Color");
  if (owner) chooser.set_transient_for(*owner);
  chooser.set_position(Gtk::WIN_POS_CENTER);
  // Once the user has custom colours they are offered in place of GTK's
  // own palette.
  if (std::any_of(custom.begin(), custom.end(), [&](StoredColor c) { return c != custom[0]; })) {
    std::vector<Gdk::RGBA> palette;
    for (StoredColor c : custom) palette.push_back(toRgba(c));
    chooser.add_palette(Gtk::ORIENTATION_HORIZONTAL, 8, palette);
  }
  chooser.set_use_alpha(false);
  chooser.set_rgba(toRgba(initial));
  NestedLoop nested;
  if (chooser.run() != Gtk::RESPONSE_OK) return std::nullopt;
  return toStored(chooser.get_rgba());
}

}  // namespace ui
