#include "navigation/PageCommands.h"

#include <algorithm>
#include <cctype>

#include "navigation/QuickSearch.h"
#include "navigation/UrlResolution.h"

namespace navigation {

std::string TranslateAddress(const std::string& address) {
  return std::string("http://") + kTranslateHost + "/translate?u=" + PercentEncode(address, TextPlace::Query);
}

std::string LookupAddress(const std::string& address) {
  return std::string("http://") + kWhoisHost + "/whois/" + ExtractHost(address);
}

std::string MailSubject(const std::string& title, const std::string& address) {
  return title + " [ " + address + " ]";
}

std::string MailBody(const std::string& title, const std::string& address) {
  return "Link: " + address + "\n\r\n\r" + "Description: " + title;
}

std::string MailtoAddress(const std::string& subject, const std::string& body) {
  // A blank is "%20" in a mail address: "+" would stay a plus sign.
  return "mailto:?subject=" + PercentEncode(subject, TextPlace::Path) +
         "&body=" + PercentEncode(body, TextPlace::Path);
}

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (true) {
    const auto end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::vector<ui::FileType> ParseFilters(const std::string& text) {
  std::vector<ui::FileType> filters;
  const std::vector<std::string> parts = Split(text, '|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    ui::FileType filter{Trimmed(parts[i]), {}};
    for (const std::string& pattern : Split(parts[i + 1], ';')) {
      const std::string p = Trimmed(pattern);
      if (!p.empty()) filter.patterns.push_back(p);
    }
    if (filter.patterns.empty()) break;
    filters.push_back(std::move(filter));
  }
  return filters;
}

std::vector<ui::FileType> SaveFilters() {
  return {{"Web Page, HTML only (*.htm, *.html)", {"*.htm", "*.html"}},
          {"Web Archive, single file (*.mht)", {"*.mht", "*.mhtml"}}};
}

SaveKind SaveKindFor(const std::string& path, int chosenFilter) {
  const std::string name = Lower(path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1));
  if (EndsWith(name, ".htm") || EndsWith(name, ".html")) return SaveKind::Html;
  if (EndsWith(name, ".mht") || EndsWith(name, ".mhtml")) return SaveKind::WebArchive;
  return chosenFilter == 1 ? SaveKind::WebArchive : SaveKind::Html;
}

std::string SuggestedFileName(const std::string& title, SaveKind kind) {
  std::string name;
  for (char c : title) {
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) continue;
    if (static_cast<unsigned char>(c) < 0x20) continue;
    name += c;
  }
  name = Trimmed(name);
  while (!name.empty() && name.front() == '.') name.erase(name.begin());
  if (name.empty()) name = "page";
  return name + (kind == SaveKind::Html ? ".html" : ".mht");
}

}  // namespace navigation
