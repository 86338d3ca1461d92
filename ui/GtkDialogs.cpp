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

void AddTypes(Gtk::FileChooserDialog& chooser, const std::vector<FileType>& types) {
  for (const FileType& type : types) {
    auto filter = Gtk::FileFilter::create();
    filter->set_name(type.name);
    for (const std::string& pattern : type.patterns) {
      // "*.*" means every file, also one without a dot in its name.
      filter->add_pattern(pattern == "*.*" ? "*" : pattern);
    }
    chooser.add_filter(filter);
  }
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

std::optional<std::string> GtkDialogs::OpenFile(const std::string& title, const std::vector<FileType>& types,
                                                Gtk::Window* owner) {
  Gtk::FileChooserDialog chooser(title, Gtk::FILE_CHOOSER_ACTION_OPEN);
  if (owner) chooser.set_transient_for(*owner);
  chooser.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
  chooser.add_button("_Open", Gtk::RESPONSE_ACCEPT);
  chooser.set_default_response(Gtk::RESPONSE_ACCEPT);
  AddTypes(chooser, types);
  NestedLoop nested;
  if (chooser.run() != Gtk::RESPONSE_ACCEPT) return std::nullopt;
  const std::string path = chooser.get_filename();
  if (path.empty()) return std::nullopt;
  return path;
}

std::optional<SaveChoice> GtkDialogs::SaveFile(const std::string& title, const std::string& suggestedName,
                                               const std::vector<FileType>& types, Gtk::Window* owner,
                                               const std::string& folder) {
  Gtk::FileChooserDialog chooser(title, Gtk::FILE_CHOOSER_ACTION_SAVE);
  if (owner) chooser.set_transient_for(*owner);
  chooser.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
  chooser.add_button("_Save", Gtk::RESPONSE_ACCEPT);
  chooser.set_default_response(Gtk::RESPONSE_ACCEPT);
  chooser.set_do_overwrite_confirmation(true);
  if (!folder.empty()) chooser.set_current_folder(folder);
  chooser.set_current_name(suggestedName);
  AddTypes(chooser, types);
  NestedLoop nested;
  if (chooser.run() != Gtk::RESPONSE_ACCEPT) return std::nullopt;
  SaveChoice choice;
  choice.path = chooser.get_filename();
  if (choice.path.empty()) return std::nullopt;
  const auto chosen = chooser.get_filter();
  const auto filters = chooser.list_filters();
  for (std::size_t i = 0; i < filters.size(); ++i)
    if (chosen && filters[i] == chosen) choice.filter = int(i);
  return choice;
}

std::optional<std::uint32_t> GtkDialogs::ChooseColor(std::uint32_t initial, Gtk::Window* owner) {
  Gtk::ColorChooserDialog chooser("Color");
  if (owner) chooser.set_transient_for(*owner);
  Gdk::RGBA start;
  start.set_rgba_u(gushort((initial & 0xff) * 257), gushort(((initial >> 8) & 0xff) * 257),
                   gushort(((initial >> 16) & 0xff) * 257));
  chooser.set_rgba(start);
  chooser.set_use_alpha(false);
  NestedLoop nested;
  if (chooser.run() != Gtk::RESPONSE_OK) return std::nullopt;
  const Gdk::RGBA chosen = chooser.get_rgba();
  const auto byte = [](double v) { return std::uint32_t(v * 255.0 + 0.5) & 0xff; };
  return byte(chosen.get_red()) | (byte(chosen.get_green()) << 8) | (byte(chosen.get_blue()) << 16);
}

std::optional<std::string> GtkDialogs::AskText(const std::string& prompt, const std::string& caption,
                                              const std::string& initial, Gtk::Window* owner) {
  Gtk::Dialog box(caption, true);
  if (owner) box.set_transient_for(*owner);
  box.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
  box.add_button("_OK", Gtk::RESPONSE_OK);
  box.set_default_response(Gtk::RESPONSE_OK);
  Gtk::Label label(prompt, Gtk::ALIGN_START);
  Gtk::Entry entry;
  entry.set_text(initial);
  entry.set_activates_default(true);
  entry.set_width_chars(40);
  Gtk::Box* area = box.get_content_area();
  area->set_spacing(6);
  area->set_border_width(8);
  area->pack_start(label, Gtk::PACK_SHRINK);
  area->pack_start(entry, Gtk::PACK_SHRINK);
  area->show_all();
  NestedLoop nested;
  if (box.run() != Gtk::RESPONSE_OK) return std::nullopt;
  return std::string(entry.get_text());
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
