#include "options/Tfoptions.h"

#include <gdkmm/pixbuf.h>

#include <iostream>

#include "engine/Browser.h"
#include "options/UserAgents.h"
#include "ui/Dialogs.h"

namespace options {
namespace {

constexpr const char* kCaption = "Lumivale";

// The radio button and the tile image of each scheme.
constexpr std::array<const char*, 13> kRadioNames = {"R1", "R2", "R3", "R4", "R5", "R6", "R7",
                                                     "R8", "R9", "r10", "r11", "r12", "r13"};
constexpr std::array<const char*, 12> kImageNames = {"b1", "b9", "b2", "b7", "b4", "b3",
                                                     "b5", "b6", "b8", "b10", "b11", "b12"};

Glib::RefPtr<Gdk::Pixbuf> PixbufOf(const controls::Tile& tile) {
  auto pixbuf = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, controls::Tile::kSize, controls::Tile::kSize);
  guint8* data = pixbuf->get_pixels();
  const int stride = pixbuf->get_rowstride();
  for (int y = 0; y < controls::Tile::kSize; ++y)
    for (int x = 0; x < controls::Tile::kSize; ++x) {
      guint8* p = data + y * stride + x * 3;
      const controls::Rgb c = tile.at(x, y);
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
    }
  return pixbuf;
}

template <class W>
W& Named(W& widget, const char* name) {
  widget.set_name(name);
  return widget;
}

}  // namespace

Tfoptions::Tfoptions(std::string settingsFolder, Callbacks callbacks)
    : ModalDialog("Tfoptions", "Options"), settingsFolder_(std::move(settingsFolder)), callbacks_(std::move(callbacks)) {
  // What the top area shows before any scheme is applied.
  const controls::Rgb plain{214, 214, 214};
  look_.topBar.color = look_.stripArea.color = look_.strip.color = look_.buttonBar.color = plain;
  look_.rightOfStrip.color = plain;
  agents_ = BuiltInAgents();
  set_default_size(560, 400);
  add(content);
  content.set_border_width(8);
  content.set_spacing(8);
  Named(pagecont, "pagecont");
  content.pack_start(pagecont, Gtk::PACK_EXPAND_WIDGET);
  BuildGeneral();
  BuildAgentPage();
  BuildColorPage();
  buttons.set_spacing(8);
  buttons.set_halign(Gtk::ALIGN_END);
  for (auto [button, name] : {std::pair{&BitBtn1, "BitBtn1"}, {&BitBtn2, "BitBtn2"}}) {
    button->set_name(name);
    button->set_size_request(90, 28);
    buttons.pack_start(*button, Gtk::PACK_SHRINK);
  }
  content.pack_start(buttons, Gtk::PACK_SHRINK);
  BitBtn1.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::BitBtn1Click));
  BitBtn2.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::BitBtn2Click));
  ShowAgents();
  content.show_all();
}

void Tfoptions::BuildGeneral() {
  Named(general, "general");
  pagecont.append_page(general, "General");
  webSearch.set_name("webSearch");
  webSearch.set_size_request(200, 130);
  webSearchBox.set_border_width(6);
  webSearch.add(webSearchBox);
  Gtk::RadioButton::Group group = brg1.get_group();
  std::array<Gtk::RadioButton*, 4> engines = {&brg1, &brg2, &brg3, &brg4};
  std::array<const char*, 4> names = {"brg1", "brg2", "brg3", "brg4"};
  for (int i = 0; i < 4; ++i) {
    Gtk::RadioButton& radio = *engines[std::size_t(i)];
    radio.set_name(names[std::size_t(i)]);
    if (i > 0) radio.set_group(group);
    webSearchBox.pack_start(radio, Gtk::PACK_SHRINK);
    radio.signal_toggled().connect([this, i, &radio] {
      if (radio.get_active()) EngineClick(i);
    });
  }
  general.put(webSearch, 12, 12);
  Named(sbhomepage, "sbhomepage").set_size_request(220, 28);
  Named(sbcfgfolder, "sbcfgfolder").set_size_request(220, 28);
  general.put(sbhomepage, 240, 20);
  general.put(sbcfgfolder, 240, 56);
  sbhomepage.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::sbhomepageClick));
  sbcfgfolder.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::sbcfgfolderClick));
  Named(cb5, "cb5");
  Named(cbthumbzoom, "cbthumbzoom");
  Named(cbbreak, "cbbreak");
  general.put(cb5, 12, 160);
  general.put(cbthumbzoom, 12, 188);
  general.put(cbbreak, 12, 216);
}

