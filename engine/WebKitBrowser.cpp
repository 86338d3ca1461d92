#include "engine/WebKitBrowser.h"

#include <gtkmm/widget.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "engine/AddressResolution.h"
#include "engine/AgentHeader.h"
#include "ui/ProcessMessages.h"

namespace engine {

namespace {

// How long a script or a snapshot may take before the caller gets nothing.
constexpr int kAnswerTimeoutMs = 5000;
// How long a navigation may wait for the engine to take it up before the
// browser stops calling itself busy (see navigatePending_).
constexpr guint kPendingGraceMs = 1000;
// How long a finished load waits for WebKit to tell the page's title
// before it asks the page (see FinishLoad).
constexpr guint kTitleWaitMs = 100;

class WebKitBrowser;

// While a view asks for a new window, the browsers made by
// CreateWebKitBrowser become related views of it. Nested requests stack.
struct CreationScope {
  WebKitWebView* opener = nullptr;
  std::vector<WebKitBrowser*> made;
};
std::vector<CreationScope*> creationScopes;

// The context every browser's view belongs to once StoreWebDataIn chose
// where the pages' data lives; the engine's default context before that.
WebKitWebContext* webContext = nullptr;

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
bool Await(const AnswerPtr& answer, std::shared_ptr<bool> alive) {
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

bool Await(const OutcomePtr& outcome, std::shared_ptr<bool> alive, int timeoutMs) {
  ui::WaitUntil([&] { return outcome->done || !*alive; }, timeoutMs);
  if (!outcome->done) g_cancellable_cancel(outcome->cancellable);
  return *alive && outcome->done;
}

// Takes back the outcome handed to a callback as its data.
OutcomePtr& Of(gpointer data) { return *static_cast<OutcomePtr*>(data); }
void DropOutcome(gpointer data, GClosure*) { delete static_cast<OutcomePtr*>(data); }

void Fail(Outcome& outcome, GError* error) {
  outcome.ok = false;
  if (error) {
    outcome.error = error->message;
    g_error_free(error);
  }
}

std::string ToText(const char* text) { return text ? text : ""; }

std::string ValidUtf8(const std::string& text) {
  if (g_utf8_validate(text.data(), gssize(text.size()), nullptr)) return text;
  gchar* valid = g_utf8_make_valid(text.data(), gssize(text.size()));
  std::string result = valid;
  g_free(valid);
  return result;
}

std::string JsText(JSCValue* value) {
  if (!value || jsc_value_is_undefined(value) || jsc_value_is_null(value)) return {};
  gchar* text = jsc_value_to_string(value);
  std::string result = ToText(text);
  g_free(text);
  return result;
}

// A settings object of its own for a new view: a copy of `from` when
// given, else fresh.
WebKitSettings* NewSettings(WebKitSettings* from) {
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

// The engine's DMA-BUF renderer, painting into a GTK 3 window, leaves
// parts of the page unpainted whenever another window that lay over it
// goes away (a tooltip, a menu, a notice) under a window manager that does
// not composite: the page shows the window's grey there until it changes.
// The shared-memory renderer repaints them. Chosen before the engine's
// first context exists; a user who sets the variable keeps their choice.
void ChooseRenderer() {
  static const bool chosen = [] {
    g_setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", FALSE);
    return true;
  }();
  (void)chosen;
}

// What a page of a Generated browser may load: pictures, media, styles
// and fonts of the web, frames of the web; nothing local, no script, no
// plug-in, no connection of its own. Applied to every document the view
// shows, as if each came with this header.
constexpr const char* kGeneratedPagePolicy =
    "default-src 'none'; img-src http: https: data:; media-src http: https:; "
    "style-src 'unsafe-inline' http: https:; font-src http: https: data:; frame-src http: https:";

bool IsFileUri(const std::string& uri) { return g_ascii_strncasecmp(uri.c_str(), "file:", 5) == 0; }

WebKitBrowser::WebKitBrowser(WebKitWebView* opener, Content content) : content_(content) {
  ChooseRenderer();
  settings_ = NewSettings(opener ? webkit_web_view_get_settings(opener) : nullptr);
  const char* policy = nullptr;
  if (content == Content::Generated) {
    webkit_settings_set_enable_javascript_markup(settings_, FALSE);
    webkit_settings_set_javascript_can_open_windows_automatically(settings_, FALSE);
    webkit_settings_set_allow_file_access_from_file_urls(settings_, FALSE);
    webkit_settings_set_allow_universal_access_from_file_urls(settings_, FALSE);
    webkit_settings_set_default_charset(settings_, "UTF-8");
    policy = kGeneratedPagePolicy;
  }
  gpointer object =
      opener ? g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", opener, "settings", settings_, nullptr)
      : webContext ? g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", webContext, "settings", settings_,
                                  "default-content-security-policy", policy, nullptr)
                   : g_object_new(WEBKIT_TYPE_WEB_VIEW, "settings", settings_, "default-content-security-policy",
                                  policy, nullptr);
  view_ = WEBKIT_WEB_VIEW(g_object_ref_sink(object));
  // A related view starts out with its opener's settings; it gets its own
  // copy, so its agent is its own.
  if (webkit_web_view_get_settings(view_) != settings_) webkit_web_view_set_settings(view_, settings_);
  widget_ = Glib::wrap(GTK_WIDGET(view_));

  g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
  g_signal_connect(view_, "notify::is-loading", G_CALLBACK(OnIsLoading), this);
  g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitle), this);
  g_signal_connect(view_, "notify::estimated-load-progress", G_CALLBACK(OnProgress), this);
  g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
  g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
  g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(OnMouseTarget), this);
  g_signal_connect(view_, "leave-notify-event", G_CALLBACK(OnLeave), this);
  g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenuRequested), this);
  g_signal_connect(view_, "web-process-terminated", G_CALLBACK(OnProcessTerminated), this);
  // Before WebKit's own drawing.
  g_signal_connect(view_, "draw", G_CALLBACK(OnDraw), this);
}

