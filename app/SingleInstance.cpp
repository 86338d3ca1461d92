#include "app/SingleInstance.h"

#include <gio/gio.h>

#include <iostream>

#include "navigation/CommandLine.h"

namespace app {

namespace {

// A session bus this process can reach without starting one: the address
// in the environment, or the bus socket of the user's runtime folder. On
// a display without either, GLib would start a bus of its own for the
// display; a browser started without a session has no use for one.
bool SessionBusThere() {
  if (g_getenv("DBUS_SESSION_BUS_ADDRESS")) return true;
  gchar* socket = g_build_filename(g_get_user_runtime_dir(), "bus", nullptr);
  const bool there = g_file_test(socket, G_FILE_TEST_EXISTS);
  g_free(socket);
  return there;
}

}  // namespace

SingleInstance::~SingleInstance() {
  if (!application_) return;
  if (handler_) g_signal_handler_disconnect(application_, handler_);
  g_object_unref(application_);
}

void SingleInstance::Prepare() {
  if (!SessionBusThere()) return;
  g_bus_get(G_BUS_TYPE_SESSION, nullptr,
            +[](GObject*, GAsyncResult* result, gpointer) {
              if (GDBusConnection* bus = g_bus_get_finish(result, nullptr)) g_object_unref(bus);
            },
            nullptr);
}

bool SingleInstance::Register() {
  if (!SessionBusThere()) return true;
  application_ = g_application_new(kApplicationId, G_APPLICATION_HANDLES_COMMAND_LINE);
  handler_ = g_signal_connect(
      application_, "command-line",
      G_CALLBACK(+[](GApplication*, GApplicationCommandLine* line, SingleInstance* self) -> int {
        gchar** arguments = g_application_command_line_get_arguments(line, nullptr);
        std::vector<std::string> given;
        for (gchar** a = arguments && *arguments ? arguments + 1 : arguments; a && *a; ++a) given.emplace_back(*a);
        g_strfreev(arguments);
        const gchar* folder = g_application_command_line_get_cwd(line);
        const auto addresses = navigation::CommandLineAddresses(given, folder ? folder : "");
        if (self->open_) self->open_(addresses);
        return 0;
      }),
      this);
  GError* error = nullptr;
  if (!g_application_register(application_, nullptr, &error)) {
    // No name on the bus: this process goes on by itself.
    std::cerr << "lumivale: " << (error ? error->message : "the session bus refused the program's name") << "\n";
    if (error) g_error_free(error);
    return true;
  }
  return !g_application_get_is_remote(application_);
}

int SingleInstance::HandOver(int argc, char** argv) {
  if (!application_) return 1;
  return g_application_run(application_, argc, argv);
}

}  // namespace app
