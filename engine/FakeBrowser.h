#pragma once
// A scriptable stand-in for the engine, for window tests. Navigate records
// the address and, unless told otherwise, completes at once; a test drives
// the rest through the public fields and the Fire* helpers.

#include <memory>

#include "engine/Browser.h"

namespace Gtk {
class DrawingArea;
}

namespace engine {

// A download a test drives: it asks for its destination, receives, ends.
class FakeDownload final : public Download {
 public:
  explicit FakeDownload(std::string url) : source(std::move(url)) {}

  std::string SourceURL() const override { return source; }
  std::string Destination() const override { return destination; }
  void Cancel() override;
  bool Running() const override { return running; }

  // The engine's questions and reports, as a test raises them. The
  // destination's answer lands in `destination`; none cancels.
  void AskDestination(const std::string& suggestedName);
  void Receive(std::uint64_t received, std::uint64_t expected);
  void Finish();
  void Fail(const std::string& reason);

  std::string source;
  std::string destination;
  bool running = true;
  int cancels = 0;  // how often the shell cancelled it
};

class FakeBrowser final : public Browser {
 public:
  explicit FakeBrowser(Content made = Content::Web);
  ~FakeBrowser() override;

  Gtk::Widget& widget() override;
  void Navigate(const std::string& address) override;
  bool GoBack() override;
  bool GoForward() override;
  void Refresh() override { ++refreshes; }
  void Stop() override { ++stops; }
  std::string LocationURL() const override { return location; }
  std::string Title() const override { return title; }
  ReadyState readyState() const override { return state; }
  std::optional<std::string> RunScript(const std::string& script) override;
  std::optional<std::string> BodyInnerHTML() override;
  bool SetBodyInnerHTML(const std::string& html) override;
  std::optional<std::string> SelectedText() override;
  std::vector<Link> Links() override { return links; }
  std::optional<std::string> Cookie() override;
  std::optional<Bitmap> Snapshot() override;
  bool HasDocument() const override { return hasDocument; }
  bool CanSave() const override { return hasDocument && state == ReadyState::Complete; }
  bool Save(const std::string& path, SaveFormat format, std::string* error = nullptr) override;
  PrintResult Print(const std::string& pdfFile = {}) override;
  int Find(const std::string& text, bool backwards, bool matchCase) override;
  void FindFinish() override { ++findFinishes; }
  std::optional<std::string> Source() override;
  void ClearCache() override { ++cacheClears; }
  bool SetDesignMode(bool on) override;
  bool DesignMode() override { return designMode; }
  bool ExecCommand(const std::string& name, const std::string& value = {}) override;
  void SetUserAgent(const std::string& agent) override { userAgent = agent; }
  std::string UserAgent() const override { return userAgent; }
  void GrabFocus() override { ++focusGrabs; }
  int Zoom() const override { return zoom; }

  // Raises the events of a finished load of `address` titled `pageTitle`:
  // title change, download complete, document complete of the whole page.
  void FinishLoad(const std::string& address, const std::string& pageTitle);
  // The page leads to a file at `url`: raises OnFileDownload with a new
  // download and answers it.
  std::shared_ptr<FakeDownload> StartDownload(const std::string& url);

  // What the browser was made for.
  Content content;

  // What the page is, as tests set it.
  std::string location;
  std::string title;
  ReadyState state = ReadyState::Complete;
  bool hasDocument = true;          // false: no page to script or draw
  std::optional<std::string> body;  // body markup
  std::string selection;
  std::string cookie;
  std::vector<Link> links;
  Bitmap picture{40, 30};           // what Snapshot draws
  std::string userAgent;
  // A navigation completes at once (ready state Complete) unless this is
  // false; then it stays Loading until a test finishes it.
  bool completeOnNavigate = true;
  std::string source;               // what Source answers
  PrintResult printResult = PrintResult::Printed;  // how a print ends
  int findMatches = 1;              // what Find answers
  bool saveFails = false;
  // Editing commands the engine refuses.
  std::vector<std::string> refusedCommands;

  // What the shell did to it.
  std::vector<std::string> navigations;
  std::vector<std::string> scripts;
  int refreshes = 0;
  int stops = 0;
  int backs = 0;
  int forwards = 0;
  int focusGrabs = 0;
  int snapshots = 0;
  int zoom = 100;
  std::vector<int> zooms;  // every zoom the shell applied
  struct Saved {
    std::string path;
    SaveFormat format;
  };
  std::vector<Saved> saves;
  std::vector<std::string> prints;  // the PDF file of each print; empty: the dialog
  struct FindCall {
    std::string text;
    bool backwards;
    bool matchCase;
  };
  std::vector<FindCall> finds;
  int findFinishes = 0;
  int cacheClears = 0;
  bool designMode = false;
  struct Command {
    std::string name;
    std::string value;
  };
  std::vector<Command> commands;  // the editing commands the engine ran

 protected:
  void ApplyZoom(int percent) override {
    zoom = percent;
    zooms.push_back(percent);
  }

 private:
  std::unique_ptr<Gtk::DrawingArea> view_;
};

}  // namespace engine
