// How long the spectrum's numbers take, natively: the first spectrum (which makes the
// window tables and the FFT plan), then one channel with each window and both channels,
// as a repaint of the spectrum view computes them. Prints a table in microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/demo_traces.h"
#include "scope/frequency_levels.h"

namespace {

constexpr int kRuns = 2000;

using vexal::SpectrumWindow;

volatile double sink = 0;  // keeps the spectra from being optimised away

double Microseconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
      .count();
}

template <typename Compute>
void Measure(const char* name, Compute compute) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    sink = sink + compute();
    times.push_back(Microseconds(start));
  }
  std::sort(times.begin(), times.end());
  std::printf("| %s | %.1f | %.1f | %.1f |\n", name, times[kRuns / 2], times.front(),
              times[kRuns * 9 / 10]);
}

}  // namespace

int main() {
  const vexal::WaveformSnapshot traces = vexal::DemonstrationTraces();
  constexpr double kVoltsPerCount = 1.0 / 32;
  const auto one = [&](SpectrumWindow window) {
    return vexal::ComputeSpectrum(traces.samples[0], kVoltsPerCount, window).level[2];
  };
  const auto start = std::chrono::steady_clock::now();
  sink = one(SpectrumWindow::kHann);
  const double first = Microseconds(start);

  std::printf("| Spectrum (%d runs each) | median us | min us | p90 us |\n", kRuns);
  std::printf("|---|---|---|---|\n");
  std::printf("| first spectrum: window tables and FFT plan made | %.1f | | |\n", first);
  Measure("one channel, Hann", [&] { return one(SpectrumWindow::kHann); });
  Measure("one channel, Flat-Top", [&] { return one(SpectrumWindow::kFlatTop); });
  Measure("one channel, Rechteck", [&] { return one(SpectrumWindow::kRectangle); });
  Measure("two channels, Hann", [&] {
    return one(SpectrumWindow::kHann) +
           vexal::ComputeSpectrum(traces.samples[1], kVoltsPerCount, SpectrumWindow::kHann)
               .level[2];
  });
  return 0;
}
