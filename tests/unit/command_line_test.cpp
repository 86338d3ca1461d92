#include <gtest/gtest.h>

#include <fstream>

#include "navigation/CommandLine.h"
#include "support/TempFolder.h"

namespace {

TEST(CommandLine, ArgumentsBecomeAddressesAndRelativeFilesBecomeAbsolute) {
  testing_support::TempFolder folder;
  std::ofstream(folder / "page.html") << "<p>local</p>";
  std::ofstream(folder / "--dashed.html") << "<p>dashed</p>";
  struct Case {
    std::string argument, expected;
  };
  const Case cases[] = {
      {"https://example.com/a?b=1", "https://example.com/a?b=1"},
      {"file:///tmp/x.html", "file:///tmp/x.html"},
      {"/etc/hostname", "/etc/hostname"},
      {"page.html", folder / "page.html"},
      {"./page.html", folder / "page.html"},
      {"example.com", "example.com"},         // no such file: typed
      {"missing.html", "missing.html"},
      {"localhost:8080/x", "localhost:8080/x"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(navigation::CommandLineAddress(c.argument, folder.str()), c.expected) << c.argument;

  EXPECT_EQ(navigation::CommandLineAddresses({"--new-session", "page.html", "", "example.com", "--", "--dashed.html"},
                                             folder.str()),
            (std::vector<std::string>{folder / "page.html", "example.com", folder / "--dashed.html"}));
  EXPECT_TRUE(navigation::CommandLineAddresses({"--new-session"}, folder.str()).empty());
}

}  // namespace
