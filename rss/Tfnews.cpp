#include "rss/Tfnews.h"

namespace rss {
namespace {

Glib::RefPtr<Gtk::CssProvider> Style() {
  static Glib::RefPtr<Gtk::CssProvider> css = [] {
    auto p = Gtk::CssProvider::create();
    p->load_from_data(
        "#TfnewsHeader { background-color: rgb(200, 0, 0); }"
        "#TfnewsHeader label { color: white; font-weight: bold; font-size: 14pt; }"
        "#LB { color: navy; font-weight: bold; }"
        "#l3 { color: blue; font-weight: bold; }"
        "#L5 { font-weight: bold; }"
        "#L5 text { background-color: transparent; }");
    return p;
  }();
  return css;
}

}  // namespace

Tfnews::Tfnews(std::function<void(const std::string&)> openInNewTab) : openInNewTab_(std::move(openInNewTab)) {
  set_name("Tfnews");
  set_title("Lumivale");
  set_resizable(false);
  set_default_size(495, 307);
  set_size_request(495, 307);
  set_position(Gtk::WIN_POS_CENTER);
  set_keep_above(true);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
  Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), Style(),
                                             GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  add(box_);

  header_.set_name("TfnewsHeader");
  header_.set_size_request(-1, 41);
  headerText_.set_text("Breaking News");
  header_.add(headerText_);
  box_.pack_start(header_, Gtk::PACK_SHRINK);

  auto* body = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 4));
  body->set_border_width(7);
  LB.set_name("LB");
  LA.set_name("LA");
  l3.set_name("l3");
  L5.set_name("L5");
  for (Gtk::Label* label : {&LB, &LA, &l3}) {
    label->set_xalign(0);
    label->set_ellipsize(Pango::ELLIPSIZE_END);
  }
  body->pack_start(LB, Gtk::PACK_SHRINK);
  body->pack_start(LA, Gtk::PACK_SHRINK);
  // The title is a link.
  title_.add(l3);
  title_.set_size_request(480, -1);
  title_.add_events(Gdk::BUTTON_RELEASE_MASK);
  title_.signal_realize().connect(
      [this] { title_.get_window()->set_cursor(Gdk::Cursor::create(get_display(), "pointer")); });
  title_.signal_button_release_event().connect([this](GdkEventButton*) {
    OpenInBrowserClick();
    return true;
  });
  body->pack_start(title_, Gtk::PACK_SHRINK);
  L5.set_editable(false);
  L5.set_cursor_visible(false);
  L5.set_wrap_mode(Gtk::WRAP_WORD_CHAR);
  auto* scroll = Gtk::manage(new Gtk::ScrolledWindow);
  scroll->set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
  scroll->set_size_request(480, 153);
  scroll->add(L5);
  body->pack_start(*scroll, Gtk::PACK_EXPAND_WIDGET);
  box_.pack_start(*body, Gtk::PACK_EXPAND_WIDGET);

  auto* buttons = Gtk::manage(new Gtk::ButtonBox(Gtk::ORIENTATION_HORIZONTAL));
  buttons->set_layout(Gtk::BUTTONBOX_END);
  buttons->set_spacing(6);
  buttons->set_border_width(6);
  OpenInBrowser.set_name("OpenInBrowser");
  Close.set_name("Close");
  buttons->pack_start(OpenInBrowser);
  buttons->pack_start(Close);
  OpenInBrowser.signal_clicked().connect(sigc::mem_fun(*this, &Tfnews::OpenInBrowserClick));
  Close.signal_clicked().connect(sigc::mem_fun(*this, &Tfnews::CloseClick));
  box_.pack_start(*buttons, Gtk::PACK_SHRINK);
  box_.show_all();
}

void Tfnews::Show(const std::string& header, const std::string& keyword, const std::string& title,
                  const std::string& link, const std::string& body) {
  LB.set_text(header);
  LA.set_text("Keyword: " + keyword);
  link_ = link;
  l3.set_markup("<u>" + Glib::Markup::escape_text(title) + "</u>");
  L5.get_buffer()->set_text(body);
  show();
}

void Tfnews::OpenInBrowserClick() {
  if (openInNewTab_) openInNewTab_(link_);
  hide();
}

void Tfnews::CloseClick() { hide(); }

bool Tfnews::on_key_press_event(GdkEventKey* event) {
  if (event->keyval == GDK_KEY_Escape) {
    CloseClick();
    return true;
  }
  return Gtk::Window::on_key_press_event(event);
}

}  // namespace rss
