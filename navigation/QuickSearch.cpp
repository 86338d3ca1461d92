#include "navigation/QuickSearch.h"

#include <optional>

#include "settings/Encoding.h"

namespace navigation {

EngineTable DefaultEngines() {
  return {{
      {"Google", "Google Search", "www.google.com", "/search?ie=ISO-8859-1&hl=us&q=", "/search?ie=UTF-8&hl=us&q=",
       TextPlace::Query},
      {"Bing", "Bing Search", "www.bing.com", "/search?ie=ISO-8859-1&hl=us&q=", "/search?ie=UTF-8&hl=us&q=",
       TextPlace::Query},
      {"Yahoo", "Yahoo! Search", "search.yahoo.com", "/bin/search?p=", nullptr, TextPlace::Query},
      {"Wikipedia", "Wikipedia Search", "en.wikipedia.org", "/wiki/", nullptr, TextPlace::Path},
  }};
}

int EngineIndex(int setting) { return setting >= 0 && setting <= 3 ? setting : 0; }

std::string PercentEncode(const std::string& bytes, TextPlace place) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const unsigned char c : bytes) {
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                            c == '.' || c == '_' || c == '~';
    if (unreserved) {
      out.push_back(static_cast<char>(c));
    } else if (c == ' ' && place == TextPlace::Query) {
      out.push_back('+');
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 0x0F]);
    }
  }
  return out;
}

std::string SearchUrl(const EngineTable& engines, int setting, const std::string& text) {
  const SearchEngine& e = engines[std::size_t(EngineIndex(setting))];
  // Texts from the widgets are UTF-8; anything else is taken as Windows-1252.
  const std::string utf8 = settings::ToUtf8(text);
  if (e.utf8Prefix) {
    if (const std::optional<std::string> narrow = settings::Utf8ToWindows1252(utf8))
      return "http://" + e.host + e.prefix + PercentEncode(*narrow, e.place);
    return "http://" + e.host + e.utf8Prefix + PercentEncode(utf8, e.place);
  }
  return "http://" + e.host + e.prefix + PercentEncode(utf8, e.place);
}

}  // namespace navigation
