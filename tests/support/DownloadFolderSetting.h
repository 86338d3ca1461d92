#pragma once
// The user's download folder, as the desktop's user-dirs file names it,
// set to a folder of the test's for as long as the object lives.

#include <glib.h>

#include <optional>
#include <string>

#include "support/TempFolder.h"

namespace testing_support {

class DownloadFolderSetting {
 public:
  explicit DownloadFolderSetting(const std::string& folder) {
    if (const char* old = g_getenv("XDG_CONFIG_HOME")) previous_ = old;
    config_.Write("user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"" + folder + "\"\n");
    g_setenv("XDG_CONFIG_HOME", config_.path().c_str(), TRUE);
    g_reload_user_special_dirs_cache();
  }
  ~DownloadFolderSetting() {
    if (previous_)
      g_setenv("XDG_CONFIG_HOME", previous_->c_str(), TRUE);
    else
      g_unsetenv("XDG_CONFIG_HOME");
    g_reload_user_special_dirs_cache();
  }
  DownloadFolderSetting(const DownloadFolderSetting&) = delete;
  DownloadFolderSetting& operator=(const DownloadFolderSetting&) = delete;

 private:
  TempFolder config_;
  std::optional<std::string> previous_;
};

}  // namespace testing_support
