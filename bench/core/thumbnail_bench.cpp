// A tab's picture from a full-screen capture: smoothing and shrinking.
#include <benchmark/benchmark.h>

#include <random>

#include "tabs/Thumbnail.h"

namespace {

engine::Bitmap Capture(int w, int h) {
  engine::Bitmap bmp(w, h);
  std::mt19937 random(42);
  for (auto& byte : bmp.rgb) byte = std::uint8_t(random());
  return bmp;
}

void BM_SmoothAndResizeCapture(benchmark::State& state) {
  const engine::Bitmap capture = Capture(1900, 1080);
  for (auto _ : state) {
    state.PauseTiming();
    engine::Bitmap full = capture;
    state.ResumeTiming();
    tabs::SmoothBitmap(full);
    tabs::ResizeBmp(full, 480, 260);
    benchmark::DoNotOptimize(full.rgb.data());
  }
}
BENCHMARK(BM_SmoothAndResizeCapture)->Unit(benchmark::kMillisecond);

}  // namespace
