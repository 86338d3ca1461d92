// Small rules of the shell: the status line, the busy wheel, the side
// button bar, the user agent and the quick-search addresses.
#include <gtest/gtest.h>

#include "app/ButtonBar.h"
#include "app/Startup.h"
#include "controls/WheelModel.h"
#include "navigation/QuickSearch.h"
#include "tabs/StatusLine.h"

namespace {

int FivePixelsPerCharacter(std::string_view s) {
  int chars = 0;
  for (unsigned char c : s) chars += (c & 0xC0) != 0x80;
  return chars * 5;
}

TEST(StatusLine, CutsTheTextToTheShortestPrefixWiderThanTheLimit) {
  const std::string exact(85, 'a');  // 425 pixels
  EXPECT_EQ(tabs::FitStatusText(exact, 425, FivePixelsPerCharacter), exact);
  const std::string wider(86, 'b');  // 430 pixels
  EXPECT_EQ(tabs::FitStatusText(wider, 425, FivePixelsPerCharacter), wider + "...");
  const std::string longer(300, 'c');
  EXPECT_EQ(tabs::FitStatusText(longer, 425, FivePixelsPerCharacter), std::string(86, 'c') + "...");
}

TEST(StatusLine, NeverCutsInsideACharacter) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "\xC3\xA9";  // é
  const std::string shown = tabs::FitStatusText(text, 425, FivePixelsPerCharacter);
  std::string expected;
  for (int i = 0; i < 86; ++i) expected += "\xC3\xA9";
  EXPECT_EQ(shown, expected + "...");
}

TEST(StatusLine, OnlyATextWithAColonKeepsTheLineOpen) {
  EXPECT_TRUE(tabs::KeepsStatusLineOpen("http://example.com/"));
  EXPECT_FALSE(tabs::KeepsStatusLineOpen("Done"));
  EXPECT_FALSE(tabs::KeepsStatusLineOpen(""));
}

TEST(BusyWheel, FillsInQuartersAndSwapsItsColoursOnEveryTurn) {
  controls::WheelModel wheel;
  const controls::Rgb blue{61, 181, 229}, grey{221, 221, 221};
  ASSERT_EQ(wheel.position, 24);
  wheel.Advance();
  EXPECT_EQ(wheel.position, 48);
  wheel.Advance();
  EXPECT_EQ(wheel.position, 72);
  wheel.Advance();  // reaches 96, the maximum: empty again, colours swapped
  EXPECT_EQ(wheel.position, 0);
  EXPECT_EQ(wheel.remainingColor, blue);
  EXPECT_EQ(wheel.doneColor, grey);
  EXPECT_EQ(wheel.doneColor2, grey);
  for (int i = 0; i < 4; ++i) wheel.Advance();
  EXPECT_EQ(wheel.position, 0);
  EXPECT_EQ(wheel.remainingColor, grey);
  EXPECT_EQ(wheel.doneColor, blue);
}

TEST(SideButtonBar, StacksTheButtonsTheMaskSwitchesOn) {
  using Tops = std::array<std::optional<int>, app::kSideButtons>;
  Tops expected{};
  expected[1] = 0;   // Find
  expected[3] = 24;  // quick web search
  EXPECT_EQ(app::SideButtonTops("0101"), expected);

  Tops last{};
  last[9] = 0;  // only the navigation-bar button, at the top
  EXPECT_EQ(app::SideButtonTops("0000000001"), last);

  const Tops all = app::SideButtonTops("1111111111");
  for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i], int(i) * 24);
  EXPECT_EQ(app::SideButtonTops("2x1"), (Tops{std::nullopt, std::nullopt, 0}));
}

TEST(UserAgent, NamesTheVersionTwiceWithTheBlankAfterVersion) {
  EXPECT_EQ(app::BuildUserAgent("4.6.0.0"), "Lumivale/4.6.0.0 (Compatible; Windows; U; en-US)Version/ 4.6.0.0");
}

TEST(QuickSearch, ASettingOutsideTheTableSearchesWithGoogle) {
  const auto engines = navigation::DefaultEngines();
  struct Case {
    int setting;
    const char* expected;
  };
  const Case cases[] = {
      {0, "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=fish+%26+chips"},
      {1, "http://www.bing.com/search?ie=ISO-8859-1&hl=us&q=fish+%26+chips"},
      {2, "http://search.yahoo.com/bin/search?p=fish+%26+chips"},
      {3, "http://en.wikipedia.org/wiki/fish%20%26%20chips"},
      {7, "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=fish+%26+chips"},
      {-1, "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=fish+%26+chips"},
  };
  for (const Case& c : cases) EXPECT_EQ(navigation::SearchUrl(engines, c.setting, "fish & chips"), c.expected);
  EXPECT_STREQ(engines[2].hint, "Yahoo! Search");
  EXPECT_STREQ(engines[3].hint, "Wikipedia Search");
}

