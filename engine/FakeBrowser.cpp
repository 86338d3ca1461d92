#include "engine/FakeBrowser.h"

#include <gtkmm/drawingarea.h>

namespace engine {

FakeBrowser::FakeBrowser(Content made) : content(made), view_(std::make_unique<Gtk::DrawingArea>()) {}
FakeBrowser::~FakeBrowser() = default;

Gtk::Widget& FakeBrowser::widget() { return *view_; }

void FakeBrowser::Navigate(const std::string& address) {
  bool cancel = false;
  OnBeforeNavigate2.emit(address, cancel);
  navigations.push_back(address);
  if (cancel || address.empty()) return;
  location = address;
  state = completeOnNavigate ? ReadyState::Complete : ReadyState::Loading;
}

bool FakeBrowser::GoBack() {
  ++backs;
  return false;
}

bool FakeBrowser::GoForward() {
  ++forwards;
  return false;
}

std::optional<std::string> FakeBrowser::RunScript(const std::string& script) {
  scripts.push_back(script);
  if (!hasDocument) return std::nullopt;
  return std::string();
}

std::optional<std::string> FakeBrowser::BodyInnerHTML() {
  if (!hasDocument) return std::nullopt;
  return body;
}

bool FakeBrowser::SetBodyInnerHTML(const std::string& html) {
  if (!hasDocument || !body) return false;
  body = html;
  return true;
}

std::optional<std::string> FakeBrowser::SelectedText() {
  if (!hasDocument) return std::nullopt;
  return selection;
}

std::optional<std::string> FakeBrowser::Cookie() {
  if (!hasDocument) return std::nullopt;
  return cookie;
}

std::optional<Bitmap> FakeBrowser::Snapshot() {
  ++snapshots;
  if (!hasDocument || picture.empty()) return std::nullopt;
  return picture;
}

void FakeBrowser::FinishLoad(const std::string& address, const std::string& pageTitle) {
  location = address;
  title = pageTitle;
  state = ReadyState::Complete;
  OnTitleChange.emit(pageTitle);
  OnDownloadComplete.emit();
  OnDocumentComplete.emit(true);
}

}  // namespace engine