WebKitBrowser::~WebKitBrowser() {
  *alive_ = false;
  if (graceTimer_) g_source_remove(graceTimer_);
  if (finishTimer_) g_source_remove(finishTimer_);
  g_signal_handlers_disconnect_by_data(view_, this);
  for (CreationScope* scope : creationScopes) {
    scope->made.erase(std::remove(scope->made.begin(), scope->made.end(), this), scope->made.end());
  }
  // Takes the view out of its parent and lets gtkmm drop its wrapper; the
  // view itself goes with our reference (or later, when WebKit still holds
  // one for a pending answer).
  gtk_widget_destroy(GTK_WIDGET(view_));
  g_object_unref(view_);
  g_object_unref(settings_);
}

ReadyState WebKitBrowser::readyState() const {
  return navigatePending_ || finishing_ || webkit_web_view_is_loading(view_) ? ReadyState::Loading
                                                                             : ReadyState::Complete;
}

std::string WebKitBrowser::Title() const {
  const std::string title = ToText(webkit_web_view_get_title(view_));
  return title.empty() ? pageTitle_ : title;
}

void WebKitBrowser::Navigate(const std::string& address) {
  const std::string uri = ResolveAddress(address);
  if (uri.empty()) return;
  bool cancel = false;
  const auto alive = alive_;
  OnBeforeNavigate2.emit(uri, cancel);
  if (!*alive || cancel) return;

  navigatePending_ = true;
  decisionSeen_ = false;
  // The address as given, before WebKit is asked (it may decide at once,
  // within the call), and WebKit's own spelling of it, as its policy
  // decision will carry it, once the view tells it.
  const std::string before = LocationURL();
  ownNavigations_.push_back(uri);
  webkit_web_view_load_uri(view_, uri.c_str());
  const std::string after = LocationURL();
  if (!after.empty() && after != before && after != uri) ownNavigations_.push_back(after);
  if (ownNavigations_.size() > 8) ownNavigations_.erase(ownNavigations_.begin());
}

bool WebKitBrowser::GoBack() {
  if (!webkit_web_view_can_go_back(view_)) return false;
  webkit_web_view_go_back(view_);
  return true;
}

bool WebKitBrowser::GoForward() {
  if (!webkit_web_view_can_go_forward(view_)) return false;
  webkit_web_view_go_forward(view_);
  return true;
}

void WebKitBrowser::Refresh() {
  if (HasPage()) webkit_web_view_reload(view_);
}

void WebKitBrowser::Stop() {
  ClearPending();
  webkit_web_view_stop_loading(view_);
}

void WebKitBrowser::ClearPending() {
  navigatePending_ = false;
  if (graceTimer_) {
    g_source_remove(graceTimer_);
    graceTimer_ = 0;
  }
}

AnswerPtr WebKitBrowser::Evaluate(const std::string& script, GVariant* arguments) {
  auto answer = std::make_shared<Answer>();
  auto* keep = new AnswerPtr(answer);
  const std::string source = ValidUtf8(script);
  if (arguments) {
    webkit_web_view_call_async_javascript_function(
        view_, source.c_str(), gssize(source.size()), arguments, nullptr, nullptr, answer->cancellable,
        +[](GObject* object, GAsyncResult* result, gpointer data) {
          std::unique_ptr<AnswerPtr> a(static_cast<AnswerPtr*>(data));
          (*a)->value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(object), result, nullptr);
          (*a)->done = true;
        },
        keep);
  } else {
    webkit_web_view_evaluate_javascript(
        view_, source.c_str(), gssize(source.size()), nullptr, nullptr, answer->cancellable,
        +[](GObject* object, GAsyncResult* result, gpointer data) {
          std::unique_ptr<AnswerPtr> a(static_cast<AnswerPtr*>(data));
          (*a)->value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(object), result, nullptr);
          (*a)->done = true;
        },
        keep);
  }
  if (!Await(answer, alive_) || !answer->value) return nullptr;
  return answer;
}

