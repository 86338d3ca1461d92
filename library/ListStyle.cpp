#include "library/ListStyle.h"

#include <gtkmm/cssprovider.h>
#include <gtkmm/stylecontext.h>

namespace library {
namespace {

const char* const kCss = R"css(
#mhistory.view { background-color: rgb(255, 255, 255); color: rgb(255, 230, 204); }
#tabela.view { background-color: rgb(85, 85, 85); color: rgb(243, 243, 243); }
#mhistory.view:selected, #tabela.view:selected { background-color: rgb(0, 120, 215); color: rgb(255, 255, 255); }
#Tfhistory #Label1, #Tffavorit #Label1 { color: rgb(243, 243, 243); }
#Tfhistory #hurl, #Tffavorit #hurl { border-radius: 12px; padding: 0 8px; min-height: 0; }
#Tfhistory button, #Tffavorit button, #Tfaddfav button, #Tfeditfavorites button {
  min-height: 0; padding: 2px 10px; border-radius: 3px; border: 1px solid rgb(120, 120, 120);
  background-image: linear-gradient(to bottom, rgb(252, 252, 252), rgb(208, 208, 208)); color: black;
}
#Tfhistory button:hover, #Tffavorit button:hover, #Tfaddfav button:hover, #Tfeditfavorites button:hover {
  background-image: linear-gradient(to bottom, rgb(255, 255, 255), rgb(225, 232, 240));
}
)css";

}  // namespace

void UseListStyle() {
  static bool installed = false;
  if (installed) return;
  auto screen = Gdk::Screen::get_default();
  if (!screen) return;
  installed = true;
  auto css = Gtk::CssProvider::create();
  css->load_from_data(kCss);
  Gtk::StyleContext::add_provider_for_screen(screen, css, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void BuildSearchBar(controls::Panel& panel, Gtk::Entry& hurl, controls::GlyphButton& xs) {
  panel.set_name("Panel1");
  panel.SetColor(kBarColor);
  panel.set_size_request(-1, 40);
  hurl.set_name("hurl");
  hurl.set_size_request(260, 26);
  panel.put(hurl, 8, 7);
  xs.set_name("xs");
  xs.set_tooltip_text("Search");
  xs.set_size_request(26, 26);
  xs.SetColors(kBarColor, {230, 230, 230});
  panel.put(xs, 272, 7);
}

}  // namespace library
