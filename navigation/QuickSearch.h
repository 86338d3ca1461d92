#pragma once
// The four quick-search engines and the search addresses built from them.
// The search text is percent-encoded so that each engine receives it whole:
// "#", "&", "+" and "%" in it are the text's own, not the address's.

#include <array>
#include <string>

namespace navigation {

// Where the search text goes in an engine's address.
enum class TextPlace {
  Query,  // a query value: a blank becomes "+"
  Path,   // a path segment: a blank becomes "%20", "/" is encoded too
};

struct SearchEngine {
  const char* name;
  const char* hint;    // hint of the quick-search button
  std::string host;    // public web host
  const char* prefix;  // path and query head
  // The head to use when the text cannot be written in Windows-1252; null
  // when the engine reads UTF-8 always (and `prefix` says so, or nothing).
  // With a `utf8Prefix`, text that Windows-1252 holds goes out in that code
  // page after `prefix`.
  const char* utf8Prefix;
  TextPlace place;
};

using EngineTable = std::array<SearchEngine, 4>;

// Google, Bing, Yahoo and the English Wikipedia, in setting order 0..3.
EngineTable DefaultEngines();

// The engine index for a setting; outside 0..3 it is 0 (Google).
int EngineIndex(int setting);

// Percent-encodes `bytes` for `place`: the unreserved characters (letters,
// digits, "-", ".", "_", "~") stay, a blank becomes "+" in a query and
// "%20" in a path, every other byte becomes "%" and two upper-case hex
// digits.
std::string PercentEncode(const std::string& bytes, TextPlace place);

// "http://" + host + head + the encoded `text` (UTF-8). Google and Bing get
// the Windows-1252 bytes of the text under their "ie=ISO-8859-1" head when
// the code page holds every character, else the UTF-8 bytes under an
// "ie=UTF-8" head; Yahoo and Wikipedia get UTF-8.
std::string SearchUrl(const EngineTable& engines, int setting, const std::string& text);

}  // namespace navigation
