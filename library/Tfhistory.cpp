#include "library/Tfhistory.h"

#include <glibmm/main.h>

#include "engine/Browser.h"
#include "library/ListStyle.h"
#include "settings/Configuration.h"
#include "ui/Dialogs.h"
#include "ui/ProcessMessages.h"

namespace library {

Tfhistory::Tfhistory(std::string historyFile, int enableHist, bool loadLater, Callbacks callbacks)
    : callbacks_(std::move(callbacks)), list_(std::move(historyFile)) {
  set_name("Tfhistory");
  set_title("Web History");
  set_default_size(792, 560);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_UTILITY);
  set_skip_taskbar_hint(true);
  UseListStyle();
  add(layout_);

  // The top bar: the search box and its button, the switch, the buttons.
  BuildSearchBar(Panel1, hurl, xs);
  layout_.pack_start(Panel1, Gtk::PACK_SHRINK);
  hurl.signal_key_press_event().connect(sigc::mem_fun(*this, &Tfhistory::hurlKeyPress), false);
  xs.signal_clicked().connect(sigc::mem_fun(*this, &Tfhistory::xsClick));
  bchist.set_name("bchist");
  bchist.set_active(true);
  Panel1.put(bchist, 330, 11);
  Label1.set_name("Label1");
  Label1Box.set_name("Label1Box");
  Label1Box.set_visible_window(false);
  Label1Box.add(Label1);
  Label1Box.signal_button_press_event().connect([this](GdkEventButton* event) {
    if (event->button == 1 && event->type == GDK_BUTTON_PRESS) Label1Click();
    return true;
  });
  Panel1.put(Label1Box, 350, 12);
  XiButton2.set_name("XiButton2");
  XiButton2.set_size_request(110, 26);
  XiButton2.signal_clicked().connect(sigc::mem_fun(*this, &Tfhistory::XiButton2Click));
  Panel1.put(XiButton2, 480, 7);
  XiButton3.set_name("XiButton3");
  XiButton3.set_size_request(80, 26);
  XiButton3.signal_clicked().connect(sigc::mem_fun(*this, &Tfhistory::XiButton3Click));
  Panel1.put(XiButton3, 596, 7);

  mhistory.set_name("mhistory");
  mhistory.AddColumn("Date", 150);
  mhistory.AddColumn("Title", 310);
  mhistory.AddColumn("URL", 420);
  mhistory.SetColors([this](std::size_t row, int column) {
    return column == 0 ? mhistoryCustomDrawItem(row) : mhistoryCustomDrawSubItem(row, column);
  });
  mhistory.signal_double_click().connect(sigc::mem_fun(*this, &Tfhistory::mhistoryDblClick));
  mhistoryScroll.set_name("mhistoryScroll");
  mhistoryScroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
  mhistoryScroll.add(mhistory);
  layout_.pack_start(mhistoryScroll, Gtk::PACK_EXPAND_WIDGET);
  layout_.show_all();

  signal_show().connect(sigc::mem_fun(*this, &Tfhistory::FormShow));
  property_is_active().signal_changed().connect([this] {
    if (is_active()) FormActivate();
  });

  bchist.set_active(settings::HistorySwitchOn(enableHist));
  if (loadLater)
    Glib::signal_idle().connect_once([this] { EnsureLoaded(); }, Glib::PRIORITY_LOW);
  else
    EnsureLoaded();
}

void Tfhistory::EnsureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  listfile::Rows rows;
  if (list_.Load(rows, this, /*reportMissing=*/false) == listfile::LoadStatus::Loaded)
    mhistory.Assign(std::move(rows));
}

void Tfhistory::ReloadIfChanged() {
  if (!list_.ChangedOnDisk()) return;
  listfile::Rows rows;
  // A file that has gone, or cannot be read now, leaves the rows as they
  // are: the next write puts them back.
  if (list_.Load(rows, this, /*reportMissing=*/false) == listfile::LoadStatus::Loaded)
    mhistory.Assign(std::move(rows));
}

bool Tfhistory::Record(const Visit& visit) {
  EnsureLoaded();
  if (!Recordable(visit)) return false;
  // The check, the new row and the write go together: nothing may run in
  // between that lets another window's write slip under this one.
  ReloadIfChanged();
  std::optional<listfile::Row> row = VisitRow(mhistory.Items(), visit);
  if (!row) return false;
  if (mhistory.Items().size() >= listfile::kMaxRows) mhistory.Erase(mhistory.Items().size() - 1);
  mhistory.Insert(0, std::move(*row));
  list_.Save(mhistory.Items(), this);
  ui::ProcessMessages();
  return true;
}

void Tfhistory::FormShow() {
  if (!loaded_) {
    EnsureLoaded();
    return;
  }
  ReloadIfChanged();
}

void Tfhistory::FormActivate() { hurl.grab_focus(); }

void Tfhistory::XiButton2Click() {
  EnsureLoaded();
  if (mhistory.Items().empty()) return;
  if (!ui::AskYesNo("Clear History ?", "Lumivale", this)) return;
  mhistory.Clear();
  list_.Save(mhistory.Items(), this);
}

void Tfhistory::XiButton3Click() { hide(); }

void Tfhistory::Label1Click() { bchist.set_active(!bchist.get_active()); }

void Tfhistory::mhistoryDblClick() {
  if (mhistory.Items().empty()) return;
  std::string url;
  if (auto selected = mhistory.Selected()) {
    const listfile::Row& row = mhistory.Items()[*selected];
    if (row.subItems.size() >= 2) url = row.subItems[1];
  }
  if (!callbacks_.createBrowser || !callbacks_.createBrowser("")) return;
  if (engine::Browser* browser = callbacks_.currentBrowser ? callbacks_.currentBrowser() : nullptr)
    browser->Navigate(url);
}

void Tfhistory::xsClick() { mhistory.queue_draw(); }

bool Tfhistory::hurlKeyPress(GdkEventKey* key) {
  if (key->keyval != GDK_KEY_Return && key->keyval != GDK_KEY_KP_Enter) return false;
  xsClick();
  return true;
}

bool Tfhistory::on_key_press_event(GdkEventKey* key) {
  if (key->keyval == GDK_KEY_Escape) {
    XiButton3Click();
    return true;
  }
  return Gtk::Window::on_key_press_event(key);
}

const SearchText& Tfhistory::Search() {
  search_.Set(hurl.get_text().raw());
  return search_;
}

CellColors Tfhistory::mhistoryCustomDrawItem(std::size_t row) {
  return HistoryCellColors(row, HistoryColumn::Date, false);
}

CellColors Tfhistory::mhistoryCustomDrawSubItem(std::size_t row, int subItem) {
  bool found = false;
  if (row < mhistory.Items().size()) {
    const std::vector<std::string>& texts = mhistory.Items()[row].subItems;
    const std::string_view title = texts.size() > 0 ? std::string_view(texts[0]) : std::string_view();
    const std::string_view url = texts.size() > 1 ? std::string_view(texts[1]) : std::string_view();
    found = Search().FoundIn(title, url);
  }
  return HistoryCellColors(row, subItem == 1 ? HistoryColumn::Title : HistoryColumn::Url, found);
}

}  // namespace library
