#include "rss/Tfmanage.h"

#include <glib/gstdio.h>

#include "rss/FeedList.h"
#include "rss/Tfslide.h"
#include "ui/Dialogs.h"

namespace rss {

namespace {

constexpr controls::Rgb kButtonColumnColor{57, 56, 56};

// Outside the class: g_remove may be a macro naming remove(), which a
// window has as a member.
void RemoveFile(const std::string& path) { g_remove(path.c_str()); }

}  // namespace

Tfmanage::Tfmanage(std::string settingsFolder, Tfslide* slide)
    : settingsFolder_(std::move(settingsFolder)),
      slide_(slide),
      store_(Gtk::ListStore::create(columns_)),
      list_(settingsFolder_ + kFeedListFile) {
  set_name("Tfmanage");
  set_title("Manage Feeds");
  set_resizable(false);
  set_position(Gtk::WIN_POS_CENTER);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
  set_size_request(805, 466);

  tabela.set_name("tabela");
  tabela.set_model(store_);
  tabela.append_column("Feeds", columns_.caption);
  tabela.append_column("URL", columns_.subItems[0]);
  const int widths[] = {350, 250};
  for (int i = 0; i < 2; ++i) {
    Gtk::TreeViewColumn* column = tabela.get_column(i);
    column->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    column->set_fixed_width(widths[i]);
    column->set_resizable(true);
  }
  tabela.get_selection()->set_mode(Gtk::SELECTION_SINGLE);
  tabelaScroll.set_name("tabelaScroll");
  tabelaScroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
  tabelaScroll.add(tabela);
  body.pack_start(tabelaScroll, Gtk::PACK_EXPAND_WIDGET);

  p4.set_name("p4");
  p4.SetColor(kButtonColumnColor);
  p4.set_size_request(116, 466);
  struct Place {
    Gtk::Button* button;
    const char* name;
    int top;
    void (Tfmanage::*click)();
  };
  const Place places[] = {
      {&sb1, "sb1", 8, &Tfmanage::sb1Click},       {&SB2, "SB2", 40, &Tfmanage::SB2Click},
      {&SB3, "SB3", 72, &Tfmanage::SB3Click},      {&sb4, "sb4", 104, &Tfmanage::sb4Click},
      {&SB5, "SB5", 136, &Tfmanage::SB5Click},     {&BitBtn1, "BitBtn1", 466 - 40, &Tfmanage::BitBtn1Click},
  };
  for (const Place& p : places) {
    p.button->set_name(p.name);
    p.button->set_size_request(104, 28);
    p.button->signal_clicked().connect(sigc::mem_fun(*this, p.click));
    p4.put(*p.button, 6, p.top);
  }
  body.pack_start(p4, Gtk::PACK_SHRINK);
  add(body);
  body.show_all();
}

void Tfmanage::LoadFile() {
  if (!g_file_test(FeedListPath().c_str(), G_FILE_TEST_EXISTS)) return;
  listfile::Rows rows;
  try {
    if (list_.Load(rows, this, /*reportMissing=*/false) == listfile::LoadStatus::Loaded)
      listfile::FillListStore(store_, columns_, rows);
  } catch (const std::exception&) {
    // The list keeps what it had.
  }
}

void Tfmanage::FormCreate() {
  RemoveFile(settingsFolder_ + kLegacyFeedListFile);
  LoadFile();
}

void Tfmanage::ReloadFeedList() {
  Clear();
  // An obsolete list of an earlier release is not read: it goes.
  RemoveFile(settingsFolder_ + kLegacyFeedListFile);
  LoadFile();
}

void Tfmanage::Clear() { store_->clear(); }

listfile::Rows Tfmanage::Feeds() const { return listfile::ReadRows(store_, columns_); }

std::size_t Tfmanage::FeedCount() const { return store_->children().size(); }

void Tfmanage::SetFeeds(const listfile::Rows& rows) { listfile::FillListStore(store_, columns_, rows); }

std::set<std::size_t> Tfmanage::Selected() const {
  std::set<std::size_t> selected;
  auto selection = const_cast<Gtk::TreeView&>(tabela).get_selection();
  for (const Gtk::TreePath& path : selection->get_selected_rows())
    if (!path.empty()) selected.insert(std::size_t(path[0]));
  return selected;
}

void Tfmanage::Select(std::size_t index) {
  auto selection = tabela.get_selection();
  selection->unselect_all();
  if (index < FeedCount()) selection->select(Gtk::TreePath(std::to_string(index)));
}

void Tfmanage::ShowModal() {
  show();
  FormActivate();
  if (get_visible()) ui::dialogs().RunModal(*this);
  hide();
}

void Tfmanage::FormActivate() {
  if (AddRssPending()) sb1Click();
}

void Tfmanage::sb1Click() {
  if (!slide_) return;
  slide_->ename.set_text("");
  slide_->eurl.set_text("");
  slide_->set_transient_for(*this);
  if (slide_->ShowModal() != ModalResult::Ok) return;
  listfile::SetRow(*store_->append(), columns_, MakeFeed(slide_->ename.get_text(), slide_->eurl.get_text()));
}

void Tfmanage::SB2Click() {
  listfile::Rows rows = Feeds();
  RemoveRows(rows, Selected());
  SetFeeds(rows);
}

void Tfmanage::Move(bool up) {
  const std::set<std::size_t> selected = Selected();
  listfile::Rows rows = Feeds();
  const auto moved = MoveRow(rows, selected.empty() ? std::nullopt : std::optional(*selected.begin()), up);
  if (!moved) return;
  SetFeeds(rows);
  Select(*moved);
}

void Tfmanage::SB3Click() { Move(true); }

void Tfmanage::sb4Click() { Move(false); }

void Tfmanage::SB5Click() {
  const listfile::Rows rows = Feeds();
  const auto target = EditTarget(rows, Selected());
  if (!target || !slide_) return;
  slide_->ename.set_text("");
  slide_->ename.set_text(FeedName(rows[*target]));
  slide_->eurl.set_text(FeedAddress(rows[*target]));
  slide_->set_transient_for(*this);
  if (slide_->ShowModal() != ModalResult::Ok) return;
  // The row may have gone while the dialog was open.
  if (*target >= FeedCount()) return;
  Gtk::TreeRow row = *store_->children()[*target];
  listfile::Row edited = listfile::GetRow(row, columns_);
  edited.caption = slide_->ename.get_text();
  if (edited.subItems.empty()) edited.subItems.resize(1);
  edited.subItems[0] = slide_->eurl.get_text();
  listfile::SetRow(row, columns_, edited);
}

void Tfmanage::BitBtn1Click() {
  list_.Save(Feeds(), this);
  hide();
}

bool Tfmanage::on_key_press_event(GdkEventKey* key) {
  if (key->keyval == GDK_KEY_Escape) {
    BitBtn1Click();
    return true;
  }
  return Gtk::Window::on_key_press_event(key);
}

bool Tfmanage::on_delete_event(GdkEventAny*) {
  // Closed without "Close": nothing is saved.
  hide();
  return true;
}

}  // namespace rss
