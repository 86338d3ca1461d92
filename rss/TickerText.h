#pragma once
// What the news ticker shows for a feed.

#include <string>
#include <utility>
#include <vector>

namespace rss {

// "   " + name + " ::: ", then for each item its date, ":  ", its title and
// " :::    ". `items` are (publication date, title) in feed order.
std::string TickerText(const std::string& feedName, const std::vector<std::pair<std::string, std::string>>& items);

// What the ticker shows when the feed cannot be read: "...Source not
// found" and 143 full stops, 162 characters in all.
std::string SourceNotFound();

}  // namespace rss
