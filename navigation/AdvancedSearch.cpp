#include "navigation/AdvancedSearch.h"

#include "navigation/QuickSearch.h"
#include "navigation/SearchCodes.h"
#include "settings/Encoding.h"

namespace navigation {
namespace {

template <std::size_t N>
std::string_view Entry(const std::array<CodeItem, N>& table, int item) {
  if (item < 0 || std::size_t(item) >= N) item = 0;
  return table[std::size_t(item)].entry;
}

std::string LastTwo(std::string_view entry) {
  return std::string(entry.size() >= 2 ? entry.substr(entry.size() - 2) : entry);
}

std::string Encoded(const std::string& text) { return PercentEncode(settings::ToUtf8(text), TextPlace::Query); }

}  // namespace

std::string FileExtension(std::string_view itemText) {
  const auto dot = itemText.find('.');
  if (dot == std::string_view::npos || itemText.size() < dot + 2) return {};
  return std::string(itemText.substr(dot + 1, itemText.size() - dot - 2));
}

void SearchFragments::InterfaceChanged(int item) { hlParam = "&" + std::string(Entry(kInterfaceCodes, item)); }

void SearchFragments::CountryChanged(int item) {
  const std::string_view entry = Entry(kCountryCodes, item);
  crParam = "&cr=" + std::string(entry);
  if (item > 0) {
    bingLoc = "+loc%3A" + LastTwo(entry);
  } else {
    bingLoc.clear();
    crParam.clear();
  }
}

void SearchFragments::LanguageChanged(int item) {
  const std::string_view entry = Entry(kLanguageCodes, item);
  lrParam = "&" + std::string(entry);
  if (item > 0) {
    bingLang = "++language%3A" + LastTwo(entry);
    wikiPrefix = LastTwo(entry) + ".";
  } else {
    bingLang.clear();
    wikiPrefix.clear();
  }
}

void SearchFragments::FileTypeChanged(int item) {
  fileExt = item > 0 && std::size_t(item) < kFileTypes.size() ? FileExtension(kFileTypes[std::size_t(item)]) : "";
}

void DropUnpicked(SearchFragments& f, const SearchFields& fields) {
  if (fields.interfaceItem == 0) f.hlParam.clear();
  if (fields.countryItem == 0) f.crParam.clear();
  if (fields.languageItem == 0) f.lrParam.clear();
}

std::string GoogleAddress(const SearchFragments& f, const SearchFields& fields, const SearchHosts& hosts) {
  std::string a = "http://" + hosts.google + "/search?" + f.hlParam + f.crParam + f.lrParam;
  a += "&q=" + Encoded(fields.words);
  if (!fields.exact.empty()) a += "&q=%22" + Encoded(fields.exact) + "%22";
  if (!fields.exclude.empty()) a += "+-" + Encoded(fields.exclude);
  if (!fields.domain.empty()) a += "+site:" + Encoded(fields.domain);
  if (!f.fileExt.empty()) a += "&as_filetype=" + f.fileExt + "&";
  return a;
}

std::string BingAddress(const SearchFragments& f, const SearchFields& fields, const SearchHosts& hosts) {
  std::string a = "http://" + hosts.bing + "/search?";
  if (!fields.exact.empty()) a += "&q=%22" + Encoded(fields.exact) + "%22";
  if (fields.exact.empty())
    a += "&q=" + Encoded(fields.words);
  else if (!fields.words.empty())
    a += "+" + Encoded(fields.words);
  if (!fields.exclude.empty()) a += "+ -" + Encoded(fields.exclude);
  a += f.bingLoc + f.bingLang;
  if (!fields.domain.empty()) a += "+site%3A" + Encoded(fields.domain) + "&";
  if (!f.fileExt.empty()) a += "+filetype%3A" + f.fileExt;
  return a;
}

std::string WikipediaAddress(const SearchFragments& f, const SearchFields& fields, const SearchHosts& hosts) {
  return "http://" + f.wikiPrefix + hosts.wikipedia + "/w/index.php?search=" + Encoded(fields.words);
}

}  // namespace navigation
