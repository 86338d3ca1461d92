// Opening, switching, closing and duplicating tabs, and the tab strip.
#include "app/MainForm.h"

#include <algorithm>

#include "app/Forms.h"
#include "app/Startup.h"
#include "app/mainform/Internal.h"
#include "ui/Dialogs.h"
#include "ui/ProcessMessages.h"
#include "ui/Text.h"

namespace app {

using namespace mainform;

engine::Browser* TMainForm::GetCurrentWB() {
  if (SideRouting) return dxpanel.wbr();  // the side browser, once the panel has made it
  const int current = table.CurrentTab();
  return table.IsLive(current) ? tab[std::size_t(current)].browser.get() : nullptr;
}

engine::Browser* TMainForm::createBrowser(const std::string& url) {
  try {
    return OpenTab(url);
  } catch (const std::exception&) {
    return nullptr;
  }
}

void TMainForm::WhenTabsAreFree(std::function<void()> action) {
  Glib::signal_timeout().connect(
      [this, alive = alive_, action = std::move(action)] {
        if (!*alive || closing_) return false;
        if (!created_ || tabBusy_) return true;
        action();
        return false;
      },
      20);
}

void TMainForm::OpenHandedOver(const std::vector<std::string>& addresses) {
  WhenTabsAreFree([this, addresses] {
    if (addresses.empty()) createBrowser(kHomePageToken);
    for (const std::string& address : addresses)
      if (!closing_) createBrowser(address);
    if (!closing_) present();
  });
}

engine::Browser* TMainForm::OpenTab(const std::string& url) {
  const std::string address = ui::Trim(url) == kHomePageToken ? HomePage : url;
  const auto free = table.FreeSlot();
  if (!free) {
    ui::ShowMessage("No more tabs can be opened: " + std::to_string(tabs::kSlotCount) +
                        " are open. Close a tab to open another.",
                    "Lumivale", ui::Icon::Warning, this);
    return nullptr;
  }
  const int n = *free;
  table.Open(n);
  engine::Browser* browser = nullptr;
  try {
    browser = BuildTab(n);
  } catch (const std::exception&) {
  }
  if (!browser) {
    // A tab that cannot be built closes the window; no slot is left live
    // without its browser meanwhile.
    AbandonTab(n);
    CloseProgram();
    return nullptr;
  }

  BindEvents(browser);
  browser->SetUserAgent(UserAgent);
  browser->OnContextMenu.connect([this] { ShowPoptool(); });

  if (ui::Upper(address).find("GOOGLE.") != std::string::npos) GoogleRefresh = true;
  table.SetCurrentTab(n);
  // A new tab is never left scrolled out of sight.
  strip.ShowTab(table.Left(n), table.NextTabLeft(), table.LiveCount());
  ApplyStrip();
  browser->Navigate(address);
  return browser;
}

engine::Browser* TMainForm::BuildTab(int n) {
  Tab& t = tab[std::size_t(n)];
  const std::string number = std::to_string(n);
  t.panel = std::make_unique<controls::Panel>(kNewTabColor);
  t.panel->set_name("dpanel" + number);
  t.panel->set_size_request(tabs::kTabPanelWidth, kTabPanelHeight);
  t.panel->SetRounded(true);
  drsni.put(*t.panel, table.Left(n), 3);

  t.thumb = std::make_unique<tabs::Timagetarget>();
  t.thumb->set_name("slikaA" + number);
  t.thumb->set_size_request(106, 65);
  t.thumb->tag = n;
  t.thumb->SetCodeA("100");
  tabs::Timagetarget* thumb = t.thumb.get();
  thumb->signal_click.connect([this, n] { slikaklik(n); });
  thumb->signal_mouse_enter.connect([this, thumb] { ThumbMouseEnter(*thumb); });
  thumb->signal_mouse_leave.connect([this, thumb] { ThumbMouseLeave(*thumb); });
  t.panel->put(*thumb, 2, 3);

  t.close = std::make_unique<controls::GlyphButton>(controls::GlyphButton::Glyph::Cross);
  t.close->set_size_request(10, 10);
  t.close->SetColors({200, 60, 50}, {255, 255, 255});
  t.close->set_tooltip_text("Close");
  t.close->tag = n;
  t.close->set_no_show_all(true);
  t.close->signal_clicked().connect([this, n] { brisiAklik(n); });
  t.panel->put(*t.close, tabs::kTabPanelWidth - 15, 4);
  t.panel->show_all();

  poravnava();

  t.content = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_VERTICAL);
  t.content->set_name("zpanel" + number);
  t.browser = env_.newBrowser ? env_.newBrowser() : nullptr;
  if (!t.browser) return nullptr;
  engine::Browser* browser = t.browser.get();
  t.content->pack_start(browser->widget(), Gtk::PACK_EXPAND_WIDGET);
  t.content->show_all();
  pages.add(*t.content, "zpanel" + number);
  ShowContent(n);
  return browser;
}

