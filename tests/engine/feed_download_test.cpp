// The two download paths against the loopback server: the reader's, which
// keeps whatever body came, and the one of the ticker and the news check,
// which writes only a good answer; both with their agents, limits and
// time-out.
#include <gtest/gtest.h>

#include <string>

#include "net/Download.h"
#include "support/FixtureServer.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace {

using testing_support::FixtureServer;
using testing_support::TempFolder;

const char* const kFeed = "<rss><channel><item><title>x</title></item></channel></rss>";

class FeedDownload : public ::testing::Test {
 protected:
  FixtureServer server;
  TempFolder dir;
};

TEST_F(FeedDownload, TheReadersDownloadSendsTheProgramsNameAndKeepsAnyBody) {
  server.AddPage("/feed", kFeed, 200, "application/rss+xml");
  server.AddPage("/gone", "<html>not here</html>", 404);
  server.AddRedirect("/moved", "/feed");

  const net::FeedFileResult ok = net::FetchFeedFile(server.Url("/feed"), dir / "a.xml");
  EXPECT_TRUE(ok.fileCreated && ok.downloaded) << ok.error;
  EXPECT_EQ(dir.Read("a.xml"), kFeed);
  ASSERT_EQ(server.RequestCount("/feed"), 1);
  EXPECT_EQ(server.RequestsFor("/feed")[0].userAgent, net::ExecutableFileName());
  EXPECT_EQ(net::ExecutableFileName(), "engine_tests");
  // Earlier answers may be used: nothing asks past the caches.
  EXPECT_EQ(server.RequestsFor("/feed")[0].Header("Cache-Control"), "");

  const net::FeedFileResult error = net::FetchFeedFile(server.Url("/gone"), dir / "b.xml");
  EXPECT_TRUE(error.downloaded);
  EXPECT_EQ(dir.Read("b.xml"), "<html>not here</html>");

  EXPECT_TRUE(net::FetchFeedFile(server.Url("/moved"), dir / "c.xml").downloaded);
  EXPECT_EQ(dir.Read("c.xml"), kFeed);
}

TEST_F(FeedDownload, TheReadersDownloadMayBeAnsweredFromTheCacheTheSecondPathNever) {
  net::SetFeedCacheFolder(dir / "cache");
  testing_support::FixturePage fresh{kFeed, "application/rss+xml"};
  fresh.headers = {{"Cache-Control", "max-age=300"}};
  server.Add("/fresh", fresh);
  EXPECT_TRUE(net::FetchFeedFile(server.Url("/fresh"), dir / "1.xml").downloaded);
  EXPECT_TRUE(net::FetchFeedFile(server.Url("/fresh"), dir / "2.xml").downloaded);
  EXPECT_EQ(dir.Read("2.xml"), kFeed);
  EXPECT_EQ(server.RequestCount("/fresh"), 1);
  EXPECT_TRUE(net::FetchUrlToFile(server.Url("/fresh"), dir / "3.xml", "Agent"));
  EXPECT_EQ(server.RequestCount("/fresh"), 2);
}

TEST_F(FeedDownload, AFailedDownloadLeavesAnEmptyFileAndAFileThatCannotBeMadeIsAnError) {
  testing_support::RefusedPort refused;
  dir.Write("old.xml", "old content");
  const net::FeedFileResult r = net::FetchFeedFile(refused.Url("/feed"), dir / "old.xml");
  EXPECT_TRUE(r.fileCreated);
  EXPECT_FALSE(r.downloaded);
  EXPECT_FALSE(r.error.empty());
  EXPECT_TRUE(dir.Exists("old.xml"));
  EXPECT_EQ(dir.Read("old.xml"), "");

  for (const char* address : {"", "not an address", "ftp://example.com/feed"})
    EXPECT_FALSE(net::FetchFeedFile(address, dir / "x.xml").downloaded) << address;

  server.AddPage("/feed", kFeed);
  const net::FeedFileResult noFile = net::FetchFeedFile(server.Url("/feed"), dir / "no-such-folder/a.xml");
  EXPECT_FALSE(noFile.fileCreated);
  EXPECT_NE(noFile.error.find("no-such-folder"), std::string::npos) << noFile.error;
  EXPECT_EQ(server.RequestCount("/feed"), 0);
}