std::optional<std::string> WebKitBrowser::RunScript(const std::string& script) {
  if (!HasPage()) return std::nullopt;
  const AnswerPtr answer = Evaluate(script);
  if (!answer) return std::nullopt;
  return JsText(answer->value);
}

std::optional<std::string> WebKitBrowser::BodyInnerHTML() {
  if (!HasPage()) return std::nullopt;
  const AnswerPtr answer = Evaluate("document.body ? document.body.innerHTML : null");
  if (!answer || !jsc_value_is_string(answer->value)) return std::nullopt;
  return JsText(answer->value);
}

bool WebKitBrowser::SetBodyInnerHTML(const std::string& html) {
  if (!HasPage()) return false;
  // The markup travels as an argument, never spliced into script text.
  GVariantBuilder builder;
  g_variant_builder_init(&builder, G_VARIANT_TYPE_VARDICT);
  g_variant_builder_add(&builder, "{sv}", "html", g_variant_new_string(ValidUtf8(html).c_str()));
  const AnswerPtr answer = Evaluate("if (!document.body) return false; document.body.innerHTML = html; return true;",
                                    g_variant_builder_end(&builder));
  return answer && jsc_value_is_boolean(answer->value) && jsc_value_to_boolean(answer->value);
}

std::optional<std::string> WebKitBrowser::SelectedText() {
  if (!HasPage()) return std::nullopt;
  const AnswerPtr answer = Evaluate("window.getSelection ? String(window.getSelection()) : ''");
  if (!answer) return std::nullopt;
  return JsText(answer->value);
}

std::vector<Link> WebKitBrowser::Links() {
  std::vector<Link> links;
  if (!HasPage()) return links;
  const AnswerPtr answer = Evaluate("Array.from(document.links, l => [String(l.href), String(l.textContent || '')])");
  if (!answer || !jsc_value_is_array(answer->value)) return links;
  JSCValue* length = jsc_value_object_get_property(answer->value, "length");
  const int count = jsc_value_to_int32(length);
  g_object_unref(length);
  for (int i = 0; i < count; ++i) {
    JSCValue* pair = jsc_value_object_get_property_at_index(answer->value, guint(i));
    JSCValue* href = jsc_value_object_get_property_at_index(pair, 0);
    JSCValue* text = jsc_value_object_get_property_at_index(pair, 1);
    links.push_back({JsText(href), JsText(text)});
    g_object_unref(text);
    g_object_unref(href);
    g_object_unref(pair);
  }
  return links;
}

std::optional<std::string> WebKitBrowser::Cookie() {
  if (!HasPage()) return std::nullopt;
  const AnswerPtr answer = Evaluate("String(document.cookie)");
  if (!answer) return std::nullopt;
  return JsText(answer->value);
}

std::optional<Bitmap> WebKitBrowser::Snapshot() {
  const int width = gtk_widget_get_allocated_width(GTK_WIDGET(view_));
  const int height = gtk_widget_get_allocated_height(GTK_WIDGET(view_));
  if (!HasPage() || !gtk_widget_get_realized(GTK_WIDGET(view_)) || width <= 1 || height <= 1) return std::nullopt;

  auto answer = std::make_shared<Answer>();
  webkit_web_view_get_snapshot(
      view_, WEBKIT_SNAPSHOT_REGION_VISIBLE, WEBKIT_SNAPSHOT_OPTIONS_NONE, answer->cancellable,
      +[](GObject* object, GAsyncResult* result, gpointer data) {
        std::unique_ptr<AnswerPtr> a(static_cast<AnswerPtr*>(data));
        (*a)->surface = webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(object), result, nullptr);
        (*a)->done = true;
      },
      new AnswerPtr(answer));
  if (!Await(answer, alive_) || !answer->surface || cairo_surface_status(answer->surface) != CAIRO_STATUS_SUCCESS) {
    return std::nullopt;
  }

  // Drawn onto a picture of the view's allocated size, whatever the
  // surface's own scale.
  double scaleX = 1.0;
  double scaleY = 1.0;
  cairo_surface_get_device_scale(answer->surface, &scaleX, &scaleY);
  int sourceWidth = width;
  int sourceHeight = height;
  if (cairo_surface_get_type(answer->surface) == CAIRO_SURFACE_TYPE_IMAGE) {
    sourceWidth = int(cairo_image_surface_get_width(answer->surface) / scaleX);
    sourceHeight = int(cairo_image_surface_get_height(answer->surface) / scaleY);
  }
  if (sourceWidth <= 0 || sourceHeight <= 0) return std::nullopt;
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(target);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_scale(cr, double(width) / sourceWidth, double(height) / sourceHeight);
  cairo_set_source_surface(cr, answer->surface, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);

  Bitmap bitmap(width, height);
  const unsigned char* data = cairo_image_surface_get_data(target);
  const int stride = cairo_image_surface_get_stride(target);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * std::size_t(stride));
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = bitmap.pixel(x, y);
      p[0] = std::uint8_t(row[x] >> 16);
      p[1] = std::uint8_t(row[x] >> 8);
      p[2] = std::uint8_t(row[x]);
    }
  }
  cairo_surface_destroy(target);
  return bitmap;
}

