#include "options/UserAgents.h"

#include <glib.h>

#include <algorithm>
#include <memory>

#include "settings/AtomicFile.h"
#include "settings/Encoding.h"

namespace options {
namespace {

std::string Folded(const std::string& text) {
  std::unique_ptr<gchar, decltype(&g_free)> folded(g_utf8_casefold(text.c_str(), gssize(text.size())), &g_free);
  return folded ? std::string(folded.get()) : text;
}

}  // namespace

const std::vector<std::string>& BuiltInAgents() {
  static const std::vector<std::string> agents = {
      "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; Trident/6.0)",
      "Mozilla/5.0 (iPad; CPU OS 5_0 like Mac OS X) AppleWebKit/534.46 (KHTML, like Gecko) Version/5.1 "
      "Mobile/9A334 Safari/7534.48.3",
      "Mozilla/5.0 (iPhone; U; CPU like Mac OS X; en) AppleWebKit/420+ (KHTML, like Gecko) Version/3.0 "
      "Mobile/1A543a Safari/419.3",
      "Mozilla/5.0 (Windows NT 5.1) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/35.0.1916.153 Safari/537.36",
      "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:6.0a2) Gecko/20110613 Firefox/6.0a2",
  };
  return agents;
}

std::vector<std::string> ParseAgentList(std::string_view bytes) {
  const std::string text = settings::ToUtf8(bytes);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string FormatAgentList(const std::vector<std::string>& agents) {
  std::string text;
  for (const std::string& a : agents) {
    text += a;
    text += "\r\n";
  }
  return text;
}

bool AgentLess(const std::string& a, const std::string& b) { return Folded(a) < Folded(b); }

std::size_t InsertSorted(std::vector<std::string>& agents, const std::string& agent) {
  const auto place = std::size_t(std::upper_bound(agents.begin(), agents.end(), agent, AgentLess) - agents.begin());
  agents.insert(agents.begin() + std::ptrdiff_t(place), agent);
  return place;
}

std::vector<std::string> SortedAgents(std::vector<std::string> agents) {
  std::stable_sort(agents.begin(), agents.end(), AgentLess);
  return agents;
}

std::string RemovalQuestion(const std::string& agent) { return "Remove \"" + agent + "\" from user agent list ?"; }

std::optional<std::vector<std::string>> LoadAgentFile(const std::string& path) {
  const auto bytes = settings::ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return ParseAgentList(*bytes);
}

bool SaveAgentFile(const std::string& path, const std::vector<std::string>& agents, std::string* error) {
  return settings::WriteFileAtomically(path, FormatAgentList(agents), error);
}

}  // namespace options
