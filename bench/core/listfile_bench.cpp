// Saving and loading the largest list the format holds: a history of 65535
// visits (date and time, page title, address), as the history window saves
// it after every visit. Also the INI read of a typical configuration file.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "listfile/ListFile.h"
#include "settings/AtomicFile.h"
#include "settings/Configuration.h"
#include "settings/IniFile.h"

namespace {

listfile::Rows History() {
  listfile::Rows rows(listfile::kMaxRows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    char date[32];
    std::snprintf(date, sizeof date, "%02zu.12.2026   %02zu:%02zu:%02zu", 1 + i % 28, i % 24, i % 60, (i * 7) % 60);
    rows[i].caption = date;
    rows[i].subItems = {"Lumivale - A page title of typical length, item " + std::to_string(i),
                        "https://www.example.org/articles/2026/12/a-typical-address-" + std::to_string(i) + ".html"};
  }
  return rows;
}

class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumivale-bench-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void BM_EncodeHistory(benchmark::State& state) {
  const listfile::Rows rows = History();
  for (auto _ : state) benchmark::DoNotOptimize(listfile::Encode(rows));
}
BENCHMARK(BM_EncodeHistory)->Unit(benchmark::kMillisecond);

void BM_DecodeHistory(benchmark::State& state) {
  const std::string bytes = listfile::Encode(History());
  state.counters["bytes"] = static_cast<double>(bytes.size());
  for (auto _ : state) benchmark::DoNotOptimize(listfile::Decode(bytes));
}
BENCHMARK(BM_DecodeHistory)->Unit(benchmark::kMillisecond);

// The whole save: encoding, the temporary file, the flush to disk that
// protects the old file, the rename.
void BM_SaveHistory(benchmark::State& state) {
  const listfile::Rows rows = History();
  Folder folder;
  const std::string path = folder.File("history.lmf");
  listfile::SaveListViewToFile(rows, path);  // replacing an existing file, as after every visit
  for (auto _ : state) {
    if (!listfile::SaveListViewToFile(rows, path)) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the flush, for comparison (write, close, rename).
void BM_SaveHistoryWithoutFlush(benchmark::State& state) {
  const listfile::Rows rows = History();
  Folder folder;
  const std::string path = folder.File("history.lmf");
  const std::string temp = folder.File("history.lmf.tmp");
  for (auto _ : state) {
    const std::string bytes = listfile::Encode(rows);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || close(fd) != 0 ||
        std::rename(temp.c_str(), path.c_str()) != 0)
      state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_SaveHistoryWithoutFlush)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadHistory(benchmark::State& state) {
  Folder folder;
  const std::string path = folder.File("history.lmf");
  listfile::SaveListViewToFile(History(), path);
  listfile::Rows rows;
  for (auto _ : state) {
    if (!listfile::LoadListViewToFile(rows, path)) state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_LoadHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadConfiguration(benchmark::State& state) {
  const std::string text =
      "[Config]\r\nSPEEDSEARCH=0\r\npopblock=0\r\nthumbzoom=1\r\nenablehist=1\r\ncomplex=0\r\nbnews=1\r\n"
      "hidebar=2\r\nsmartcolor=1\r\nhideadressbar=1\r\n3durl=0\r\nsetbutton=1111111111\r\n"
      "Homepage=www.google.com\r\ncolsheme=12\r\ncustomcolor=0\r\n\r\n[hmenu]\r\nx=1620\r\ny=45\r\n";
  for (auto _ : state) {
    settings::Configuration c;
    settings::ReadConfiguration(settings::IniFile::Parse(text), c, {1920, 1080});
    benchmark::DoNotOptimize(c);
  }
}
BENCHMARK(BM_ReadConfiguration)->Unit(benchmark::kMicrosecond);

}  // namespace