bool WebKitBrowser::Save(const std::string& path, SaveFormat format, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (!CanSave()) return fail("There is no page to save.");
  if (format == SaveFormat::Html) {
    // The document as it is now, edits included, not the text once loaded.
    const AnswerPtr answer = Evaluate(
        "(document.doctype ? new XMLSerializer().serializeToString(document.doctype) + '\\n' : '') + "
        "document.documentElement.outerHTML");
    if (!answer || !jsc_value_is_string(answer->value)) return fail("The page's document could not be read.");
    GError* failure = nullptr;
    const std::string html = JsText(answer->value);
    if (!g_file_set_contents(path.c_str(), html.data(), gssize(html.size()), &failure)) {
      const std::string why = failure ? failure->message : "The file could not be written.";
      if (failure) g_error_free(failure);
      return fail(why);
    }
    return true;
  }
  auto outcome = std::make_shared<Outcome>();
  GFile* file = g_file_new_for_path(path.c_str());
  webkit_web_view_save_to_file(
      view_, file, WEBKIT_SAVE_MODE_MHTML, outcome->cancellable,
      +[](GObject* object, GAsyncResult* result, gpointer data) {
        std::unique_ptr<OutcomePtr> o(static_cast<OutcomePtr*>(data));
        GError* failure = nullptr;
        (*o)->ok = webkit_web_view_save_to_file_finish(WEBKIT_WEB_VIEW(object), result, &failure);
        if (!(*o)->ok) Fail(**o, failure);
        (*o)->done = true;
      },
      new OutcomePtr(outcome));
  g_object_unref(file);
  if (!Await(outcome, alive_, 6 * kAnswerTimeoutMs)) return fail("The page could not be saved in time.");
  if (!outcome->ok) return fail(outcome->error.empty() ? "The page could not be saved." : outcome->error);
  return true;
}

PrintResult WebKitBrowser::Print(const std::string& pdfFile) {
  if (!HasPage()) return PrintResult::Failed;
  WebKitPrintOperation* operation = webkit_print_operation_new(view_);
  auto outcome = std::make_shared<Outcome>();
  outcome->ok = true;
  g_signal_connect_data(operation, "failed", G_CALLBACK(+[](WebKitPrintOperation*, GError*, gpointer data) {
                          Of(data)->ok = false;
                        }),
                        new OutcomePtr(outcome), DropOutcome, GConnectFlags(0));
  g_signal_connect_data(operation, "finished", G_CALLBACK(+[](WebKitPrintOperation*, gpointer data) {
                          Of(data)->done = true;
                        }),
                        new OutcomePtr(outcome), DropOutcome, GConnectFlags(0));
  if (!pdfFile.empty()) {
    GtkPrintSettings* settings = gtk_print_settings_new();
    gtk_print_settings_set_printer(settings, "Print to File");
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    gchar* uri = g_filename_to_uri(pdfFile.c_str(), nullptr, nullptr);
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
    g_free(uri);
    webkit_print_operation_set_print_settings(operation, settings);
    g_object_unref(settings);
    webkit_print_operation_print(operation);
  } else {
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    GtkWindow* parent = GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
    WebKitPrintOperationResponse response;
    {
      ui::NestedLoop nested;
      response = webkit_print_operation_run_dialog(operation, parent);
    }
    if (response == WEBKIT_PRINT_OPERATION_RESPONSE_CANCEL) {
      g_object_unref(operation);
      return PrintResult::Canceled;
    }
  }
  // Printing to a printer or a file takes as long as the page is long.
  const auto alive = alive_;
  ui::WaitUntil([&] { return outcome->done || !*alive; }, 24 * kAnswerTimeoutMs);
  g_object_unref(operation);
  return outcome->done && outcome->ok ? PrintResult::Printed : PrintResult::Failed;
}

