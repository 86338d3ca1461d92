#include "settings/IniFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <limits>

#include "settings/AtomicFile.h"
#include "settings/Encoding.h"

namespace settings {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool HasLineBreakOrNul(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != npos; }

bool WritableSection(std::string_view name) {
  return !name.empty() && !HasLineBreakOrNul(name) && name.find(']') == npos;
}

bool WritableKey(std::string_view key) {
  return !key.empty() && !HasLineBreakOrNul(key) && key.find('=') == npos && key.front() != '[' &&
         key.front() != ';';
}

}  // namespace

std::optional<int> ParseIniInteger(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (text.size() == 2) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text.substr(2)) {
      const int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(d);
      if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    // The 32-bit pattern, as the platform's colour and flag values use it.
    return static_cast<int>(static_cast<std::uint32_t>(value));
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kLimit) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

void IniFile::Classify(Line& line, std::size_t skip) {
  line.kind = Kind::Other;
  line.nameBegin = line.nameEnd = line.valueBegin = line.valueEnd = 0;
  const std::string_view text = line.text;
  std::size_t pos = skip;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos == text.size() || text[pos] == ';') return;

  auto setName = [&](std::size_t begin, std::size_t end) {
    const std::string_view name = Trim(text.substr(begin, end - begin));
    line.nameBegin = static_cast<std::size_t>(name.data() - text.data());
    line.nameEnd = line.nameBegin + name.size();
  };

  if (text[pos] == '[') {
    const std::size_t close = text.find(']', pos + 1);
    if (close == npos) return;
    line.kind = Kind::Section;
    setName(pos + 1, close);
    return;
  }
  const std::size_t eq = text.find('=', pos);
  if (eq == npos) return;
  setName(pos, eq);
  if (line.nameBegin == line.nameEnd) return;  // "=value" names no key
  line.kind = Kind::Entry;
  std::size_t vb = eq + 1, ve = text.size();
  while (vb < ve && IsBlank(text[vb])) ++vb;
  while (ve > vb && IsBlank(text[ve - 1])) --ve;
  line.valueBegin = vb;
  line.valueEnd = ve;
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  bool styleKnown = false;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t nl = text.find('\n', start);
    Line line;
    if (nl == npos) {
      line.text.assign(text.substr(start));
      start = text.size();
    } else {
      std::size_t end = nl;
      if (end > start && text[end - 1] == '\r') {
        line.crlf = true;
        --end;
      }
      line.text.assign(text.substr(start, end - start));
      line.newline = true;
      start = nl + 1;
      if (!styleKnown) {
        ini.crlf_ = line.crlf;
        styleKnown = true;
      }
    }
    const bool first = ini.lines_.empty();
    Classify(line, first && line.text.starts_with(kBom) ? kBom.size() : 0);
    ini.lines_.push_back(std::move(line));
  }
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  return bytes ? Parse(*bytes) : IniFile();
}

std::optional<IniFile> IniFile::LoadForUpdate(const std::string& path, std::string* error) {
  if (const std::optional<std::string> bytes = ReadWholeFile(path)) return Parse(*bytes);
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) return IniFile();
  if (error) *error = "Cannot read \"" + path + "\"; it was left as it is";
  return std::nullopt;
}

std::size_t IniFile::FindSection(std::string_view section) const {
  section = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    if (l.kind == Kind::Section &&
        SameName(std::string_view(l.text).substr(l.nameBegin, l.nameEnd - l.nameBegin), section))
      return i;
  }
  return npos;
}

std::size_t IniFile::FindKey(std::size_t sectionLine, std::string_view key) const {
  key = Trim(key);
  for (std::size_t i = sectionLine + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    const Line& l = lines_[i];
    if (l.kind == Kind::Entry && SameName(std::string_view(l.text).substr(l.nameBegin, l.nameEnd - l.nameBegin), key))
      return i;
  }
  return npos;
}

std::optional<std::string> IniFile::ReadValue(std::string_view section, std::string_view key) const {
  const std::size_t s = FindSection(section);
  if (s == npos) return std::nullopt;
  const std::size_t k = FindKey(s, key);
  if (k == npos) return std::nullopt;
  const Line& l = lines_[k];
  std::string_view value = std::string_view(l.text).substr(l.valueBegin, l.valueEnd - l.valueBegin);
  if (const std::size_t nul = value.find('\0'); nul != npos) value = Trim(value.substr(0, nul));
  return ToUtf8(value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, const std::string& def) const {
  std::optional<std::string> value = ReadValue(section, key);
  return value ? std::move(*value) : def;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  const std::optional<std::string> value = ReadValue(section, key);
  if (!value) return def;
  return ParseIniInteger(*value).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  const std::optional<std::string> value = ReadValue(section, key);
  if (!value) return def;
  const std::optional<int> number = ParseIniInteger(*value);
  return number ? *number != 0 : def;
}

IniFile::Line IniFile::NewLine(std::string text) const {
  Line line;
  line.text = std::move(text);
  line.crlf = crlf_;
  line.newline = true;
  Classify(line, 0);
  return line;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (!WritableSection(section) || !WritableKey(key)) return;
  std::string clean;
  clean.reserve(value.size());
  for (char c : value)
    if (c != '\r' && c != '\n' && c != '\0') clean.push_back(c);

  // Whatever line comes to follow the old last line needs a line ending.
  auto endLastLine = [this] {
    if (!lines_.empty()) {
      lines_.back().newline = true;
      lines_.back().crlf = crlf_;
    }
  };

  const std::size_t s = FindSection(section);
  if (s == npos) {
    if (!lines_.empty()) {
      endLastLine();
      if (!Trim(lines_.back().text).empty()) lines_.push_back(NewLine(""));
    }
    lines_.push_back(NewLine("[" + std::string(section) + "]"));
    lines_.push_back(NewLine(std::string(key) + "=" + clean));
    return;
  }
  if (const std::size_t k = FindKey(s, key); k != npos) {
    Line& l = lines_[k];
    l.text.replace(l.valueBegin, l.valueEnd - l.valueBegin, clean);
    Classify(l, 0);
    return;
  }
  std::size_t after = s;  // the new key goes after the section's last entry
  for (std::size_t i = s + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
    if (lines_[i].kind == Kind::Entry) after = i;
  if (after + 1 == lines_.size()) endLastLine();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), NewLine(std::string(key) + "=" + clean));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
  std::size_t size = 0;
  for (const Line& l : lines_) size += l.text.size() + 2;
  std::string out;
  out.reserve(size);
  for (const Line& l : lines_) {
    out += l.text;
    if (l.newline) out += l.crlf ? "\r\n" : "\n";
  }
  return out;
}

bool IniFile::Save(const std::string& path, std::string* error) const {
  return WriteFileAtomically(path, Text(), error);
}

}  // namespace settings
