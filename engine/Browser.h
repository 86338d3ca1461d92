#pragma once
// Everything that touches a page goes through this interface. The product
// uses WebKitBrowser; window tests use FakeBrowser.

#include <sigc++/signal.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Bitmap.h"

namespace Gtk {
class Widget;
}

namespace engine {

// The page's loading state, as the shell polls it.
enum class ReadyState { Loading = 1, Complete = 4 };

// What a browser is for, fixed when it is made.
enum class Content {
  // Pages of the web and local files, with their scripts.
  Web,
  // Pages the program writes into a local file and what their links lead
  // to: no page script ever runs, a page may not load any local file but
  // itself (as a picture, a frame, a style sheet or through a link), and
  // text that declares no character set is read as UTF-8.
  Generated,
};

// How Save writes a page.
enum class SaveFormat {
  Html,        // the document as it is now (edits included), one HTML file
  WebArchive,  // the page with its pictures and styles in one MHTML file
};

// How a print ended.
enum class PrintResult { Printed, Canceled, Failed };

struct Link {
  std::string href;
  std::string text;
};

// A file the engine receives for the user instead of showing it: a
// response it cannot show, one the server sends as an attachment, or the
// target of a download link. It belongs to the engine, not to the page:
// it goes on when the browser that started it is gone. Handlers run on the
// user-interface thread.
class Download {
 public:
  virtual ~Download() = default;
  Download() = default;
  Download(const Download&) = delete;
  Download& operator=(const Download&) = delete;

  // The address it comes from.
  virtual std::string SourceURL() const = 0;
  // The file it is written to once chosen; empty before.
  virtual std::string Destination() const = 0;
  // Stops it. A file it was writing goes; OnCancelled follows.
  virtual void Cancel() = 0;
  // Neither finished, failed nor cancelled yet.
  virtual bool Running() const = 0;

  // The answer came: where to save it. `suggestedName` is the name the
  // server or the link proposes, as it came (it may hold anything). The
  // handler sets `path` to the full path of the file, replacing one that
  // is there; left empty, the download is cancelled.
  sigc::signal<void(const std::string& suggestedName, std::optional<std::string>& path)> OnDecideDestination;
  // Bytes received so far, and how many are expected (0: not known).
  sigc::signal<void(std::uint64_t received, std::uint64_t expected)> OnProgress;
  // The whole file is at `path`.
  sigc::signal<void(const std::string& path)> OnFinished;
  // It failed; `reason` says why. Nothing of it is left on disk.
  sigc::signal<void(const std::string& reason)> OnFailed;
  // It was cancelled (Cancel, or no destination); nothing of it is left.
  sigc::signal<void()> OnCancelled;
};

class Browser {
 public:
  virtual ~Browser() = default;
  Browser() = default;
  Browser(const Browser&) = delete;
  Browser& operator=(const Browser&) = delete;

  // The widget showing the page; the caller packs it into its parent.
  virtual Gtk::Widget& widget() = 0;

  // Loads `address` as typed: unencoded, scheme optional; local file paths
  // load. An empty address loads nothing (the view stays blank).
  virtual void Navigate(const std::string& address) = 0;
  // False when there is no page to go to.
  virtual bool GoBack() = 0;
  virtual bool GoForward() = 0;
  virtual void Refresh() = 0;
  virtual void Stop() = 0;

  virtual std::string LocationURL() const = 0;
  virtual std::string Title() const = 0;
  virtual ReadyState readyState() const = 0;
  bool IsComplete() const { return readyState() == ReadyState::Complete; }

  // Runs `script` in the page and answers its result as text, or nothing
  // when there is no page, the script fails or the answer does not come in
  // time. Lets messages run while it waits.
  virtual std::optional<std::string> RunScript(const std::string& script) = 0;

  // The page's body markup; nothing when the page has no body.
  virtual std::optional<std::string> BodyInnerHTML() = 0;
  virtual bool SetBodyInnerHTML(const std::string& html) = 0;
  // The text selected in the page (empty when nothing is selected);
  // nothing when there is no page to ask.
  virtual std::optional<std::string> SelectedText() = 0;
  virtual std::vector<Link> Links() = 0;
  virtual std::optional<std::string> Cookie() = 0;

