// The pages shown in place of a page whose process ended or whose
// certificate could not be verified.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include "engine/ErrorPages.h"

namespace {

using engine::ProcessEnd;

// An address a hostile page could make the shell show.
const std::string kHostile = "http://x.test/<script>alert('a')</script>?a=1&b=\"2\"";
const std::string kHostileEscaped =
    "http://x.test/&lt;script&gt;alert(&#39;a&#39;)&lt;/script&gt;?a=1&amp;b=&quot;2&quot;";

TEST(ErrorPages, EscapingLeavesNoMarkupAndKeepsTheText) {
  EXPECT_EQ(engine::EscapeHtml(kHostile), kHostileEscaped);
  EXPECT_EQ(engine::EscapeHtml("caf\xC3\xA9 plain"), "caf\xC3\xA9 plain");
  EXPECT_EQ(engine::EscapeHtml(""), "");
}

TEST(ErrorPages, TheProcessPageSaysWhyAndShowsTheAddressAsText) {
  const struct {
    ProcessEnd why;
    const char* says;
  } cases[] = {
      {ProcessEnd::Crashed, "The page crashed."},
      {ProcessEnd::OutOfMemory, "used too much memory"},
      {ProcessEnd::EndedByProgram, "ended by the program"},
  };
  for (const auto& c : cases) {
    const std::string page = engine::ProcessEndedPage(c.why, kHostile);
    EXPECT_NE(page.find(c.says), std::string::npos) << c.says;
    EXPECT_NE(page.find(kHostileEscaped), std::string::npos) << c.says;
    EXPECT_EQ(page.find("<script"), std::string::npos) << c.says;
    EXPECT_NE(page.find("Reload"), std::string::npos) << c.says;
  }
}

TEST(ErrorPages, EachCertificateProblemIsNamedInWords) {
  const struct {
    unsigned flags;
    std::vector<std::string> starts;
  } cases[] = {
      {G_TLS_CERTIFICATE_UNKNOWN_CA, {"Its certificate was not issued by an authority"}},
      {G_TLS_CERTIFICATE_BAD_IDENTITY, {"Its certificate was made for another site, not for h.test."}},
      {G_TLS_CERTIFICATE_NOT_ACTIVATED, {"Its certificate is not valid yet."}},
      {G_TLS_CERTIFICATE_EXPIRED, {"Its certificate has expired."}},
      {G_TLS_CERTIFICATE_REVOKED, {"Its certificate has been revoked."}},
      {G_TLS_CERTIFICATE_INSECURE, {"Its certificate uses an algorithm that is not considered secure."}},
      {G_TLS_CERTIFICATE_GENERIC_ERROR, {"Its certificate could not be checked."}},
      // A self-signed certificate for another name: both, in a fixed order.
      {G_TLS_CERTIFICATE_BAD_IDENTITY | G_TLS_CERTIFICATE_UNKNOWN_CA,
       {"Its certificate was not issued by an authority", "Its certificate was made for another site"}},
      // Refused without a reason the library names.
      {0, {"Its certificate could not be checked."}},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> texts = engine::CertificateProblems(c.flags, "h.test");
    ASSERT_EQ(texts.size(), c.starts.size()) << c.flags;
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].rfind(c.starts[i], 0), 0u) << texts[i];
  }
}

TEST(ErrorPages, TheCertificatePageNamesTheHostAndOffersNoWayOn) {
  const std::string page =
      engine::NotSecurePage("<b>h</b>", kHostile, G_TLS_CERTIFICATE_EXPIRED | G_TLS_CERTIFICATE_UNKNOWN_CA);
  EXPECT_NE(page.find("The connection to &lt;b&gt;h&lt;/b&gt; is not secure"), std::string::npos);
  EXPECT_NE(page.find(kHostileEscaped), std::string::npos);
  EXPECT_NE(page.find("<li>Its certificate was not issued"), std::string::npos);
  EXPECT_NE(page.find("<li>Its certificate has expired.</li>"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  // Nothing to click through to the page.
  EXPECT_EQ(page.find("<a "), std::string::npos);
  EXPECT_EQ(page.find("<form"), std::string::npos);
  EXPECT_EQ(page.find("<script"), std::string::npos);
}

}  // namespace
