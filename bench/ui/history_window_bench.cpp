// The history window with a full history (65535 rows) on a display: from
// showing it to its list drawn, and from a search to the list drawn again
// with the highlight. Times are to the frame on screen, so they include
// the wait for the display's next frame.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>
#include <gtkmm/main.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "library/Tfhistory.h"
#include "bench/FullHistory.h"
#include "listfile/ListFile.h"
#include "ui/ProcessMessages.h"

namespace {

std::string HistoryFile() {
  static const std::string path = [] {
    const std::string p = (std::filesystem::temp_directory_path() / "lumivale-bench-window-history.lmf").string();
    listfile::SaveListViewToFile(FullHistory(), p);
    return p;
  }();
  return path;
}

// Lets the loop run until the list has drawn once more.
void WaitForDraw(bool& drawn) { ui::WaitUntil([&] { return drawn; }, 10000); }

void OpenWindow(benchmark::State& state, bool writtenMeanwhile) {
  for (auto _ : state) {
    state.PauseTiming();
    auto history = std::make_unique<library::Tfhistory>(HistoryFile(), 1);
    if (writtenMeanwhile) {
      // Another program window wrote the history since it was loaded.
      listfile::SaveListViewToFile(history->mhistory.Items(), HistoryFile());
    }
    bool drawn = false;
    history->mhistory.signal_draw().connect(
        [&](const Cairo::RefPtr<Cairo::Context>&) {
          drawn = true;
          return false;
        },
        true);
    ui::ProcessMessages();
    state.ResumeTiming();
    history->show();
    WaitForDraw(drawn);
    state.PauseTiming();
    history.reset();
    ui::ProcessMessages();
    state.ResumeTiming();
  }
}

void BM_OpenTheHistoryWindow(benchmark::State& state) { OpenWindow(state, false); }
BENCHMARK(BM_OpenTheHistoryWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenTheHistoryWindowAfterAnotherWindowWroteIt(benchmark::State& state) { OpenWindow(state, true); }
BENCHMARK(BM_OpenTheHistoryWindowAfterAnotherWindowWroteIt)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchRepaint(benchmark::State& state) {
  library::Tfhistory history(HistoryFile(), 1);
  bool drawn = false;
  history.mhistory.signal_draw().connect(
      [&](const Cairo::RefPtr<Cairo::Context>&) {
        drawn = true;
        return false;
      },
      true);
  history.show();
  WaitForDraw(drawn);
  int n = 0;
  for (auto _ : state) {
    history.hurl.set_text(n++ % 2 ? "article-1" : "typical");
    drawn = false;
    history.xsClick();
    WaitForDraw(drawn);
  }
}
BENCHMARK(BM_SearchRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  Gtk::Main::init_gtkmm_internals();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(HistoryFile().c_str());
  return 0;
}