TEST_F(FeedDownload, ABodyTooLargeOrTooSlowIsAFailedDownloadAndTheWindowKeepsRunning) {
  server.AddPage("/big", std::string(4096, 'x'));
  server.AddEndlessPage("/endless");
  server.AddSlowPage("/slow", 3000, kFeed);

  net::DownloadOptions small;
  small.maxBytes = 4095;
  const net::DownloadResult big = net::Download(server.Url("/big"), small);
  EXPECT_FALSE(big.ok);
  EXPECT_TRUE(big.body.empty());
  EXPECT_NE(big.error.find("larger than"), std::string::npos) << big.error;
  small.maxBytes = 4096;
  EXPECT_TRUE(net::Download(server.Url("/big"), small).ok);

  // No announced length: the cap holds while the body streams in.
  net::DownloadOptions capped;
  capped.maxBytes = 100 * 1024;
  EXPECT_FALSE(net::Download(server.Url("/endless"), capped).ok);

  net::DownloadOptions quick;
  quick.timeoutMs = 300;
  int ticks = 0;
  const guint ticker = g_timeout_add(20, [](gpointer t) -> gboolean {
    ++*static_cast<int*>(t);
    return G_SOURCE_CONTINUE;
  }, &ticks);
  const net::DownloadResult slow = net::Download(server.Url("/slow"), quick);
  g_source_remove(ticker);
  EXPECT_FALSE(slow.ok);
  EXPECT_NE(slow.error.find("did not answer"), std::string::npos) << slow.error;
  // The loop ran meanwhile.
  EXPECT_GT(ticks, 3);

  // A caller that no longer wants the answer ends the wait at once.
  net::DownloadOptions wanted;
  wanted.abandon = [&] { return server.RequestCount("/endless") > 1; };
  const net::DownloadResult abandoned = net::Download(server.Url("/endless"), wanted);
  EXPECT_FALSE(abandoned.ok);
  EXPECT_EQ(abandoned.error, "The download was abandoned.");
}

TEST_F(FeedDownload, TheSecondPathWritesOnlyAGoodAnswerWithTheAgentItIsGiven) {
  server.AddPage("/feed", kFeed);
  server.AddPage("/gone", "missing", 404);
  dir.Write("temp.skrol.xml", "previous");

  EXPECT_FALSE(net::FetchUrlToFile(server.Url("/gone"), dir / "temp.skrol.xml", "Agent/1"));
  EXPECT_EQ(dir.Read("temp.skrol.xml"), "previous");
  EXPECT_TRUE(net::FetchUrlToFile(server.Url("/feed"), dir / "temp.skrol.xml", "Agent/1"));
  EXPECT_EQ(dir.Read("temp.skrol.xml"), kFeed);
  const auto request = server.RequestsFor("/feed").at(0);
  EXPECT_EQ(request.userAgent, "Agent/1");
  EXPECT_EQ(request.Header("Cache-Control"), "no-cache");

  int calls = 0;
  bool result = false;
  net::FetchUrlToFileAsync(server.Url("/feed"), dir / "hot.xml", "Agent/2", [&](bool ok) {
    ++calls;
    result = ok;
  });
  EXPECT_EQ(calls, 0);  // never before the call returns
  ASSERT_TRUE(ui::WaitUntil([&] { return calls > 0; }, 10000));
  EXPECT_TRUE(result);
  EXPECT_EQ(dir.Read("hot.xml"), kFeed);
  EXPECT_EQ(calls, 1);
}

}  // namespace
