// The search assistant: its code lists, the fragments its lists leave and
// the addresses it composes.
#include <gtest/gtest.h>

#include <string>

#include "navigation/AdvancedSearch.h"
#include "navigation/SearchCodes.h"

namespace {

using navigation::SearchFields;
using navigation::SearchFragments;

template <std::size_t N>
int Row(const std::array<navigation::CodeItem, N>& table, const std::string& text) {
  for (std::size_t i = 0; i < N; ++i)
    if (table[i].text == text) return int(i);
  ADD_FAILURE() << "no row " << text;
  return 0;
}

TEST(SearchCodes, EachListHasItsRowsInOrderAfterItsBlankRow) {
  EXPECT_EQ(navigation::kInterfaceCodes.size(), 150u);
  EXPECT_EQ(navigation::kCountryCodes.size(), 243u);
  EXPECT_EQ(navigation::kLanguageCodes.size(), 47u);
  struct Case {
    const navigation::CodeItem& item;
    const char* text;
    const char* entry;
  };
  const Case cases[] = {
      {navigation::kInterfaceCodes[0], "- - -", "hl= "},
      {navigation::kInterfaceCodes[1], "Afrikaans", "hl=af"},
      {navigation::kInterfaceCodes[13], "Bork, bork, bork!", "hl=xx-bork"},
      {navigation::kInterfaceCodes[21], "Chinese (Simplified)", "hl=zh-CN"},
      {navigation::kInterfaceCodes[149], "Zulu", "hl=zu"},
      {navigation::kLanguageCodes[0], "- - -", "lr= "},
      {navigation::kLanguageCodes[19], "German", "lr=lang_de"},
      {navigation::kLanguageCodes[46], "Vietnamese", "lr=lang_vi"},
      {navigation::kCountryCodes[0], "- - -", " "},
      {navigation::kCountryCodes[1], "Afghanistan", "countryAF"},
      {navigation::kCountryCodes[53], "Cote D'ivoire", "countryCI"},
      {navigation::kCountryCodes[242], "Zimbabwe", "countryZW"},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(c.item.text, c.text);
    EXPECT_STREQ(c.item.entry, c.entry) << c.text;
  }
}

TEST(SearchFragments, ListsLeaveTheirFragmentsAndTheBlankRowEmptiesThem) {
  SearchFragments f;
  f.CountryChanged(Row(navigation::kCountryCodes, "Germany"));
  f.LanguageChanged(Row(navigation::kLanguageCodes, "Chinese (Simplified)"));
  f.InterfaceChanged(Row(navigation::kInterfaceCodes, "Afrikaans"));
  f.FileTypeChanged(2);
  EXPECT_EQ(f.crParam, "&cr=countryDE");
  EXPECT_EQ(f.bingLoc, "+loc%3ADE");
  EXPECT_EQ(f.lrParam, "&lr=lang_zh-CN");
  EXPECT_EQ(f.bingLang, "++language%3ACN");  // the entry's last two characters
  EXPECT_EQ(f.wikiPrefix, "CN.");
  EXPECT_EQ(f.hlParam, "&hl=af");
  EXPECT_EQ(f.fileExt, "ps");

  f.CountryChanged(0);
  f.LanguageChanged(0);
  f.FileTypeChanged(0);
  EXPECT_EQ(f.crParam, "");
  EXPECT_EQ(f.bingLoc, "");
  EXPECT_EQ(f.bingLang, "");
  EXPECT_EQ(f.wikiPrefix, "");
  EXPECT_EQ(f.lrParam, "&lr= ");  // dropped when the address is composed
  EXPECT_EQ(f.fileExt, "");
}

TEST(SearchFragments, TheExtensionIsWhatFollowsTheFirstDotButTheLastCharacter) {
  const char* expected[] = {"", "pdf", "ps", "dwf", "xls", "ppt", "doc", "rtf", "swf"};
  for (std::size_t i = 1; i < navigation::kFileTypes.size(); ++i)
    EXPECT_EQ(navigation::FileExtension(navigation::kFileTypes[i]), expected[i]) << navigation::kFileTypes[i];
}

TEST(SearchAddresses, AreComposedFromTheFieldsAndTheFragments) {
  const navigation::SearchHosts hosts;
  const int germany = Row(navigation::kCountryCodes, "Germany");
  const int german = Row(navigation::kLanguageCodes, "German");
  enum Engine { Google, Bing, Wikipedia };
  struct Case {
    const char* what;
    Engine engine;
    SearchFields fields;
    int country, language, fileType;
    const char* expected;
  };
  const Case cases[] = {
      {"Google, no options", Google, {"solar power"}, 0, 0, 0, "http://www.google.com/search?&q=solar+power"},
      {"Google with country, language and an excluded word", Google, {"solar power", "", "wind"}, germany, german, 0,
       "http://www.google.com/search?&cr=countryDE&lr=lang_de&q=solar+power+-wind"},
      {"Google with all the typed fields", Google, {"solar power", "green energy", "wind", "example.org"}, 0, 0, 1,
       "http://www.google.com/search?&q=solar+power&q=%22green+energy%22+-wind+site:example.org&as_filetype=pdf&"},
      {"Bing with a phrase, a site and a file type", Bing, {"solar power", "green energy", "", "example.org"}, 0, 0, 1,
       "http://www.bing.com/search?&q=%22green+energy%22+solar+power+site%3Aexample.org&+filetype%3Apdf"},
      {"Bing with country and language too", Bing, {"solar power", "green energy", "", "example.org"}, germany,
       german, 1,
       "http://www.bing.com/search?&q=%22green+energy%22+solar+power+loc%3ADE++language%3Ade+site%3Aexample.org&"
       "+filetype%3Apdf"},
      {"Bing with a phrase and no words", Bing, {"", "green energy"}, 0, 0, 0,
       "http://www.bing.com/search?&q=%22green+energy%22"},
      {"Bing with words and an excluded word", Bing, {"solar power", "", "wind"}, 0, 0, 0,
       "http://www.bing.com/search?&q=solar+power+ -wind"},
      {"Wikipedia in German", Wikipedia, {"solar power", "green energy", "wind", "example.org"}, germany, german, 1,
       "http://de.wikipedia.org/w/index.php?search=solar+power"},
      {"Wikipedia without a language", Wikipedia, {"solar power"}, 0, 0, 0,
       "http://wikipedia.org/w/index.php?search=solar+power"},
      {"empty words", Google, {""}, 0, 0, 0, "http://www.google.com/search?&q="},
      {"the user's own & # + %", Google, {"C# & C++ 100%"}, 0, 0, 0,
       "http://www.google.com/search?&q=C%23+%26+C%2B%2B+100%25"},
  };
  for (const Case& c : cases) {
    SearchFragments f;
    SearchFields fields = c.fields;
    fields.countryItem = c.country;
    fields.languageItem = c.language;
    f.CountryChanged(c.country);
    f.LanguageChanged(c.language);
    f.FileTypeChanged(c.fileType);
    navigation::DropUnpicked(f, fields);
    const std::string address = c.engine == Google ? navigation::GoogleAddress(f, fields, hosts)
                                : c.engine == Bing ? navigation::BingAddress(f, fields, hosts)
                                                   : navigation::WikipediaAddress(f, fields, hosts);
    EXPECT_EQ(address, c.expected) << c.what;
  }
}

TEST(SearchAddresses, PickingALanguageThenTheBlankRowLeavesNoLanguageAnywhere) {
  SearchFragments f;
  SearchFields fields{"solar power"};
  f.LanguageChanged(Row(navigation::kLanguageCodes, "German"));
  f.LanguageChanged(0);
  navigation::DropUnpicked(f, fields);
  const navigation::SearchHosts hosts;
  EXPECT_EQ(navigation::GoogleAddress(f, fields, hosts), "http://www.google.com/search?&q=solar+power");
  EXPECT_EQ(navigation::WikipediaAddress(f, fields, hosts), "http://wikipedia.org/w/index.php?search=solar+power");
  f.LanguageChanged(Row(navigation::kLanguageCodes, "German"));
  f.Reset();
  EXPECT_EQ(navigation::WikipediaAddress(f, fields, hosts), "http://wikipedia.org/w/index.php?search=solar+power");
}

}  // namespace
