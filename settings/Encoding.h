#pragma once
// Texts in the program's files are UTF-8. Files made on Windows hold 8-bit
// text in the Windows-1252 code page instead; a reader that meets bytes
// that are not valid UTF-8 decodes them as Windows-1252, so accented text
// from such files survives.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// True when `bytes` is well-formed UTF-8: no overlong forms, no surrogates,
// nothing above U+10FFFF. A NUL byte is a valid character here.
bool IsValidUtf8(std::string_view bytes);

// Decodes Windows-1252 into UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
// the same number, so no byte is lost.
std::string Windows1252ToUtf8(std::string_view bytes);

// Encodes UTF-8 text in Windows-1252, the inverse of Windows1252ToUtf8.
// Nothing when the text is not valid UTF-8 or holds a character the code
// page does not have.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// Valid UTF-8 comes back unchanged; anything else is decoded as
// Windows-1252 as a whole.
std::string ToUtf8(std::string_view bytes);

// The longest beginning of `text` that is at most `maxBytes` long and does
// not end inside a UTF-8 character. Text that is not UTF-8 is cut at
// `maxBytes` (never backing off more than one character's length).
std::string_view CutUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace settings
