#include "rss/ReaderPage.h"

namespace rss {

void ReaderPage::Begin() { lines_ = {"<HTML>", "<HEAD>", "</HEAD>", "<BODY>"}; }

void ReaderPage::AppendItem(const FeedItem& item, std::string_view feedName) {
  lines_.emplace_back("<hr size=\"1\" noshade>");
  lines_.emplace_back("<p><font size=\"4\">");
  lines_.push_back("<p><a href=\"" + item.link + "\">" + item.title + "</a></p>");
  lines_.emplace_back("</font></p>");
  lines_.emplace_back("<p><font size=\"2\">");
  lines_.push_back("<font size=\"3\" color=\"#FF0000\">" + item.pubDate +
                   " </font> <font size=\"3\" color=\"#0080FF\"> " + item.category + " </font>");
  lines_.push_back("<font color=\"#008040\" size=\"4\"><strong>" + std::string(feedName) + "</strong></font>");
  lines_.emplace_back("<p><font size=\"3\">");
  lines_.push_back(item.description);
  lines_.emplace_back("</font></p>");
}

void ReaderPage::End() {
  lines_.emplace_back("</BODY>");
  lines_.emplace_back("</HTML>");
}

void ReaderPage::SetErrorPage() { lines_ = {kSourceNotFound}; }

std::string ReaderPage::Bytes() const {
  std::size_t size = 0;
  for (const std::string& line : lines_) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

std::string PageFileName(unsigned number) { return "rsss" + std::to_string(number) + ".html"; }

bool IsPageFileName(std::string_view name) {
  constexpr std::string_view prefix = "rsss", suffix = ".html";
  if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
    return false;
  const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  for (char c : digits)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string FeedFileName(unsigned number) { return "lmrss" + std::to_string(number) + ".xml"; }

}  // namespace rss
