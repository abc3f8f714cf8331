#include "scope/frequency_levels.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <kissfft/kissfft.hh>
#include <numbers>

#include "scope/timebase_labels.h"

namespace vexal {
namespace {

constexpr int kPoints = kSamplesPerChannel;
constexpr int kLastBin = kSpectrumBins - 1;
// A bin whose amplitude is below a millionth of a count is the FFT's own rounding, not
// signal: what whole-count samples put into a bin is some thousandths of a count at the
// least (one count in one sample, through the window), while the doubles' rounding over
// 2048 points stays near 10^-12 count. A DC level alone leaves every bin at exactly 0.
constexpr double kEmptyAmplitude = 1e-6;

// w[i] = a0 - a1 cos(x) + a2 cos(2x) - a3 cos(3x) + a4 cos(4x), x = 2 pi i / 2048.
struct WindowRow {
  SpectrumWindow window;
  const char* name;
  std::array<double, 5> a;
};
constexpr WindowRow kWindows[] = {
    {SpectrumWindow::kHann, "Hann", {0.5, 0.5}},
    {SpectrumWindow::kFlatTop,
     "Flat-Top",
     {0.21557895, 0.41663158, 0.277263158, 0.083578947, 0.006947368}},
    {SpectrumWindow::kRectangle, "Rechteck", {1}},
};
constexpr int kWindowCount = static_cast<int>(std::size(kWindows));

struct WindowTable {
  std::array<double, kPoints> weight;
  double sum;
};

WindowTable MakeTable(const WindowRow& row) {
  WindowTable table{};
  for (int i = 0; i < kPoints; ++i) {
    double w = 0;
    for (int j = 0; j < static_cast<int>(row.a.size()); ++j) {
      // The angle of j x i taken modulo a whole turn first: no precision lost at large i.
      const double angle = 2 * std::numbers::pi * (j * i % kPoints) / kPoints;
      w += (j % 2 == 0 ? 1 : -1) * row.a[j] * std::cos(angle);
    }
    table.weight[i] = w;
    table.sum += w;
  }
  return table;
}

const WindowRow& RowOf(SpectrumWindow window) {
  for (const WindowRow& row : kWindows) {
    if (row.window == window) return row;
  }
  return kWindows[0];
}

// Made on first use and only read after (on the window thread: the read-out worker
// never asks for a spectrum).
const WindowTable& TableOf(SpectrumWindow window) {
  static const std::array<WindowTable, kWindowCount> tables = {
      MakeTable(kWindows[0]), MakeTable(kWindows[1]), MakeTable(kWindows[2])};
  return tables[&RowOf(window) - kWindows];
}

// kissfft's transform_real takes 2 x 1024 real points.
const kissfft<double>& Plan() {
  static const kissfft<double> plan(kPoints / 2, false);
  return plan;
}

struct SpanRow {
  SpectrumSpan span;
  int percent;
  int bins;
};
constexpr SpanRow kSpans[] = {
    {SpectrumSpan::kFull, 100, 1000},
    {SpectrumSpan::kQuarter, 25, 250},
    {SpectrumSpan::kTwentieth, 5, 50},
};

const SpanRow& RowOf(SpectrumSpan span) {
  for (const SpanRow& row : kSpans) {
    if (row.span == span) return row;
  }
  return kSpans[0];
}

}  // namespace

const char* SpectrumWindowName(SpectrumWindow window) {
  return RowOf(window).name;
}

ChannelSpectrum ComputeSpectrum(const ChannelSamples& samples, double voltsPerCount,
                                SpectrumWindow window) {
  SpectrumCounts counts;
  bool clipped = false;
  for (int i = 0; i < kPoints; ++i) {
    counts[i] = samples[i] - kCentreSample;
    clipped = clipped || samples[i] == 0 || samples[i] == 255;
  }
  return ComputeSpectrum(counts, voltsPerCount, window, clipped);
}

ChannelSpectrum ComputeSpectrum(const SpectrumCounts& counts, double voltsPerCount,
                                SpectrumWindow window, bool clipped) {
  ChannelSpectrum spectrum;
  spectrum.clipped = clipped;
  double sum = 0;
  for (const double c : counts) sum += c;
  // Exact for whole counts: a whole sum over a power of two.
  const double mean = sum / kPoints;
  const WindowTable& table = TableOf(window);
  std::array<double, kPoints> input;
  for (int i = 0; i < kPoints; ++i) input[i] = (counts[i] - mean) * table.weight[i];
  std::array<std::complex<double>, kPoints / 2> output;
  Plan().transform_real(input.data(), output.data());
  for (int k = 0; k < kSpectrumBins; ++k) {
    // Bins 0 and 1024 are real; transform_real returns them as bin 0's two parts.
    const bool edge = k == 0 || k == kLastBin;
    const double re = k == 0          ? output[0].real()
                      : k == kLastBin ? output[0].imag()
                                      : output[k].real();
    const double im = edge ? 0 : output[k].imag();
    // Not std::abs: its hypot guards against overflows that these sums never come near,
    // and would add its code to the program.
    const double magnitude = std::sqrt(re * re + im * im);
    // A sine of amplitude A on bin k gives |X| = A x sum(w) / 2, the other half going to
    // bin -k; a level on bin 0 or 1024 gives all of it.
    const double amplitude = (edge ? 1 : 2) * magnitude / table.sum;
    const double rms = edge ? amplitude : amplitude / std::numbers::sqrt2;
    spectrum.level[k] =
        amplitude < kEmptyAmplitude ? kNoLevel : 20 * std::log10(rms * voltsPerCount);
  }
  return spectrum;
}

double VoltsPerCountOf(const ScaleLabel& label) {
  const ExactStep q = VoltsPerCount(label);
  return static_cast<double>(q.units) / PowerOfTen(q.decimals);
}

ExactStep HertzPerBin(int timebaseId) {
  const TimebaseRow* row = FindTimebase(timebaseId);
  if (row == nullptr) return {};
  // 10^5 / 5 us is 20000 Hz, 10^5 / 50 s 0.002 Hz: 10^(5 + decimals) is divided exactly.
  constexpr int kHertzTimesMicroseconds = 5;
  for (int decimals = 0; decimals <= 18 - kHertzTimesMicroseconds; ++decimals) {
    const std::int64_t scaled = WholePowerOfTen(kHertzTimesMicroseconds + decimals);
    if (scaled % row->microsecondsPerDivision == 0) {
      return {scaled / row->microsecondsPerDivision, decimals};
    }
  }
  return {};
}

int SpectrumTopLine(const ScaleLabel& label) {
  const VoltUnit* unit = FindVoltUnit(label.unitCode);
  if (unit == nullptr || label.value == 0) return 0;
  // The screen-filling sine's RMS is 4 V / sqrt(2), V the volts per division: its level
  // is 20 log10(V) + 10 log10(8). 8 V^2 is never a power of ten, so the level never lies
  // on a line, and a label's 1, 2, 4 or 5 x 10^n puts it 0.97 dB or more away from one: the
  // doubles' rounding cannot move it across.
  const double level =
      20 * (std::log10(static_cast<double>(label.value)) + unit->powerOfTen) + 10 * std::log10(8.0);
  return kDecibelsPerDivision * static_cast<int>(std::ceil(level / kDecibelsPerDivision));
}

int SpanPercent(SpectrumSpan span) {
  return RowOf(span).percent;
}

int SpanBins(SpectrumSpan span) {
  return RowOf(span).bins;
}

std::optional<int> SpectrumPeak(const ChannelSpectrum& spectrum, int spanBins, int bottomLine) {
  const int last = std::min(spanBins, kLastBin);
  if (last < 1) return std::nullopt;
  int peak = 1;
  for (int k = 2; k <= last; ++k) {
    if (spectrum.level[k] > spectrum.level[peak]) peak = k;
  }
  if (!(spectrum.level[peak] >= bottomLine)) return std::nullopt;
  return peak;
}

}  // namespace vexal
