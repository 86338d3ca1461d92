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

bool FakeBrowser::Save(const std::string& path, SaveFormat format, std::string* error) {
  if (!CanSave() || saveFails) {
    if (error) *error = "The page could not be saved.";
    return false;
  }
  saves.push_back({path, format});
  return true;
}

PrintResult FakeBrowser::Print(const std::string& pdfFile) {
  prints.push_back(pdfFile);
  return printResult;
}

int FakeBrowser::Find(const std::string& text, bool backwards, bool matchCase) {
  finds.push_back({text, backwards, matchCase});
  return hasDocument ? findMatches : 0;
}

std::optional<std::string> FakeBrowser::Source() {
  if (!hasDocument) return std::nullopt;
  return source;
}

bool FakeBrowser::SetDesignMode(bool on) {
  if (!hasDocument) return false;
  designMode = on;
  return true;
}

bool FakeBrowser::ExecCommand(const std::string& name, const std::string& value) {
  if (!hasDocument || !designMode) return false;
  for (const std::string& refused : refusedCommands)
    if (refused == name) return false;
  commands.push_back({name, value});
  return true;
}

void FakeBrowser::FinishLoad(const std::string& address, const std::string& pageTitle) {
  location = address;
  title = pageTitle;
  state = ReadyState::Complete;
  OnTitleChange.emit(pageTitle);
  OnDownloadComplete.emit();
  OnDocumentComplete.emit(true);
}

std::shared_ptr<FakeDownload> FakeBrowser::StartDownload(const std::string& url) {
  auto download = std::make_shared<FakeDownload>(url);
  OnFileDownload.emit(download);
  return download;
}

void FakeDownload::Cancel() {
  ++cancels;
  if (!running) return;
  running = false;
  OnCancelled.emit();
}

void FakeDownload::AskDestination(const std::string& suggestedName) {
  std::optional<std::string> path;
  OnDecideDestination.emit(suggestedName, path);
  if (!running) return;
  if (!path || path->empty()) {
    Cancel();
    return;
  }
  destination = *path;
}

void FakeDownload::Receive(std::uint64_t received, std::uint64_t expected) {
  if (running) OnProgress.emit(received, expected);
}

void FakeDownload::Finish() {
  if (!running) return;
  running = false;
  OnFinished.emit(destination);
}

void FakeDownload::Fail(const std::string& reason) {
  if (!running) return;
  running = false;
  OnFailed.emit(reason);
}

}  // namespace engine
