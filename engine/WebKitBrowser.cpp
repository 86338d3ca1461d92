#include "engine/WebKitBrowser.h"

#include <gtkmm/widget.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "engine/AddressResolution.h"
#include "engine/AgentHeader.h"
#include "engine/ErrorPages.h"
#include "engine/WebKitInternal.h"
#include "ui/ProcessMessages.h"

namespace engine {

namespace webkit {

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

// The languages of the user's locale, as spelling dictionaries are named
// ("de_AT", "de"): no encoding or modifier, no "C" or "POSIX", and a bare
// language only when no variant of it came before (it would load the same
// dictionary again).
std::vector<std::string> SpellingLanguages() {
  std::vector<std::string> languages;
  for (const gchar* const* name = g_get_language_names(); *name; ++name) {
    const std::string language = *name;
    if (language == "C" || language == "POSIX" || language.find_first_of(".@") != std::string::npos) continue;
    const bool known = std::any_of(languages.begin(), languages.end(), [&](const std::string& l) {
      return l == language || l.rfind(language + "_", 0) == 0;
    });
    if (!known) languages.push_back(language);
  }
  return languages;
}

// What every context the program's views belong to is set up with, once:
// a page whose certificate cannot be verified is never shown, its
// downloads go to the browser of their view, and text fields are
// spell-checked in the user's languages. The dictionaries load
// when the program is idle, not while the first window opens.
void PrepareContext(WebKitWebContext* context) {
  static constexpr const char* kPrepared = "lumivale-prepared";
  if (g_object_get_data(G_OBJECT(context), kPrepared)) return;
  g_object_set_data(G_OBJECT(context), kPrepared, GINT_TO_POINTER(1));
  webkit_website_data_manager_set_tls_errors_policy(webkit_web_context_get_website_data_manager(context),
                                                     WEBKIT_TLS_ERRORS_POLICY_FAIL);
  WatchDownloads(context);
  g_idle_add_full(
      G_PRIORITY_LOW,
      +[](gpointer data) -> gboolean {
        auto* c = static_cast<WebKitWebContext*>(data);
        const std::vector<std::string> languages = SpellingLanguages();
        std::vector<const gchar*> names;
        for (const std::string& l : languages) names.push_back(l.c_str());
        names.push_back(nullptr);
        webkit_web_context_set_spell_checking_languages(c, names.data());
        webkit_web_context_set_spell_checking_enabled(c, TRUE);
        return G_SOURCE_REMOVE;
      },
      g_object_ref(context), g_object_unref);
}

// The view's data that names its browser.
constexpr const char* kBrowserKey = "lumivale-browser";

WebKitBrowser* BrowserOf(WebKitWebView* view) {
  return view ? static_cast<WebKitBrowser*>(g_object_get_data(G_OBJECT(view), kBrowserKey)) : nullptr;
}

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
  PrepareContext(webkit_web_view_get_context(view_));
  g_object_set_data(G_OBJECT(view_), kBrowserKey, this);

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
  g_signal_connect(view_, "load-failed-with-tls-errors", G_CALLBACK(OnTlsErrors), this);
  g_signal_connect(view_, "close", G_CALLBACK(OnClose), this);
  // Before WebKit's own drawing.
  g_signal_connect(view_, "draw", G_CALLBACK(OnDraw), this);
}

WebKitBrowser::~WebKitBrowser() {
  *alive_ = false;
  // WebKit may keep the view a while longer; it no longer has a browser.
  g_object_set_data(G_OBJECT(view_), kBrowserKey, nullptr);
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
      self->errorPagePending_.clear();
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
  if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return DecideResponse(WEBKIT_RESPONSE_POLICY_DECISION(decision));
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
  WebKitNavigationAction* action =
      webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const std::string uri = ToText(webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
  if (!self->errorPagePending_.empty() && uri == self->errorPagePending_) {
    self->errorPagePending_.clear();
    return FALSE;  // the error page standing in for the address
  }
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

gboolean WebKitBrowser::OnContextMenuRequested(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult* hit,
                                               WebKitBrowser* self) {
  // In a text field, an editable region or a document in design mode the
  // user wants to edit: the engine's own menu has cut, copy, paste and the
  // spelling suggestions.
  if (self->OnContextMenu.empty() || webkit_hit_test_result_context_is_editable(hit)) return FALSE;
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

void WebKitBrowser::OnProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason reason,
                                        WebKitBrowser* self) {
  self->ClearPending();
  const std::string address = self->LocationURL();
  if (address.empty()) return;  // nothing was shown; the next load starts a new process
  ProcessEnd why = ProcessEnd::Crashed;
  if (reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT) why = ProcessEnd::OutOfMemory;
  if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API) why = ProcessEnd::EndedByProgram;
  self->ShowErrorPage(ProcessEndedPage(why, address), address);
}

gboolean WebKitBrowser::OnTlsErrors(WebKitWebView*, gchar* uri, GTlsCertificate*, GTlsCertificateFlags problems,
                                    WebKitBrowser* self) {
  self->loadFailed_ = true;
  const std::string address = ToText(uri);
  std::string host = address;
  if (GUri* parsed = g_uri_parse(uri, G_URI_FLAGS_NONE, nullptr)) {
    host = ToText(g_uri_get_host(parsed));
    g_uri_unref(parsed);
  }
  // The page itself never shows, and there is no way on to it: reloading
  // asks the site again and meets the same certificate.
  self->ShowErrorPage(NotSecurePage(host, address, unsigned(problems)), address);
  return TRUE;
}

void WebKitBrowser::OnClose(WebKitWebView*, WebKitBrowser* self) { self->OnWindowClose.emit(); }

void WebKitBrowser::ShowErrorPage(const std::string& html, const std::string& address) {
  errorPagePending_ = address;
  webkit_web_view_load_alternate_html(view_, html.c_str(), address.c_str(), nullptr);
}

}  // namespace webkit

using webkit::ChooseRenderer;
using webkit::creationScopes;
using webkit::CreationScope;
using webkit::webContext;
using webkit::WebKitBrowser;

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
