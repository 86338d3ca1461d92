#pragma once
// What every request of net/ does with the address and the agent it is
// given. Private to net/.

#include <libsoup/soup.h>

#include <string>

namespace net::detail {

// Characters that may stand in a request target as they are. Everything
// else (blanks, quotes, bytes above 127, control characters) is
// percent-encoded, as any browser's URL parser does before sending. "%"
// stays, so addresses that are already encoded are not encoded twice.
inline constexpr const char* kAllowedInUrl = "!#$%&'()*+,/:;=?@[]~";

inline std::string RemoveControlCharacters(const std::string& text) {
  std::string clean;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7f) clean += c;
  }
  return clean;
}

// The GUri for `url`, or null when it is not an http or https address
// with a host.
inline GUri* ParseHttpUrl(const std::string& url) {
  gchar* escaped = g_uri_escape_string(url.c_str(), kAllowedInUrl, FALSE);
  GUri* uri = g_uri_parse(escaped, GUriFlags(SOUP_HTTP_URI_FLAGS), nullptr);
  g_free(escaped);
  if (!uri) return nullptr;
  const char* scheme = g_uri_get_scheme(uri);
  const char* host = g_uri_get_host(uri);
  const bool http = scheme && (g_ascii_strcasecmp(scheme, "http") == 0 || g_ascii_strcasecmp(scheme, "https") == 0);
  if (!http || !host || !*host) {
    g_uri_unref(uri);
    return nullptr;
  }
  return uri;
}

// Sets the User-Agent header of `msg` to `agent`; an empty agent sends
// none.
inline void SetAgent(SoupMessage* msg, const std::string& agent) {
  SoupMessageHeaders* headers = soup_message_get_request_headers(msg);
  const std::string clean = RemoveControlCharacters(agent);
  if (clean.empty()) {
    soup_message_headers_remove(headers, "User-Agent");
  } else {
    soup_message_headers_replace(headers, "User-Agent", clean.c_str());
  }
}

}  // namespace net::detail