int WebKitBrowser::Find(const std::string& text, bool backwards, bool matchCase) {
  if (!HasPage() || text.empty()) return 0;
  // An answer of an earlier find that is still on its way must not be
  // taken for this one's.
  const auto living = alive_;
  ui::ProcessMessages();
  if (!*living) return 0;
  WebKitFindController* finder = webkit_web_view_get_find_controller(view_);
  auto outcome = std::make_shared<Outcome>();
  const gulong found = g_signal_connect_data(
      finder, "found-text", G_CALLBACK(+[](WebKitFindController*, guint count, gpointer data) {
        Of(data)->count = int(count);
        Of(data)->done = true;
      }),
      new OutcomePtr(outcome), DropOutcome, GConnectFlags(0));
  const gulong failed = g_signal_connect_data(
      finder, "failed-to-find-text", G_CALLBACK(+[](WebKitFindController*, gpointer data) {
        Of(data)->count = 0;
        Of(data)->done = true;
      }),
      new OutcomePtr(outcome), DropOutcome, GConnectFlags(0));
  const bool again = text == findText_ && matchCase == findMatchCase_;
  if (again) {
    if (backwards)
      webkit_find_controller_search_previous(finder);
    else
      webkit_find_controller_search_next(finder);
  } else {
    guint32 options = WEBKIT_FIND_OPTIONS_WRAP_AROUND;
    if (!matchCase) options |= WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE;
    if (backwards) options |= WEBKIT_FIND_OPTIONS_BACKWARDS;
    findText_ = text;
    findMatchCase_ = matchCase;
    webkit_find_controller_search(finder, ValidUtf8(text).c_str(), options, 1000);
  }
  const auto alive = alive_;
  const bool answered = Await(outcome, alive, kAnswerTimeoutMs);
  if (!*alive) return 0;
  g_signal_handler_disconnect(finder, found);
  g_signal_handler_disconnect(finder, failed);
  if (!answered || outcome->count == 0) return 0;
  // Going on to the next match, the engine tells only that one: the count
  // is the first find's.
  if (!again) findCount_ = outcome->count;
  return findCount_;
}

void WebKitBrowser::FindFinish() {
  findText_.clear();
  webkit_find_controller_search_finish(webkit_web_view_get_find_controller(view_));
}

std::optional<std::string> WebKitBrowser::Source() {
  if (!HasPage()) return std::nullopt;
  WebKitWebResource* resource = webkit_web_view_get_main_resource(view_);
  if (!resource) return std::nullopt;
  auto outcome = std::make_shared<Outcome>();
  webkit_web_resource_get_data(
      resource, outcome->cancellable,
      +[](GObject* object, GAsyncResult* result, gpointer data) {
        std::unique_ptr<OutcomePtr> o(static_cast<OutcomePtr*>(data));
        gsize length = 0;
        guchar* bytes = webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(object), result, &length, nullptr);
        if (bytes) {
          (*o)->text.assign(reinterpret_cast<const char*>(bytes), length);
          (*o)->ok = true;
          g_free(bytes);
        }
        (*o)->done = true;
      },
      new OutcomePtr(outcome));
  if (!Await(outcome, alive_, kAnswerTimeoutMs) || !outcome->ok) return std::nullopt;
  return outcome->text;
}

void WebKitBrowser::ClearCache() {
  WebKitWebsiteDataManager* manager = webkit_web_view_get_website_data_manager(view_);
  if (!manager) return;
  auto outcome = std::make_shared<Outcome>();
  webkit_website_data_manager_clear(
      manager, WebKitWebsiteDataTypes(WEBKIT_WEBSITE_DATA_MEMORY_CACHE | WEBKIT_WEBSITE_DATA_DISK_CACHE), 0,
      outcome->cancellable,
      +[](GObject* object, GAsyncResult* result, gpointer data) {
        std::unique_ptr<OutcomePtr> o(static_cast<OutcomePtr*>(data));
        (*o)->ok = webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(object), result, nullptr);
        (*o)->done = true;
      },
      new OutcomePtr(outcome));
  Await(outcome, alive_, 2 * kAnswerTimeoutMs);
}

bool WebKitBrowser::SetDesignMode(bool on) {
  if (!HasPage()) return false;
  const AnswerPtr answer = Evaluate(on ? "document.designMode = 'on'; document.designMode"
                                       : "document.designMode = 'off'; document.designMode");
  return answer && JsText(answer->value) == (on ? "on" : "off");
}

bool WebKitBrowser::DesignMode() {
  if (!HasPage()) return false;
  const AnswerPtr answer = Evaluate("document.designMode");
  return answer && JsText(answer->value) == "on";
}

