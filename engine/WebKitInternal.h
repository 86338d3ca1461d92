#pragma once
// What the WebKit browser's files share: the browser class over
// WebKitWebView and the helpers its asynchronous calls wait with. Private
// to engine/.

#include <gtkmm/widget.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Browser.h"
#include "ui/ProcessMessages.h"

namespace engine::webkit {

// How long a script or a snapshot may take before the caller gets nothing.
inline constexpr int kAnswerTimeoutMs = 5000;
// How long a navigation may wait for the engine to take it up before the
// browser stops calling itself busy (see navigatePending_).
inline constexpr guint kPendingGraceMs = 1000;
// How long a finished load waits for WebKit to tell the page's title
// before it asks the page (see FinishLoad).
inline constexpr guint kTitleWaitMs = 100;

class WebKitBrowser;

// While a view asks for a new window, the browsers made by
// CreateWebKitBrowser become related views of it. Nested requests stack.
struct CreationScope {
  WebKitWebView* opener = nullptr;
  std::vector<WebKitBrowser*> made;
};
inline std::vector<CreationScope*> creationScopes;

// The context every browser's view belongs to once StoreWebDataIn chose
// where the pages' data lives; the engine's default context before that.
inline WebKitWebContext* webContext = nullptr;

// The browser showing `view`, so that an event of the context (a
// download) finds the browser of its view; null when none does any more.
WebKitBrowser* BrowserOf(WebKitWebView* view);

// Hands the downloads that start in `context` to the browser whose view
// started them (WebKitDownloads.cpp). Called once per context, when it is
// set up for the program's views.
void WatchDownloads(WebKitWebContext* context);
// A response the view cannot show, or one its server sends as an
// attachment, is downloaded instead: TRUE then (decided). FALSE leaves
// the decision to WebKit, which shows it.
gboolean DecideResponse(WebKitResponsePolicyDecision* decision);

// What an asynchronous engine call leaves for its waiting caller. Shared
// with the callback, which may run after the caller stopped waiting or the
// browser was destroyed; it never touches the browser.
struct Answer {
  bool done = false;
  JSCValue* value = nullptr;           // a script's result
  cairo_surface_t* surface = nullptr;  // a snapshot
  GCancellable* cancellable = g_cancellable_new();
  ~Answer() {
    if (value) g_object_unref(value);
    if (surface) cairo_surface_destroy(surface);
    g_object_unref(cancellable);
  }
};
using AnswerPtr = std::shared_ptr<Answer>;

// Lets messages run until the engine answered, the browser went away or
// the time is up, and cancels an answer that did not come. True when the
// answer came and the browser is still there. `alive` is taken by value:
// the browser may be destroyed during the wait.
inline bool Await(const AnswerPtr& answer, std::shared_ptr<bool> alive) {
  ui::WaitUntil([&] { return answer->done || !*alive; }, kAnswerTimeoutMs);
  if (!answer->done) g_cancellable_cancel(answer->cancellable);
  return *alive && answer->done;
}

// What an engine operation that answers later leaves for its waiting
// caller; shared with the callback as Answer is.
struct Outcome {
  bool done = false;
  bool ok = false;
  int count = 0;
  std::string text;
  std::string error;
  GCancellable* cancellable = g_cancellable_new();
  ~Outcome() { g_object_unref(cancellable); }
};
using OutcomePtr = std::shared_ptr<Outcome>;

inline bool Await(const OutcomePtr& outcome, std::shared_ptr<bool> alive, int timeoutMs) {
  ui::WaitUntil([&] { return outcome->done || !*alive; }, timeoutMs);
  if (!outcome->done) g_cancellable_cancel(outcome->cancellable);
  return *alive && outcome->done;
}

// Takes back the outcome handed to a callback as its data.
inline OutcomePtr& Of(gpointer data) { return *static_cast<OutcomePtr*>(data); }
inline void DropOutcome(gpointer data, GClosure*) { delete static_cast<OutcomePtr*>(data); }

inline void Fail(Outcome& outcome, GError* error) {
  outcome.ok = false;
  if (error) {
    outcome.error = error->message;
    g_error_free(error);
  }
}

inline std::string ToText(const char* text) { return text ? text : ""; }

inline std::string ValidUtf8(const std::string& text) {
  if (g_utf8_validate(text.data(), gssize(text.size()), nullptr)) return text;
  gchar* valid = g_utf8_make_valid(text.data(), gssize(text.size()));
  std::string result = valid;
  g_free(valid);
  return result;
}

inline std::string JsText(JSCValue* value) {
  if (!value || jsc_value_is_undefined(value) || jsc_value_is_null(value)) return {};
  gchar* text = jsc_value_to_string(value);
  std::string result = ToText(text);
  g_free(text);
  return result;
}

// A settings object of its own for a new view: a copy of `from` when
// given, else fresh.
inline WebKitSettings* NewSettings(WebKitSettings* from) {
  WebKitSettings* settings = webkit_settings_new();
  if (from) {
    guint count = 0;
    GParamSpec** properties = g_object_class_list_properties(G_OBJECT_GET_CLASS(from), &count);
    for (guint i = 0; i < count; ++i) {
      const GParamFlags flags = properties[i]->flags;
      if (!(flags & G_PARAM_READABLE) || !(flags & G_PARAM_WRITABLE) || (flags & G_PARAM_CONSTRUCT_ONLY) ||
          (flags & G_PARAM_DEPRECATED)) {
        continue;
      }
      GValue value = G_VALUE_INIT;
      g_value_init(&value, properties[i]->value_type);
      g_object_get_property(G_OBJECT(from), properties[i]->name, &value);
      g_object_set_property(G_OBJECT(settings), properties[i]->name, &value);
      g_value_unset(&value);
    }
    g_free(properties);
  }
  // Pages' window.open reaches the shell's new-window event; the shell has
  // its own pop-up blocker, so WebKit must not block them first.
  webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
  return settings;
}

class WebKitBrowser final : public Browser {
 public:
  // `opener`: the view asking for a new window, which the new view must
  // be related to; null for an ordinary browser.
  explicit WebKitBrowser(WebKitWebView* opener, Content content = Content::Web);
  ~WebKitBrowser() override;