void TMainForm::AbandonTab(int n) {
  Tab& t = tab[std::size_t(n)];
  table.Close(n);
  table.Repack();
  if (t.content && t.content->get_parent() == &pages) pages.remove(*t.content);
  if (t.panel && t.panel->get_parent() == &drsni) drsni.remove(*t.panel);
  Bury(std::move(t));
  t = Tab{};
  if (table.IsLive(table.CurrentTab())) ShowContent(table.CurrentTab());
  poravnava();
}

void TMainForm::ShowContent(int slot) {
  Tab& t = tab[std::size_t(slot)];
  if (t.content) pages.set_visible_child(*t.content);
}

void TMainForm::ColourTabs(int current) {
  for (int slot = 0; slot < table.TabCount(); ++slot)
    if (table.IsLive(slot)) tab[std::size_t(slot)].panel->SetColor(slot == current ? kCurrentTabColor : kTabColor);
}

void TMainForm::ShowAddressOf(engine::Browser* browser) {
  if (browser) eurl.set_text(browser->LocationURL());
}

void TMainForm::slikaklik(int n) {
  if (tabBusy_ || !table.IsLive(n)) return;
  tabBusy_ = true;
  WebBrowserScreenShot();
  ui::ProcessMessages();
  if (table.IsLive(n)) {
    ColourTabs(n);
    ShowContent(n);
    table.SetCurrentTab(n);
    ShowAddressOf(tab[std::size_t(n)].browser.get());
    WebBrowserScreenShot();
    // The zoom window shows the new tab's zoom.
    if (navigation::Tfzum* zoom = forms().fzum; zoom && zoom->get_visible()) zoom->FormActivate();
  }
  tabBusy_ = false;
}

void TMainForm::brisiAklik(int n) {
  if (tabBusy_ || !table.IsLive(n)) return;
  tabBusy_ = true;
  ipads.ClearPicture();
  pads.hide();
  SideRouting = true;

  if (table.LiveCount() < 2) {
    // Closing the last tab ends the program, through the normal shut-down.
    ui::ProcessMessages();
    tabBusy_ = false;
    SideRouting = false;
    CloseProgram();
    return;
  }

  if (sbdodaj.get_parent() == &drsni) drsni.move(sbdodaj, -200, 5);

  Tab& t = tab[std::size_t(n)];
  if (t.browser) {
    t.browser->Stop();
    ui::ProcessMessages();
  }
  table.Close(n);
  if (t.content) pages.remove(*t.content);
  if (t.panel) drsni.remove(*t.panel);
  Bury(std::move(t));
  t = Tab{};

  ui::ProcessMessages();
  int current = table.CurrentTab();
  if (current == n || !table.IsLive(current)) current = table.NearestLive(n).value_or(current);

  if (table.IsLive(current)) {
    ColourTabs(current);
    ShowContent(current);
    table.SetCurrentTab(current);
  }

  table.Repack();
  for (int slot : table.LiveInStripOrder()) drsni.move(*tab[std::size_t(slot)].panel, table.Left(slot), 3);
  poravnava();  // places the new-tab button too
  if (navigation::Tfzum* zoom = forms().fzum; zoom && zoom->get_visible()) zoom->hide();

  SideRouting = false;
  ShowAddressOf(GetCurrentWB());
  tabBusy_ = false;
}

