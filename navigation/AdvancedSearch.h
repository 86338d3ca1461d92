#pragma once
// The search assistant's rules: the query fragments its option lists
// leave, and the Google, Bing and Wikipedia addresses composed from them
// and from the typed fields.

#include <array>
#include <string>
#include <string_view>

namespace navigation {

// The file types the assistant offers; row 0 is "- - -".
inline constexpr std::array<const char*, 9> kFileTypes = {
    "- - -",
    "Adobe Acrobat PDF (.pdf)",
    "Adobe Postscript (.ps)",
    "Autodesk DWF (.dwf)",
    "Microsoft Excel (.xls)",
    "Microsoft Powerpoint (.ppt)",
    "Microsoft Word (.doc)",
    "Rich Text Format (.rtf)",
    "shockwave flash (.swf)",
};

// The extension in a file type's text: everything after the first "."
// except the last character (the closing parenthesis).
std::string FileExtension(std::string_view itemText);

// What the option lists leave for the next searches. Each is replaced when
// its list changes; all are empty at start and after Reset.
struct SearchFragments {
  std::string hlParam;     // "&hl=af"
  std::string crParam;     // "&cr=countryAF"
  std::string lrParam;     // "&lr=lang_af"
  std::string bingLoc;     // "+loc%3AAF"
  std::string bingLang;    // "++language%3Aaf"
  std::string wikiPrefix;  // "af."
  std::string fileExt;     // "pdf"

  // A pick in a list: the item's row number in it (0 is "- - -").
  void InterfaceChanged(int item);  // cb1
  void CountryChanged(int item);    // cb3
  void LanguageChanged(int item);   // cb2
  void FileTypeChanged(int item);   // cb5
  void Reset() { *this = SearchFragments{}; }
};

// What the panel's fields hold when Search is pressed.
struct SearchFields {
  std::string words;    // surl
  std::string exact;    // eexact
  std::string exclude;  // eexclude
  std::string domain;   // edomain
  // The rows the three code lists show.
  int interfaceItem = 0;
  int countryItem = 0;
  int languageItem = 0;
};

struct SearchHosts {
  std::string google = "www.google.com";
  std::string bing = "www.bing.com";
  // The base domain under which "de." and the rest form language hosts.
  std::string wikipedia = "wikipedia.org";
};

// A list that shows "- - -" leaves no parameter in the Google address.
void DropUnpicked(SearchFragments& fragments, const SearchFields& fields);

// The three addresses. Words and the exact phrase have their blanks as
// "+"; every typed text is percent-encoded as a query value, so that "&",
// "#" and "+" in it stay the user's (letters, digits, "-", ".", "_" and
// "~" are written as typed).
std::string GoogleAddress(const SearchFragments& fragments, const SearchFields& fields, const SearchHosts& hosts);
std::string BingAddress(const SearchFragments& fragments, const SearchFields& fields, const SearchHosts& hosts);
std::string WikipediaAddress(const SearchFragments& fragments, const SearchFields& fields, const SearchHosts& hosts);

}  // namespace navigation
