#include "listfile/ListFile.h"

#include <glib.h>

#include <algorithm>
#include <optional>

#include "settings/AtomicFile.h"
#include "settings/Encoding.h"
#include "ui/Dialogs.h"

namespace listfile {
namespace {

constexpr std::string_view kSignature = "LVF";
// The smallest row record: sub-item count, image index, caption length.
constexpr std::size_t kMinRowBytes = 2 + 4 + 2;

bool listLoaded = true;

void PutU16(std::string& out, std::size_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutI32(std::string& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

void PutText(std::string& out, std::string_view text) {
  text = settings::CutUtf8(text, kMaxText);
  PutU16(out, text.size());
  out.append(text);
}

// Reads from the bytes of a file, never past their end.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Remaining() const { return bytes_.size() - pos_; }

  bool U16(std::uint16_t& v) {
    if (Remaining() < 2) return false;
    v = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
    pos_ += 2;
    return true;
  }
  bool I32(std::int32_t& v) {
    if (Remaining() < 4) return false;
    const std::uint32_t u = Byte(0) | (Byte(1) << 8) | (Byte(2) << 16) | (std::uint32_t{Byte(3)} << 24);
    v = static_cast<std::int32_t>(u);
    pos_ += 4;
    return true;
  }
  bool Text(std::string_view& text) {
    std::uint16_t length;
    if (!U16(length) || Remaining() < length) return false;
    text = bytes_.substr(pos_, length);
    pos_ += length;
    return true;
  }
  void Skip(std::size_t n) { pos_ += std::min(n, Remaining()); }

 private:
  std::uint32_t Byte(std::size_t i) const { return static_cast<unsigned char>(bytes_[pos_ + i]); }
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::optional<Row> ReadRow(Reader& in) {
  std::uint16_t subItems;
  Row row;
  std::string_view caption;
  if (!in.U16(subItems) || !in.I32(row.imageIndex) || !in.Text(caption)) return std::nullopt;
  row.caption = settings::ToUtf8(caption.substr(0, caption.find('\0')));
  // Never reserve more than the remaining bytes could hold.
  row.subItems.reserve(std::min<std::size_t>(subItems, in.Remaining() / 2));
  for (std::size_t i = 0; i < subItems; ++i) {
    std::string_view text;
    if (!in.Text(text)) return std::nullopt;
    row.subItems.push_back(settings::ToUtf8(text));
  }
  return row;
}

}  // namespace

std::string Encode(const Rows& rows) {
  const std::size_t count = std::min(rows.size(), kMaxRows);
  std::size_t size = kSignature.size() + 2;
  for (std::size_t r = 0; r < count; ++r) {
    size += kMinRowBytes + std::min(rows[r].caption.size(), kMaxText);
    const std::size_t n = std::min(rows[r].subItems.size(), kMaxSubItems);
    for (std::size_t i = 0; i < n; ++i) size += 2 + std::min(rows[r].subItems[i].size(), kMaxText);
  }
  std::string out;
  out.reserve(size);
  out.append(kSignature);
  PutU16(out, count);
  for (std::size_t r = 0; r < count; ++r) {
    const Row& row = rows[r];
    const std::size_t n = std::min(row.subItems.size(), kMaxSubItems);
    PutU16(out, n);
    PutI32(out, row.imageIndex);
    PutText(out, row.caption);
    for (std::size_t i = 0; i < n; ++i) PutText(out, row.subItems[i]);
  }
  return out;
}

Decoded Decode(std::string_view bytes) {
  Decoded d;
  if (!bytes.starts_with(kSignature)) return d;
  d.signatureOk = true;
  Reader in(bytes);
  in.Skip(kSignature.size());
  std::uint16_t count;
  if (!in.U16(count)) return d;
  d.rows.reserve(std::min<std::size_t>(count, in.Remaining() / kMinRowBytes));
  for (std::size_t r = 0; r < count; ++r) {
    std::optional<Row> row = ReadRow(in);
    if (!row) return d;
    d.rows.push_back(std::move(*row));
  }
  d.complete = true;
  return d;
}

bool ListLoaded() { return listLoaded; }
void SetListLoaded(bool loaded) { listLoaded = loaded; }

bool SaveListViewToFile(const Rows& rows, const std::string& path, std::string* error,
                        settings::FileStamp* written) {
  return settings::WriteFileAtomically(path, Encode(rows), error, written);
}

std::string DisplayName(const std::string& path) {
  gchar* base = g_path_get_basename(path.c_str());
  std::string name = settings::ToUtf8(base);
  g_free(base);
  return name;
}

ListFileContent ReadListFile(const std::string& path) {
  settings::FileContent file = settings::ReadFileContent(path);
  ListFileContent content;
  content.stamp = file.stamp;
  if (!file.bytes) {
    content.status = file.missing ? LoadStatus::Missing : LoadStatus::Unreadable;
    content.reason = std::move(file.reason);
    return content;
  }
  Decoded d = Decode(*file.bytes);
  if (!d.signatureOk) {
    content.status = LoadStatus::NotAListFile;
    return content;
  }
  content.status = LoadStatus::Loaded;
  content.rows = std::move(d.rows);
  return content;
}

void ReportLoadFailure(const ListFileContent& content, const std::string& path, Gtk::Window* owner) {
  const std::string name = DisplayName(path);
  std::string text;
  switch (content.status) {
    case LoadStatus::Loaded:
      return;
    case LoadStatus::Missing:
      text = "File \"" + name + "\" does not exist!";
      break;
    case LoadStatus::Unreadable:
      text = "File \"" + name + "\" cannot be read: " + content.reason;
      break;
    case LoadStatus::NotAListFile:
      text = "\"" + name + "\" is not a ListView file!";
      break;
  }
  ui::ShowMessage(text, "I/O Error", ui::Icon::Error, owner);
}

bool LoadListViewToFile(Rows& rows, const std::string& path, Gtk::Window* owner) {
  ListFileContent content = ReadListFile(path);
  if (content.status != LoadStatus::Loaded) {
    ReportLoadFailure(content, path, owner);
    return false;
  }
  rows = std::move(content.rows);
  SetListLoaded(false);
  return true;
}

}  // namespace listfile
