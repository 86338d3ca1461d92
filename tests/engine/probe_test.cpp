// The reachability probe against the loopback fixture server.
#include <gtest/gtest.h>
#include <glib.h>

#include "navigation/UrlResolution.h"
#include "net/Http.h"
#include "support/FixtureServer.h"

namespace {

using testing_support::FixtureServer;
using testing_support::RefusedPort;

class Probe : public ::testing::Test {
 protected:
  Probe() {
    server.AddPage("/ok", "<p>ok</p>");
    server.AddRedirect("/found", "/ok", 302);
    server.AddStatus("/found-nowhere", 302);
    server.AddStatus("/missing", 404);
    server.AddStatus("/broken", 500);
    server.AddRedirect("/moved-to-missing", "/missing", 301);
    server.AddRedirect("/moved-to-ok", "/ok", 301);
    server.AddRedirect("/moved-away", "/gone", 301);
    server.AddStatus("/gone", 410);
    server.AddRedirect("/loop", "/loop", 302);
  }
  FixtureServer server;
};

TEST_F(Probe, OnlyAFinalStatusOf200Or302IsAnAddress) {
  struct Case {
    const char* path;
    bool address;
  } cases[] = {
      {"/ok", true},
      {"/found", true},          // 302, followed to a 200 page
      {"/found-nowhere", true},  // 302 with nowhere to go stays 302
      {"/missing", false},
      {"/broken", false},
      {"/moved-to-missing", false},
      {"/moved-to-ok", true},
      {"/moved-away", false},
      {"/loop", false},  // too many redirects: the request fails
  };
  for (const Case& c : cases) {
    EXPECT_EQ(navigation::CheckUrl(server.Url(c.path)), c.address) << c.path;
  }
}

TEST_F(Probe, TextWithoutSchemeIsProbedOverHttpWithItsOwnAgentAndNoCache) {
  EXPECT_TRUE(navigation::CheckUrl(server.HostAndPort("/ok?q=1")));
  const auto requests = server.RequestsFor("/ok");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].query, "q=1");
  EXPECT_EQ(requests[0].userAgent, "InetURL:/1.0");
  EXPECT_EQ(requests[0].Header("Cache-Control"), "no-cache");
  EXPECT_EQ(requests[0].Header("Pragma"), "no-cache");
}

TEST_F(Probe, EveryProbeReachesTheServer) {
  testing_support::FixturePage cacheable;
  cacheable.body = "x";
  cacheable.headers = {{"Cache-Control", "max-age=3600"}};
  server.Add("/cacheable", cacheable);
  EXPECT_TRUE(navigation::CheckUrl(server.Url("/cacheable")));
  EXPECT_TRUE(navigation::CheckUrl(server.Url("/cacheable")));
  EXPECT_EQ(server.RequestCount("/cacheable"), 2);
}

TEST_F(Probe, TypedBlanksAreEncodedForTheRequestOnly) {
  EXPECT_TRUE(navigation::CheckUrl(server.HostAndPort("/ok?q=a b&c")));
  const auto requests = server.RequestsFor("/ok");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].query, "q=a%20b&c");
}

TEST(ProbeFailure, UnreachableAndMalformedAddressesAreNotAddresses) {
  RefusedPort refused;
  const std::string cases[] = {
      refused.Url("/"),
      "http://nothing.invalid/",
      "",                 // probed as "http://"
      "about:blank",      // probed as "http://about:blank"
      "two words",        // no such host
      "http://[broken/",  // not a URL at all
  };
  for (const std::string& text : cases) {
    const gint64 start = g_get_monotonic_time();
    EXPECT_FALSE(navigation::CheckUrl(text, 5000)) << text;
    EXPECT_LT(g_get_monotonic_time() - start, 6 * G_USEC_PER_SEC) << text;
  }
}

TEST(ProbeCertificate, AServerWhoseCertificateCannotBeVerifiedIsAnAddressButGetsNoRequest) {
  FixtureServer untrusted(FixtureServer::Scheme::UntrustedHttps);
  untrusted.AddPage("/secret", "<p>secret</p>");
  EXPECT_EQ(net::FetchStatus(untrusted.Url("/secret"), "agent", 5000), net::kUntrustedCertificate);
  // Opened, so that its tab tells the user why it is not shown, and never
  // handed to a search engine.
  EXPECT_TRUE(navigation::CheckUrl(untrusted.Url("/secret"), 5000));
  EXPECT_EQ(untrusted.RequestCount("/secret"), 0);
}

TEST_F(Probe, ASlowServerIsGivenUpAtTheTimeOut) {
  server.AddSlowPage("/slow", 5000, "late");
  const gint64 start = g_get_monotonic_time();
  EXPECT_FALSE(navigation::CheckUrl(server.Url("/slow"), 500));
  const gint64 elapsedMs = (g_get_monotonic_time() - start) / 1000;
  EXPECT_GE(elapsedMs, 450);
  EXPECT_LT(elapsedMs, 2000);
}

TEST_F(Probe, OnlyTheHeadersAreRead) {
  // The body never ends: the answer must come from the headers alone.
  server.AddEndlessPage("/endless");
  EXPECT_EQ(net::FetchStatus(server.Url("/endless"), "agent", 3000), 200);
  EXPECT_TRUE(navigation::CheckUrl(server.Url("/endless"), 3000));
}

TEST_F(Probe, FetchStatusAnswersTheFinalStatusAndSendsTheAgentAsGiven) {
  EXPECT_EQ(net::FetchStatus(server.Url("/moved-to-missing"), "", 3000), 404);
  EXPECT_EQ(net::FetchStatus(server.Url("/broken"), "Agent/2.0\r\nX-Injected: 1", 3000), 500);
  const auto requests = server.RequestsFor("/broken");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].userAgent, "Agent/2.0X-Injected: 1");
  EXPECT_EQ(requests[0].Header("X-Injected"), "");
  EXPECT_EQ(server.RequestsFor("/missing").at(0).userAgent, "");
}

}  // namespace
