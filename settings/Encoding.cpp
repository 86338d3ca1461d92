#include "settings/Encoding.h"

#include <cstdint>
#include <cstring>

namespace settings {
namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; the rest of the
// upper half equals Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    // Runs of ASCII are the common case: test eight bytes at a time.
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      if (word & 0x8080808080808080ULL) break;
      p += 8;
    }
    if (p == end) break;
    const unsigned char c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;       // overlong
      if (c == 0xED) high = 0x9F;      // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;       // overlong
      if (c == 0xF4) high = 0x8F;      // above U+10FFFF
    } else {
      return false;
    }
    if (static_cast<std::size_t>(end - p) < length) return false;
    if (p[1] < low || p[1] > high) return false;
    for (std::size_t i = 2; i < length; ++i)
      if (!IsContinuation(p[i])) return false;
    p += length;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    const char32_t cp = c < 0xA0 ? kHighControls[c - 0x80] : c;
    if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return std::nullopt;
  std::string out;
  out.reserve(utf8.size());
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    const unsigned char c = *p;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++p;
      continue;
    }
    // Valid UTF-8: the lead byte tells the length.
    const std::size_t length = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = c & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) cp = (cp << 6) | (p[i] & 0x3F);
    p += length;

    if (cp >= 0xA0 && cp <= 0xFF) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    std::optional<unsigned char> byte;
    for (unsigned char i = 0; i < 32; ++i)
      if (kHighControls[i] == cp) byte = static_cast<unsigned char>(0x80 + i);
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

std::string ToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Windows1252ToUtf8(bytes);
}

std::string_view CutUtf8(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t cut = maxBytes;
  // The byte at `cut` is the first one dropped; while it continues a
  // character, that character would be split.
  for (int back = 0; back < 3 && cut > 0 && IsContinuation(static_cast<unsigned char>(text[cut])); ++back)
    --cut;
  if (IsContinuation(static_cast<unsigned char>(text[cut]))) cut = maxBytes;  // not UTF-8
  return text.substr(0, cut);
}

}  // namespace settings