  // A document is there to print, save or ask for its cookies.
  virtual bool HasDocument() const = 0;
  // The page can be saved: it has a document and has finished loading.
  virtual bool CanSave() const = 0;
  // Writes the page to `path` (replacing the file). False when it could
  // not; then `error` says why.
  virtual bool Save(const std::string& path, SaveFormat format, std::string* error = nullptr) = 0;
  // Prints the page. With `pdfFile` empty the print dialog asks the user
  // (over the browser's window); otherwise the page is written as a PDF to
  // `pdfFile` without asking. Lets messages run until the print ended.
  virtual PrintResult Print(const std::string& pdfFile = {}) = 0;
  // Finds `text` in the page, marks every match and selects the next one
  // after the selection (before it with `backwards`), going round at the
  // end. Answers how many matches there are (0: none).
  virtual int Find(const std::string& text, bool backwards, bool matchCase) = 0;
  // Takes the find's marks off the page.
  virtual void FindFinish() = 0;
  // The page's source text as it was loaded; nothing without a page.
  virtual std::optional<std::string> Source() = 0;
  // Empties the engine's disk and memory caches of pages and resources.
  virtual void ClearCache() = 0;

  // Design mode: the whole document can be edited in place.
  virtual bool SetDesignMode(bool on) = 0;
  virtual bool DesignMode() = 0;
  // Runs the editing command `name` with `value` on the document (the
  // selection). False when the engine refused it (not a command it knows,
  // or not possible here); then nothing changed.
  virtual bool ExecCommand(const std::string& name, const std::string& value = {}) = 0;

  // The current view of the page, or nothing when it cannot be drawn.
  virtual std::optional<Bitmap> Snapshot() = 0;

  // The agent text sent with this browser's requests; empty means the
  // engine's own.
  virtual void SetUserAgent(const std::string& agent) = 0;
  virtual std::string UserAgent() const = 0;

  virtual void GrabFocus() = 0;

  // Zooms the page (text and pictures) to `percent`. The engine takes 10
  // to 1000 %: outside that nothing changes, and `error` says why.
  bool SetZoom(int percent, std::string* error = nullptr) {
    if (percent < 10 || percent > 1000) {
      if (error) *error = "The page cannot be zoomed to " + std::to_string(percent) +
                          " %: the zoom must be between 10 and 1000 %.";
      return false;
    }
    ApplyZoom(percent);
    return true;
  }
  // The page's zoom in percent.
  virtual int Zoom() const = 0;

  // Engine events. Handlers run on the user-interface thread.
  // A page asks for a new window: the handler may set `cancel`, or hand
  // back in `newWindow` a browser the engine loads the pop-up into.
  sigc::signal<void(Browser*& newWindow, bool& cancel)> OnNewWindow2;
  // A top-level navigation is about to start; setting `cancel` stops it.
  sigc::signal<void(const std::string& url, bool& cancel)> OnBeforeNavigate2;
  sigc::signal<void(int progress, int progressMax)> OnProgressChange;
  // The status text: the address of the link under the mouse, or empty.
  sigc::signal<void(const std::string& text)> OnStatusTextChange;
  sigc::signal<void(const std::string& title)> OnTitleChange;
  sigc::signal<void()> OnDownloadBegin;
  sigc::signal<void()> OnDownloadComplete;
  // A document completed; `topLevel` is true when the whole page (not a
  // frame) did.
  sigc::signal<void(bool topLevel)> OnDocumentComplete;
  // The page led to a file to download (not the loading of the page,
  // which OnDownloadBegin and OnDownloadComplete report). A handler that
  // wants it keeps `download` and answers its OnDecideDestination; while
  // nobody handles this signal, every such download is cancelled.
  sigc::signal<void(std::shared_ptr<Download> download)> OnFileDownload;
  // The user asked for the page's context menu. While this signal has a
  // handler, the engine's own menu is not shown: the handler shows ours.
  // Over a text field or any other editable part of a page the engine's
  // own edit menu (cut, copy, paste, spelling) comes up instead, and this
  // signal is not emitted.
  sigc::signal<void()> OnContextMenu;
  // The page asked to close its window (window.close() of a window it may
  // close: one a script opened, or one with nothing to go back to). The
  // engine closes nothing itself: the handler does, or the page stays.
  sigc::signal<void()> OnWindowClose;

 protected:
  // Zooms to `percent`, already checked to be within 10 to 1000.
  virtual void ApplyZoom(int percent) = 0;
};

}  // namespace engine
