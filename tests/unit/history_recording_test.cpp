#include <gtest/gtest.h>

#include "library/HistoryRecording.h"

namespace {

using library::RecordVisit;
using library::Visit;
using listfile::Rows;

Visit At(const std::string& address, const std::string& title = "A page") {
  return Visit{true, title, address, "10/12/26", "14:03:22"};
}

TEST(HistoryRecording, TheFirstVisitHasOneBlankAndLaterOnesThreeNewestFirst) {
  Rows rows;
  ASSERT_TRUE(RecordVisit(rows, At("http://a.example/", "A")));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].caption, "10/12/26 14:03:22");
  EXPECT_EQ(rows[0].subItems, (std::vector<std::string>{"A", "http://a.example/"}));

  ASSERT_TRUE(RecordVisit(rows, At("http://b.example/", "B")));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].caption, "10/12/26   14:03:22");
  EXPECT_EQ(rows[0].subItems, (std::vector<std::string>{"B", "http://b.example/"}));
  EXPECT_EQ(rows[1].subItems[1], "http://a.example/");
  EXPECT_EQ(rows[0].imageIndex, 0);
}

TEST(HistoryRecording, SkipsVisitsTheRuleLeavesOut) {
  struct Case {
    const char* what;
    Visit visit;
  };
  const Case cases[] = {
      {"recording off", Visit{false, "T", "http://new.example/", "d", "t"}},
      {"title naming the program", At("http://new.example/", "Lumivale")},
      {"title containing the name", At("http://new.example/", "About Lumivale Web Browser")},
      {"empty address", At("")},
      {"reload of the newest", At("http://b.example/page")},
      {"newest without its last character", At("http://b.example/pag")},
      {"any part of the newest", At("example/pa")},
  };
  for (const Case& c : cases) {
    Rows rows{{"d   t", {"B", "http://b.example/page"}, 0}};
    EXPECT_FALSE(RecordVisit(rows, c.visit)) << c.what;
    EXPECT_EQ(rows.size(), 1u) << c.what;
  }
  // The test is case-sensitive, and a lower-case "lumivale" is recorded.
  Rows rows{{"d   t", {"B", "http://b.example/page"}, 0}};
  EXPECT_TRUE(RecordVisit(rows, At("http://B.example/page", "lumivale")));
}

TEST(HistoryRecording, AFullHistoryDropsItsOldestVisit) {
  Rows rows(listfile::kMaxRows, listfile::Row{"d   t", {"T", "http://old.example/"}, 0});
  rows.back().subItems[1] = "http://oldest.example/";
  ASSERT_TRUE(RecordVisit(rows, At("http://new.example/")));
  EXPECT_EQ(rows.size(), listfile::kMaxRows);
  EXPECT_EQ(rows.front().subItems[1], "http://new.example/");
  EXPECT_EQ(rows.back().subItems[1], "http://old.example/");
}

}  // namespace
