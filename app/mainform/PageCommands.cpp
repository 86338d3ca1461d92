// The page commands on the current tab: open a file, save, print and
// preview, find, source, cookies, the cache, translation, domain lookup and
// mailing a link.
#include "app/MainForm.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include "app/Forms.h"
#include "navigation/PageCommands.h"
#include "ui/Dialogs.h"

namespace app {

namespace {

// The standard message box carries the application's title.
constexpr const char* kAppTitle = "Lumivale web browser";

}  // namespace

navigation::Tffind& TMainForm::FindWindow() {
  if (!ffind_) {
    // The current tab's page, or the side page when its panel's find
    // button opened the window.
    ffind_ = std::make_unique<navigation::Tffind>([this] { return findInSide_ ? dxpanel.wbr() : GetCurrentWB(); });
    ffind_->set_transient_for(*this);
  }
  return *ffind_;
}

navigation::Tfsource& TMainForm::SourceWindow() {
  if (!fsource_) fsource_ = std::make_unique<navigation::Tfsource>();
  return *fsource_;
}

navigation::Tfpreview& TMainForm::PreviewWindow() {
  if (!fpreview_) {
    fpreview_ = std::make_unique<navigation::Tfpreview>(env_.newBrowser, [this] { Print2Click(); });
    fpreview_->set_transient_for(*this);
  }
  return *fpreview_;
}

void TMainForm::OpenFile1Click() {
  const auto path =
      ui::dialogs().OpenFile("Open File", navigation::ParseFilters(navigation::kOpenFileFilter), this);
  if (path) createBrowser(*path);
}

void TMainForm::SaveAs1Click() {
  if (engine::Browser* browser = GetCurrentWB()) SavePage(*browser);
}

void TMainForm::SavePage(engine::Browser& page) {
  engine::Browser* browser = &page;
  if (!browser->CanSave()) return;
  // The dialogs belong to the window showing the page.
  Gtk::Window* owner = dynamic_cast<Gtk::Window*>(browser->widget().get_toplevel());
  if (!owner) owner = this;
  const auto choice = ui::dialogs().SaveFile(
      "Save As", navigation::SuggestedFileName(browser->Title(), navigation::SaveKind::Html),
      navigation::SaveFilters(), owner);
  if (!choice) return;
  const auto format = navigation::SaveKindFor(choice->path, choice->filter) == navigation::SaveKind::Html
                          ? engine::SaveFormat::Html
                          : engine::SaveFormat::WebArchive;
  std::string error;
  if (!browser->Save(choice->path, format, &error))
    ui::ShowMessage(error, kAppTitle, ui::Icon::Error, owner);
}

void TMainForm::Print2Click() {
  if (engine::Browser* browser = GetCurrentWB()) PrintPage(*browser);
}

void TMainForm::PrintPage(engine::Browser& browser) {
  if (!browser.HasDocument()) return;
  switch (browser.Print()) {
    case engine::PrintResult::Printed:
      break;
    case engine::PrintResult::Canceled:
      ui::ShowMessage("Canceled by User", kAppTitle, ui::Icon::None, this);
      break;
    case engine::PrintResult::Failed:
      ui::ShowMessage("Error While Printing", kAppTitle, ui::Icon::None, this);
      break;
  }
}

void TMainForm::PrintPreview2Click() {
  engine::Browser* browser = GetCurrentWB();
  if (!browser || !browser->HasDocument()) return;
  std::string folder = env_.cacheFolder.empty() ? std::string(g_get_user_cache_dir()) + "/lumivale/" : env_.cacheFolder;
  g_mkdir_with_parents(folder.c_str(), 0700);
  const std::string file = folder + "preview-" + std::to_string(getpid()) + ".pdf";
  // Any failure leaves the page as it was, without a word.
  if (browser->Print(file) == engine::PrintResult::Printed) {
    PreviewWindow().ShowPreview(file);
  } else {
    ::g_remove(file.c_str());
  }
}

void TMainForm::MailLinkToThisPage2Click() {
  const std::string title = CurrentTabTitle();
  const std::string address = eurl.get_text();
  const std::string uri =
      navigation::MailtoAddress(navigation::MailSubject(title, address), navigation::MailBody(title, address));
  if (!env_.openUri || !env_.openUri(uri))
    ui::ShowMessage("Error while trying to send email", "Error", ui::Icon::Error, this);
}

void TMainForm::Find1Click() {
  engine::Browser* browser = GetCurrentWB();
  if (!browser || !browser->HasDocument()) return;
  findInSide_ = false;
  FindWindow().Open();
}

void TMainForm::xisciClick() { Find1Click(); }

void TMainForm::t115Click() {
  engine::Browser* browser = GetCurrentWB();
  std::string cookie;
  if (browser && browser->HasDocument()) cookie = browser->Cookie().value_or("");
  ui::ShowMessage(cookie.empty() ? "No cookies" : cookie, kAppTitle, ui::Icon::None, this);
}

void TMainForm::DeleteTemporaryInternetFiles2Click() {
  if (engine::Browser* browser = GetCurrentWB()) browser->ClearCache();
}

void TMainForm::ViewSource2Click() {
  engine::Browser* browser = GetCurrentWB();
  if (!browser) return;
  const auto source = browser->Source();
  if (!source) return;
  SourceWindow().ShowSource(browser->LocationURL(), *source);
}

void TMainForm::LookupDomain1Click() {
  const std::string address = navigation::LookupAddress(eurl.get_text());
  createBrowser("");
  if (engine::Browser* browser = GetCurrentWB()) browser->Navigate(address);
}

void TMainForm::GoogleTranslate1Click() {
  RedirectMode = false;
  const std::string address = navigation::TranslateAddress(eurl.get_text());
  createBrowser("Blank Page");
  if (engine::Browser* browser = GetCurrentWB()) {
    browser->Navigate(address);
    browser->GrabFocus();
  }
}

void TMainForm::xtranslateClick() { GoogleTranslate1Click(); }

void TMainForm::Editor1Click() {
  designer::Tfdesigner* designer = forms().fdesigner;
  if (!designer) return;
  designer->set_transient_for(*this);
  designer->Open(eurl.get_text());
}

designer::Tfdesigner::Callbacks TMainForm::DesignerCallbacks() {
  designer::Tfdesigner::Callbacks c;
  c.newBrowser = env_.newBrowser;
  c.userAgent = [this] { return UserAgent; };
  c.save = [this](engine::Browser& browser) { SavePage(browser); };
  c.print = [this](engine::Browser& browser) { PrintPage(browser); };
  return c;
}

}  // namespace app
