// The addresses and texts the page commands build from the current page.
#include <gtest/gtest.h>

#include <string>

#include "navigation/PageCommands.h"

namespace {

using navigation::SaveKind;

TEST(PageCommands, TranslateSendsTheWholeAddressEncodedToTheService) {
  struct Case {
    const char* address;
    const char* built;
  } cases[] = {
      {"http://example.com/", "http://translate.google.com/translate?u=http%3A%2F%2Fexample.com%2F"},
      // The query's "&" and "=" stay the address's own, not the service's
      // further parameters.
      {"http://example.com/a?x=1&hl=de#top",
       "http://translate.google.com/translate?u=http%3A%2F%2Fexample.com%2Fa%3Fx%3D1%26hl%3Dde%23top"},
      {"", "http://translate.google.com/translate?u="},
  };
  for (const Case& c : cases) EXPECT_EQ(navigation::TranslateAddress(c.address), c.built) << c.address;
}

TEST(PageCommands, DomainLookupUsesOnlyTheHost) {
  struct Case {
    const char* address;
    const char* built;
  } cases[] = {
      {"http://www.example.com/path/page.html?q=1", "http://www.whois.com/whois/www.example.com"},
      {"https://example.org", "http://www.whois.com/whois/example.org"},
      {"example.net", "http://www.whois.com/whois/example.net"},
      {"example.net/some/path", "http://www.whois.com/whois/example.net"},
  };
  for (const Case& c : cases) EXPECT_EQ(navigation::LookupAddress(c.address), c.built) << c.address;
}

TEST(PageCommands, TheMailOfALinkHoldsTitleAndAddress) {
  const std::string subject = navigation::MailSubject("News & more", "http://example.com/?a=1&b=2");
  const std::string body = navigation::MailBody("News & more", "http://example.com/?a=1&b=2");
  EXPECT_EQ(subject, "News & more [ http://example.com/?a=1&b=2 ]");
  // Line feed, carriage return, line feed, carriage return between the two.
  EXPECT_EQ(body, "Link: http://example.com/?a=1&b=2\n\r\n\rDescription: News & more");

  // Every text's own "&", "=", "?", blank and line break is encoded, so the
  // mail program reads two fields and nothing else.
  EXPECT_EQ(navigation::MailtoAddress(subject, body),
            "mailto:?subject=News%20%26%20more%20%5B%20http%3A%2F%2Fexample.com%2F%3Fa%3D1%26b%3D2%20%5D"
            "&body=Link%3A%20http%3A%2F%2Fexample.com%2F%3Fa%3D1%26b%3D2%0A%0D%0A%0DDescription%3A%20News%20%26%20more");
  // Text beyond ASCII goes as its UTF-8 bytes.
  EXPECT_EQ(navigation::MailtoAddress("caf\u00e9", ""), "mailto:?subject=caf%C3%A9&body=");
}

TEST(PageCommands, TheOpenDialogsFilterListIsRead) {
  const auto filters = navigation::ParseFilters(navigation::kOpenFileFilter);
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[0].name, "HTML File (*.htm, *.html)");
  EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.htm", "*.html"}));
  EXPECT_EQ(filters[1].name, "Web Archive (*.mht)");
  EXPECT_EQ(filters[1].patterns, (std::vector<std::string>{"*.mht"}));
  EXPECT_EQ(filters[2].name, "All Files");
  EXPECT_EQ(filters[2].patterns, (std::vector<std::string>{"*.*"}));
  // A name without its patterns ends the list.
  EXPECT_EQ(navigation::ParseFilters("Pages|*.htm|Broken").size(), 1u);
  EXPECT_TRUE(navigation::ParseFilters("").empty());
}

TEST(PageCommands, ASavedPageIsWrittenAsItsExtensionOrTheChosenFilterSays) {
  struct Case {
    const char* path;
    int filter;
    SaveKind kind;
  } cases[] = {
      {"/tmp/a.html", 1, SaveKind::Html},      {"/tmp/a.HTM", 1, SaveKind::Html},
      {"/tmp/a.mht", 0, SaveKind::WebArchive}, {"/tmp/a.MHTML", 0, SaveKind::WebArchive},
      {"/tmp/page", 0, SaveKind::Html},        {"/tmp/page", 1, SaveKind::WebArchive},
      {"/tmp/x.mht/page.txt", 0, SaveKind::Html},
  };
  for (const Case& c : cases) EXPECT_EQ(navigation::SaveKindFor(c.path, c.filter), c.kind) << c.path;
}

TEST(PageCommands, TheSuggestedFileNameIsTheTitleFitForAFileName) {
  EXPECT_EQ(navigation::SuggestedFileName("News: a/b?", SaveKind::Html), "News ab.html");
  EXPECT_EQ(navigation::SuggestedFileName("  ", SaveKind::WebArchive), "page.mht");
  EXPECT_EQ(navigation::SuggestedFileName("..hidden", SaveKind::Html), "hidden.html");
}

}  // namespace