bool WebKitBrowser::ExecCommand(const std::string& name, const std::string& value) {
  if (!HasPage()) return false;
  // The engine says first whether the command can run here: one it does
  // not know, or that has nothing to act on, is refused and changes
  // nothing.
  auto outcome = std::make_shared<Outcome>();
  webkit_web_view_can_execute_editing_command(
      view_, name.c_str(), outcome->cancellable,
      +[](GObject* object, GAsyncResult* result, gpointer data) {
        std::unique_ptr<OutcomePtr> o(static_cast<OutcomePtr*>(data));
        (*o)->ok = webkit_web_view_can_execute_editing_command_finish(WEBKIT_WEB_VIEW(object), result, nullptr);
        (*o)->done = true;
      },
      new OutcomePtr(outcome));
  if (!Await(outcome, alive_, kAnswerTimeoutMs) || !outcome->ok) return false;
  if (value.empty())
    webkit_web_view_execute_editing_command(view_, name.c_str());
  else
    webkit_web_view_execute_editing_command_with_argument(view_, name.c_str(), ValidUtf8(value).c_str());
  return true;
}

void WebKitBrowser::SetUserAgent(const std::string& agent) {
  userAgent_ = agent;
  // The engine refuses a product without a version ("Version/ 4.6"), so
  // the versions are joined to their products in what it sends.
  const std::string header = WithJoinedVersions(HeaderSafe(agent));
  // Null: the engine's own agent.
  webkit_settings_set_user_agent(settings_, header.empty() ? nullptr : header.c_str());
  // A text the engine still refuses leaves it with its own agent.
  if (!header.empty() && header != ToText(webkit_settings_get_user_agent(settings_)))
    webkit_settings_set_user_agent(settings_, nullptr);
}

void WebKitBrowser::SetStatus(const std::string& text) {
  if (text == status_) return;
  status_ = text;
  OnStatusTextChange.emit(text);
}

bool WebKitBrowser::IsTopLevel(WebKitNavigationAction* action) const {
  // WebKit asks about frames and the whole page alike and does not say
  // which. What the user does counts as top level; so does the first load
  // of a view without a document (a pop-up). Navigations nobody asked for
  // are taken for the loading of frames, unless no document is there yet.
  switch (webkit_navigation_action_get_navigation_type(action)) {
    case WEBKIT_NAVIGATION_TYPE_LINK_CLICKED:
    case WEBKIT_NAVIGATION_TYPE_FORM_SUBMITTED:
    case WEBKIT_NAVIGATION_TYPE_FORM_RESUBMITTED:
    case WEBKIT_NAVIGATION_TYPE_BACK_FORWARD:
      return true;
    case WEBKIT_NAVIGATION_TYPE_RELOAD:
      return false;
    case WEBKIT_NAVIGATION_TYPE_OTHER:
    default:
      return !committed_ || webkit_navigation_action_is_user_gesture(action);
  }
}

void WebKitBrowser::OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, WebKitBrowser* self) {
  switch (event) {
    case WEBKIT_LOAD_STARTED: {
      self->ClearPending();
      const auto alive = self->alive_;
      // The previous load still waiting for its title ends first.
      if (self->finishing_) self->CompleteLoad(self->loadSerial_, {}, true);
      if (!*alive) return;
      ++self->loadSerial_;
      self->loadFailed_ = false;
      self->pageTitle_.clear();
      self->lastTitle_.clear();
      self->OnDownloadBegin.emit();
      break;
    }
    case WEBKIT_LOAD_COMMITTED:
      self->committed_ = true;
      break;
    case WEBKIT_LOAD_FINISHED:
      self->firstLoadEnded_ = true;
      if (self->loadFailed_) {
        self->OnDownloadComplete.emit();
      } else {
        self->FinishLoad();
      }
      break;
    case WEBKIT_LOAD_REDIRECTED:
      break;
  }
}

void WebKitBrowser::FinishLoad() {
  if (!ToText(webkit_web_view_get_title(view_)).empty() || !HasPage()) {
    CompleteLoad(loadSerial_, {}, false);
    return;
  }
  // WebKit tells the title a moment after the end of the load (OnTitle
  // completes the load then). Only a page that has none by then is asked
  // for it: the answer of a script makes this process start a JavaScript
  // engine of its own, megabytes that most pages never need.
  finishing_ = true;
  if (finishTimer_) g_source_remove(finishTimer_);
  finishTimer_ = g_timeout_add(kTitleWaitMs, +[](gpointer data) -> gboolean {
    auto* browser = static_cast<WebKitBrowser*>(data);
    browser->finishTimer_ = 0;
    browser->AskTitle();
    return G_SOURCE_REMOVE;
  }, this);
}