void Tfoptions::BuildAgentPage() {
  Named(agentPage, "agentPage");
  pagecont.append_page(agentPage, "User Agent");
  for (auto [label, name] : {std::pair{&Label4, "Label4"}, {&Label3, "Label3"}, {&Label2, "Label2"}, {&L55, "L55"}})
    label->set_name(name);
  Named(e_ua, "e_ua").set_editable(false);
  Named(L5, "L5").set_editable(false);
  Named(cbx, "cbx");
  for (Gtk::Entry* e : {&e_ua, &L5}) e->set_size_request(420, 26);
  cbx.set_size_request(420, 26);
  // Long strings are cut with an ellipsis rather than widening the box.
  for (Gtk::CellRenderer* cell : cbx.get_cells())
    if (auto* text = dynamic_cast<Gtk::CellRendererText*>(cell)) {
      text->property_ellipsize() = Pango::ELLIPSIZE_END;
      text->property_width_chars() = 1;
    }
  agentPage.put(Label4, 12, 12);
  agentPage.put(Label3, 12, 44);
  agentPage.put(e_ua, 12, 64);
  Named(sbset, "sbset").set_size_request(90, 26);
  agentPage.put(sbset, 440, 64);
  agentPage.put(Label2, 12, 104);
  agentPage.put(cbx, 12, 124);
  Named(sbset2, "sbset2").set_size_request(90, 26);
  agentPage.put(sbset2, 440, 124);
  Named(SpeedButton1, "SpeedButton1").set_tooltip_text("Add user agent string");
  Named(sbminus, "sbminus").set_tooltip_text("Remove user agent string");
  Named(sbedit, "sbedit").set_tooltip_text("Edit");
  int left = 12;
  for (Gtk::Button* b : {&SpeedButton1, &sbminus, &sbedit}) {
    b->set_size_request(b == &sbedit ? 60 : 30, 26);
    agentPage.put(*b, left, 156);
    left += b == &sbedit ? 66 : 36;
  }
  agentPage.put(L55, 12, 200);
  agentPage.put(L5, 12, 220);
  sbset.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::sbsetClick));
  sbset2.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::sbset2Click));
  SpeedButton1.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::SpeedButton4Click));
  sbminus.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::sbminusClick));
  sbedit.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::sbeditClick));
}

void Tfoptions::BuildColorPage() {
  Named(colorPage, "colorPage");
  pagecont.append_page(colorPage, "Background Color");
  Named(chooseLabel, "chooseLabel");
  colorPage.put(chooseLabel, 12, 12);
  Gtk::RadioButton::Group group = schemeRadio[0].get_group();
  for (int i = 0; i < 13; ++i) {
    Gtk::RadioButton& radio = schemeRadio[std::size_t(i)];
    radio.set_name(kRadioNames[std::size_t(i)]);
    if (i > 0) radio.set_group(group);
    const int scheme = i + 1;
    const int column = i < 6 ? 0 : 1;
    const int row = i < 6 ? i : i - 6;
    if (scheme < kCustomScheme) {
      Gtk::Image& image = schemeImage[std::size_t(i)];
      image.set_name(kImageNames[std::size_t(i)]);
      image.set(PixbufOf(*SchemeTile(scheme)));
      radio.add(image);
    } else {
      radio.set_label("Custom color");
    }
    colorPage.put(radio, 24 + column * 120, 44 + row * 28);
    radio.signal_toggled().connect([this, scheme, &radio] {
      if (quiet_ || !radio.get_active()) return;
      if (scheme == kCustomScheme)
        r13Click();
      else
        SchemeClick(scheme);
    });
  }
  Named(b13, "b13").SetBorder(1, {0, 0, 0});
  b13.set_size_request(40, 22);
  colorPage.put(b13, 264, 214);
  Named(SpeedButton2, "SpeedButton2").set_size_request(70, 24);
  colorPage.put(SpeedButton2, 312, 213);
  SpeedButton2.signal_clicked().connect(sigc::mem_fun(*this, &Tfoptions::SpeedButton2Click));
}

