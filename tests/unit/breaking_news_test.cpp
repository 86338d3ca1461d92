// The keyword alert's rules and the ticker's text and stepping.
#include <gtest/gtest.h>

#include "controls/ScrollingTextModel.h"
#include "rss/BreakingNews.h"
#include "rss/TickerText.h"

namespace {

TEST(NthField, CountsPiecesFromOneAndAnswersEmptyOutside) {
  EXPECT_EQ(rss::NthField("a,b", ',', 0), "");
  EXPECT_EQ(rss::NthField("a,b", ',', 1), "a");
  EXPECT_EQ(rss::NthField("a,b", ',', 2), "b");
  EXPECT_EQ(rss::NthField("a,b", ',', 3), "");
  EXPECT_EQ(rss::NthField("storm,,flood", ',', 2), "");
  EXPECT_EQ(rss::NthField("storm,,flood", ',', 3), "flood");
  EXPECT_EQ(rss::NthField("", ',', 1), "");
  EXPECT_EQ(rss::NthField("one", ',', 1), "one");
}

TEST(FindKeyword, ScansThePiecesAsTheKeywordFileWritesThem) {
  struct Case {
    const char* what;
    const char* keywords;
    const char* description;
    const char* found;  // null: no hit
  };
  const Case cases[] = {
      {"case does not matter", "storm,flood", "A STORM is coming", "storm"},
      {"the second piece", "storm,flood", "Flood warnings", "flood"},
      {"nothing", "storm,flood", "Sunny all week", nullptr},
      {"a space after the comma is part of the keyword", "storm, flood", "Flood warnings", nullptr},
      {"...and matches with the space", "storm, flood", "Heavy flood warnings", " flood"},
      {"a line break without a comma joins two words", "storm\r\nflood", "storm and flood", nullptr},
      {"...and matches across the break", "storm\r\nflood", "storm\r\nflood", "storm\r\nflood"},
      {"a comma before the break: the break starts the next keyword", "storm,\r\nflood", "\r\nFLOOD", "\r\nflood"},
      {"two commas: what follows is never tried", "storm,,flood", "flood", nullptr},
      {"markup counts", "img", "<p><img src='x.png'></p>", "img"},
      {"an empty keyword file", "", "anything", nullptr},
  };
  for (const Case& c : cases) {
    const auto hit = rss::FindKeyword(c.keywords, rss::AsciiUpper(c.description));
    if (c.found) {
      ASSERT_TRUE(hit.has_value()) << c.what;
      EXPECT_EQ(*hit, c.found) << c.what;
    } else {
      EXPECT_FALSE(hit.has_value()) << c.what;
    }
  }
}

TEST(FindKeyword, TriesOnly255Pieces) {
  std::string keywords;
  for (int i = 0; i < 255; ++i) keywords += "k" + std::to_string(i) + ",";
  EXPECT_TRUE(rss::FindKeyword(keywords + "last", "K254").has_value());
  EXPECT_FALSE(rss::FindKeyword(keywords + "last", "LAST").has_value());
}

TEST(PopupBody, IsTheCapitalisedTextAfterTheFirstTag) {
  const std::string description = "<p>Storm warning</p> issued";
  EXPECT_EQ(rss::PopupBody(description, rss::AsciiUpper(description)), "STORM WARNING</P> ISSUED");
  EXPECT_EQ(rss::PopupBody("no markup", rss::AsciiUpper("no markup")), "NO MARKUP");
  // Only a to z change.
  EXPECT_EQ(rss::AsciiUpper("caf\xC3\xA9 z"), "CAF\xC3\xA9 Z");
}

TEST(ItemDate, ReadsInternetDatesOnTheirOwnClockAndDayZeroOtherwise) {
  const std::int64_t base = rss::ItemDate("Tue, 09 Dec 2026 14:03:22 +0000");
  EXPECT_GT(base, 0);
  EXPECT_EQ(rss::ItemDate("Tue, 09 Dec 2026 14:03:23 +0000") - base, 1);
  EXPECT_EQ(rss::ItemDate("Tue, 09 Dec 2026 14:03:22 +0500"), base);  // the zone is not applied
  EXPECT_EQ(rss::ItemDate("09 Dec 2026 14:03:22 GMT"), base);
  EXPECT_EQ(rss::ItemDate("Wed, 10 Dec 2026 14:03:22 EST") - base, 86400);
  EXPECT_EQ(rss::ItemDate("Tue, 09 Dec 2026 14:03 +0000"), base - 22);
  for (const char* bad : {"", "yesterday", "2026-12-09T14:03:22Z", "Tue, 32 Dec 2026 10:00:00 +0000"})
    EXPECT_EQ(rss::ItemDate(bad), rss::kDayZero) << bad;
  EXPECT_GT(rss::kFarFuture, rss::ItemDate("Fri, 31 Dec 9999 23:59:59 +0000"));
}

TEST(TickerText, NamesTheFeedThenEachItemsDateAndTitle) {
  EXPECT_EQ(rss::TickerText("N", {{"d1", "t1"}, {"d2", "t2"}}), "   N ::: d1:  t1 :::    d2:  t2 :::    ");
  const std::string notFound = rss::SourceNotFound();
  EXPECT_EQ(notFound.size(), 162u);
  EXPECT_EQ(notFound.substr(0, 19), "...Source not found");
  EXPECT_EQ(notFound.find_first_not_of('.', 19), std::string::npos);
}

TEST(ScrollingText, TheKeyColourAvoidsTheFontAndBackgroundColours) {
  const controls::Rgb green{0, 128, 0}, red{255, 0, 0}, white{255, 255, 255}, grey{57, 56, 56};
  EXPECT_EQ(controls::KeyColour(white, grey), green);
  EXPECT_EQ(controls::KeyColour(green, grey), red);
  EXPECT_EQ(controls::KeyColour(white, green), red);
}

TEST(ScrollingText, TheBackdropFadesIntoTheBackgroundAtBothEdges) {
  const controls::Rgb font{255, 255, 255}, bg{57, 56, 56};
  // Fade of 15: column 0 is the background, column 14 the font colour.
  EXPECT_EQ(controls::BackdropColour(0, 100, 15, font, bg), bg);
  EXPECT_EQ(controls::BackdropColour(99, 100, 15, font, bg), bg);
  EXPECT_EQ(controls::BackdropColour(14, 100, 15, font, bg), font);
  EXPECT_EQ(controls::BackdropColour(85, 100, 15, font, bg), font);
  EXPECT_EQ(controls::BackdropColour(50, 100, 15, font, bg), font);
  // Column 7: 57 + (255 - 57) * 7 / 14 = 156, rounded.
  EXPECT_EQ(controls::BackdropColour(7, 100, 15, font, bg), (controls::Rgb{156, 156, 156}));
  EXPECT_EQ(controls::BackdropColour(92, 100, 15, font, bg), (controls::Rgb{156, 156, 156}));
  EXPECT_EQ(controls::BackdropColour(0, 100, 1, font, bg), bg);
  EXPECT_EQ(controls::BackdropColour(1, 100, 1, font, bg), font);
  EXPECT_EQ(controls::BackdropColour(0, 100, 0, font, bg), font);
}

TEST(ScrollingText, StepsOnePixelAndStartsAgainOnceTheTextHasGone) {
  using controls::TextDirection;
  const int control = 100, strip = 30 + 2 * control;  // a text 30 wide, narrower than the control
  int p = controls::StartPosition(TextDirection::RightToLeft, control, strip);
  EXPECT_EQ(p, 0);
  int steps = 0;
  do {
    p = controls::Step(p, TextDirection::RightToLeft, control, strip);
    ++steps;
  } while (p != 0 && steps < 1000);
  EXPECT_EQ(steps, strip - control);  // all the way through, then from the right again
  p = controls::StartPosition(TextDirection::LeftToRight, control, strip);
  EXPECT_EQ(p, control - strip);
  EXPECT_EQ(controls::Step(p, TextDirection::LeftToRight, control, strip), control - strip + 1);
  EXPECT_EQ(controls::Step(-1, TextDirection::LeftToRight, control, strip), control - strip);
  EXPECT_EQ(controls::TextTop(controls::TextLayout::Center, 16, 13), 2);
  EXPECT_EQ(controls::TextTop(controls::TextLayout::Bottom, 16, 13), 3);
}

}  // namespace
