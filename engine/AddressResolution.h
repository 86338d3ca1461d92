#pragma once
// How the engine turns typed text into the address it loads. Private to
// engine/ (GLib only, so it can be tested without an engine).

#include <glib.h>

#include <cctype>
#include <string>

namespace engine {

// True when `text` starts with a URI scheme ("http:", "about:",
// "mailto:", ...). A host followed by a port ("localhost:8080/x") is not
// a scheme.
inline bool HasUriScheme(const std::string& text) {
  if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  std::size_t i = 1;
  while (i < text.size() &&
         (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '+' || text[i] == '-' || text[i] == '.')) {
    ++i;
  }
  if (i >= text.size() || text[i] != ':' || i + 1 == text.size()) return false;
  std::size_t j = i + 1;
  while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
  const bool portFollows = j > i + 1 && (j == text.size() || text[j] == '/' || text[j] == '?' || text[j] == '#');
  return !portFollows;
}

// The address the engine loads for typed `text`: leading and trailing
// blanks go; an absolute local path becomes a file URI; text with a scheme
// is kept as it is; other text gets "http://" in front. A bare name is a
// web address even when a file of that name lies in the working folder.
// Nothing else is encoded: the engine's own URL parser does that. Empty
// text gives an empty address.
inline std::string ResolveAddress(const std::string& typed) {
  const auto first = typed.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = typed.find_last_not_of(" \t\r\n");
  const std::string text = typed.substr(first, last - first + 1);

  if (text[0] == '/') {
    gchar* absolute = g_canonicalize_filename(text.c_str(), nullptr);
    gchar* uri = g_filename_to_uri(absolute, nullptr, nullptr);
    g_free(absolute);
    std::string result = uri ? uri : "";
    g_free(uri);
    return result;
  }
  if (HasUriScheme(text)) return text;
  return "http://" + text;
}

}  // namespace engine
