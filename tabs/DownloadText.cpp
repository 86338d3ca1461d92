#include "tabs/DownloadText.h"

#include <glib.h>

#include <array>

namespace tabs {
namespace {

constexpr std::size_t kMaxNameBytes = 255;
// A longer ending after the last dot is not taken for an extension.
constexpr std::size_t kMaxExtensionBytes = 16;
// A longer name is shortened in the status line, so the figures fit.
constexpr std::size_t kMaxShownNameCharacters = 40;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The longest prefix of `text` of at most `bytes` bytes that ends between
// two UTF-8 characters.
std::string_view CutAtCharacter(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return text.substr(0, bytes);
}

std::string ProgressOf(std::uint64_t received, std::uint64_t expected) {
  std::string text = ByteSize(received);
  if (expected > 0 && received <= expected) {
    const auto percent = std::uint64_t(static_cast<long double>(received) * 100 / static_cast<long double>(expected));
    text += " of " + ByteSize(expected) + " (" + std::to_string(percent) + "%)";
  }
  return text;
}

std::string ShownName(const std::string& name) {
  if (g_utf8_strlen(name.c_str(), gssize(name.size())) <= glong(kMaxShownNameCharacters)) return name;
  const char* end = g_utf8_offset_to_pointer(name.c_str(), glong(kMaxShownNameCharacters - 3));
  return std::string(name.c_str(), end) + "...";
}

}  // namespace

std::string SafeFileName(std::string_view suggested) {
  gchar* valid = g_utf8_make_valid(suggested.data(), gssize(suggested.size()));
  std::string name;
  for (const char* p = valid; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c == 0x7F) continue;
    name += (c == '/' || c == '\\') ? '_' : char(c);
  }
  g_free(valid);
  std::size_t start = 0;
  while (start < name.size() && (name[start] == '.' || IsBlank(name[start]))) ++start;
  std::size_t end = name.size();
  while (end > start && IsBlank(name[end - 1])) --end;
  name = name.substr(start, end - start);
  if (name.size() > kMaxNameBytes) {
    const std::size_t dot = name.rfind('.');
    const std::string extension =
        dot != std::string::npos && dot > 0 && name.size() - dot <= kMaxExtensionBytes ? name.substr(dot) : "";
    const std::string_view stem(name.data(), name.size() - extension.size());
    name = std::string(CutAtCharacter(stem, kMaxNameBytes - extension.size())) + extension;
  }
  return name.empty() ? "download" : name;
}

std::string FileNameFromUrl(std::string_view url) {
  const std::size_t cut = url.find_first_of("?#");
  if (cut != std::string_view::npos) url = url.substr(0, cut);
  const std::size_t scheme = url.find("://");
  const std::size_t pathStart = scheme == std::string_view::npos ? 0 : url.find('/', scheme + 3);
  if (pathStart == std::string_view::npos) return SafeFileName("");
  const std::size_t slash = url.rfind('/');
  const std::string segment(url.substr(slash == std::string_view::npos ? 0 : slash + 1));
  gchar* decoded = g_uri_unescape_string(segment.c_str(), nullptr);
  const std::string name = decoded ? decoded : segment;
  g_free(decoded);
  return SafeFileName(name);
}

std::string ByteSize(std::uint64_t bytes) {
  if (bytes == 1) return "1 byte";
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  static constexpr std::array<const char*, 5> units{"KB", "MB", "GB", "TB", "PB"};
  std::uint64_t unit = 1024;
  std::size_t index = 0;
  // Tenths of the unit, rounded; a value that rounds up to 1024 of a unit
  // is told in the next one.
  auto tenths = [&] { return (bytes / unit) * 10 + ((bytes % unit) * 10 + unit / 2) / unit; };
  while (index + 1 < units.size() && tenths() >= 10240) {
    unit *= 1024;
    ++index;
  }
  const std::uint64_t t = tenths();
  return std::to_string(t / 10) + "." + std::to_string(t % 10) + " " + units[index];
}

std::string DownloadStatusText(const std::vector<DownloadProgress>& running) {
  if (running.empty()) return {};
  if (running.size() == 1)
    return "Downloading " + ShownName(running[0].name) + ": " + ProgressOf(running[0].received, running[0].expected);
  std::uint64_t received = 0, expected = 0;
  bool allKnown = true;
  for (const DownloadProgress& d : running) {
    received += d.received;
    expected += d.expected;
    allKnown = allKnown && d.expected > 0;
  }
  return "Downloading " + std::to_string(running.size()) + " files: " + ProgressOf(received, allKnown ? expected : 0);
}

std::string DownloadCompleteText(const std::string& path) { return "Download complete: " + path; }

std::string DownloadFailedText(const std::string& name, const std::string& reason) {
  return "The download of " + name + " failed: " + reason;
}

}  // namespace tabs