void TMainForm::Bury(Tab&& gone) {
  if (gone.panel) gone.panel->hide();
  graveyard_.push_back(std::move(gone));
  if (!graveyardTimer_.connected())
    graveyardTimer_ = Glib::signal_timeout().connect([this] { return EmptyGraveyard(); }, 100);
}

bool TMainForm::EmptyGraveyard() {
  // A handler further up the stack may still be using these objects while
  // a nested message loop runs: wait until none does.
  if (ui::NestedDepth() > 0) return true;
  graveyard_.clear();
  return false;
}

void TMainForm::d1Click() {
  const int source = table.CurrentTab();
  engine::Browser* sourceBrowser = GetCurrentWB();
  KeepSidePage = true;
  const std::string address = eurl.get_text();
  engine::Browser* copy = createBrowser("");
  if (copy) {
    const int slot = table.CurrentTab();
    auto alive = [this](int s, engine::Browser* b) { return table.IsLive(s) && tab[std::size_t(s)].browser.get() == b; };
    copy->Navigate(address);
    ui::WaitUntil([&] { return !alive(slot, copy) || copy->IsComplete(); }, 30000);
    if (alive(slot, copy) && sourceBrowser && alive(source, sourceBrowser) && copy->IsComplete()) {
      if (auto html = sourceBrowser->BodyInnerHTML()) copy->SetBodyInnerHTML(*html);
    }
  }
  if (auto* b = GetCurrentWB()) b->GrabFocus();
}

void TMainForm::sbdodajClick() {
  createBrowser(kHomePageToken);
  if (navigation::Tfzum* zoom = forms().fzum; zoom && zoom->get_visible()) zoom->hide();
}

void TMainForm::zamenjajstran() {
  LastTitle = get_title();
  if (auto* b = GetCurrentWB()) b->Navigate(eurl.get_text());
  poravnaj();
}

void TMainForm::poravnava() {
  const int width = poddrsni.get_allocated_width() > 1 ? poddrsni.get_allocated_width() : root.get_allocated_width();
  strip.areaWidth = width > 1 ? width : 1258;
  strip.Layout(table.NextTabLeft(), table.LiveCount());
  ApplyStrip();
}

void TMainForm::poravnaj() {
  strip.PlaceNewTabButton(table.LiveCount());
  ApplyNewTabButton();
}

void TMainForm::drsnisxClick() {
  strip.ScrollLeft(table.NextTabLeft(), table.LiveCount());
  ApplyStrip();
}

void TMainForm::drsnidxClick() {
  strip.ScrollRight(table.NextTabLeft(), table.LiveCount());
  ApplyStrip();
}

void TMainForm::ApplyStrip() {
  drsnisx.set_visible(strip.overflow);
  Panel2.set_visible(strip.overflow);
  drsnidx.set_visible(strip.overflow);
  paneldodaj.set_visible(strip.overflow);
  drsni.set_size_request(strip.stripWidth, kStripHeight);
  drsniAll.set_size(std::max(1, strip.stripWidth), kStripHeight);
  drsniAll.move(drsni, strip.stripLeft, 0);
  ApplyNewTabButton();
}

void TMainForm::ApplyNewTabButton() {
  Gtk::Container* want = strip.buttonParked ? static_cast<Gtk::Container*>(&paneldodaj) : &drsni;
  if (sbdodaj.get_parent() != want) {
    if (auto* parent = sbdodaj.get_parent()) parent->remove(sbdodaj);
    if (strip.buttonParked)
      paneldodaj.put(sbdodaj, 0, 5);
    else
      drsni.put(sbdodaj, strip.buttonLeft, 5);
  } else if (!strip.buttonParked) {
    drsni.move(sbdodaj, strip.buttonLeft, 5);
  }
  sbdodaj.show();
}

}  // namespace app
