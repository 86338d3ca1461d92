#include "rss/Tfrss.h"

#include <glib/gstdio.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "engine/Browser.h"
#include "net/Download.h"
#include "rss/FeedList.h"
#include "rss/FeedWalk.h"
#include "rss/Tfmanage.h"
#include "settings/AtomicFile.h"
#include "ui/Dialogs.h"
#include "ui/ProcessMessages.h"

namespace rss {

namespace {

// The reader blanks its view with this while it fetches.
constexpr const char* kBlank = "about:blank";
// The standard error report's caption: the application's title.
constexpr const char* kErrorCaption = "Lumivale web browser";

// Sets a flag for as long as it lives.
class Raised {
 public:
  explicit Raised(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~Raised() { flag_ = old_; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  bool& flag_;
  bool old_;
};

// Outside the class: g_remove may be a macro naming remove(), which a
// window has as a member.
void RemoveFile(const std::string& path) { g_remove(path.c_str()); }

// Counts the reader engine's event handlers running now.
class InEngineHandler {
 public:
  explicit InEngineHandler(int& count) : count_(count) { ++count_; }
  ~InEngineHandler() { --count_; }
  InEngineHandler(const InEngineHandler&) = delete;
  InEngineHandler& operator=(const InEngineHandler&) = delete;

 private:
  int& count_;
};

bool Exists(const std::string& path) { return g_file_test(path.c_str(), G_FILE_TEST_EXISTS); }

std::string FeedFailure(const std::string& name, const std::string& address, const std::string& reason) {
  return "The feed \"" + name + "\" (" + address + ") cannot be read.\n\n" + reason;
}

}  // namespace

Tfrss::Tfrss(std::string settingsFolder, std::string tempFolder, Callbacks callbacks)
    : settingsFolder_(std::move(settingsFolder)), tempFolder_(std::move(tempFolder)), callbacks_(std::move(callbacks)) {
  set_name("Tfrss");
  set_title("Lumivale - RSS Reader");
  set_position(Gtk::WIN_POS_CENTER);

  PageControl1.set_name("PageControl1");
  PageControl1.set_size_request(-1, 65);
  for (Gtk::Box* sheet : {&TabSheet1, &TabSheet2}) {
    sheet->set_spacing(6);
    sheet->set_border_width(6);
  }
  TabSheet1.set_name("TabSheet1");
  TabSheet2.set_name("TabSheet2");
  struct Named {
    Gtk::Widget* widget;
    const char* name;
  };
  for (const Named& n : {Named{&cbfeeds, "cbfeeds"}, Named{&sb1, "sb1"}, Named{&SpeedButton7, "SpeedButton7"},
                         Named{&SpeedButton9, "SpeedButton9"}, Named{&cbstran, "cbstran"},
                         Named{&SpeedButton6, "SpeedButton6"}, Named{&SpeedButton2, "SpeedButton2"},
                         Named{&pwb, "pwb"}, Named{&ProgressBar, "ProgressBar"}, Named{&cbnews, "cbnews"},
                         Named{&SpeedButton4, "SpeedButton4"}, Named{&SpeedButton10, "SpeedButton10"}}) {
    n.widget->set_name(n.name);
  }
  cbfeeds.set_size_request(297, -1);
  cbstran.set_size_request(297, -1);
  cbfeeds.set_wrap_width(1);
  cbstran.set_wrap_width(1);
  TabSheet1.pack_start(cbfeeds, Gtk::PACK_SHRINK);
  TabSheet1.pack_start(sb1, Gtk::PACK_SHRINK);
  TabSheet1.pack_start(SpeedButton7, Gtk::PACK_SHRINK);
  TabSheet1.pack_start(SpeedButton9, Gtk::PACK_SHRINK);
  TabSheet2.pack_start(cbstran, Gtk::PACK_SHRINK);
  TabSheet2.pack_start(SpeedButton6, Gtk::PACK_SHRINK);
  TabSheet2.pack_start(SpeedButton2, Gtk::PACK_SHRINK);
  PageControl1.append_page(TabSheet1, "Feeds    ");
  PageControl1.append_page(TabSheet2, "Feeds from current browser page   ");
  body.pack_start(PageControl1, Gtk::PACK_SHRINK);
  body.pack_start(pwb, Gtk::PACK_EXPAND_WIDGET);

  bottom.set_name("bottom");
  bottom.set_spacing(8);
  bottom.set_border_width(4);
  ProgressBar.set_size_request(153, 12);
  ProgressBar.set_valign(Gtk::ALIGN_CENTER);
  ProgressBar.set_show_text(false);
  bottom.pack_start(ProgressBar, Gtk::PACK_SHRINK);
  bottom.pack_end(SpeedButton10, Gtk::PACK_SHRINK);
  bottom.pack_end(SpeedButton4, Gtk::PACK_SHRINK);
  bottom.pack_end(cbnews, Gtk::PACK_SHRINK);
  cbnews.set_active(true);
  body.pack_start(bottom, Gtk::PACK_SHRINK);
  add(body);
  body.show_all();
  ProgressBar.hide();
  ProgressBar.set_no_show_all(true);

  cbfeeds.signal_changed().connect([this] {
    if (!programmatic_) cbfeedsChange();
  });
  cbstran.signal_changed().connect([this] {
    if (!programmatic_) cbstranChange();
  });
  PageControl1.signal_switch_page().connect([this](Gtk::Widget*, guint page) {
    if (!programmatic_) PageControl1Change(int(page));
  });
  sb1.signal_clicked().connect(sigc::mem_fun(*this, &Tfrss::sb1Click));
  SpeedButton6.signal_clicked().connect(sigc::mem_fun(*this, &Tfrss::sb1Click));
  SpeedButton7.signal_clicked().connect(sigc::mem_fun(*this, &Tfrss::SpeedButton7Click));
  SpeedButton9.signal_clicked().connect(sigc::mem_fun(*this, &Tfrss::SpeedButton9Click));
  SpeedButton2.signal_clicked().connect(sigc::mem_fun(*this, &Tfrss::XiButton5Click));
  SpeedButton10.signal_clicked().connect(sigc::mem_fun(*this, &Tfrss::SpeedButton10Click));
}

Tfrss::~Tfrss() {
  releaseTimer_.disconnect();
  released_.clear();
  wb_.reset();
}

void Tfrss::FormCreate() {
  int width = 1920, height = 1080;
  if (auto display = Gdk::Display::get_default()) {
    auto monitor = display->get_primary_monitor();
    if (!monitor) monitor = display->get_monitor(0);
    if (monitor) {
      Gdk::Rectangle r;
      monitor->get_geometry(r);
      width = r.get_width();
      height = r.get_height();
    }
  }
  FormCreate(width, height);
}

void Tfrss::FormCreate(int screenWidth, int screenHeight) {
  set_default_size(std::max(1, screenWidth - screenWidth / 3), std::max(1, screenHeight - screenHeight / 3));
}

Tfmanage* Tfrss::Manage() const { return callbacks_.manage ? callbacks_.manage() : nullptr; }

unsigned Tfrss::RandomNumber() {
  if (callbacks_.randomNumber) return callbacks_.randomNumber() % 100000u;
  std::mt19937 generator(unsigned(std::chrono::system_clock::now().time_since_epoch().count()));
  return std::uniform_int_distribution<unsigned>(0, 99999)(generator);
}

void Tfrss::SetBusy(bool busy) {
  auto window = get_window();
  if (!window) return;
  if (busy)
    window->set_cursor(Gdk::Cursor::create(get_display(), Gdk::WATCH));
  else
    window->set_cursor();
}

// ---------------------------------------------------------------------------
// Showing, activation, closing

void Tfrss::ShowModal() {
  set_modal(true);
  bool onScreen = get_mapped();
  sigc::connection mapped = signal_map_event().connect([&onScreen](GdkEventAny*) {
    onScreen = true;
    return false;
  });
  show();
  present();
  // The engine is made for a window the display has put on the screen.
  ui::WaitUntil([&onScreen] { return onScreen; }, 2000);
  mapped.disconnect();
  FormActivate();
  if (get_visible()) ui::dialogs().RunModal(*this);
}

void Tfrss::FormActivate() {
  for (;;) {
    Activation();
    if (!get_visible() || !AddRssPending()) return;
    SpeedButton2Click();
    SetAddRssPending(false);
    // The reader is active again once the manage window has gone.
    if (!get_visible()) return;
  }
}

void Tfrss::Activation() {
  {
    Raised quiet(programmatic_);
    PageControl1.set_current_page(0);
  }
  ScanPageFeeds();
  if (Tfmanage* manage = Manage()) manage->Clear();
  sb1.set_sensitive(false);
  NewEngine();
  const unsigned serial = engineSerial_;
  if (Tfmanage* manage = Manage()) manage->ReloadFeedList();
  ui::ProcessMessages();
  if (!Alive(serial)) return;
  FillFeeds();
  if (cbfeeds.get_model()->children().empty()) return;
  {
    Raised quiet(programmatic_);
    cbfeeds.set_active(0);
  }
  sb1.set_sensitive(false);
  cbfeedsChange();
}

void Tfrss::NewEngine() {
  ReleaseEngine();
  if (!callbacks_.newBrowser) return;
  wb_ = callbacks_.newBrowser();
  if (!wb_) return;
  ++engineSerial_;
  Gtk::Widget& view = wb_->widget();
  view.set_name("wb");
  pwb.pack_start(view, Gtk::PACK_EXPAND_WIDGET);
  view.show();
  wb_->OnProgressChange.connect([this](int progress, int progressMax) {
    InEngineHandler inside(engineHandlers_);
    WebBrowserProgressChange(progress, progressMax);
  });
  wb_->OnDocumentComplete.connect([this](bool) {
    InEngineHandler inside(engineHandlers_);
    WebBrowserDocumentComplete();
  });
}

void Tfrss::ReleaseEngine() {
  if (!wb_) return;
  ++engineSerial_;
  Gtk::Widget& view = wb_->widget();
  if (view.get_parent() == &pwb) pwb.remove(view);
  if (engineHandlers_ == 0) {
    wb_.reset();
    return;
  }
  // One of its events is being handled: it goes once that handler is done.
  released_.push_back(std::move(wb_));
  if (!releaseTimer_.connected()) {
    releaseTimer_ = Glib::signal_timeout().connect(
        [this] {
          if (engineHandlers_ > 0) return true;
          released_.clear();
          return false;
        },
        50);
  }
}

void Tfrss::FillFeeds() {
  Raised quiet(programmatic_);
  cbfeeds.remove_all();
  if (Tfmanage* manage = Manage())
    for (const listfile::Row& row : manage->Feeds()) cbfeeds.append(FeedName(row));
}

void Tfrss::FormCloseQuery() {
  // Only the reader's own pages go; every other file of the settings
  // folder stays.
  if (GDir* dir = g_dir_open(settingsFolder_.c_str(), 0, nullptr)) {
    while (const char* name = g_dir_read_name(dir))
      if (IsPageFileName(name)) RemoveFile(settingsFolder_ + name);
    g_dir_close(dir);
  }
  shownPage_.clear();
  ReleaseEngine();
}

void Tfrss::Close() {
  FormCloseQuery();
  SetBusy(false);
  hide();
}

void Tfrss::SpeedButton10Click() { Close(); }

bool Tfrss::on_key_press_event(GdkEventKey* key) {
  if (key->keyval == GDK_KEY_Escape) {
    Close();
    return true;
  }
  return Gtk::Window::on_key_press_event(key);
}

bool Tfrss::on_delete_event(GdkEventAny*) {
  Close();
  return true;
}

// ---------------------------------------------------------------------------
// Feeds

void Tfrss::cbfeedsChange() {
  // The chosen name decides, whatever the previous operation was.
  currentFeedAddress.clear();
  const std::string text = cbfeeds.get_active_text();
  if (Tfmanage* manage = Manage()) {
    const listfile::Rows rows = manage->Feeds();
    if (auto found = FindFeed(rows, text)) {
      currentFeedAddress = FeedAddress(rows[*found]);
      currentFeedName = FeedName(rows[*found]);
    }
  }
  if (currentFeedAddress != kDownloadAllMarker)
    bbrefreshClick();
  else
    nalozivse();
}

void Tfrss::SpeedButton7Click() {
  sb1.set_sensitive(false);
  cbfeedsChange();
}

void Tfrss::SpeedButton9Click() {
  Tfmanage* manage = Manage();
  if (!manage) return;
  manage->set_transient_for(*this);
  manage->ShowModal();
  FillFeeds();
  // The reader is active again: its activation runs.
  if (get_visible()) FormActivate();
}

void Tfrss::SpeedButton2Click() {
  Tfmanage* manage = Manage();
  if (!manage) return;
  manage->set_transient_for(*this);
  manage->ShowModal();
  FillFeeds();
}

void Tfrss::bbrefreshClick() { OpenFeed(currentFeedAddress, currentFeedName); }

void Tfrss::OpenFeed(const std::string& address, const std::string& shownName) {
  if (address.empty() || !wb_) return;
  const unsigned serial = engineSerial_;
  wb_->Navigate(kBlank);
  const std::string temp = tempFolder_ + FeedFileName(RandomNumber());
  if (cbfeeds.get_active_text().empty()) return;
  try {
    g_mkdir_with_parents(tempFolder_.c_str(), 0700);
    const net::FeedFileResult fetched = net::FetchFeedFile(address, temp, [this, serial] { return !Alive(serial); });
    ui::ProcessMessages();
    if (!Alive(serial)) {
      RemoveFile(temp);
      return;
    }
    if (!fetched.fileCreated) throw FeedError(fetched.error);
    if (!Exists(temp)) {
      ui::ShowMessage(kSourceNotFound, "Lumivale", ui::Icon::None, this);
      return;
    }
    SetBusy(true);
    const auto bytes = settings::ReadWholeFile(temp);
    if (!bytes) throw FeedError("The downloaded feed cannot be read.");
    const std::vector<FeedItem> items = ReadFeed(*bytes);
    mc.Begin();
    for (const FeedItem& item : items) mc.AppendItem(item, shownName);
    RemoveFile(temp);
    SetBusy(false);
    mc.End();
    WriteAndShow(/*keep=*/false);
  } catch (const std::exception&) {
    SetBusy(false);
    RemoveFile(temp);
    if (!Alive(serial)) return;
    mc.SetErrorPage();
    try {
      WriteAndShow(/*keep=*/false);
    } catch (const std::exception& e) {
      ui::ShowMessage(e.what(), kErrorCaption, ui::Icon::Error, this);
    }
  }
}

void Tfrss::nalozivse() {
  Tfmanage* manage = Manage();
  if (!wb_ || !manage) return;
  const unsigned serial = engineSerial_;
  RemoveFile(settingsFolder_ + "rsss.html");
  mc.Begin();
  wb_->Navigate(kBlank);
  const std::string temp = tempFolder_ + FeedFileName(RandomNumber());
  currentFeedAddress.clear();
  const listfile::Rows rows = manage->Feeds();
  try {
    for (const listfile::Row& row : rows) {
      currentFeedAddress = FeedAddress(row);
      currentFeedName = FeedName(row);
      if (currentFeedAddress == kDownloadAllMarker) continue;
      SetBusy(true);
      g_mkdir_with_parents(tempFolder_.c_str(), 0700);
      const net::FeedFileResult fetched =
          net::FetchFeedFile(currentFeedAddress, temp, [this, serial] { return !Alive(serial); });
      ui::ProcessMessages();
      if (!Alive(serial)) {
        RemoveFile(temp);
        return;
      }
      if (!fetched.fileCreated) throw FeedError(FeedFailure(currentFeedName, currentFeedAddress, fetched.error));
      ui::ProcessMessages();
      if (!Alive(serial)) {
        RemoveFile(temp);
        return;
      }
      const auto bytes = settings::ReadWholeFile(temp);
      std::vector<FeedItem> items;
      try {
        if (!bytes) throw FeedError("The downloaded feed cannot be read.");
        items = ReadFeed(*bytes);
      } catch (const FeedError& e) {
        // A failed download explains an empty file better than the parser.
        const std::string reason = fetched.downloaded ? e.what() : fetched.error;
        throw FeedError(FeedFailure(currentFeedName, currentFeedAddress, reason));
      }
      for (const FeedItem& item : items) mc.AppendItem(item, currentFeedName);
      RemoveFile(temp);
      SetBusy(false);
    }
    mc.End();
    WriteAndShow(/*keep=*/true);
  } catch (const std::exception& e) {
    SetBusy(false);
    RemoveFile(temp);
    if (!Alive(serial)) return;
    ui::ShowMessage(e.what(), kErrorCaption, ui::Icon::Error, this);
  }
}

void Tfrss::WriteAndShow(bool keep) {
  const std::string path = settingsFolder_ + PageFileName(RandomNumber());
  std::string error;
  if (!settings::WriteFileAtomically(path, mc.Bytes(), &error))
    throw std::runtime_error("The reader's page cannot be written: " + error);
  wb_->Navigate(path);
  ui::ProcessMessages();
  // A single feed's page stays only while it is shown: the page before it
  // goes now, this one when the next page replaces it or the reader
  // closes. (The engine reads a file some time after it was told to show
  // it; no moment before the next page is sure to be after that.)
  if (!shownPage_.empty() && shownPage_ != path) RemoveFile(shownPage_);
  shownPage_ = keep ? std::string() : path;
}

// ---------------------------------------------------------------------------
// Open in Browser, the gauge, the engine's events

void Tfrss::sb1Click() {
  try {
    if (!wb_) return;
    const std::string address = wb_->LocationURL();
    // A page of the reader itself is a local file: never a tab's.
    if (address.empty() || address[0] == '/' || g_ascii_strncasecmp(address.c_str(), "file:", 5) == 0) return;
    if (!callbacks_.isUrlReachable || !callbacks_.isUrlReachable(address)) return;
    if (!wb_) return;
    wb_->Stop();
    if (callbacks_.openInBrowser) callbacks_.openInBrowser(address);
  } catch (const std::exception&) {
  }
}

void Tfrss::WebBrowserProgressChange(int progress, int progressMax) {
  ProgressBar.set_visible(gaugeValue_ > 0);
  ui::ProcessMessages();
  if (progress <= 0) {
    gaugeValue_ = 0;
  } else {
    gaugeMax_ = progressMax;
    gaugeValue_ = progress;
  }
  ProgressBar.set_fraction(gaugeMax_ > 0 ? std::clamp(double(gaugeValue_) / gaugeMax_, 0.0, 1.0) : 0.0);
}

void Tfrss::WebBrowserDocumentComplete() {
  sb1.set_sensitive(true);
  // A fresh view may present its first page out of place (one row of it
  // at the bottom, grey above) until its size is agreed on again.
  if (wb_) wb_->widget().queue_resize();
}

// ---------------------------------------------------------------------------
// Feeds of the current page

void Tfrss::ScanPageFeeds() {
  Raised quiet(programmatic_);
  cbstran.remove_all();
  engine::Browser* page = callbacks_.currentPage ? callbacks_.currentPage() : nullptr;
  if (!page) return;
  try {
    for (const engine::Link& link : page->Links()) {
      if (!LooksLikeFeedLink(link.href)) continue;
      cbstran.append(link.href);
      cbstran.set_active(0);
    }
  } catch (const std::exception&) {
    // The entries found so far stay.
  }
}

void Tfrss::PageControl1Change(int page) {
  if (page == 0) {
    SpeedButton7Click();
    return;
  }
  engine::Browser* current = callbacks_.currentPage ? callbacks_.currentPage() : nullptr;
  if (current && current->IsComplete()) ScanPageFeeds();
}

void Tfrss::cbstranChange() {
  const std::string address = cbstran.get_active_text();
  if (address.empty()) return;
  currentFeedAddress = address;
  // A page feed's items name the address they came from; the feed list's
  // current name stays as it was.
  OpenFeed(address, address);
}

void Tfrss::XiButton5Click() { cbstranChange(); }

}  // namespace rss
