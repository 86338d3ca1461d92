#include "ui/ProcessMessages.h"

#include <glib.h>

namespace ui {
namespace {
bool terminating = false;
int depth = 0;
}  // namespace

int NestedDepth() { return depth; }
NestedLoop::NestedLoop() { ++depth; }
NestedLoop::~NestedLoop() { --depth; }


void ProcessMessages() {
  NestedLoop nested;
  GMainContext* ctx = g_main_context_default();
  // Bounded, so a source that keeps re-arming itself cannot hold us here.
  for (int i = 0; i < 1000 && g_main_context_iteration(ctx, FALSE); ++i) {
  }
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  NestedLoop nested;
  GMainContext* ctx = g_main_context_default();
  const gint64 deadline = g_get_monotonic_time() + gint64(timeoutMs) * 1000;
  while (!done()) {
    if (terminating) return false;
    const gint64 now = g_get_monotonic_time();
    if (now >= deadline) return false;
    // A timeout source wakes the blocking iteration at the deadline at the
    // latest; any other event wakes it earlier.
    const guint remainingMs = guint((deadline - now + 999) / 1000);
    GSource* wake = g_timeout_source_new(remainingMs);
    g_source_set_callback(wake, [](gpointer) -> gboolean { return G_SOURCE_REMOVE; }, nullptr, nullptr);
    g_source_attach(wake, ctx);
    g_main_context_iteration(ctx, TRUE);
    g_source_destroy(wake);
    g_source_unref(wake);
  }
  return true;
}

void WaitWithMessages(int milliseconds) {
  WaitUntil([] { return false; }, milliseconds);
}

bool Terminating() { return terminating; }
void SetTerminating(bool t) { terminating = t; }

}  // namespace ui
