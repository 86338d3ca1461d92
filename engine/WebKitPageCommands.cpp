// The WebKit browser's page commands: save, print, find, source, the
// cache, design mode and the editing commands.
#include <glib/gstdio.h>

#include <algorithm>

#include "engine/WebKitInternal.h"

namespace engine::webkit {

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

}  // namespace engine::webkit
