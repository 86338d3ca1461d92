// Recording one visit into a full history: insert at the top, drop the
// oldest row, write "history.lmf".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "library/HistoryRecording.h"
#include "bench/FullHistory.h"
#include "listfile/ListFile.h"

namespace {

void BM_RecordVisitIntoFullHistory(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() / "lumivale-bench-history.lmf").string();
  listfile::Rows rows = FullHistory();
  int n = 0;
  for (auto _ : state) {
    const library::Visit visit{true, "A new page", "https://new.example/" + std::to_string(n++), "10/12/26",
                               "14:03:22"};
    library::RecordVisit(rows, visit);
    listfile::SaveListViewToFile(rows, path);
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_RecordVisitIntoFullHistory)->Unit(benchmark::kMillisecond);

}  // namespace
