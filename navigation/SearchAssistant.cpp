#include "navigation/SearchAssistant.h"

#include "navigation/SearchCodes.h"

namespace navigation {
namespace {

struct Rgb {
  double r, g, b;
};
constexpr Rgb kGoogle{55 / 255.0, 155 / 255.0, 1.0};
constexpr Rgb kBing{1.0, 193 / 255.0, 132 / 255.0};
constexpr Rgb kWikipedia{1.0, 1.0, 1.0};

// The small colour square that says which engine uses an option.
Gtk::Widget* Marker(Rgb colour) {
  auto* area = Gtk::manage(new Gtk::DrawingArea);
  area->set_size_request(9, 9);
  area->set_valign(Gtk::ALIGN_CENTER);
  area->signal_draw().connect([colour](const Cairo::RefPtr<Cairo::Context>& cr) {
    cr->set_source_rgb(0.3, 0.3, 0.3);
    cr->paint();
    cr->set_source_rgb(colour.r, colour.g, colour.b);
    cr->rectangle(1, 1, 7, 7);
    cr->fill();
    return true;
  });
  return area;
}

// A caption above a field, followed by the markers of the engines using it.
Gtk::Widget* Caption(const char* text, std::initializer_list<Rgb> engines) {
  auto* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 3));
  auto* label = Gtk::manage(new Gtk::Label(text));
  label->set_xalign(0);
  row->pack_start(*label, Gtk::PACK_SHRINK);
  for (const Rgb& e : engines) row->pack_start(*Marker(e), Gtk::PACK_SHRINK);
  row->set_margin_top(4);
  return row;
}

// A list as narrow as the panel: a long item is cut with "..." in the
// field; its drop-down shows it whole.
void Narrow(Gtk::ComboBoxText& list) {
  for (Gtk::CellRenderer* cell : list.get_cells())
    if (auto* text = dynamic_cast<Gtk::CellRendererText*>(cell)) text->property_ellipsize() = Pango::ELLIPSIZE_END;
}

template <std::size_t N>
void Fill(Gtk::ComboBoxText& list, const std::array<CodeItem, N>& table) {
  for (const CodeItem& item : table) list.append(item.text);
}

}  // namespace

SearchAssistant::SearchAssistant(Callbacks callbacks)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL, 1), callbacks_(std::move(callbacks)) {
  set_name("panel9");
  set_size_request(kWidth, -1);
  content_.set_border_width(6);
  scroller_.set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
  scroller_.add(content_);
  pack_start(scroller_, Gtk::PACK_EXPAND_WIDGET);
  struct Named {
    Gtk::Widget* widget;
    const char* name;
  };
  for (const Named& n : std::initializer_list<Named>{
           {&surl, "surl"}, {&XiButton3, "XiButton3"}, {&cb1, "cb1"}, {&cb3, "cb3"}, {&cb2, "cb2"},
           {&eexact, "eexact"}, {&eexclude, "eexclude"}, {&edomain, "edomain"}, {&cb5, "cb5"}, {&bc1, "bc1"},
           {&bc2, "bc2"}, {&bc3, "bc3"}, {&Label13, "Label13"}, {&Label14, "Label14"}, {&Label15, "Label15"},
           {&XiButton4, "XiButton4"}, {&XiButton2, "XiButton2"}, {&XiButton1, "XiButton1"},
           {&XiButton5, "XiButton5"}, {&Image4, "Image4"}, {&Image5, "Image5"}})
    n.widget->set_name(n.name);
  bc1.set_active(true);
  XiButton3.signal_clicked().connect(sigc::mem_fun(*this, &SearchAssistant::sbgoClick));
  surl.signal_key_press_event().connect(sigc::mem_fun(*this, &SearchAssistant::surlKeyPress), false);
  cb1.signal_changed().connect(sigc::mem_fun(*this, &SearchAssistant::cb1Change));
  cb2.signal_changed().connect(sigc::mem_fun(*this, &SearchAssistant::cb2Change));
  cb3.signal_changed().connect(sigc::mem_fun(*this, &SearchAssistant::cb3Change));
  cb5.signal_changed().connect(sigc::mem_fun(*this, &SearchAssistant::cb5Change));
  bc1.signal_clicked().connect(sigc::mem_fun(*this, &SearchAssistant::bc1Click));
  bc2.signal_clicked().connect(sigc::mem_fun(*this, &SearchAssistant::bc2Click));
  bc3.signal_clicked().connect(sigc::mem_fun(*this, &SearchAssistant::bc3Click));
  XiButton4.signal_clicked().connect(sigc::mem_fun(*this, &SearchAssistant::XiButton4Click));
  XiButton2.signal_clicked().connect(sigc::mem_fun(*this, &SearchAssistant::XiButton2Click));
  XiButton1.signal_clicked().connect(sigc::mem_fun(*this, &SearchAssistant::XiButton1Click));
  XiButton5.signal_clicked().connect(sigc::mem_fun(*this, &SearchAssistant::XiButton5Click));
}

