#include "rss/TickerText.h"

namespace rss {

std::string TickerText(const std::string& feedName, const std::vector<std::pair<std::string, std::string>>& items) {
  std::string text = "   " + feedName + " ::: ";
  for (const auto& [date, title] : items) text += date + ":  " + title + " :::    ";
  return text;
}

std::string SourceNotFound() { return "...Source not found" + std::string(143, '.'); }

}  // namespace rss
