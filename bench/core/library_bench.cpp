// The history and bookmark lists' rules over long lists: the search
// highlight tested on every row of a full history (a repaint tests only the
// rows in view, so this bounds it), and sorting a long bookmark list.
#include <benchmark/benchmark.h>

#include <string>

#include "library/BookmarkRules.h"
#include "library/RowColors.h"
#include "bench/FullHistory.h"
#include "listfile/ListFile.h"

namespace {

void BM_HighlightEveryRowOfAFullHistory(benchmark::State& state) {
  const listfile::Rows rows = FullHistory();
  const library::SearchText search("article-4242");
  for (auto _ : state) {
    std::size_t found = 0;
    for (const listfile::Row& row : rows) found += search.FoundIn(row.subItems[0], row.subItems[1]);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(rows.size()));
}
BENCHMARK(BM_HighlightEveryRowOfAFullHistory)->Unit(benchmark::kMillisecond);

void BM_SortBookmarksByName(benchmark::State& state) {
  listfile::Rows rows;
  for (int i = 0; i < state.range(0); ++i)
    rows.push_back(library::Bookmark("Bookmark " + std::to_string((i * 7919) % state.range(0)),
                                     "https://example.com/" + std::to_string(i)));
  for (auto _ : state) benchmark::DoNotOptimize(library::SortedOrder(rows, library::kNameColumn, false));
}
BENCHMARK(BM_SortBookmarksByName)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);

}  // namespace