void SearchAssistant::get_preferred_width_vfunc(int& minimum, int& natural) const {
  Gtk::Box::get_preferred_width_vfunc(minimum, natural);
  minimum = natural = std::max(minimum, kWidth);
}

void SearchAssistant::get_preferred_width_for_height_vfunc(int, int& minimum, int& natural) const {
  get_preferred_width_vfunc(minimum, natural);
}

void SearchAssistant::on_show() {
  Build();
  Gtk::Box::on_show();
}

void SearchAssistant::Build() {
  if (built_) return;
  built_ = true;

  auto* title = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL));
  auto* heading = Gtk::manage(new Gtk::Label);
  heading->set_markup("<b>Search Assistant</b>");
  heading->set_xalign(0);
  title->pack_start(*heading, Gtk::PACK_EXPAND_WIDGET);
  XiButton1.set_label("x");
  XiButton1.set_relief(Gtk::RELIEF_NONE);
  XiButton1.set_tooltip_text("Close");
  title->pack_start(XiButton1, Gtk::PACK_SHRINK);
  content_.pack_start(*title, Gtk::PACK_SHRINK);

  // The words, in a frame whose end pieces give them the focus.
  auto* words = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL));
  for (Gtk::EventBox* end : {&Image4, &Image5}) {
    end->set_size_request(4, -1);
    end->add_events(Gdk::BUTTON_PRESS_MASK);
  }
  Image4.signal_button_press_event().connect([this](GdkEventButton*) {
    Image4Click();
    return true;
  });
  Image5.signal_button_press_event().connect([this](GdkEventButton*) {
    Image5Click();
    return true;
  });
  words->pack_start(Image4, Gtk::PACK_SHRINK);
  words->pack_start(surl, Gtk::PACK_EXPAND_WIDGET);
  words->pack_start(Image5, Gtk::PACK_SHRINK);
  content_.pack_start(*words, Gtk::PACK_SHRINK);
  content_.pack_start(XiButton3, Gtk::PACK_SHRINK);

  Fill(cb1, kInterfaceCodes);
  Fill(cb3, kCountryCodes);
  Fill(cb2, kLanguageCodes);
  for (const char* type : kFileTypes) cb5.append(type);
  for (Gtk::ComboBoxText* list : {&cb1, &cb3, &cb2, &cb5}) Narrow(*list);
  resetting_ = true;
  for (Gtk::ComboBoxText* list : {&cb1, &cb3, &cb2, &cb5}) list->set_active(0);
  resetting_ = false;

  content_.pack_start(*Caption("Interface", {kGoogle}), Gtk::PACK_SHRINK);
  content_.pack_start(cb1, Gtk::PACK_SHRINK);
  content_.pack_start(*Caption("Country", {kGoogle, kBing}), Gtk::PACK_SHRINK);
  content_.pack_start(cb3, Gtk::PACK_SHRINK);
  content_.pack_start(*Caption("Language", {kGoogle, kBing, kWikipedia}), Gtk::PACK_SHRINK);
  content_.pack_start(cb2, Gtk::PACK_SHRINK);
  content_.pack_start(*Caption("Exact word or phrase", {kGoogle, kBing}), Gtk::PACK_SHRINK);
  content_.pack_start(eexact, Gtk::PACK_SHRINK);
  content_.pack_start(*Caption("Exclude a word", {kGoogle, kBing}), Gtk::PACK_SHRINK);
  content_.pack_start(eexclude, Gtk::PACK_SHRINK);
  content_.pack_start(*Caption("Search within a site or domain", {kGoogle, kBing}), Gtk::PACK_SHRINK);
  content_.pack_start(edomain, Gtk::PACK_SHRINK);
  content_.pack_start(*Caption("File type", {kGoogle, kBing}), Gtk::PACK_SHRINK);
  content_.pack_start(cb5, Gtk::PACK_SHRINK);

  // One engine: a box and its label for each.
  auto* engines = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 4));
  engines->set_margin_top(8);
  struct Choice {
    Gtk::CheckButton* box;
    Gtk::Label* label;
    void (SearchAssistant::*labelClick)();
  };
  for (const Choice& c : {Choice{&bc1, &Label13, &SearchAssistant::Label13Click},
                          Choice{&bc2, &Label14, &SearchAssistant::Label14Click},
                          Choice{&bc3, &Label15, &SearchAssistant::Label15Click}}) {
    engines->pack_start(*c.box, Gtk::PACK_SHRINK);
    auto* clickable = Gtk::manage(new Gtk::EventBox);
    clickable->add(*c.label);
    clickable->add_events(Gdk::BUTTON_PRESS_MASK);
    clickable->signal_button_press_event().connect([this, c](GdkEventButton*) {
      (this->*c.labelClick)();
      return true;
    });
    engines->pack_start(*clickable, Gtk::PACK_SHRINK);
  }
  content_.pack_start(*engines, Gtk::PACK_SHRINK);

  auto* buttons = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 4));
  buttons->set_margin_top(6);
  buttons->pack_start(XiButton4, Gtk::PACK_EXPAND_WIDGET);
  buttons->pack_start(XiButton2, Gtk::PACK_EXPAND_WIDGET);
  XiButton5.set_label("x");
  XiButton5.set_relief(Gtk::RELIEF_NONE);
  XiButton5.set_tooltip_text("Close");
  buttons->pack_start(XiButton5, Gtk::PACK_SHRINK);
  content_.pack_start(*buttons, Gtk::PACK_SHRINK);

  auto* legend = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 3));
  legend->set_margin_top(10);
  legend->pack_start(*Gtk::manage(new Gtk::Label("Available in ")), Gtk::PACK_SHRINK);
  for (const auto& [colour, name] : {std::pair{kGoogle, "Google"}, std::pair{kBing, "Bing"},
                                     std::pair{kWikipedia, "Wikipedia"}}) {
    legend->pack_start(*Marker(colour), Gtk::PACK_SHRINK);
    legend->pack_start(*Gtk::manage(new Gtk::Label(name)), Gtk::PACK_SHRINK);
  }
  content_.pack_start(*legend, Gtk::PACK_SHRINK);
  show_all_children();
}