  Gtk::Widget& widget() override { return *widget_; }
  void Navigate(const std::string& address) override;
  bool GoBack() override;
  bool GoForward() override;
  void Refresh() override;
  void Stop() override;
  std::string LocationURL() const override { return ToText(webkit_web_view_get_uri(view_)); }
  std::string Title() const override;
  ReadyState readyState() const override;
  std::optional<std::string> RunScript(const std::string& script) override;
  std::optional<std::string> BodyInnerHTML() override;
  bool SetBodyInnerHTML(const std::string& html) override;
  std::optional<std::string> SelectedText() override;
  std::vector<Link> Links() override;
  std::optional<std::string> Cookie() override;
  std::optional<Bitmap> Snapshot() override;
  bool HasDocument() const override { return HasPage(); }
  bool CanSave() const override { return HasPage() && readyState() == ReadyState::Complete; }
  bool Save(const std::string& path, SaveFormat format, std::string* error = nullptr) override;
  PrintResult Print(const std::string& pdfFile = {}) override;
  int Find(const std::string& text, bool backwards, bool matchCase) override;
  void FindFinish() override;
  std::optional<std::string> Source() override;
  void ClearCache() override;
  bool SetDesignMode(bool on) override;
  bool DesignMode() override;
  bool ExecCommand(const std::string& name, const std::string& value = {}) override;
  void SetUserAgent(const std::string& agent) override;
  std::string UserAgent() const override { return userAgent_; }
  void GrabFocus() override { gtk_widget_grab_focus(GTK_WIDGET(view_)); }
  int Zoom() const override { return int(webkit_web_view_get_zoom_level(view_) * 100 + 0.5); }

 protected:
  void ApplyZoom(int percent) override { webkit_web_view_set_zoom_level(view_, percent / 100.0); }

 public:

  WebKitWebView* view() const { return view_; }

