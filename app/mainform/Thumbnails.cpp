// Tab thumbnails and the enlarged preview under the mouse.
#include "app/MainForm.h"

#include "app/mainform/Internal.h"
#include "tabs/Thumbnail.h"
#include "ui/ProcessMessages.h"

namespace app {

using namespace mainform;

void TMainForm::WebBrowserScreenShot() {
  CaptureCurrentTab();
  poravnaj();
}

void TMainForm::CaptureCurrentTab() {
  const int cur = table.CurrentTab();
  engine::Browser* b = GetCurrentWB();
  if (!b || !table.IsLive(cur)) return;
  const auto capture = b->Snapshot();
  if (!capture) return;  // the tab keeps its old picture
  engine::Bitmap full = tabs::CutScrollBar(*capture);
  if (full.empty()) return;
  tabs::SmoothBitmap(full);
  if (!tabs::ResizeBmp(full, PreviewWidth, PreviewHeight)) return;
  ui::ProcessMessages();
  // The tab may have closed meanwhile.
  Tab& t = tab[std::size_t(cur)];
  if (!table.IsLive(cur) || !t.thumb) return;
  t.thumb->SetPicture(full);
  t.close->show();
  ColourTabs(cur);
}

void TMainForm::ThumbMouseEnter(tabs::Timagetarget& control) {
  if (!ThumbZoom) return;
  pads.hide();
  ui::ProcessMessages();
  const bool leftButton = drsnisx.get_visible();
  ui::WaitWithMessages(50);
  // The mouse may have left during the wait; then there is nothing to show.
  if (!control.hovered()) return;
  const int slot = control.tag;
  if (!table.IsLive(slot)) return;
  const Tab& t = tab[std::size_t(slot)];
  const int left = tabs::PreviewLeft(table.Left(slot), strip.stripLeft, leftButton, root.get_allocated_width(),
                                     PreviewWidth, pads.get_margin_start());
  pads.set_margin_start(left);
  pads.set_margin_top(poddrsni.get_allocated_height() > 1 ? poddrsni.get_allocated_height() : kStripHeight);
  Panel7Caption.set_text(" " + t.panel->get_tooltip_text());
  ipads.SetPicture(control.picture());
  pads.show();
  control.queue_draw();
}

void TMainForm::ThumbMouseLeave(tabs::Timagetarget& control) {
  pads.hide();
  ui::ProcessMessages();
  control.SetKodaI(0);
}

void TMainForm::ipadsMouseMove() { pads.hide(); }

}  // namespace app
