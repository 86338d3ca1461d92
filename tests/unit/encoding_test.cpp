#include <gtest/gtest.h>

#include <string>

#include "settings/Encoding.h"

using settings::CutUtf8;
using settings::IsValidUtf8;
using settings::ToUtf8;

TEST(ToUtf8, KeepsUtf8AndDecodesEverythingElseAsWindows1252) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"", ""},
      {"plain ASCII text, long enough for the fast path", "plain ASCII text, long enough for the fast path"},
      {"Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},                    // NUL is a character
      {"Gr\xFC\xDF" "e", "Gr\xC3\xBC\xC3\x9F" "e"},                         // Latin-1 range
      {"\x80 \x99 \x9F", "\xE2\x82\xAC \xE2\x84\xA2 \xC5\xB8"},             // euro, trade mark, Y diaeresis
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined bytes survive
      // One bad byte makes the whole text Windows-1252, valid pairs included.
      {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUtf8(c.in), c.out) << c.in;
    EXPECT_TRUE(IsValidUtf8(ToUtf8(c.in)));
  }
}

TEST(IsValidUtf8, RejectsMalformedSequences) {
  const std::string bad[] = {
      "\x80",                          // lone continuation
      "\xC0\xAF",                      // overlong slash
      "\xC1\xBF",                      // overlong
      "\xE0\x80\xAF",                  // overlong, three bytes
      "\xED\xA0\x80",                  // surrogate
      "\xF0\x80\x80\xAF",              // overlong, four bytes
      "\xF4\x90\x80\x80",              // above U+10FFFF
      "\xF5\x80\x80\x80",              //
      "\xFF",                          //
      "abcdefghijklmnop\xE2\x82",      // cut short at the end, after the fast path
      "\xE2\x28\xA1",                  // bad continuation
  };
  for (const std::string& s : bad) EXPECT_FALSE(IsValidUtf8(s)) << s;
  EXPECT_TRUE(IsValidUtf8("\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"));  // just outside the bad ranges
}

TEST(CutUtf8, CutsAtACharacterBoundary) {
  struct Case {
    std::string text;
    std::size_t max;
    std::string out;
  };
  const Case cases[] = {
      {"abc", 5, "abc"},
      {"abc", 3, "abc"},
      {"abc", 2, "ab"},
      {"a\xC3\xA9", 2, "a"},                    // would split the two-byte e acute
      {"a\xC3\xA9", 3, "a\xC3\xA9"},
      {"ab\xF0\x9F\x98\x80", 5, "ab"},          // would split the four-byte emoji
      {"ab\xF0\x9F\x98\x80", 2, "ab"},
      {"\xF0\x9F\x98\x80", 0, ""},
      {"\x80\x80\x80\x80\x80\x80", 4, "\x80\x80\x80\x80"},  // not UTF-8: a plain cut
  };
  for (const Case& c : cases) EXPECT_EQ(CutUtf8(c.text, c.max), c.out) << c.text << " / " << c.max;
}

TEST(Utf8ToWindows1252, IsTheInverseOfTheDecoderAndRefusesWhatTheCodePageLacks) {
  std::string every;
  for (int b = 0; b < 256; ++b) every.push_back(static_cast<char>(b));
  EXPECT_EQ(settings::Utf8ToWindows1252(settings::Windows1252ToUtf8(every)), every);

  EXPECT_EQ(settings::Utf8ToWindows1252("caf\xC3\xA9 \xE2\x82\xAC \xE2\x84\xA2"), "caf\xE9 \x80 \x99");
  EXPECT_EQ(settings::Utf8ToWindows1252(""), "");
  const std::string refused[] = {
      "\xE6\x97\xA5",      // a CJK character
      "a \xC4\x81",        // a with macron: Latin, but not in the code page
      "\xF0\x9F\x98\x80",  // an emoji
      "\xC2\x80",          // U+0080, whose byte the code page gives to the euro sign
      "caf\xE9",           // not UTF-8 at all
  };
  for (const std::string& text : refused) EXPECT_EQ(settings::Utf8ToWindows1252(text), std::nullopt) << text;
}
