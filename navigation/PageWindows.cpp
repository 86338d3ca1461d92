#include "navigation/PageWindows.h"

#include <glib/gstdio.h>

#include "settings/Encoding.h"

namespace navigation {

Tffind::Tffind(std::function<engine::Browser*()> currentBrowser) : currentBrowser_(std::move(currentBrowser)) {
  set_name("Tffind");
  set_title("Find");
  set_resizable(false);
  set_skip_taskbar_hint(true);
  set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
}

void Tffind::Build() {
  if (built_) return;
  built_ = true;
  etext.set_name("etext");
  etext.set_width_chars(30);
  cmatchcase.set_name("cmatchcase");
  bprevious.set_name("bprevious");
  bnext.set_name("bnext");
  lresult.set_name("lresult");
  lresult.set_width_chars(14);
  box_.set_border_width(6);
  box_.pack_start(etext, Gtk::PACK_EXPAND_WIDGET);
  box_.pack_start(bprevious, Gtk::PACK_SHRINK);
  box_.pack_start(bnext, Gtk::PACK_SHRINK);
  box_.pack_start(cmatchcase, Gtk::PACK_SHRINK);
  box_.pack_start(lresult, Gtk::PACK_SHRINK);
  add(box_);
  etext.signal_activate().connect([this] { FindNext(false); });
  bnext.signal_clicked().connect([this] { FindNext(false); });
  bprevious.signal_clicked().connect([this] { FindNext(true); });
  // A new letter case is a new find.
  cmatchcase.signal_toggled().connect([this] {
    if (!etext.get_text().empty()) FindNext(false);
  });
  box_.show_all();
}

void Tffind::Open() {
  Build();
  show();
  present();
  etext.grab_focus();
  etext.select_region(0, -1);
}

int Tffind::FindNext(bool backwards) {
  engine::Browser* browser = currentBrowser_ ? currentBrowser_() : nullptr;
  const std::string text = etext.get_text();
  if (!browser || text.empty()) {
    lresult.set_text("");
    return 0;
  }
  searched_ = browser;
  const int matches = browser->Find(text, backwards, cmatchcase.get_active());
  lresult.set_text(matches == 0   ? "Not found"
                   : matches == 1 ? "1 match"
                                  : std::to_string(matches) + " matches");
  return matches;
}

void Tffind::on_hide() {
  // The marks stay only while the window is open; a browser that is no
  // longer current may be gone.
  if (searched_ && currentBrowser_ && currentBrowser_() == searched_) searched_->FindFinish();
  searched_ = nullptr;
  Gtk::Window::on_hide();
}

Tfsource::Tfsource() {
  set_name("Tfsource");
  set_default_size(800, 600);
}

void Tfsource::ShowSource(const std::string& address, const std::string& text) {
  if (!built_) {
    built_ = true;
    memo.set_name("memo");
    memo.set_editable(false);
    memo.set_monospace(true);
    memo.set_wrap_mode(Gtk::WRAP_NONE);
    scroll_.add(memo);
    add(scroll_);
    scroll_.show_all();
  }
  set_title("Source of " + address);
  // A page in a single-byte code page is read as Windows-1252.
  memo.get_buffer()->set_text(settings::ToUtf8(text));
  show();
  present();
}

std::string Tfsource::Text() const { return memo.get_buffer()->get_text(); }

Tfpreview::Tfpreview(engine::BrowserFactory newBrowser, std::function<void()> print)
    : newBrowser_(std::move(newBrowser)), print_(std::move(print)) {
  set_name("Tfpreview");
  set_title("Print Preview");
  set_default_size(900, 700);
}

Tfpreview::~Tfpreview() {
  browser_.reset();
  RemoveFile();
}

void Tfpreview::ShowPreview(const std::string& pdfFile) {
  if (!built_) {
    built_ = true;
    bprint.set_name("bprint");
    bclose.set_name("bclose");
    bar_.set_border_width(4);
    bar_.pack_start(bprint, Gtk::PACK_SHRINK);
    bar_.pack_start(bclose, Gtk::PACK_SHRINK);
    box_.pack_start(bar_, Gtk::PACK_SHRINK);
    bprint.signal_clicked().connect([this] {
      hide();
      if (print_) print_();
    });
    bclose.signal_clicked().connect([this] { hide(); });
    // The engine view costs a process of its own: made on first use.
    browser_ = newBrowser_ ? newBrowser_() : nullptr;
    if (browser_) box_.pack_start(browser_->widget(), Gtk::PACK_EXPAND_WIDGET);
    add(box_);
    box_.show_all();
  }
  if (file_ != pdfFile) RemoveFile();
  file_ = pdfFile;
  if (browser_) {
    gchar* uri = g_filename_to_uri(pdfFile.c_str(), nullptr, nullptr);
    browser_->Navigate(uri ? uri : pdfFile);
    g_free(uri);
  }
  show();
  present();
}

void Tfpreview::on_hide() {
  if (browser_) browser_->Navigate("about:blank");
  RemoveFile();
  Gtk::Window::on_hide();
}

void Tfpreview::RemoveFile() {
  if (file_.empty()) return;
  ::g_remove(file_.c_str());
  file_.clear();
}

}  // namespace navigation
