#pragma once
// The INI files of the program ("Lumivale.cfg", "Progset.cfg"): sections in
// square brackets, each followed by "key=value" lines.
//
// Reading, in the manner of the platform's private-profile files:
// - section and key names match without regard to ASCII letter case;
// - blanks and tabs around names and values are not part of them;
// - a value is the text after the first "=" up to the end of the line,
//   cut at a NUL byte; a value that is not UTF-8 is read as Windows-1252;
// - only the first section of a name counts, and in it the first line of
//   a key; entries before the first section belong to none;
// - lines that are neither a section nor an entry (comments starting with
//   ";", blank lines, text without "=") are kept but never read;
// - lines may end in LF or CR LF; a UTF-8 byte-order mark is allowed.
//
// Writing changes only the line of the key (keeping its place), or adds the
// key at the end of its section, or adds the section at the end of the file.
// Every other line, comment and line ending stays as it was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// An integer as the INI files hold it: decimal with an optional sign, or
// hexadecimal after "0x" or "0X" (up to 32 bits; 0xFFFFFFFF is -1). The
// whole text must be the number: "12abc", "1.5", "-0x10", "0x" and an
// empty text are not integers, nor is a decimal number outside the range
// of int. `text` is taken as it is; the INI reader trims values first.
std::optional<int> ParseIniInteger(std::string_view text);

class IniFile {
 public:
  IniFile() = default;

  // A missing or unreadable file reads as an empty one.
  static IniFile Load(const std::string& path);
  static IniFile Parse(std::string_view text);
  // For a read-modify-write: a missing file gives an empty one; a file that
  // exists but cannot be read gives nothing (and `error` says why), so the
  // caller does not replace what it could not see.
  static std::optional<IniFile> LoadForUpdate(const std::string& path, std::string* error = nullptr);

  // The value of the key, or nothing when the key is missing. A key that is
  // present with an empty value gives the empty text.
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;
  // A missing key or a value that is not an integer gives `def`.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  // An integer: 0 is false, any other is true; anything else gives `def`.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  // Sets the key's value. CR, LF and NUL cannot be stored in a line and are
  // left out of the value. A section name that is empty or holds "]", or a
  // key that is empty, holds "=" or begins with "[" or ";", cannot be
  // written and the call does nothing; so does either name holding CR, LF
  // or NUL.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // Writes "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The whole file. A parsed text that was not written to comes back
  // byte for byte.
  std::string Text() const;

  // Writes Text() to `path` atomically.
  bool Save(const std::string& path, std::string* error = nullptr) const;

 private:
  enum class Kind : unsigned char { Other, Section, Entry };
  struct Line {
    std::string text;  // without the line ending
    bool crlf = false;
    bool newline = false;  // false only for a last line without an ending
    Kind kind = Kind::Other;
    // Section: the name. Entry: the key, then the value after "=".
    std::size_t nameBegin = 0, nameEnd = 0, valueBegin = 0, valueEnd = 0;
  };

  static void Classify(Line& line, std::size_t skip);
  std::size_t FindSection(std::string_view section) const;
  std::size_t FindKey(std::size_t sectionLine, std::string_view key) const;
  Line NewLine(std::string text) const;

  std::vector<Line> lines_;
  bool crlf_ = false;  // the file's line ending, for lines added to it
};

}  // namespace settings
