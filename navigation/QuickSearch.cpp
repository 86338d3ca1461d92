#include "navigation/QuickSearch.h"

namespace navigation {

EngineTable DefaultEngines() {
  return {{
      {"Google", "Google Search", "www.google.com", "/search?ie=ISO-8859-1&hl=us&q="},
      {"Bing", "Bing Search", "www.bing.com", "/search?ie=ISO-8859-1&hl=us&q="},
      {"Yahoo", "Yahoo! Search", "search.yahoo.com", "/bin/search?p="},
      {"Wikipedia", "Wikipedia Search", "en.wikipedia.org", "/wiki/"},
  }};
}

int EngineIndex(int setting) { return setting >= 0 && setting <= 3 ? setting : 0; }

std::string SearchUrl(const EngineTable& engines, int setting, const std::string& text) {
  const SearchEngine& e = engines[std::size_t(EngineIndex(setting))];
  return "http://" + e.host + e.prefix + text;
}

}  // namespace navigation
