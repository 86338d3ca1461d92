#include "rss/BreakingNews.h"

#include <array>
#include <cctype>
#include <cstring>

namespace rss {

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string NthField(std::string_view text, char separator, int n) {
  int i = 1;
  std::string field;
  std::string_view remaining = text;
  std::size_t going = text.size();
  while (i <= n && going != 0) {
    const std::size_t p = remaining.find(separator);
    if (p != std::string_view::npos) {
      field = std::string(remaining.substr(0, p));
      remaining.remove_prefix(p + 1);
      ++i;
      going = p + 1;  // found: the loop goes on
    } else {
      field = std::string(remaining);
      going = 0;
    }
  }
  if (i < n) return {};
  return field;
}

std::string AsciiUpper(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

std::optional<std::string> FindKeyword(std::string_view keywords, std::string_view matchText) {
  // An 8-bit count: pieces 0 to 255.
  for (int k = 1; k <= 255; ++k) {
    const std::string piece = NthField(keywords, ',', k);
    if (piece.empty()) return std::nullopt;
    if (matchText.find(AsciiUpper(piece)) != std::string_view::npos) return piece;
  }
  return std::nullopt;
}

std::string PopupBody(std::string_view description, std::string_view matchText) {
  const std::size_t gt = description.find('>');
  if (gt == std::string_view::npos) return std::string(matchText);
  return std::string(matchText.substr(std::min(gt + 1, matchText.size())));
}

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + std::int64_t(doe) - 719468;
}

bool ReadNumber(std::string_view& s, int digitsMin, int digitsMax, int& value) {
  int n = 0;
  value = 0;
  while (n < digitsMax && n < int(s.size()) && std::isdigit(static_cast<unsigned char>(s[std::size_t(n)]))) {
    value = value * 10 + (s[std::size_t(n)] - '0');
    ++n;
  }
  if (n < digitsMin) return false;
  s.remove_prefix(std::size_t(n));
  return true;
}

void SkipBlanks(std::string_view& s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
}

}  // namespace

std::int64_t ItemDate(std::string_view s) {
  static constexpr std::array<const char*, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                          "jul", "aug", "sep", "oct", "nov", "dec"};
  SkipBlanks(s);
  // An optional day name and comma.
  if (const std::size_t comma = s.find(','); comma != std::string_view::npos && comma <= 9) {
    s.remove_prefix(comma + 1);
    SkipBlanks(s);
  }
  int day = 0, year = 0, hour = 0, minute = 0, second = 0;
  if (!ReadNumber(s, 1, 2, day)) return kDayZero;
  SkipBlanks(s);
  if (s.size() < 3) return kDayZero;
  int month = -1;
  for (std::size_t m = 0; m < kMonths.size(); ++m)
    if (std::tolower(static_cast<unsigned char>(s[0])) == kMonths[m][0] &&
        std::tolower(static_cast<unsigned char>(s[1])) == kMonths[m][1] &&
        std::tolower(static_cast<unsigned char>(s[2])) == kMonths[m][2])
      month = int(m) + 1;
  if (month < 0) return kDayZero;
  s.remove_prefix(3);
  while (!s.empty() && std::isalpha(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);  // "June"
  SkipBlanks(s);
  if (!ReadNumber(s, 2, 4, year)) return kDayZero;
  if (year < 100) year += year < 50 ? 2000 : 1900;
  SkipBlanks(s);
  if (!s.empty()) {
    if (!ReadNumber(s, 1, 2, hour) || s.empty() || s.front() != ':') return kDayZero;
    s.remove_prefix(1);
    if (!ReadNumber(s, 2, 2, minute)) return kDayZero;
    if (!s.empty() && s.front() == ':') {
      s.remove_prefix(1);
      if (!ReadNumber(s, 2, 2, second)) return kDayZero;
    }
  }
  const int daysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (day < 1 || day > daysIn[month - 1] || hour > 23 || minute > 59 || second > 60) return kDayZero;
  return DaysFromCivil(year, unsigned(month), unsigned(day)) * 86400 + hour * 3600 + minute * 60 + second;
}

}  // namespace rss