void Tfoptions::Attach(Tfaddstring& addString, Tfhomepage& homePage) {
  addString_ = &addString;
  homePage_ = &homePage;
}

void Tfoptions::FormCreate(int scheme, controls::Rgb custom) {
  b13.SetColor(custom);
  if (scheme >= 1 && scheme <= kCustomScheme) {
    if (scheme == kCustomScheme)
      r13Click();
    else
      SchemeClick(scheme);
  } else {
    scheme_ = scheme;
  }
  LoadAgentFile();
}

// ---------------------------------------------------------------------------
// Showing and closing

void Tfoptions::Open() {
  FormShow();
  Execute();
  ponastavi();
}

void Tfoptions::FormShow() {
  pagecont.set_current_page(0);
  Cancelled = true;
  e_ua.set_text(callbacks_.defaultUserAgent ? callbacks_.defaultUserAgent() : std::string());
  engine::Browser* browser = callbacks_.currentBrowser ? callbacks_.currentBrowser() : nullptr;
  L5.set_text(browser ? browser->UserAgent() : std::string());
  LoadAgentFile();
  SelectFirst();
  quiet_ = true;
  const int engineIndex = callbacks_.engineIndex ? callbacks_.engineIndex() : 0;
  std::array<Gtk::RadioButton*, 4> engines = {&brg1, &brg2, &brg3, &brg4};
  if (engineIndex >= 0 && engineIndex < 4) engines[std::size_t(engineIndex)]->set_active(true);
  cbbreak.set_active(callbacks_.breakingNews && callbacks_.breakingNews());
  cb5.set_active(callbacks_.popupsAllowed && callbacks_.popupsAllowed());
  cbthumbzoom.set_active(callbacks_.thumbZoom && callbacks_.thumbZoom());
  quiet_ = false;
}

void Tfoptions::BitBtn1Click() {
  Cancelled = false;
  Close();
}

void Tfoptions::BitBtn2Click() {
  Cancelled = true;
  Close();
}

void Tfoptions::Close() {
  FormCloseQuery();
  Finish(Cancelled ? ModalResult::Cancel : ModalResult::Ok);
}

bool Tfoptions::on_key_press_event(GdkEventKey* key) {
  if (key->keyval == GDK_KEY_Escape) {
    BitBtn2Click();
    return true;
  }
  return Gtk::Window::on_key_press_event(key);
}

bool Tfoptions::on_delete_event(GdkEventAny*) {
  // The flag was set when the dialog was shown: the close box cancels.
  Close();
  return true;
}

void Tfoptions::FormCloseQuery() {
  if (Cancelled) return;
  const int engineIndex = callbacks_.engineIndex ? callbacks_.engineIndex() : 0;
  if (callbacks_.setQuickHint) callbacks_.setQuickHint(engineIndex);
  if (callbacks_.setBreakingNews) callbacks_.setBreakingNews(cbbreak.get_active());
  if (callbacks_.setPopupsAllowed) callbacks_.setPopupsAllowed(cb5.get_active());
  if (callbacks_.setThumbZoom) callbacks_.setThumbZoom(cbthumbzoom.get_active());
  std::string error;
  if (!SaveAgentFile(settingsFolder_ + kAgentFileName, agents_, &error))
    ui::ShowMessage("The user agent list could not be saved: " + error, kCaption, ui::Icon::Error, this);
}

// ---------------------------------------------------------------------------
// General page

void Tfoptions::EngineClick(int index) {
  if (quiet_) return;
  if (callbacks_.setEngineIndex) callbacks_.setEngineIndex(index);
}

void Tfoptions::sbhomepageClick() {
  if (homePage_) homePage_->Open();
}

void Tfoptions::sbcfgfolderClick() {
  if (callbacks_.openFolder) callbacks_.openFolder(settingsFolder_);
}

// ---------------------------------------------------------------------------
// Colour schemes

void Tfoptions::TickScheme(int scheme) {
  quiet_ = true;
  schemeRadio[std::size_t(scheme - 1)].set_active(true);
  quiet_ = false;
}

