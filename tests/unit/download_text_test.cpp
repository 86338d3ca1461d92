// The names and words of file downloads: the proposed file name, the
// progress in the status line and the closing messages.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tabs/DownloadText.h"

namespace {

using tabs::DownloadProgress;

TEST(DownloadName, ASuggestedNameBecomesOneSafeFileName) {
  const struct {
    std::string suggested;
    std::string expected;
  } cases[] = {
      {"report.zip", "report.zip"},
      {"Quarterly report (final).pdf", "Quarterly report (final).pdf"},
      {"\xC5\xBEaba.txt", "\xC5\xBEaba.txt"},  // žaba.txt
      // No way out of the folder, no hidden file.
      {"../../etc/passwd", "_.._etc_passwd"},
      {"/etc/passwd", "_etc_passwd"},
      {"..\\..\\boot.ini", "_.._boot.ini"},
      {".bashrc", "bashrc"},
      {" . .profile", "profile"},
      // No control characters, no blanks around it.
      {"a\nb\tc\x7F" "d.txt", "abcd.txt"},
      {"  name.txt  ", "name.txt"},
      // Nothing left: a name of its own.
      {"", "download"},
      {"...", "download"},
      {"\n\r", "download"},
      // Bytes that are not UTF-8 are replaced, never passed on.
      {"bad\xFF.bin", "bad\xEF\xBF\xBD.bin"},
  };
  for (const auto& c : cases) EXPECT_EQ(tabs::SafeFileName(c.suggested), c.expected) << c.suggested;
}

TEST(DownloadName, AnOverlongNameIsCutToTheFileSystemsLimitKeepingItsExtension) {
  const std::string longName = std::string(300, 'a') + ".tar.gz";
  const std::string safe = tabs::SafeFileName(longName);
  EXPECT_EQ(safe.size(), 255u);
  EXPECT_EQ(safe.substr(safe.size() - 3), ".gz");

  // Never inside a character: 200 two-byte letters are 400 bytes.
  std::string letters;
  for (int i = 0; i < 200; ++i) letters += "\xC3\xA9";  // é
  const std::string cut = tabs::SafeFileName(letters + ".txt");
  EXPECT_LE(cut.size(), 255u);
  EXPECT_EQ(cut.substr(cut.size() - 4), ".txt");
  EXPECT_EQ(cut.size() % 2, 0u) << "a letter was cut in two";
}

TEST(DownloadName, TheNameFromAnAddressIsItsLastSegmentDecoded) {
  const struct {
    std::string url;
    std::string expected;
  } cases[] = {
      {"http://example.com/files/report.zip", "report.zip"},
      {"http://example.com/files/report.zip?session=1#top", "report.zip"},
      {"http://example.com/a%20b%C5%BE.pdf", "a b\xC5\xBE.pdf"},
      // An encoded separator stays inside the name.
      {"http://example.com/x/..%2F..%2Fetc%2Fpasswd", "_.._etc_passwd"},
      {"http://example.com/", "download"},
      {"http://example.com", "download"},
      {"http://example.com/files/", "download"},
      {"", "download"},
  };
  for (const auto& c : cases) EXPECT_EQ(tabs::FileNameFromUrl(c.url), c.expected) << c.url;
}

TEST(DownloadText, ByteCountsReadAsPeopleSayThem) {
  const struct {
    std::uint64_t bytes;
    std::string expected;
  } cases[] = {
      {0, "0 bytes"},
      {1, "1 byte"},
      {1023, "1023 bytes"},
      {1024, "1.0 KB"},
      {1536, "1.5 KB"},
      {1024 * 1024 - 1, "1.0 MB"},  // rounds up into the next unit
      {1258291, "1.2 MB"},
      {3565158, "3.4 MB"},
      {std::uint64_t(5) * 1024 * 1024 * 1024, "5.0 GB"},
  };
  for (const auto& c : cases) EXPECT_EQ(tabs::ByteSize(c.bytes), c.expected) << c.bytes;
}

TEST(DownloadText, TheStatusLineTellsWhatIsDownloadingAndHowFar) {
  const std::uint64_t mb = 1024 * 1024;
  const struct {
    std::vector<DownloadProgress> running;
    std::string expected;
  } cases[] = {
      {{}, ""},
      {{{"report.zip", 0, 0}}, "Downloading report.zip: 0 bytes"},
      {{{"report.zip", 1258291, 3565158}}, "Downloading report.zip: 1.2 MB of 3.4 MB (35%)"},
      {{{"report.zip", 3565158, 3565158}}, "Downloading report.zip: 3.4 MB of 3.4 MB (100%)"},
      // A server that sends more than it announced: no total, no percent.
      {{{"report.zip", 2 * mb, mb}}, "Downloading report.zip: 2.0 MB"},
      {{{"a.zip", mb, 4 * mb}, {"b.zip", mb, 4 * mb}}, "Downloading 2 files: 2.0 MB of 8.0 MB (25%)"},
      // One total unknown: the sum of the totals would be wrong.
      {{{"a.zip", mb, 4 * mb}, {"b.zip", mb, 0}}, "Downloading 2 files: 2.0 MB"},
      {{{std::string(50, 'n') + ".zip", 10, 0}}, "Downloading " + std::string(37, 'n') + "...: 10 bytes"},
  };
  for (const auto& c : cases) EXPECT_EQ(tabs::DownloadStatusText(c.running), c.expected) << c.expected;
}

TEST(DownloadText, TheClosingMessagesNameTheFile) {
  EXPECT_EQ(tabs::DownloadCompleteText("/home/u/Downloads/report.zip"),
            "Download complete: /home/u/Downloads/report.zip");
  EXPECT_EQ(tabs::DownloadFailedText("report.zip", "Connection terminated unexpectedly"),
            "The download of report.zip failed: Connection terminated unexpectedly");
}

}  // namespace