void WebKitBrowser::AskTitle() {
  // Asked so that the title is told before the load is.
  struct Waiting {
    std::shared_ptr<bool> alive;
    WebKitBrowser* browser;
    unsigned serial;
  };
  auto* waiting = new Waiting{alive_, this, loadSerial_};
  webkit_web_view_evaluate_javascript(
      view_, "document.title", -1, nullptr, nullptr, nullptr,
      +[](GObject* object, GAsyncResult* result, gpointer data) {
        std::unique_ptr<Waiting> w(static_cast<Waiting*>(data));
        JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(object), result, nullptr);
        const std::string title = JsText(value);
        if (value) g_object_unref(value);
        if (*w->alive) w->browser->CompleteLoad(w->serial, title, true);
      },
      waiting);
  // A page busy with a script of its own may not answer soon.
  finishTimer_ = g_timeout_add(kAnswerTimeoutMs / 5, +[](gpointer data) -> gboolean {
    auto* browser = static_cast<WebKitBrowser*>(data);
    browser->finishTimer_ = 0;
    browser->CompleteLoad(browser->loadSerial_, {}, true);
    return G_SOURCE_REMOVE;
  }, this);
}

void WebKitBrowser::CompleteLoad(unsigned serial, const std::string& pageTitle, bool deferred) {
  if (deferred) {
    // Completed meanwhile (title, time-out, next load), or an answer for
    // an earlier load.
    if (!finishing_ || serial != loadSerial_) return;
    finishing_ = false;
    if (finishTimer_) {
      g_source_remove(finishTimer_);
      finishTimer_ = 0;
    }
  }
  const auto alive = alive_;
  if (ToText(webkit_web_view_get_title(view_)).empty()) {
    pageTitle_ = pageTitle;
    // A page without a title is known by its address.
    EmitTitle(pageTitle.empty() ? LocationURL() : pageTitle);
    if (!*alive) return;
  }
  OnDownloadComplete.emit();
  if (*alive) OnDocumentComplete.emit(true);
}

void WebKitBrowser::EmitTitle(const std::string& title) {
  if (title.empty() || title == lastTitle_) return;
  lastTitle_ = title;
  OnTitleChange.emit(title);
}

gboolean WebKitBrowser::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, WebKitBrowser* self) {
  self->loadFailed_ = true;
  return FALSE;  // WebKit shows its error page
}

void WebKitBrowser::OnIsLoading(WebKitWebView* view, GParamSpec*, WebKitBrowser* self) {
  if (webkit_web_view_is_loading(view) || !self->navigatePending_ || self->graceTimer_) return;
  if (self->decisionSeen_) {
    // The navigation was decided and WebKit is idle again: it needed no
    // load (a jump within the page) or was dropped.
    self->ClearPending();
    return;
  }
  // Idle before any decision: normally the gap between two navigations in
  // a row; if nothing follows, the navigation was dropped.
  self->graceTimer_ = g_timeout_add(kPendingGraceMs, +[](gpointer data) -> gboolean {
    auto* browser = static_cast<WebKitBrowser*>(data);
    browser->graceTimer_ = 0;
    if (!webkit_web_view_is_loading(browser->view_)) browser->navigatePending_ = false;
    return G_SOURCE_REMOVE;
  }, self);
}

void WebKitBrowser::OnTitle(WebKitWebView* view, GParamSpec*, WebKitBrowser* self) {
  // WebKit clears the title when a new document commits; the page's own
  // title (or its address, when it has none) follows.
  const std::string title = ToText(webkit_web_view_get_title(view));
  const auto alive = self->alive_;
  self->EmitTitle(title);
  // A finished load waits for it.
  if (*alive && self->finishing_ && !title.empty()) self->CompleteLoad(self->loadSerial_, {}, true);
}

void WebKitBrowser::OnProgress(WebKitWebView* view, GParamSpec*, WebKitBrowser* self) {
  const int progress = int(webkit_web_view_get_estimated_load_progress(view) * 100.0 + 0.5);
  if (progress == self->lastProgress_) return;
  self->lastProgress_ = progress;
  self->OnProgressChange.emit(progress, 100);
}