// Every character of the text must reach the engine as itself: "#" would
// start a fragment, "&" a new parameter, "+" a blank, "%" an escape. Google
// and Bing are told the character set of the bytes; Windows-1252 as long
// as it holds the text, UTF-8 otherwise.
TEST(QuickSearch, EncodesTheTextSoEachEngineReceivesItWhole) {
  const auto engines = navigation::DefaultEngines();
  struct Case {
    int setting;
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {0, "caf\xC3\xA9", "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=caf%E9"},
      {0, "na\xC3\xAFve \xE2\x82\xAC", "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=na%EFve+%80"},
      {0, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
       "http://www.google.com/search?ie=UTF-8&hl=us&q=%E6%97%A5%E6%9C%AC%E8%AA%9E"},
      {0, "C# & C++ tips", "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=C%23+%26+C%2B%2B+tips"},
      {0, "100% a+b", "http://www.google.com/search?ie=ISO-8859-1&hl=us&q=100%25+a%2Bb"},

      {1, "caf\xC3\xA9", "http://www.bing.com/search?ie=ISO-8859-1&hl=us&q=caf%E9"},
      {1, "na\xC3\xAFve \xE2\x82\xAC", "http://www.bing.com/search?ie=ISO-8859-1&hl=us&q=na%EFve+%80"},
      {1, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
       "http://www.bing.com/search?ie=UTF-8&hl=us&q=%E6%97%A5%E6%9C%AC%E8%AA%9E"},
      {1, "C# & C++ tips", "http://www.bing.com/search?ie=ISO-8859-1&hl=us&q=C%23+%26+C%2B%2B+tips"},
      {1, "100% a+b", "http://www.bing.com/search?ie=ISO-8859-1&hl=us&q=100%25+a%2Bb"},

      {2, "caf\xC3\xA9", "http://search.yahoo.com/bin/search?p=caf%C3%A9"},
      {2, "na\xC3\xAFve \xE2\x82\xAC", "http://search.yahoo.com/bin/search?p=na%C3%AFve+%E2%82%AC"},
      {2, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "http://search.yahoo.com/bin/search?p=%E6%97%A5%E6%9C%AC%E8%AA%9E"},
      {2, "C# & C++ tips", "http://search.yahoo.com/bin/search?p=C%23+%26+C%2B%2B+tips"},
      {2, "100% a+b", "http://search.yahoo.com/bin/search?p=100%25+a%2Bb"},

      // A title in the path: "/" must not open a sub-path.
      {3, "caf\xC3\xA9", "http://en.wikipedia.org/wiki/caf%C3%A9"},
      {3, "na\xC3\xAFve \xE2\x82\xAC", "http://en.wikipedia.org/wiki/na%C3%AFve%20%E2%82%AC"},
      {3, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "http://en.wikipedia.org/wiki/%E6%97%A5%E6%9C%AC%E8%AA%9E"},
      {3, "C# & C++ tips", "http://en.wikipedia.org/wiki/C%23%20%26%20C%2B%2B%20tips"},
      {3, "100% a+b", "http://en.wikipedia.org/wiki/100%25%20a%2Bb"},
      {3, "AC/DC?", "http://en.wikipedia.org/wiki/AC%2FDC%3F"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(navigation::SearchUrl(engines, c.setting, c.text), c.expected) << c.setting << " " << c.text;
  // Unreserved characters stay as they are.
  EXPECT_EQ(navigation::SearchUrl(engines, 2, "Az09-._~"), "http://search.yahoo.com/bin/search?p=Az09-._~");
}

}  // namespace

#include "engine/AgentHeader.h"

namespace {

TEST(AgentHeader, KeepsNoControlCharactersAndJoinsVersionsToTheirProducts) {
  EXPECT_EQ(engine::HeaderSafe("Agent/1\r\nX-Evil: 1"), "Agent/1X-Evil: 1");
  EXPECT_EQ(engine::WithJoinedVersions("Lumivale/4.6.0.0 (Compatible; Windows; U; en-US)Version/ 4.6.0.0"),
            "Lumivale/4.6.0.0 (Compatible; Windows; U; en-US)Version/4.6.0.0");
  // Inside a comment the text is free.
  EXPECT_EQ(engine::WithJoinedVersions("A/1 (see a/ b)"), "A/1 (see a/ b)");
  EXPECT_EQ(engine::WithJoinedVersions("Mozilla/5.0 (X11) Gecko/20100101"), "Mozilla/5.0 (X11) Gecko/20100101");
}

}  // namespace
