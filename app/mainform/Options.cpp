// The options dialog's share of the main window: opening it and the about
// box, the values the dialogs read and set, and painting the colour
// scheme.
#include <gio/gio.h>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/mainform/Internal.h"
#include "engine/Browser.h"
#include "ui/Dialogs.h"

namespace app {

using namespace mainform;

void TMainForm::Options1Click() {
  if (options::Tfoptions* dialog = forms().foptions) dialog->Open();
}

void TMainForm::AboutLumivale1Click() {
  if (options::Tfabout* about = forms().fabout) about->Open();
}

options::Tfoptions::Callbacks TMainForm::OptionsCallbacks() {
  options::Tfoptions::Callbacks c;
  c.engineIndex = [this] { return SpeedSearch; };
  c.setEngineIndex = [this](int index) { SpeedSearch = index; };
  c.setQuickHint = [this](int index) {
    xquick.set_tooltip_text(engines[std::size_t(navigation::EngineIndex(index))].hint);
  };
  c.popupsAllowed = [this] { return PopupsAllowed; };
  c.setPopupsAllowed = [this](bool on) { PopupsAllowed = on; };
  c.thumbZoom = [this] { return ThumbZoom; };
  c.setThumbZoom = [this](bool on) { ThumbZoom = on; };
  // The reader window's "Enable breaking news" box.
  c.breakingNews = [this] { return BreakingNewsEnabled(); };
  c.setBreakingNews = [this](bool on) { SetBreakingNews(on); };
  c.paint = [this](const options::Look& look) { PaintScheme(look); };
  c.paintCurrentTab = [this] { ColourTabs(table.CurrentTab()); };
  c.schemeChanged = [this](int scheme, controls::Rgb custom) {
    config.colorScheme = scheme;
    config.customColor = int(controls::ToStored(custom));
  };
  c.colorDialog = [this]() -> settings::ColorDialogState& { return colorDialog; };
  c.currentBrowser = [this] { return GetCurrentWB(); };
  c.defaultUserAgent = [this] { return DefaultUserAgent; };
  c.setCurrentUserAgent = [this](const std::string& agent) { UserAgent = agent; };
  c.openFolder = [this](const std::string& folder) {
    GError* error = nullptr;
    gchar* uri = g_filename_to_uri(folder.c_str(), nullptr, &error);
    if (uri && g_app_info_launch_default_for_uri(uri, nullptr, &error)) {
      g_free(uri);
      return;
    }
    g_free(uri);
    const std::string reason = error ? error->message : "no program opens folders";
    if (error) g_error_free(error);
    ui::ShowMessage("The folder " + folder + " could not be opened: " + reason, "Lumivale", ui::Icon::Error,
                    forms().foptions);
  };
  return c;
}

options::Tfhomepage::Callbacks TMainForm::HomePageCallbacks() {
  options::Tfhomepage::Callbacks c;
  c.homePage = [this] { return HomePage; };
  c.setHomePage = [this](const std::string& address) { HomePage = address; };
  c.currentAddress = [this] {
    engine::Browser* browser = GetCurrentWB();
    return browser ? browser->LocationURL() : std::string();
  };
  return c;
}

void TMainForm::PaintScheme(const options::Look& look) {
  auto paint = [](controls::Panel& panel, const options::Look::Panel& part) {
    panel.SetColor(part.color);
    panel.SetTile(part.tile);
  };
  paint(RGPanel1, look.topBar);
  paint(drsni, look.strip);
  paint(p2, look.buttonBar);
  paneldodaj.SetColor(look.rightOfStrip.color);
  // The strip area is a scrolling layout: it is painted beneath the strip.
  stripAreaLook_ = look;
  if (!stripAreaDraw_.connected())
    stripAreaDraw_ = drsniAll.signal_draw().connect(
        [this](const Cairo::RefPtr<Cairo::Context>& cr) {
          const options::Look::Panel& part = stripAreaLook_.stripArea;
          cr->set_source_rgb(part.color.r / 255.0, part.color.g / 255.0, part.color.b / 255.0);
          cr->paint();
          if (part.tile) {
            cr->set_source(controls::TilePattern(*part.tile));
            cr->paint();
          }
          return false;
        },
        false);
  drsniAll.queue_draw();
}

}  // namespace app
