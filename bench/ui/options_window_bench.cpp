// What the options dialog costs at start-up: creating it with its pages,
// painting the saved scheme and reading "uas.cfg", before it is ever shown.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "options/Tfoptions.h"
#include "options/UserAgents.h"
#include "ui/ProcessMessages.h"

namespace {

void BM_CreateTheOptionsDialog(benchmark::State& state) {
  const std::string folder = (std::filesystem::temp_directory_path() / "lumivale-bench-options/").string();
  std::filesystem::create_directories(folder);
  options::SaveAgentFile(folder + options::kAgentFileName, options::BuiltInAgents());
  int painted = 0;
  for (auto _ : state) {
    options::Tfoptions::Callbacks callbacks;
    callbacks.paint = [&](const options::Look&) { ++painted; };
    auto dialog = std::make_unique<options::Tfoptions>(folder, callbacks);
    dialog->FormCreate(12, {});
    state.PauseTiming();
    dialog.reset();
    ui::ProcessMessages();
    state.ResumeTiming();
  }
  benchmark::DoNotOptimize(painted);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CreateTheOptionsDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
