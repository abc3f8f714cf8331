#include "output/picture_tables.h"

#include <cstdio>
#include <vector>

#include "output/values_text.h"
#include "scope/channel_names.h"
#include "scope/cursor_readout.h"
#include "scope/measurement_table.h"
#include "scope/number_text.h"
#include "scope/spectrum_text.h"

namespace vexal {
namespace {

std::optional<MathTrace> MathOf(const Picture& picture) {
  if (!picture.math) return std::nullopt;
  return ComputeMathTrace(*picture.math, picture.traces, picture.labels);
}

std::string Heading(const char* name, int channel, const char* unit) {
  return std::string(name) + ChannelName(channel) + unit;
}

// A column of `count` exact values, value i = level(i) x step.
template <typename Level>
TextColumn ExactColumn(std::string heading, int count, const ExactStep& step, Level level,
                       std::string_view separator) {
  TextColumn column{std::move(heading), {}};
  column.cells.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    column.cells.push_back(ExactDecimal(level(i) * step.units, step.decimals, separator));
  }
  return column;
}

// The reference's own times or frequencies, where its timebase is not the current one.
bool OwnAxis(const Picture& picture) {
  return picture.reference && picture.reference->ownScales &&
         picture.reference->timebaseId != picture.timebaseId;
}

std::vector<TextColumn> TimeColumns(const Picture& picture, std::string_view separator) {
  std::vector<TextColumn> columns;
  if (const std::optional<MathTrace> math = MathOf(picture)) {
    columns.push_back(ExactColumn(
        "M / V", kSamplesPerChannel, math->levels.step,
        [&](int i) { return math->levels.level[i]; }, separator));
  }
  if (!picture.reference) return columns;
  const ReferenceTrace& reference = *picture.reference;
  if (OwnAxis(picture)) {
    columns.push_back(ExactColumn(
        "Ref Zeit / s", kSamplesPerChannel, SecondsPerSample(reference.timebaseId),
        [](int i) { return std::int64_t{i}; }, separator));
  }
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (reference.traces.hasData[channel] == 0) continue;
    const ChannelSamples& samples = reference.traces.samples[channel];
    columns.push_back(ExactColumn(
        Heading("Ref ", channel, " / V"), kSamplesPerChannel,
        ReferenceVoltsPerCount(reference, channel, picture.labels),
        [&](int i) { return std::int64_t{samples[i] - kCentreSample}; }, separator));
  }
  return columns;
}

TextColumn LevelColumn(std::string heading, const ChannelSpectrum& spectrum,
                       std::string_view separator) {
  TextColumn column{std::move(heading), {}};
  for (const double level : spectrum.level) column.cells.push_back(LevelCell(level, separator));
  return column;
}

std::vector<TextColumn> SpectrumColumns(const Picture& picture, std::string_view separator) {
  std::vector<TextColumn> columns;
  const SpectrumWindow window = picture.spectrum.window;
  if (const std::optional<MathTrace> math = MathOf(picture)) {
    SpectrumCounts counts;
    for (int i = 0; i < kSamplesPerChannel; ++i) counts[i] = MathCounts(*math, i);
    columns.push_back(
        LevelColumn("M / dBV", ComputeSpectrum(counts, VoltsPerCountOf(math->label), window, false),
                    separator));
  }
  if (!picture.reference) return columns;
  const ReferenceTrace& reference = *picture.reference;
  if (OwnAxis(picture)) {
    columns.push_back(ExactColumn(
        "Ref Frequenz / Hz", kSpectrumBins, HertzPerBin(reference.timebaseId),
        [](int k) { return std::int64_t{k}; }, separator));
  }
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (reference.traces.hasData[channel] == 0) continue;
    const ExactNumber q = ReferenceVoltsPerCount(reference, channel, picture.labels).Exact();
    columns.push_back(
        LevelColumn(Heading("Ref ", channel, " / dBV"),
                    ComputeSpectrum(reference.traces.samples[channel],
                                    static_cast<double>(q.numerator) / q.denominator, window),
                    separator));
  }
  return columns;
}

}  // namespace

std::string MeasurementsOf(const Picture& picture) {
  if (picture.view == PictureView::kSpectrum) {
    return SpectrumTable(picture.traces, picture.labels, picture.timebaseId,
                         picture.spectrum.window, picture.spectrum.span);
  }
  std::vector<MeasuredColumn> more;
  if (picture.reference) {
    for (int channel = 0; channel < kChannelCount; ++channel) {
      if (picture.reference->traces.hasData[channel] == 0) continue;
      more.push_back(
          {std::string("Ref ") + ShortChannelName(channel),
           MeasureReference(*picture.reference, channel, picture.labels, picture.timebaseId)});
    }
  }
  if (const std::optional<MathTrace> math = MathOf(picture)) {
    more.push_back({"M", MeasureMath(*math, picture.timebaseId)});
  }
  return MeasurementTable(picture.traces, picture.labels, picture.timebaseId, more);
}

std::string CursorRowsOf(const Picture& picture) {
  if (!picture.cursors.shown || picture.view != PictureView::kTime) return "";
  std::string rows =
      CursorTable(picture.cursors, picture.traces, picture.labels, picture.timebaseId);
  if (picture.reference) {
    const ReferenceReading reading =
        ReadReference(*picture.reference, picture.cursors, picture.labels, picture.timebaseId);
    for (int channel = 0; channel < kChannelCount; ++channel) {
      if (picture.reference->traces.hasData[channel] == 0) continue;
      const CursorReading& r = reading.channel[channel];
      rows += Heading("Ref ", channel, "") + '\t' + r.a + '\t' + r.b + '\t' + r.difference + "\r\n";
    }
  }
  if (const std::optional<MathTrace> math = MathOf(picture)) {
    rows += MathCursorRow(picture.cursors, *math);
  }
  return rows;
}

std::string CopiedValuesOf(const Picture& picture, std::string_view decimalSeparator) {
  if (picture.view == PictureView::kSpectrum) {
    return SpectrumValuesText(picture.traces, picture.labels, picture.timebaseId,
                              picture.spectrum.window, decimalSeparator,
                              SpectrumColumns(picture, decimalSeparator));
  }
  return ValuesText(picture.traces, picture.labels, picture.timebaseId, decimalSeparator,
                    TimeColumns(picture, decimalSeparator));
}

}  // namespace vexal
