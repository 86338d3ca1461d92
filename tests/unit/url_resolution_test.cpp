// Turning typed text into addresses: what the reachability probe requests,
// the host part of an address, and what the engine loads.
#include <gtest/gtest.h>

#include <glib.h>
#include <unistd.h>

#include "engine/AddressResolution.h"
#include "navigation/UrlResolution.h"
#include "support/TempFolder.h"

namespace {

struct Case {
  const char* text;
  const char* expected;
};

TEST(ProbeAddress, PrefixesHttpUnlessHttpOrHttpsOccursAnywhere) {
  const Case cases[] = {
      {"example.com", "http://example.com"},
      {"", "http://"},
      {"http://example.com/a", "http://example.com/a"},
      {"HTTPS://Example.com", "HTTPS://Example.com"},
      // Anywhere, not only at the start: such text is probed as it is.
      {"see http://example.com", "see http://example.com"},
      {"xhttps://y", "xhttps://y"},
      // Other schemes are not recognised and get the prefix in front.
      {"ftp://example.com", "http://ftp://example.com"},
      {"about:blank", "http://about:blank"},
      {"file:///tmp/a.html", "http://file:///tmp/a.html"},
      // "http:/" is not "http://".
      {"http:/example.com", "http://http:/example.com"},
      {"two words & more", "http://two words & more"},
  };
  for (const Case& c : cases) EXPECT_EQ(navigation::ProbeAddress(c.text), c.expected) << c.text;
}

TEST(ExtractHost, DropsSchemeAndEverythingFromTheFirstSlash) {
  const Case cases[] = {
      {"http://www.example.com/path/page.html", "www.example.com"},
      {"https://example.com", "example.com"},
      {"example.com/a/b", "example.com"},
      {"example.com", "example.com"},
      {"http://user@host:8080/x", "user@host:8080"},
      // Only the first "://" counts.
      {"http://a.com/?u=http://b.com/", "a.com"},
      {"ftp://files.example.org/pub", "files.example.org"},
      {"", ""},
      {"http://", ""},
      {"/local/path", ""},
      {"file:///tmp/a.html", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(navigation::ExtractHost(c.text), c.expected) << c.text;
}

TEST(ResolveAddress, AddsHttpOnlyWhereNoSchemeIsGivenAndEncodesNothing) {
  const Case cases[] = {
      {"example.com", "http://example.com"},
      {"example.com/search?q=a b&c=d", "http://example.com/search?q=a b&c=d"},
      {"localhost:8080/x", "http://localhost:8080/x"},
      {"127.0.0.1:8080", "http://127.0.0.1:8080"},
      {"http://example.com", "http://example.com"},
      {"HTTPS://Example.com/A", "HTTPS://Example.com/A"},
      {"about:blank", "about:blank"},
      {"mailto:someone@example.com", "mailto:someone@example.com"},
      {"file:///tmp/x.html", "file:///tmp/x.html"},
      {"  example.com  ", "http://example.com"},
      {"", ""},
      {"   ", ""},
      // An absolute path is a local file, whether it exists or not; its
      // file URI is encoded as file URIs must be.
      {"/no/such/file name.html", "file:///no/such/file%20name.html"},
  };
  for (const Case& c : cases) EXPECT_EQ(engine::ResolveAddress(c.text), c.expected) << c.text;
}

TEST(ResolveAddress, ANameThatIsALocalFileInTheWorkingFolderStaysAWebAddress) {
  // The probe found "http://<name>" answering; a file of that name where
  // the program happens to run must not be opened instead.
  testing_support::TempFolder folder;
  folder.Write("example.com", "<p>a local file</p>");
  folder.Write("docs/page.html", "<p>another</p>");
  gchar* before = g_get_current_dir();
  ASSERT_EQ(chdir(folder.path().c_str()), 0);
  const std::string bare = engine::ResolveAddress("example.com");
  const std::string relative = engine::ResolveAddress("docs/page.html");
  const std::string absolute = engine::ResolveAddress((folder / "example.com"));
  ASSERT_EQ(chdir(before), 0);
  g_free(before);

  EXPECT_EQ(bare, "http://example.com");
  EXPECT_EQ(relative, "http://docs/page.html");
  gchar* expected = g_filename_to_uri((folder / "example.com").c_str(), nullptr, nullptr);
  EXPECT_EQ(absolute, expected);  // an absolute path is a local file
  g_free(expected);
}

}  // namespace
