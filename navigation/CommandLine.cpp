#include "navigation/CommandLine.h"

#include <glib.h>

namespace navigation {

std::string CommandLineAddress(const std::string& argument, const std::string& folder) {
  if (g_path_is_absolute(argument.c_str())) return argument;
  if (gchar* scheme = g_uri_parse_scheme(argument.c_str())) {
    g_free(scheme);
    return argument;
  }
  if (folder.empty()) return argument;
  gchar* joined = g_build_filename(folder.c_str(), argument.c_str(), nullptr);
  gchar* canonical = g_canonicalize_filename(joined, nullptr);
  const bool exists = g_file_test(canonical, G_FILE_TEST_EXISTS);
  std::string result = exists ? std::string(canonical) : argument;
  g_free(canonical);
  g_free(joined);
  return result;
}

std::vector<std::string> CommandLineAddresses(const std::vector<std::string>& arguments, const std::string& folder) {
  std::vector<std::string> addresses;
  bool options = true;
  for (const std::string& argument : arguments) {
    if (options && argument == "--") {
      options = false;
      continue;
    }
    if (argument.empty() || (options && argument.rfind("--", 0) == 0)) continue;
    addresses.push_back(CommandLineAddress(argument, folder));
  }
  return addresses;
}

}  // namespace navigation
