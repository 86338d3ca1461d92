#include "rss/Tfhotwords.h"

#include "rss/BreakingNews.h"

#include "settings/AtomicFile.h"
#include "settings/Encoding.h"
#include "ui/Dialogs.h"

namespace rss {

namespace {

// The text as a text box holds it: line breaks as LF.
std::string WithLf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

Tfhotwords::Tfhotwords(std::string keywordFile, std::function<std::string()> feedShown)
    : file_(std::move(keywordFile)), feedShown_(std::move(feedShown)) {
  set_name("Tfhotwords");
  set_title("Lumivale");
  set_default_size(608, 294);
  set_position(Gtk::WIN_POS_CENTER);
  add(box_);
  auto css = Gtk::CssProvider::create();
  css->load_from_data("#TfhotwordsHeader { background-color: white; }");
  header_.set_name("TfhotwordsHeader");
  header_.get_style_context()->add_provider(css, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  headerText_.set_xalign(0);
  headerText_.set_margin_top(6);
  headerText_.set_margin_bottom(6);
  header_.add(headerText_);
  box_.pack_start(header_, Gtk::PACK_SHRINK);
  Memo1.set_name("Memo1");
  Memo1.set_wrap_mode(Gtk::WRAP_WORD_CHAR);
  auto* scroll = Gtk::manage(new Gtk::ScrolledWindow);
  scroll->add(Memo1);
  box_.pack_start(*scroll, Gtk::PACK_EXPAND_WIDGET);
  auto* bar = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
  bar->set_border_width(6);
  Label1.set_name("Label1");
  Label1.set_xalign(0);
  Label1.set_ellipsize(Pango::ELLIPSIZE_END);
  bar->pack_start(Label1, Gtk::PACK_EXPAND_WIDGET);
  Save.set_name("Save");
  Close.set_name("Close");
  bar->pack_start(Save, Gtk::PACK_SHRINK);
  bar->pack_start(Close, Gtk::PACK_SHRINK);
  Save.signal_clicked().connect([this] { SaveClick(); });
  Close.signal_clicked().connect(sigc::mem_fun(*this, &Tfhotwords::CloseClick));
  box_.pack_start(*bar, Gtk::PACK_SHRINK);
  box_.show_all();
  property_is_active().signal_changed().connect([this] {
    if (property_is_active()) FormActivate();
  });
  signal_show().connect(sigc::mem_fun(*this, &Tfhotwords::FormActivate));
}

void Tfhotwords::FormActivate() {
  if (const auto bytes = settings::ReadWholeFile(file_)) Memo1.get_buffer()->set_text(WithLf(settings::ToUtf8(*bytes)));
  Label1.set_text("Extract breaking news from " + (feedShown_ ? feedShown_() : std::string()));
}

bool Tfhotwords::SaveClick() {
  std::string error;
  if (settings::WriteFileAtomically(file_, WithCrLf(Memo1.get_buffer()->get_text()), &error)) return true;
  ui::ShowMessage("The keywords could not be saved in \"" + file_ + "\": " + error, "Lumivale", ui::Icon::Error,
                  this);
  return false;
}

void Tfhotwords::CloseClick() { hide(); }

bool Tfhotwords::on_key_press_event(GdkEventKey* event) {
  if (event->keyval == GDK_KEY_Escape) {
    CloseClick();
    return true;
  }
  return Gtk::Window::on_key_press_event(event);
}

}  // namespace rss
