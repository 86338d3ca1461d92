#include "library/Tffavorit.h"

#include "library/BookmarkRules.h"
#include "library/ListStyle.h"
#include "library/Tfaddfav.h"
#include "ui/Dialogs.h"
#include "ui/ProcessMessages.h"

namespace library {

Tffavorit::Tffavorit(std::string bookmarksFile, Callbacks callbacks)
    : callbacks_(std::move(callbacks)), list_(std::move(bookmarksFile)) {
  set_name("Tffavorit");
  set_title("Lumivale - Bookmarks");
  set_position(Gtk::WIN_POS_CENTER);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
  set_skip_taskbar_hint(true);
  set_default_size(840, 520);
  UseListStyle();
  add(layout_);

  BuildSearchBar(Panel1, hurl, xs);
  layout_.pack_start(Panel1, Gtk::PACK_SHRINK);
  hurl.signal_key_press_event().connect(sigc::mem_fun(*this, &Tffavorit::hurlKeyPress), false);
  xs.signal_clicked().connect(sigc::mem_fun(*this, &Tffavorit::xsClick));

  tabela.set_name("tabela");
  tabela.AddColumn("Bookmarks", 399, /*clickable=*/true);
  tabela.AddColumn("URL", 399, /*clickable=*/true);
  tabela.SetColors([this](std::size_t row, int) { return tabelaCustomDrawItem(row); });
  tabela.signal_double_click().connect(sigc::mem_fun(*this, &Tffavorit::tabelaDblClick));
  tabela.signal_column_click().connect(sigc::mem_fun(*this, &Tffavorit::tabelaColumnClick));
  tabelaScroll.set_name("tabelaScroll");
  tabelaScroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
  tabelaScroll.add(tabela);
  layout_.pack_start(tabelaScroll, Gtk::PACK_EXPAND_WIDGET);

  Panel2.set_name("Panel2");
  Panel2.SetColor(kBarColor);
  Panel2.set_size_request(-1, 40);
  layout_.pack_start(Panel2, Gtk::PACK_SHRINK);
  struct Place {
    Gtk::Button* button;
    const char* name;
    int x, width;
    void (Tffavorit::*click)();
  };
  const Place places[] = {
      {&XiButton2, "XiButton2", 8, 90, &Tffavorit::BitBtn3Click},
      {&XiButton1, "XiButton1", 104, 90, &Tffavorit::BitBtn4Click},
      {&XiButton4, "XiButton4", 200, 140, &Tffavorit::BitBtn2Click},
      {&XiButton3, "XiButton3", 346, 90, &Tffavorit::BitBtn1Click},
  };
  for (const Place& p : places) {
    p.button->set_name(p.name);
    p.button->set_size_request(p.width, 26);
    p.button->signal_clicked().connect(sigc::mem_fun(*this, p.click));
    Panel2.put(*p.button, p.x, 7);
  }
  layout_.show_all();

  property_is_active().signal_changed().connect([this] {
    if (is_active()) FormActivate();
  });
}

void Tffavorit::Attach(Tfaddfav& add, Tfeditfavorites& edit) {
  add_ = &add;
  edit_ = &edit;
  add.set_transient_for(*this);
  edit.set_transient_for(*this);
  add.SetTarget([this](const std::string& name, const std::string& url) { AddBookmark(name, url); });
}

void Tffavorit::LoadList() {
  if (!list_.ChangedOnDisk()) return;
  listfile::Rows rows;
  if (list_.Load(rows, this, /*reportMissing=*/false) == listfile::LoadStatus::Loaded) tabela.Assign(std::move(rows));
}

void Tffavorit::Execute() {
  LoadList();
  ui::ProcessMessages();
  ui::dialogs().RunModal(*this);
  if (callbacks_.focusMainWindow) callbacks_.focusMainWindow();
}

void Tffavorit::AddBookmark(const std::string& name, const std::string& url) {
  LoadList();
  tabela.Append(Bookmark(name, url));
  list_.Save(tabela.Items(), this);
}

void Tffavorit::FormCloseQuery() { list_.Save(tabela.Items(), this); }

void Tffavorit::BitBtn1Click() {
  if (get_visible()) FormCloseQuery();
  hide();
}

void Tffavorit::BitBtn2Click() {
  if (add_) add_->Execute();
}

void Tffavorit::BitBtn3Click() {
  if (tabela.Items().empty()) return;
  const std::optional<std::size_t> selected = tabela.Selected();
  if (!selected) return;
  const std::string name = tabela.Items()[*selected].caption;
  if (name.empty()) return;
  if (!ui::AskYesNo(RemoveQuestion(name), "Lumivale", this)) return;
  const std::vector<std::size_t> rows = tabela.SelectedRows();
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) tabela.Erase(*row);
}

void Tffavorit::BitBtn4Click() {
  if (tabela.Items().empty() || !edit_) return;
  const std::size_t index = tabela.Selected().value_or(0);
  const listfile::Row& row = tabela.Items()[index];
  edit_->ename.set_text(row.caption);
  edit_->eurl.set_text(BookmarkUrl(row));
  if (edit_->Execute() != ModalResult::Ok) return;
  // The list cannot change while the dialog is open: this window is
  // modal, and nothing else touches it.
  if (index >= tabela.Items().size()) return;
  listfile::Row edited = tabela.Items()[index];
  SetBookmark(edited, edit_->ename.get_text(), edit_->eurl.get_text());
  tabela.Replace(index, std::move(edited));
}

void Tffavorit::tabelaDblClick() {
  try {
    if (const std::optional<std::size_t> selected = tabela.Selected()) {
      const std::string url = BookmarkUrl(tabela.Items()[*selected]);
      if (callbacks_.openInCurrentTab) callbacks_.openInCurrentTab(url);
    }
  } catch (const std::exception&) {
    // The window closes all the same.
  }
  BitBtn1Click();
}

void Tffavorit::tabelaColumnClick(int column) {
  sortInverted_ = !sortInverted_;
  tabela.Reorder(SortedOrder(tabela.Items(), column, sortInverted_));
}

void Tffavorit::xsClick() { tabela.queue_draw(); }

bool Tffavorit::hurlKeyPress(GdkEventKey* key) {
  if (key->keyval != GDK_KEY_Return && key->keyval != GDK_KEY_KP_Enter) return false;
  xsClick();
  return true;
}

void Tffavorit::FormActivate() { hurl.grab_focus(); }

bool Tffavorit::on_key_press_event(GdkEventKey* key) {
  if (key->keyval == GDK_KEY_Escape) {
    BitBtn1Click();
    return true;
  }
  return Gtk::Window::on_key_press_event(key);
}

bool Tffavorit::on_delete_event(GdkEventAny*) {
  BitBtn1Click();
  return true;
}

const SearchText& Tffavorit::Search() {
  search_.Set(hurl.get_text().raw());
  return search_;
}

CellColors Tffavorit::tabelaCustomDrawItem(std::size_t row) {
  bool found = false;
  if (row < tabela.Items().size()) {
    const listfile::Row& r = tabela.Items()[row];
    found = Search().FoundIn(r.caption, BookmarkUrl(r));
  }
  return BookmarkCellColors(row, found);
}

}  // namespace library
