#include "designer/Tfdesigner.h"

#include "ui/Dialogs.h"

namespace designer {

namespace {

constexpr const char* kCaption = "Lumivale Designer";

// The designer's questions: the question beep and the question icon.
bool Ask(const std::string& text, Gtk::Window* owner) {
  ui::dialogs().Sound(ui::Beep::Question);
  return ui::dialogs().Show({text, kCaption, ui::Icon::Question, ui::Buttons::YesNo}, owner) == ui::Answer::Yes;
}

}  // namespace

Tfdesigner::Tfdesigner(Callbacks callbacks) : callbacks_(std::move(callbacks)) {
  set_name("Tfdesigner");
  set_title(kCaption);
  // Wide enough for the whole first toolbar.
  set_default_size(1280, 800);
}

Tfdesigner::~Tfdesigner() = default;

void Tfdesigner::Build() {
  if (built_) return;
  built_ = true;
  ToolBar1.set_name("ToolBar1");
  ToolBar2.set_name("ToolBar2");
  ToolBar1.set_toolbar_style(Gtk::TOOLBAR_ICONS);
  ToolBar2.set_toolbar_style(Gtk::TOOLBAR_TEXT);
  FontCombo.set_name("FontCombo");
  FontCombo.set_tooltip_text("Font Name");
  csize.set_name("csize");
  csize.set_tooltip_text("Font Size");
  for (const std::string& size : FontSizes()) csize.append(size);
  filling_ = true;
  csize.set_active(0);
  filling_ = false;
  fontItem_.add(FontCombo);
  sizeItem_.add(csize);
  AddButtons(ToolBar1, ToolBar1Buttons());
  AddButtons(ToolBar2, ToolBar2Buttons());
  FontCombo.signal_changed().connect(sigc::mem_fun(*this, &Tfdesigner::FontComboChange));
  csize.signal_changed().connect(sigc::mem_fun(*this, &Tfdesigner::csizeChange));
  layout.pack_start(ToolBar1, Gtk::PACK_SHRINK);
  layout.pack_start(ToolBar2, Gtk::PACK_SHRINK);
  // The engine view costs a process of its own: made when first opened.
  wbrisi_ = callbacks_.newBrowser ? callbacks_.newBrowser() : nullptr;
  if (wbrisi_) {
    wbrisi_->widget().set_name("wbrisi");
    layout.pack_start(wbrisi_->widget(), Gtk::PACK_EXPAND_WIDGET);
    wbrisi_->OnDocumentComplete.connect([this](bool topLevel) {
      if (!topLevel || !designPending_) return;
      designPending_ = false;
      if (editing_) wbrisi_->SetDesignMode(true);
    });
  }
  add(layout);
  layout.show_all();
}

void Tfdesigner::AddButtons(Gtk::Toolbar& bar, const std::vector<ToolButtonRow>& rows) {
  for (const ToolButtonRow& row : rows) {
    if (std::string(row.name) == "ToolButton47") {
      // The font and size lists come before Bold.
      bar.append(fontItem_);
      bar.append(sizeItem_);
    }
    std::unique_ptr<Gtk::ToolItem> item;
    if (row.kind == ButtonKind::Separator) {
      item = std::make_unique<Gtk::SeparatorToolItem>();
    } else {
      auto button = std::make_unique<Gtk::ToolButton>(row.hint);
      if (row.icon) button->set_icon_name(row.icon);
      button->set_tooltip_text(row.hint);
      const ToolButtonRow* s = &row;
      button->signal_clicked().connect([this, s] { Run(*s); });
      buttons_.emplace_back(row.name, button.get());
      item = std::move(button);
    }
    item->set_name(row.name);
    bar.append(*item);
    if (row.kind == ButtonKind::Hidden) {
      item->set_no_show_all(true);
      item->hide();
    }
    items_.push_back(std::move(item));
  }
}

Gtk::ToolButton* Tfdesigner::Button(const std::string& name) {
  Build();
  for (auto& [n, button] : buttons_)
    if (n == name) return button;
  return nullptr;
}

void Tfdesigner::Run(const ToolButtonRow& row) {
  switch (row.kind) {
    case ButtonKind::New: NewClick(); break;
    case ButtonKind::SaveAs: SaveAsClick(); break;
    case ButtonKind::Edit: EditClick(); break;
    case ButtonKind::Preview: PreviewClick(); break;
    case ButtonKind::Command: akcija(row.command); break;
    case ButtonKind::ForeColor: ToolButton8Click(); break;
    case ButtonKind::BackColor: ToolButton9Click(); break;
    case ButtonKind::Print: PrintClick(); break;
    case ButtonKind::Exit: ExitClick(); break;
    case ButtonKind::Separator:
    case ButtonKind::Hidden: break;
  }
}

void Tfdesigner::Open(const std::string& address) {
  Build();
  if (wbrisi_) wbrisi_->Navigate(address);
  set_title(std::string(kCaption) + " " + address);
  ui::dialogs().RunModal(*this);
}

void Tfdesigner::FormActivate() {
  Build();
  if (wbrisi_ && callbacks_.userAgent) wbrisi_->SetUserAgent(callbacks_.userAgent());
  editing_ = false;
  designPending_ = false;
  FillFonts();
  if (Ask("Start Editing ?", this)) EditClick();
}

void Tfdesigner::FillFonts() {
  std::vector<std::string> families;
  if (callbacks_.fontFamilies) {
    families = callbacks_.fontFamilies();
  } else {
    for (const auto& family : get_pango_context()->list_families()) families.push_back(family->get_name());
  }
  filling_ = true;
  FontCombo.remove_all();
  for (const std::string& family : EachOnce(families)) FontCombo.append(family);
  if (!families.empty()) FontCombo.set_active(0);
  filling_ = false;
}

void Tfdesigner::akcija(const std::string& command) {
  if (!editing_ || !wbrisi_) return;
  const EngineAction action = ActionFor(command);
  bool done = false;
  switch (action.kind) {
    case EngineAction::Kind::Command:
      done = wbrisi_->ExecCommand(action.name);
      break;
    case EngineAction::Kind::InsertHtml:
      done = wbrisi_->ExecCommand(action.name, action.value);
      break;
    case EngineAction::Kind::AskAddress: {
      const auto address = ui::dialogs().AskText(action.prompt, kCaption, "http://", this);
      if (!address || address->empty()) return;  // cancelled: nothing changes
      done = wbrisi_->ExecCommand(action.name, *address);
      break;
    }
    case EngineAction::Kind::Reload:
      // The page loaded again is edited again.
      designPending_ = true;
      wbrisi_->Refresh();
      done = true;
      break;
  }
  if (!done) Refused(command);
}

void Tfdesigner::Refused(const std::string& command) {
  ui::ShowMessage("The editor cannot carry out \"" + command + "\" here.", kCaption, ui::Icon::Error, this);
}

void Tfdesigner::NewClick() {
  if (!wbrisi_) return;
  // The new document starts outside design mode, whatever the flag says.
  designPending_ = false;
  wbrisi_->Navigate("about:blank ");
}

void Tfdesigner::SaveAsClick() {
  if (wbrisi_ && callbacks_.save) callbacks_.save(*wbrisi_);
}

void Tfdesigner::PrintClick() {
  if (wbrisi_ && callbacks_.print) callbacks_.print(*wbrisi_);
}

void Tfdesigner::EditClick() {
  if (!wbrisi_) return;
  editing_ = true;
  if (wbrisi_->IsComplete()) {
    if (!wbrisi_->SetDesignMode(true)) designPending_ = true;
  } else {
    designPending_ = true;
  }
}

void Tfdesigner::PreviewClick() {
  if (!wbrisi_) return;
  editing_ = false;
  designPending_ = false;
  wbrisi_->SetDesignMode(false);
}

void Tfdesigner::ExitClick() {
  if (FormCloseQuery()) hide();
}

bool Tfdesigner::FormCloseQuery() {
  if (!get_visible()) return true;
  return Ask("Close designer ?", this);
}

void Tfdesigner::on_show() {
  Gtk::Window::on_show();
  FormActivate();
}

bool Tfdesigner::on_delete_event(GdkEventAny*) {
  if (FormCloseQuery()) hide();
  return true;  // hidden, never destroyed
}

void Tfdesigner::ColorCommand(const std::string& command) {
  if (!editing_ || !wbrisi_) return;
  const auto colour = ui::dialogs().ChooseColor(lastColor_, this);
  if (!colour) return;
  lastColor_ = *colour;
  if (!wbrisi_->ExecCommand(command, CssColor(*colour))) Refused(command);
}

void Tfdesigner::ToolButton8Click() { ColorCommand("forecolor"); }
void Tfdesigner::ToolButton9Click() { ColorCommand("BackColor"); }

void Tfdesigner::FontComboChange() {
  if (filling_ || !editing_ || !wbrisi_) return;
  const std::string name = FontCombo.get_active_text();
  if (name.empty()) return;
  if (!wbrisi_->ExecCommand("FontName", name)) Refused("FontName");
}

void Tfdesigner::csizeChange() {
  if (filling_ || !editing_ || !wbrisi_) return;
  const std::string size = csize.get_active_text();
  if (size.empty()) return;
  if (!wbrisi_->ExecCommand("Fontsize", std::to_string(std::stoi(size)))) Refused("Fontsize");
}

}  // namespace designer