bool SearchAssistant::surlKeyPress(GdkEventKey* key) {
  if (key->keyval != GDK_KEY_Return && key->keyval != GDK_KEY_KP_Enter) return false;
  sbgoClick();
  return true;
}

void SearchAssistant::cb1Change() {
  if (!resetting_) fragments_.InterfaceChanged(cb1.get_active_row_number());
}
void SearchAssistant::cb2Change() {
  if (!resetting_) fragments_.LanguageChanged(cb2.get_active_row_number());
}
void SearchAssistant::cb3Change() {
  if (!resetting_) fragments_.CountryChanged(cb3.get_active_row_number());
}
void SearchAssistant::cb5Change() {
  if (!resetting_) fragments_.FileTypeChanged(cb5.get_active_row_number());
}

void SearchAssistant::sbgoClick() {
  Build();
  SearchFields fields;
  fields.words = surl.get_text();
  fields.exact = eexact.get_text();
  fields.exclude = eexclude.get_text();
  fields.domain = edomain.get_text();
  fields.interfaceItem = std::max(0, cb1.get_active_row_number());
  fields.countryItem = std::max(0, cb3.get_active_row_number());
  fields.languageItem = std::max(0, cb2.get_active_row_number());
  DropUnpicked(fragments_, fields);
  if (!callbacks_.openInNewTab) return;
  if (bc1.get_active()) callbacks_.openInNewTab(GoogleAddress(fragments_, fields, hosts), true);
  if (bc2.get_active()) callbacks_.openInNewTab(BingAddress(fragments_, fields, hosts), false);
  if (bc3.get_active()) callbacks_.openInNewTab(WikipediaAddress(fragments_, fields, hosts), false);
}

// At most one engine is ticked: `chosen` becomes `tickIt`, the others are
// cleared.
void SearchAssistant::Tick(Gtk::CheckButton& chosen, bool tickIt) {
  if (ticking_) return;
  ticking_ = true;
  for (Gtk::CheckButton* box : {&bc1, &bc2, &bc3}) box->set_active(box == &chosen && tickIt);
  ticking_ = false;
}

// A click has toggled the box already.
void SearchAssistant::bc1Click() { Tick(bc1, bc1.get_active()); }
void SearchAssistant::bc2Click() { Tick(bc2, bc2.get_active()); }
void SearchAssistant::bc3Click() { Tick(bc3, bc3.get_active()); }
void SearchAssistant::Label13Click() { Tick(bc1, true); }
void SearchAssistant::Label14Click() { Tick(bc2, true); }
void SearchAssistant::Label15Click() { Tick(bc3, true); }

void SearchAssistant::XiButton4Click() {
  Build();
  resetting_ = true;
  for (Gtk::ComboBoxText* list : {&cb1, &cb3, &cb2, &cb5}) list->set_active(0);
  resetting_ = false;
  eexact.set_text("");
  eexclude.set_text("");
  edomain.set_text("");
  eexact.grab_focus();
  fragments_.Reset();
}

void SearchAssistant::Hide(bool relayout) {
  hide();
  if (relayout && callbacks_.relayout) callbacks_.relayout();
}

void SearchAssistant::XiButton1Click() { Hide(true); }
void SearchAssistant::XiButton2Click() { Hide(true); }
void SearchAssistant::XiButton5Click() { Hide(false); }
void SearchAssistant::Image4Click() { surl.grab_focus(); }
void SearchAssistant::Image5Click() { surl.grab_focus(); }

void SearchAssistant::Toggle() {
  if (get_visible()) {
    Hide(true);
    return;
  }
  show();
  surl.grab_focus();
}

}  // namespace navigation