 private:
  bool HasPage() const { return !LocationURL().empty(); }
  // Runs `script` (or, with `arguments`, the function body `script`) and
  // waits for its answer. Nothing when the browser went away meanwhile,
  // the script failed or the answer did not come in time. Never touches
  // the browser after the wait.
  AnswerPtr Evaluate(const std::string& script, GVariant* arguments = nullptr);
  bool IsTopLevel(WebKitNavigationAction* action) const;
  void ClearPending();
  void EmitTitle(const std::string& title);
  // The end of a load that succeeded, once the page's title is known.
  void FinishLoad();
  // Asks the page for its title when WebKit did not tell it in time.
  void AskTitle();
  // `deferred`: called back while FinishLoad waits for the title; does
  // nothing when the load was completed meanwhile.
  void CompleteLoad(unsigned serial, const std::string& pageTitle, bool deferred);

  static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, WebKitBrowser* self);
  static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, WebKitBrowser* self);
  static void OnIsLoading(WebKitWebView*, GParamSpec*, WebKitBrowser* self);
  static void OnTitle(WebKitWebView*, GParamSpec*, WebKitBrowser* self);
  static void OnProgress(WebKitWebView*, GParamSpec*, WebKitBrowser* self);
  static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision*, WebKitPolicyDecisionType, WebKitBrowser* self);
  static GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction*, WebKitBrowser* self);
  static void OnMouseTarget(WebKitWebView*, WebKitHitTestResult*, guint, WebKitBrowser* self);
  static gboolean OnLeave(GtkWidget*, GdkEvent*, WebKitBrowser* self);
  static gboolean OnContextMenuRequested(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*,
                                         WebKitBrowser* self);
  static void OnProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason, WebKitBrowser* self);
  static gboolean OnTlsErrors(WebKitWebView*, gchar* uri, GTlsCertificate*, GTlsCertificateFlags problems,
                              WebKitBrowser* self);
  static void OnClose(WebKitWebView*, WebKitBrowser* self);
  // Shows `html` in place of the page at `address`: the address bar keeps
  // the address, and reloading loads that address again.
  void ShowErrorPage(const std::string& html, const std::string& address);
  static gboolean OnDraw(GtkWidget*, cairo_t*, WebKitBrowser* self);
  void SetStatus(const std::string& text);

  WebKitWebView* view_ = nullptr;      // our own reference
  WebKitSettings* settings_ = nullptr;  // our own reference
  Gtk::Widget* widget_ = nullptr;       // gtkmm's wrapper of view_, owned by it
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::string userAgent_;
  Content content_ = Content::Web;

  // Navigate was called and WebKit has not started that load yet. WebKit
  // reports itself loading at once, but not in every gap (two navigations
  // in a row, a same-document navigation); this keeps the ready state at
  // Loading until the load started, was refused or turned out to need no
  // load at all.
  bool navigatePending_ = false;
  // Since Navigate, the decision about it (or about a navigation of the
  // page) came.
  bool decisionSeen_ = false;
  guint graceTimer_ = 0;
  // Addresses Navigate announced itself: their policy decisions raise no
  // second before-navigate event.
  std::vector<std::string> ownNavigations_;
  // An error page is about to stand in for this address: the decision
  // about its load raises no before-navigate event and is not refused.
  std::string errorPagePending_;
  bool committed_ = false;   // a document has ever been committed
  bool firstLoadEnded_ = false;  // the view's first load has ended
  bool loadFailed_ = false;  // the current load failed
  unsigned loadSerial_ = 0;  // counts the loads WebKit started
  // The load has finished and waits for its title (WebKit may tell the
  // title only after the end of the load); still Loading meanwhile.
  bool finishing_ = false;
  guint finishTimer_ = 0;  // waits for the title, then for the page's answer
  std::string pageTitle_;    // the title the page itself answered
  std::string lastTitle_;    // the last title told, this load
  std::string status_;
  int lastProgress_ = -1;
  // The text and letter case of the last find, which the next find of the
  // same text goes on from.
  std::string findText_;
  bool findMatchCase_ = false;
  int findCount_ = 0;
};

}  // namespace engine::webkit
