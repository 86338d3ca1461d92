#pragma once
// The four quick-search engines and the search addresses built from them.
// Search texts are passed on unencoded: the engine receives them as typed.

#include <array>
#include <string>

namespace navigation {

struct SearchEngine {
  const char* name;
  const char* hint;    // hint of the quick-search button
  std::string host;    // public web host
  const char* prefix;  // path and query head
};

using EngineTable = std::array<SearchEngine, 4>;

// Google, Bing, Yahoo and the English Wikipedia, in setting order 0..3.
EngineTable DefaultEngines();

// The engine index for a setting; outside 0..3 it is 0 (Google).
int EngineIndex(int setting);

// "http://" + host + prefix + text.
std::string SearchUrl(const EngineTable& engines, int setting, const std::string& text);

}  // namespace navigation
