// The list-file reader on arbitrary bytes. Beyond not crashing, leaking or
// reading out of bounds, it checks what the reader promises: texts come
// out as UTF-8, captions hold no NUL, and writing the rows read and reading
// them again gives the same rows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "listfile/ListFile.h"
#include "settings/Encoding.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const listfile::Decoded d = listfile::Decode(bytes);
  Check(d.signatureOk == bytes.starts_with("LVF"));
  Check(!d.complete || d.signatureOk);
  bool fits = true;
  for (const listfile::Row& row : d.rows) {
    Check(settings::IsValidUtf8(row.caption));
    Check(row.caption.find('\0') == std::string::npos);
    fits = fits && row.caption.size() <= listfile::kMaxText;
    for (const std::string& text : row.subItems) {
      Check(settings::IsValidUtf8(text));
      fits = fits && text.size() <= listfile::kMaxText;
    }
  }
  // Windows-1252 text grows when decoded; only texts still within the
  // limit come back unchanged.
  if (fits) {
    const listfile::Decoded again = listfile::Decode(listfile::Encode(d.rows));
    Check(again.complete && again.rows == d.rows);
  }

  const std::string utf8 = settings::ToUtf8(bytes);
  Check(settings::IsValidUtf8(utf8));
  Check(settings::ToUtf8(utf8) == utf8);
  const std::size_t limit = size % 7;
  const std::string_view cut = settings::CutUtf8(utf8, limit);
  Check(cut.size() <= limit && settings::IsValidUtf8(cut) && utf8.starts_with(cut));
  return 0;
}
