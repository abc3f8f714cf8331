#include "output/picture_tables.h"

#include <cstdio>
#include <vector>

#include "output/values_text.h"
#include "scope/channel_names.h"
#include "scope/cursor_readout.h"
#include "scope/frequency_text.h"
#include "scope/measurement_table.h"
#include "scope/number_text.h"

namespace vexal {
namespace {

std::optional<MathTrace> MathOf(const Picture& picture) {
  if (!picture.math) return std::nullopt;
  return ComputeMathTrace(*picture.math, picture.traces, picture.labels);
}

std::string Heading(const char* name, int channel, const char* unit) {
  return std::string(name) + ChannelName(channel) + unit;
}

// The reference's own times or frequencies, where its timebase is not the current one.
bool OwnAxis(const Picture& picture) {
  return picture.reference && picture.reference->ownScales &&
         picture.reference->timebaseId != picture.timebaseId;
}

std::vector<TextColumn> TimeColumns(const Picture& picture, std::string_view separator) {
  std::vector<TextColumn> columns;
  if (const std::optional<MathTrace> math = MathOf(picture)) {
    columns.push_back(ExactColumn("M / V", {math->levels.level.begin(), math->levels.level.end()},
                                  math->levels.step, separator));
  }
  if (!picture.reference) return columns;
  const ReferenceTrace& reference = *picture.reference;
  if (OwnAxis(picture)) {
    columns.push_back(ExactColumn("Ref Zeit / s", Numbers(kSamplesPerChannel),
                                  SecondsPerSample(reference.timebaseId), separator));
  }
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (reference.traces.hasData[channel] == 0) continue;
    std::vector<std::int64_t> counts;
    for (const std::uint8_t s : reference.traces.samples[channel]) {
      counts.push_back(s - kCentreSample);
    }
    columns.push_back(ExactColumn(Heading("Ref ", channel, " / V"), counts,
                                  ReferenceVoltsPerCount(reference, channel, picture.labels),
                                  separator));
  }
  return columns;
}

std::vector<TextColumn> SpectrumColumns(const Picture& picture, std::string_view separator) {
  std::vector<TextColumn> columns;
  const SpectrumWindow window = picture.spectrum.window;
  if (const std::optional<MathTrace> math = MathOf(picture)) {
    columns.push_back(LevelColumn("M / dBV", MathSpectrum(*math, window), separator));
  }
  if (!picture.reference) return columns;
  const ReferenceTrace& reference = *picture.reference;
  if (OwnAxis(picture)) {
    columns.push_back(ExactColumn("Ref Frequenz / Hz", Numbers(kSpectrumBins),
                                  HertzPerBin(reference.timebaseId), separator));
  }
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (reference.traces.hasData[channel] == 0) continue;
    columns.push_back(LevelColumn(Heading("Ref ", channel, " / dBV"),
                                  ReferenceSpectrum(reference, channel, picture.labels, window),
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
