// The list of optional user agents and its file "uas.cfg".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/UserAgents.h"
#include "settings/AtomicFile.h"
#include "support/TempFolder.h"

namespace {

using Lines = std::vector<std::string>;

TEST(UserAgentFile, ReadingSplitsAtEveryKindOfLineEndAndKeepsEmptyLines) {
  struct Case {
    const char* name;
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"CR", "a\rb\r", {"a", "b"}},
      {"no end after the last line", "a\r\nb", {"a", "b"}},
      {"mixed, with empty lines", "a\r\n\r\nb\n\rc\r\r\n", {"a", "", "b", "", "c", ""}},
      {"only a line end", "\r\n", {""}},
      {"empty file", "", {}},
      {"Windows-1252 text", "caf\xe9/1\r\n", {"caf\xc3\xa9/1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(options::ParseAgentList(c.bytes), c.lines);
  }
}

TEST(UserAgentFile, WritesEveryStringWithCrLfAndReadsBackTheSameList) {
  testing_support::TempFolder folder;
  const std::string path = folder / "uas.cfg";
  const Lines agents = {"", "Alpha/1", "", "beta/2 (x; y)"};
  ASSERT_TRUE(options::SaveAgentFile(path, agents));
  EXPECT_EQ(settings::ReadWholeFile(path), "\r\nAlpha/1\r\n\r\nbeta/2 (x; y)\r\n");
  EXPECT_EQ(options::LoadAgentFile(path), agents);
  EXPECT_FALSE(options::LoadAgentFile(folder / "missing.cfg"));
}

TEST(UserAgentList, KeepsItsOrderWithoutRegardToCase) {
  Lines agents = options::SortedAgents({"mozilla/5", "Chrome/1", "Zeta", "alpha", ""});
  EXPECT_EQ(agents, (Lines{"", "alpha", "Chrome/1", "mozilla/5", "Zeta"}));
  struct Case {
    const char* agent;
    std::size_t place;
  } cases[] = {{"beta", 2}, {"ALPHA", 2}, {"zz", 5}, {"", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.agent);
    Lines list = agents;
    const std::size_t at = options::InsertSorted(list, c.agent);
    EXPECT_EQ(at, c.place);
    EXPECT_EQ(list[at], c.agent);
    EXPECT_EQ(list.size(), agents.size() + 1);
    EXPECT_EQ(options::SortedAgents(list), list);
  }
}

TEST(UserAgentList, BuiltInListAndRemovalQuestion) {
  const Lines& builtIn = options::BuiltInAgents();
  ASSERT_EQ(builtIn.size(), 5u);
  EXPECT_EQ(builtIn.front(), "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; Trident/6.0)");
  EXPECT_EQ(builtIn.back(), "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:6.0a2) Gecko/20110613 Firefox/6.0a2");
  EXPECT_EQ(options::RemovalQuestion("Agent/1"), "Remove \"Agent/1\" from user agent list ?");
}

}  // namespace