void Tfoptions::SchemeClick(int scheme) {
  if (!SchemeOf(scheme)) return;
  TickScheme(scheme);
  ApplyScheme(scheme, b13.color(), look_);
  osvezi();
  scheme_ = scheme;
  if (callbacks_.schemeChanged) callbacks_.schemeChanged(scheme_, b13.color());
}

void Tfoptions::r13Click() {
  TickScheme(kCustomScheme);
  ApplyScheme(kCustomScheme, b13.color(), look_);
  osvezi();
  scheme_ = kCustomScheme;
  if (callbacks_.schemeChanged) callbacks_.schemeChanged(scheme_, b13.color());
}

void Tfoptions::osvezi() {
  if (callbacks_.paint) callbacks_.paint(look_);
  if (callbacks_.paintCurrentTab) callbacks_.paintCurrentTab();
}

void Tfoptions::ponastavi() {
  if (scheme_ == kCustomScheme)
    r13Click();
  else if (SchemeOf(scheme_))
    SchemeClick(scheme_);
}

void Tfoptions::SpeedButton2Click() {
  static settings::ColorDialogState fallback;
  settings::ColorDialogState& state = callbacks_.colorDialog ? callbacks_.colorDialog() : fallback;
  const auto chosen = ui::dialogs().ChooseColor(controls::ToStored(b13.color()), state.custom, this);
  if (!chosen) return;
  state.color = *chosen;
  b13.SetColor(controls::FromStored(*chosen));
  if (callbacks_.schemeChanged) callbacks_.schemeChanged(scheme_, b13.color());
  if (schemeRadio[kCustomScheme - 1].get_active()) r13Click();
}

// ---------------------------------------------------------------------------
// User agents

void Tfoptions::LoadAgentFile() {
  if (auto loaded = options::LoadAgentFile(settingsFolder_ + kAgentFileName)) agents_ = SortedAgents(std::move(*loaded));
  else agents_ = SortedAgents(std::move(agents_));
  ShowAgents();
}

void Tfoptions::ShowAgents() {
  quiet_ = true;
  cbx.remove_all();
  for (const std::string& a : agents_) cbx.append(a);
  quiet_ = false;
}

void Tfoptions::SelectFirst() { cbx.set_active(agents_.empty() ? -1 : 0); }

int Tfoptions::Selected() const {
  const int row = cbx.get_active_row_number();
  return row >= 0 && row < int(agents_.size()) ? row : -1;
}

void Tfoptions::MakeCurrent(const std::string& agent) {
  if (callbacks_.setCurrentUserAgent) callbacks_.setCurrentUserAgent(agent);
  engine::Browser* browser = callbacks_.currentBrowser ? callbacks_.currentBrowser() : nullptr;
  if (browser) browser->SetUserAgent(agent);
  const std::string shown = browser ? browser->UserAgent() : agent;
  L5.set_text(shown);
  ui::ShowMessage("Current user agent: " + shown, kCaption, ui::Icon::Information, this);
}

void Tfoptions::sbsetClick() { MakeCurrent(e_ua.get_text()); }

void Tfoptions::sbset2Click() {
  const int row = Selected();
  if (row < 0) return;
  MakeCurrent(agents_[std::size_t(row)]);
}

void Tfoptions::SpeedButton4Click() {
  if (!addString_) return;
  addString_->eadd.set_text("");
  addString_->L1.set_text("Add new user agent string");
  if (addString_->Execute() != ModalResult::Ok) return;
  InsertSorted(agents_, addString_->eadd.get_text());
  ShowAgents();
  SelectFirst();
}

void Tfoptions::sbeditClick() {
  const int row = Selected();
  if (row < 0 || !addString_) return;
  addString_->eadd.set_text(agents_[std::size_t(row)]);
  addString_->L1.set_text("Edit user agent string");
  if (addString_->Execute() != ModalResult::Ok) return;
  agents_.erase(agents_.begin() + row);
  InsertSorted(agents_, addString_->eadd.get_text());
  ShowAgents();
  SelectFirst();
}

void Tfoptions::sbminusClick() {
  const int row = Selected();
  if (row < 0) return;
  if (!ui::AskYesNo(RemovalQuestion(agents_[std::size_t(row)]), kCaption, this, /*noIsDefault=*/true)) return;
  agents_.erase(agents_.begin() + row);
  ShowAgents();
  if (!agents_.empty()) SelectFirst();
}

}  // namespace options
