// Program entry: creates every window once, in a fixed order, then runs
// the message loop until the main window closes.

#include <gtk/gtk.h>
#include <malloc.h>
#include <gtkmm/main.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/SingleInstance.h"
#include "engine/WebKitBrowser.h"
#include "navigation/CommandLine.h"
#include "navigation/UrlResolution.h"
#include "net/Download.h"
#include "ui/GtkDialogs.h"
#include "ui/ProcessMessages.h"

namespace {

std::string ExecutablePath() {
  gchar* path = g_file_read_link("/proc/self/exe", nullptr);
  std::string result = path ? path : "";
  g_free(path);
  return result;
}

std::string FolderOf(const std::string& path) {
  gchar* dir = g_path_get_dirname(path.c_str());
  std::string result = dir;
  g_free(dir);
  if (result.empty() || result.back() != '/') result += '/';
  return result;
}

// Where the program's own files are (the seed files a new settings folder
// gets): beside the executable in a build folder, or in share/lumivale of
// the prefix it was installed into.
std::string ProgramFilesFolder(const std::string& executable) {
  const std::string beside = FolderOf(executable);
  if (g_file_test((beside + "2rss.lmf").c_str(), G_FILE_TEST_EXISTS)) return beside;
  gchar* installed = g_build_filename(beside.c_str(), "..", "share", "lumivale", nullptr);
  gchar* canonical = g_canonicalize_filename(installed, nullptr);
  std::string folder = std::string(canonical) + "/";
  g_free(canonical);
  g_free(installed);
  return g_file_test(folder.c_str(), G_FILE_TEST_IS_DIR) ? folder : beside;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  // A window already running in this session takes the addresses; New
  // Session starts one of its own. The session bus is reached while the
  // toolkit starts.
  app::SingleInstance instance;
  const bool newSession =
      std::find(arguments.begin(), arguments.end(), navigation::kNewSessionOption) != arguments.end();
  if (!newSession) instance.Prepare();

  // Large blocks (tab captures, list files) go back to the system when
  // freed; by default the allocator raises this bound after such a block
  // and keeps the later ones in its heap, megabytes for the whole run.
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
  // Handing addresses over needs no display.
  const bool display = gtk_init_check(&argc, &argv);
  // Pango reads the font configuration on a thread of its own, started with
  // the default font map, and the first widget that measures text waits
  // for it. Started now, it runs while the engine builds its context.
  if (display) pango_cairo_font_map_get_default();
  if (!newSession && !instance.Register()) return instance.HandOver(argc, argv);
  if (!display) {
    const char* name = gdk_get_display_arg_name();
    std::cerr << "lumivale: cannot open display: " << (name ? name : "") << "\n";
    return 1;
  }
  Gtk::Main::init_gtkmm_internals();
  g_set_application_name("Lumivale web browser");

  ui::GtkDialogs dialogs;
  ui::SetDialogs(&dialogs);

  const std::string executable = ExecutablePath();
  app::Environment env;
  env.appDataFolder = std::string(g_get_user_data_dir()) + "/";
  env.programFolder = ProgramFilesFolder(executable);
  env.newBrowser = [] { return engine::CreateWebKitBrowser(); };
  env.newGeneratedPageBrowser = [] { return engine::CreateWebKitBrowser(engine::Content::Generated); };
  // The window may close before the loop runs (a first tab that cannot be
  // built); then there is no loop to leave, and none is started.
  bool ended = false;
  env.endProgram = [&ended] {
    ended = true;
    if (gtk_main_level() > 0) gtk_main_quit();
  };
  gchar* folder = g_get_current_dir();
  // The arguments as GTK left them (without its own options).
  env.startAddresses = navigation::CommandLineAddresses({argv + std::min(argc, 1), argv + argc}, folder);
  g_free(folder);
  env.startNewInstance = [executable] {
    const gchar* args[] = {executable.c_str(), navigation::kNewSessionOption, nullptr};
    return g_spawn_async(nullptr, const_cast<gchar**>(args), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr,
                         nullptr, nullptr) != FALSE;
  };
  env.checkUrl = [](const std::string& text) { return navigation::CheckUrl(text); };
  env.openUri = [](const std::string& uri) {
    GError* error = nullptr;
    const bool opened = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error);
    if (error) g_error_free(error);
    return opened;
  };

  // The pages' data lives with the rest of the user's files; the cache
  // where caches belong.
  engine::StoreWebDataIn(env.appDataFolder + "Lumivale/webdata", std::string(g_get_user_cache_dir()) + "/lumivale");
  net::SetFeedCacheFolder(std::string(g_get_user_cache_dir()) + "/lumivale/feeds");

  app::TMainForm MainForm(env);
  instance.OnOpen([&MainForm](const std::vector<std::string>& addresses) { MainForm.OpenHandedOver(addresses); });
  // The first page is asked for before the window is shown: a view already
  // on screen at its first load makes the engine start a second process.
  MainForm.FormCreate();

  app::CreateForms(MainForm);

  if (!ended) {
    MainForm.show();
    gtk_main();
  }

  ui::SetTerminating(true);
  app::DestroyForms();
  return 0;
}
