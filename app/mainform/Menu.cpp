// The command table: every item of the command menu `poptool` and every
// button of the side button bar, with its name, caption, shortcut and
// handler.
#include "app/MainForm.h"

#include <vector>

#include "app/mainform/Internal.h"

namespace app {

using namespace mainform;

namespace {

using Handler = void (TMainForm::*)();
using Condition = bool (TMainForm::*)();
using WidgetOf = Gtk::Widget& (*)(TMainForm&);
using MenuOf = Gtk::Menu& (*)(TMainForm&);

template <auto Member>
Gtk::Widget& W(TMainForm& form) {
  return form.*Member;
}
template <auto Member>
Gtk::Menu& M(TMainForm& form) {
  return form.*Member;
}

enum class Kind { Item, Separator, SideButton, Key };

// A row of the command table: a menu item of `poptool` (or of one of its
// submenus), a separator, a button of the side button bar `p2`, or a key
// of the window that has no item.
struct Command {
  Kind kind;
  WidgetOf widget;  // the member; null for a separator
  MenuOf menu;      // the menu the item or separator is in
  const char* name;
  const char* caption;  // a menu item's caption; a side button's hint
  guint key = 0;        // shortcut, working even while the item is hidden
  Gdk::ModifierType mods = Gdk::ModifierType(0);
  Handler handler = nullptr;  // null: no action
  bool hidden = false;        // never shown in the menu
  MenuOf submenu = nullptr;   // the submenu the item opens
  Condition when = nullptr;   // a key row takes its key only while this holds
};

constexpr auto kNone = Gdk::ModifierType(0);
constexpr auto kCtrl = Gdk::CONTROL_MASK;

Command Item(WidgetOf widget, MenuOf menu, const char* name, const char* caption, Handler handler = nullptr,
             guint key = 0, Gdk::ModifierType mods = kNone) {
  return {Kind::Item, widget, menu, name, caption, key, mods, handler};
}
Command HiddenItem(WidgetOf widget, MenuOf menu, const char* name, const char* caption, Handler handler = nullptr,
                   guint key = 0, Gdk::ModifierType mods = kNone) {
  Command c = Item(widget, menu, name, caption, handler, key, mods);
  c.hidden = true;
  return c;
}
Command Submenu(WidgetOf widget, MenuOf menu, const char* name, const char* caption, MenuOf submenu,
                bool hidden = false) {
  Command c = Item(widget, menu, name, caption);
  c.submenu = submenu;
  c.hidden = hidden;
  return c;
}
Command Separator(MenuOf menu) { return {Kind::Separator, nullptr, menu, "", ""}; }
Command SideButton(WidgetOf widget, const char* name, const char* hint, Handler handler = nullptr) {
  return {Kind::SideButton, widget, nullptr, name, hint, 0, kNone, handler};
}

using F = TMainForm;

constexpr auto kAlt = Gdk::MOD1_MASK;
const auto kCtrlShift = Gdk::CONTROL_MASK | Gdk::SHIFT_MASK;

Command Key(guint key, Gdk::ModifierType mods, const char* name, Handler handler, Condition when = nullptr) {
  Command c{Kind::Key, nullptr, nullptr, name, "", key, mods, handler};
  c.when = when;
  return c;
}

// Every command of the main window, in menu order; then the side buttons
// in the order of the button mask.
const std::vector<Command>& Commands() {
  static const std::vector<Command> table = {
      Submenu(W<&F::Files1>, M<&F::poptool>, "Files1", "Files", M<&F::Files1Menu>),
      Item(W<&F::OpenFile1>, M<&F::Files1Menu>, "OpenFile1", "Open File", &F::OpenFile1Click),
      Item(W<&F::NewSession1>, M<&F::Files1Menu>, "NewSession1", "New Session", &F::NewSession1Click, GDK_KEY_n,
           kCtrl),
      Item(W<&F::d1>, M<&F::Files1Menu>, "d1", "Duplicate", &F::d1Click),
      Item(W<&F::SaveAs1>, M<&F::Files1Menu>, "SaveAs1", "Save As...", &F::SaveAs1Click),
      Item(W<&F::Print2>, M<&F::Files1Menu>, "Print2", "Print", &F::Print2Click, GDK_KEY_p, kCtrl),
      Item(W<&F::PrintPreview2>, M<&F::Files1Menu>, "PrintPreview2", "Print Preview...", &F::PrintPreview2Click),
      Item(W<&F::MailLinkToThisPage2>, M<&F::poptool>, "MailLinkToThisPage2", "Mail Link to this Page", &F::MailLinkToThisPage2Click,
           GDK_KEY_i, kCtrl),
      Separator(M<&F::poptool>),
      Item(W<&F::AdvancedSearch1>, M<&F::poptool>, "AdvancedSearch1", "Search Assistant", &F::AdvancedSearch1Click),
      Item(W<&F::Find1>, M<&F::poptool>, "Find1", "Find", &F::Find1Click, GDK_KEY_F3),
      Separator(M<&F::poptool>),
      Submenu(W<&F::ools2>, M<&F::poptool>, "ools2", "Tools", M<&F::ools2Menu>),
      Item(W<&F::t115>, M<&F::ools2Menu>, "t115", "Show cookies", &F::t115Click),
      HiddenItem(W<&F::InternetOptions2>, M<&F::ools2Menu>, "InternetOptions2", "Internet Options"),
      Item(W<&F::DeleteTemporaryInternetFiles2>, M<&F::ools2Menu>, "DeleteTemporaryInternetFiles2",
           "Delete Temporary Internet Files", &F::DeleteTemporaryInternetFiles2Click),
      HiddenItem(W<&F::t101>, M<&F::ools2Menu>, "t101", "Turn Off Pop-up Blocker"),
      HiddenItem(W<&F::SetLumivaleasDefaultBrowser1>, M<&F::ools2Menu>, "SetLumivaleasDefaultBrowser1",
                 "Set Lumivale as Default Browser "),
      HiddenItem(W<&F::t102>, M<&F::ools2Menu>, "t102", "Delete Temporary Internet Files On Refresh"),
      Item(W<&F::ViewSource2>, M<&F::ools2Menu>, "ViewSource2", "View Source", &F::ViewSource2Click),
      Item(W<&F::Editor1>, M<&F::ools2Menu>, "Editor1", "Editor", &F::Editor1Click),
      Item(W<&F::QuickWebSearch3>, M<&F::ools2Menu>, "QuickWebSearch3", "Web Search", &F::QuickWebSearch3Click,
           GDK_KEY_F4),
      Submenu(W<&F::SetQuickWebSearch1>, M<&F::ools2Menu>, "SetQuickWebSearch1", "Set Quick Web Search",
              M<&F::SetQuickWebSearch1Menu>, /*hidden=*/true),
      Item(W<&F::Google1>, M<&F::SetQuickWebSearch1Menu>, "Google1", "Google"),
      Item(W<&F::Bing1>, M<&F::SetQuickWebSearch1Menu>, "Bing1", "Bing"),
      Item(W<&F::Yahoo1>, M<&F::SetQuickWebSearch1Menu>, "Yahoo1", "Yahoo"),
      Item(W<&F::Wikipedia1>, M<&F::SetQuickWebSearch1Menu>, "Wikipedia1", "Wikipedia"),
      Item(W<&F::LookupDomain1>, M<&F::ools2Menu>, "LookupDomain1", "Lookup domain  (www.whois.com)",
           &F::LookupDomain1Click),
      HiddenItem(W<&F::ProgressBarEndColor2>, M<&F::ools2Menu>, "ProgressBarEndColor2", "Progress Bar End Color"),
      Separator(M<&F::poptool>),
      Item(W<&F::RSSReader1>, M<&F::poptool>, "RSSReader1", "RSS Reader", &F::RSSReader1Click),
      Item(W<&F::AddRSS2>, M<&F::poptool>, "AddRSS2", "Add RSS", &F::AddRSS2Click, GDK_KEY_F8),
      Item(W<&F::ScrollingRSS1>, M<&F::poptool>, "ScrollingRSS1", "RSS scrolling", &F::ScrollingRSS1Click),
      Separator(M<&F::poptool>),
      Item(W<&F::GoogleTranslate1>, M<&F::poptool>, "GoogleTranslate1", "Google Translate", &F::GoogleTranslate1Click),
      Item(W<&F::Redirecttonewbrowser1>, M<&F::poptool>, "Redirecttonewbrowser1", "Redirect ",
           &F::xredirectClick),
      Item(W<&F::ransparent1>, M<&F::poptool>, "ransparent1", "Transparent", &F::ransparent1Click, GDK_KEY_F10),
      Item(W<&F::History1>, M<&F::poptool>, "History1", "History", &F::History1Click),
      Item(W<&F::Zoom2>, M<&F::poptool>, "Zoom2", "Zoom", &F::Zoom2Click),
      Separator(M<&F::poptool>),
      HiddenItem(W<&F::HideAdressBar1>, M<&F::poptool>, "HideAdressBar1", "Auto hide Adress Bar"),
      Item(W<&F::FullScreen1>, M<&F::poptool>, "FullScreen1", "Adress Bar", &F::FullScreen1Click, GDK_KEY_F11),
      Item(W<&F::FlatAdressBar1>, M<&F::poptool>, "FlatAdressBar1", "Flat Adress Bar", &F::FlatAdressBar1Toggled),
      Separator(M<&F::poptool>),
      HiddenItem(W<&F::smartback>, M<&F::poptool>, "smartback", "Smart background"),
      Item(W<&F::Options1>, M<&F::poptool>, "Options1", "Options", &F::Options1Click),
      Item(W<&F::AboutLumivale1>, M<&F::poptool>, "AboutLumivale1", "About Lumivale Web Browser",
           &F::AboutLumivale1Click),
      Separator(M<&F::poptool>),
      Item(W<&F::Exit2>, M<&F::poptool>, "Exit2", "Exit", &F::Exit2Click),
      HiddenItem(W<&F::Showbar1>, M<&F::poptool>, "Showbar1", "Show bar", &F::xbshow, GDK_KEY_Delete, kCtrl),

      SideButton(W<&F::xq1>, "xq1", "RSS Reader", &F::xq1Click),
      SideButton(W<&F::xisci>, "xisci", "Find", &F::xisciClick),
      SideButton(W<&F::xtranslate>, "xtranslate", "Google Translate", &F::xtranslateClick),
      SideButton(W<&F::xquick>, "xquick", "Web Search", &F::xquickClick),
      SideButton(W<&F::xredirect>, "xredirect", "Redirect to new browser", &F::xredirectClick),
      SideButton(W<&F::xtransparent>, "xtransparent", "Transparent", &F::xtransparentClick),
      SideButton(W<&F::xhist>, "xhist", "History", &F::History1Click),
      SideButton(W<&F::xp9>, "xp9", "Search Assistant", &F::xp9Click),
      SideButton(W<&F::XiButton7>, "XiButton7", "Zoom", &F::XiButton7Click),
      SideButton(W<&F::xF11>, "xF11", "Navigation Bar"),
      SideButton(W<&F::xiskrolup>, "xiskrolup", "Top of page"),

      // The keys every browser has. A key sent with Shift for its symbol
      // (plus on most layouts) has a row with Shift too; the keypad's keys
      // have rows of their own.
      Key(GDK_KEY_Left, kAlt, "Back", &F::BackKey),
      Key(GDK_KEY_Right, kAlt, "Forward", &F::ForwardKey),
      Key(GDK_KEY_F5, kNone, "Reload", &F::ReloadKey),
      Key(GDK_KEY_r, kCtrl, "Reload", &F::ReloadKey),
      Key(GDK_KEY_Escape, kNone, "Stop", &F::StopKey, &F::PageLoading),
      Key(GDK_KEY_l, kCtrl, "Address", &F::AddressKey, &F::AddressBarShown),
      Key(GDK_KEY_t, kCtrl, "NewTab", &F::NewTabKey),
      Key(GDK_KEY_w, kCtrl, "CloseTab", &F::CloseTabKey),
      Key(GDK_KEY_Tab, kCtrl, "NextTab", &F::NextTabKey),
      Key(GDK_KEY_ISO_Left_Tab, kCtrlShift, "PreviousTab", &F::PreviousTabKey),
      Key(GDK_KEY_Tab, kCtrlShift, "PreviousTab", &F::PreviousTabKey),
      Key(GDK_KEY_plus, kCtrl, "ZoomIn", &F::ZoomInKey),
      Key(GDK_KEY_plus, kCtrlShift, "ZoomIn", &F::ZoomInKey),
      Key(GDK_KEY_equal, kCtrl, "ZoomIn", &F::ZoomInKey),
      Key(GDK_KEY_KP_Add, kCtrl, "ZoomIn", &F::ZoomInKey),
      Key(GDK_KEY_minus, kCtrl, "ZoomOut", &F::ZoomOutKey),
      Key(GDK_KEY_KP_Subtract, kCtrl, "ZoomOut", &F::ZoomOutKey),
      Key(GDK_KEY_0, kCtrl, "ZoomReset", &F::ZoomResetKey),
      Key(GDK_KEY_KP_0, kCtrl, "ZoomReset", &F::ZoomResetKey),
  };
  return table;
}

// Runs the menu item given as `data`: a shortcut works whether or not its
// item is shown.
gboolean ActivateItem(GtkAccelGroup*, GObject*, guint, GdkModifierType, gpointer data) {
  static_cast<Gtk::MenuItem*>(data)->activate();
  return TRUE;
}

}  // namespace

void TMainForm::BuildMenu() {
  accelerators = Gtk::AccelGroup::create();
  add_accel_group(accelerators);
  poptool.set_name("poptool");

  signal_key_press_event().connect(sigc::mem_fun(*this, &TMainForm::ShellKeyPress), false);

  for (const Command& c : Commands()) {
    if (c.kind == Kind::Key) continue;
    if (c.kind == Kind::Separator) {
      auto* separator = Gtk::manage(new Gtk::SeparatorMenuItem);
      c.menu(*this).append(*separator);
      separator->show();
      continue;
    }
    Gtk::Widget& widget = c.widget(*this);
    widget.set_name(c.name);
    if (c.kind == Kind::SideButton) {
      widget.set_tooltip_text(c.caption);
      if (!c.handler) continue;
      if (auto* button = dynamic_cast<Gtk::Button*>(&widget))
        button->signal_clicked().connect(sigc::mem_fun(*this, c.handler));
      else if (auto* glyph = dynamic_cast<controls::GlyphButton*>(&widget))
        glyph->signal_clicked().connect(sigc::mem_fun(*this, c.handler));
      continue;
    }
    auto& item = static_cast<Gtk::MenuItem&>(widget);
    item.set_label(c.caption);
    item.set_use_underline(false);
    c.menu(*this).append(item);
    if (c.submenu) item.set_submenu(c.submenu(*this));
    if (c.key) {
      gtk_accel_group_connect(accelerators->gobj(), c.key, GdkModifierType(c.mods), GTK_ACCEL_VISIBLE,
                              g_cclosure_new(G_CALLBACK(ActivateItem), &item, nullptr));
      if (auto* label = dynamic_cast<Gtk::AccelLabel*>(item.get_child())) label->set_accel(c.key, c.mods);
    }
    if (c.handler) item.signal_activate().connect(sigc::mem_fun(*this, c.handler));
    if (c.hidden) {
      item.hide();
      item.set_no_show_all(true);
    } else {
      item.show();
    }
  }
  // The check marks as designed.
  HideAdressBar1.set_active(true);
  FlatAdressBar1.set_active(true);
}

bool TMainForm::ShellKeyPress(GdkEventKey* key) {
  const auto mods = Gdk::ModifierType(key->state) & (Gdk::CONTROL_MASK | Gdk::SHIFT_MASK | Gdk::MOD1_MASK);
  // Caps Lock does not change what a letter key does.
  const guint keyval = gdk_keyval_to_lower(key->keyval);
  for (const Command& c : Commands()) {
    if (c.kind != Kind::Key || c.key != keyval || c.mods != mods) continue;
    if (c.when && !(this->*c.when)()) return false;
    (this->*c.handler)();
    return true;
  }
  return false;
}

void TMainForm::ShowPoptool() {
  // The engine asks for its menu after the click has been handled, so
  // there is no event to place it by: it opens where the pointer is.
  auto window = get_window();
  if (!window) return;
  int x = 0, y = 0;
  Gdk::ModifierType mask;
  window->get_device_position(get_display()->get_default_seat()->get_pointer(), x, y, mask);
  GdkEvent* trigger = gdk_event_new(GDK_BUTTON_PRESS);
  trigger->button.window = GDK_WINDOW(g_object_ref(window->gobj()));
  trigger->button.time = GDK_CURRENT_TIME;
  trigger->button.button = 3;
  trigger->button.x = x;
  trigger->button.y = y;
  gdk_event_set_device(trigger, get_display()->get_default_seat()->get_pointer()->gobj());
  poptool.popup_at_rect(window, Gdk::Rectangle(x, y, 1, 1), Gdk::GRAVITY_NORTH_WEST, Gdk::GRAVITY_NORTH_WEST,
                        trigger);
  gdk_event_free(trigger);
}

}  // namespace app
