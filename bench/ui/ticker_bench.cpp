// The news ticker's scrolling text at the width of a 1920-pixel window: one
// step (move one pixel and lay the pictures over each other), and the share
// of one core it takes at speed 55 on a display.
#include <benchmark/benchmark.h>
#include <gtkmm.h>
#include <sys/resource.h>

#include <memory>
#include <string>

#include "controls/TALScrollingText.h"
#include "ui/ProcessMessages.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 16;

struct Ticker {
  Gtk::Window window;
  controls::TALScrollingText text;
  Ticker() {
    window.set_default_size(kWidth, kHeight);
    window.add(text);
    text.SetBackgroundColor({57, 56, 56});
    Pango::FontDescription font("Sans Bold");
    font.set_absolute_size(13 * PANGO_SCALE);
    text.SetFont(font, {255, 255, 255});
    text.SetTextDirection(controls::TextDirection::RightToLeft);
    std::string news = "   World News ::: ";
    for (int i = 0; i < 20; ++i) news += "Tue, 09 Dec 2026 14:03:22 +0000:  A headline of a usual length " + std::to_string(i) + " :::    ";
    text.SetText(news);
    window.show_all();
    ui::WaitUntil([&] { return text.get_allocated_width() == kWidth; }, 5000);
  }
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void TickerStep(benchmark::State& state) {
  Ticker t;
  t.text.SetSpeed(1000000);  // no steps but these
  auto target = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, kWidth, kHeight);
  auto cr = Cairo::Context::create(target);
  const int rebuilds = t.text.Rebuilds();
  for (auto _ : state) {
    t.text.StepOnce();
    t.text.Paint(cr);
  }
  state.counters["rebuilds"] = t.text.Rebuilds() - rebuilds;  // 0: a step makes nothing new
}
BENCHMARK(TickerStep)->Unit(benchmark::kMicrosecond);

// Scrolls on the display for three seconds, as the program does.
void TickerAtSpeed55(benchmark::State& state) {
  for (auto _ : state) {
    Ticker t;
    t.text.SetSpeed(55);
    ui::WaitWithMessages(300);
    const double cpu = CpuSeconds();
    const gint64 start = g_get_monotonic_time();
    ui::WaitWithMessages(3000);
    const double wall = double(g_get_monotonic_time() - start) / 1e6;
    state.SetIterationTime(wall);
    state.counters["core_percent"] = 100.0 * (CpuSeconds() - cpu) / wall;
  }
}
BENCHMARK(TickerAtSpeed55)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
