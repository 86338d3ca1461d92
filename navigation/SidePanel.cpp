#include "navigation/SidePanel.h"

#include "engine/Browser.h"

namespace navigation {
namespace {

constexpr controls::Rgb kToolbarColor{57, 56, 56};
constexpr controls::Rgb kCaptionColor{248, 248, 241};
constexpr int kToolbarHeight = 27;
constexpr int kCaptionHeight = 21;

}  // namespace

SidePanel::SidePanel(Callbacks callbacks)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL), callbacks_(std::move(callbacks)) {
  set_name("dxpanel");
  set_size_request(width_, -1);

  Panel1.set_name("Panel1");
  Panel1.SetColor(kToolbarColor);
  Panel1.set_size_request(-1, kToolbarHeight);
  Panel1.SetSizedByRequest(true);
  pack_start(Panel1, Gtk::PACK_SHRINK);
  XiButton12.set_name("XiButton12");
  Pango::AttrList light;
  auto white = Pango::Attribute::create_attr_foreground(0xFFFF, 0xFFFF, 0xFFFF);
  light.insert(white);
  XiButton12Caption.set_attributes(light);
  XiButton12.add(XiButton12Caption);
  XiButton12.set_size_request(121, 25);
  XiButton12.set_relief(Gtk::RELIEF_NONE);
  XiButton12.signal_clicked().connect(sigc::mem_fun(*this, &SidePanel::XiButton12Click));
  Panel1.put(XiButton12, 1, 1);
  struct Place {
    controls::GlyphButton* button;
    const char* name;
    int x, width;
    void (SidePanel::*click)();
  };
  const Place places[] = {
      {&XiButton10, "XiButton10", 123, 57, &SidePanel::XiButton10Click},
      {&XiButton11, "XiButton11", 181, 57, &SidePanel::XiButton11Click},
      {&XiButton8, "XiButton8", 239, 25, &SidePanel::XiButton8Click},
      {&XiButton9, "XiButton9", 265, 25, &SidePanel::XiButton9Click},
  };
  for (const Place& p : places) {
    p.button->set_name(p.name);
    p.button->set_size_request(p.width, 25);
    p.button->SetColors(kToolbarColor, {230, 230, 230});
    p.button->signal_clicked().connect(sigc::mem_fun(*this, p.click));
    Panel1.put(*p.button, p.x, 1);
  }
  Panel3.set_name("Panel3");
  Panel3.SetColor(kToolbarColor);
  Panel3.set_size_request(54, kToolbarHeight);
  Panel1.put(Panel3, width_ - 54, 0);
  XiButton13.set_name("XiButton13");
  XiButton13.set_size_request(25, 25);
  XiButton13.SetColors(kToolbarColor, {230, 230, 230});
  XiButton13.signal_clicked().connect(sigc::mem_fun(*this, &SidePanel::XiButton13Click));
  Panel3.put(XiButton13, 27, 1);

  p506.set_name("p506");
  p506.SetColor(kCaptionColor);
  p506.set_size_request(-1, kCaptionHeight);
  p506.SetSizedByRequest(true);
  pack_start(p506, Gtk::PACK_SHRINK);
  pcaption.set_name("pcaption");
  pcaption.SetMaxValue(100);
  pcaption.SetProgress(0);
  p506.put(pcaption, 0, 0);

  show_all();
  // Nothing shows the side panel's back and forward buttons.
  for (Gtk::Widget* hidden : {static_cast<Gtk::Widget*>(&XiButton8), static_cast<Gtk::Widget*>(&XiButton9)}) {
    hidden->hide();
    hidden->set_no_show_all(true);
  }
  signal_size_allocate().connect([this](Gtk::Allocation& a) {
    // Laid out once GTK has finished this allocation, and only when the
    // width changed: moving children allocates again.
    if (a.get_width() == laidOutWidth_) return;
    laidOutWidth_ = a.get_width();
    layout_.disconnect();
    layout_ = Glib::signal_idle().connect([this] {
      dxpanelResize();
      return false;
    });
  });
}

SidePanel::~SidePanel() { layout_.disconnect(); }

engine::Browser& SidePanel::EnsureBrowser() {
  if (!wbr_) {
    wbr_ = callbacks_.newBrowser();
    Gtk::Widget& view = wbr_->widget();
    view.set_name("wbr");
    pack_start(view, Gtk::PACK_EXPAND_WIDGET);
    view.show();
    if (callbacks_.browserCreated) callbacks_.browserCreated(*wbr_);
  }
  return *wbr_;
}

void SidePanel::SetWidth(int width) {
  width_ = std::max(1, width);
  set_size_request(width_, -1);
}

void SidePanel::dxpanelResize() {
  const int width = std::max(1, get_allocated_width());
  pcaption.set_size_request(width, kCaptionHeight);
  Panel1.move(Panel3, std::max(0, width - 54), 0);
}

void SidePanel::wbrDownloadBegin() { dxpanelResize(); }

void SidePanel::wbrProgressChange(int progress, int progressMax) {
  pcaption.SetMaxValue(progressMax);
  pcaption.SetProgress(progress);
}

void SidePanel::wbrTitleChange() {
  if (wbr_) pcaption.set_text(wbr_->LocationURL());
}

void SidePanel::wbrNewWindow2(engine::Browser*& newWindow, bool& cancel) {
  newWindow = nullptr;
  cancel = true;
  if (wbr_) wbr_->Navigate(wbr_->LocationURL());
}

void SidePanel::XiButton10Click() {
  if (wbr_) wbr_->Refresh();
}

void SidePanel::XiButton11Click() {
  if (wbr_ && callbacks_.find) callbacks_.find(*wbr_);
}

void SidePanel::XiButton8Click() {
  if (wbr_) wbr_->GoBack();
}

void SidePanel::XiButton9Click() {
  if (wbr_) wbr_->GoForward();
}

void SidePanel::XiButton12Click() {
  if (callbacks_.openInBrowser) callbacks_.openInBrowser();
}

void SidePanel::XiButton13Click() {
  if (callbacks_.close) callbacks_.close();
}

}  // namespace navigation