gboolean WebKitBrowser::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                       WebKitBrowser* self) {
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
  WebKitNavigationAction* action =
      webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const std::string uri = ToText(webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
  auto own = std::find(self->ownNavigations_.begin(), self->ownNavigations_.end(), uri);
  const bool announced = own != self->ownNavigations_.end() && !webkit_navigation_action_is_redirect(action);
  // A generated page opens no local file but those the program asks for,
  // in no frame and by no link or redirect.
  if (self->content_ == Content::Generated && IsFileUri(uri) && !announced) {
    webkit_policy_decision_ignore(decision);
    return TRUE;
  }
  if (webkit_navigation_action_is_redirect(action)) return FALSE;

  if (announced) {
    // The decision about a Navigate that a later one replaced can come
    // after the later one, while WebKit is idle between the two: it says
    // nothing about the later navigation.
    if (std::next(own) == self->ownNavigations_.end()) self->decisionSeen_ = true;
    self->ownNavigations_.erase(own);
    return FALSE;  // announced by Navigate already
  }
  self->decisionSeen_ = true;
  if (!self->IsTopLevel(action)) return FALSE;

  bool cancel = false;
  const auto alive = self->alive_;
  self->OnBeforeNavigate2.emit(uri, cancel);
  if (*alive && !cancel) return FALSE;
  webkit_policy_decision_ignore(decision);
  return TRUE;
}

GtkWidget* WebKitBrowser::OnCreate(WebKitWebView* view, WebKitNavigationAction*, WebKitBrowser* self) {
  CreationScope scope;
  scope.opener = view;
  creationScopes.push_back(&scope);
  Browser* newWindow = nullptr;
  bool cancel = false;
  const auto alive = self->alive_;
  self->OnNewWindow2.emit(newWindow, cancel);
  creationScopes.pop_back();
  if (!*alive || cancel || !newWindow) return nullptr;

  // Only a browser made for this request, as a related view of this one,
  // can take the new window; WebKit cannot load it into any other view.
  auto made = std::find_if(scope.made.begin(), scope.made.end(),
                           [&](WebKitBrowser* b) { return static_cast<Browser*>(b) == newWindow; });
  if (made == scope.made.end()) {
    g_warning("the browser handed back for a new window was not made while the page asked for it");
    return nullptr;
  }
  return GTK_WIDGET((*made)->view());
}

void WebKitBrowser::OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, WebKitBrowser* self) {
  const bool link = webkit_hit_test_result_context_is_link(hit);
  self->SetStatus(link ? ToText(webkit_hit_test_result_get_link_uri(hit)) : std::string());
}

gboolean WebKitBrowser::OnLeave(GtkWidget*, GdkEvent*, WebKitBrowser* self) {
  self->SetStatus({});
  return FALSE;
}

gboolean WebKitBrowser::OnContextMenuRequested(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*,
                                               WebKitBrowser* self) {
  if (self->OnContextMenu.empty()) return FALSE;  // the engine's own menu
  self->OnContextMenu.emit();
  return TRUE;
}

gboolean WebKitBrowser::OnDraw(GtkWidget* widget, cairo_t* cr, WebKitBrowser* self) {
  // WebKit tells the page one change of the view's size at a time and
  // waits for the page to take it up before it tells the next. A page
  // navigated before its window was shown takes up the size the window's
  // showing gave it only with its first document; the larger size the
  // window manager's maximising gives a moment later waits for that, and
  // meanwhile the blank page is painted over the opening size alone. Until
  // the first load has ended, the rest of the view is painted as that
  // blank page would be, in the view's background colour, instead of
  // showing the window behind it.
  if (self->firstLoadEnded_) return FALSE;
  GdkRGBA background{};
  webkit_web_view_get_background_color(WEBKIT_WEB_VIEW(widget), &background);
  if (background.alpha > 0) {
    gdk_cairo_set_source_rgba(cr, &background);
    cairo_paint(cr);
  }
  return FALSE;  // WebKit draws the page over it
}

void WebKitBrowser::OnProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason, WebKitBrowser* self) {
  self->ClearPending();
}

}  // namespace

void StoreWebDataIn(const std::string& dataFolder, const std::string& cacheFolder) {
  if (webContext) return;
  ChooseRenderer();
  WebKitWebsiteDataManager* manager = webkit_website_data_manager_new(
      "base-data-directory", dataFolder.c_str(), "base-cache-directory", cacheFolder.c_str(), nullptr);
  webContext = webkit_web_context_new_with_website_data_manager(manager);
  g_object_unref(manager);
  // Cookies outlive the session, as the user expects of a browser.
  const std::string cookies = dataFolder + "/cookies.sqlite";
  webkit_cookie_manager_set_persistent_storage(webkit_web_context_get_cookie_manager(webContext), cookies.c_str(),
                                               WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
}

std::unique_ptr<Browser> CreateWebKitBrowser(Content content) {
  CreationScope* scope = creationScopes.empty() ? nullptr : creationScopes.back();
  // A generated page opens no window, so no Generated browser is made for
  // one.
  if (content == Content::Generated) scope = nullptr;
  auto browser = std::make_unique<WebKitBrowser>(scope ? scope->opener : nullptr, content);
  if (scope) scope->made.push_back(browser.get());
  return browser;
}

}  // namespace engine
