#include "output/values_text.h"

#include <cstdint>

#include "scope/channel_names.h"
#include "scope/number_text.h"
#include "scope/sample_scale.h"

namespace vexal {

std::string ValuesText(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId,
                       std::string_view decimalSeparator, const std::vector<TextColumn>& more) {
  const ExactStep dt = SecondsPerSample(timebaseId);
  const ExactStep q[] = {VoltsPerCount(labels[0]), VoltsPerCount(labels[1])};
  std::string text = "Zeit / s";
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] == 0) continue;
    text += '\t';
    text += ChannelName(channel);
    text += " / V";
  }
  for (const TextColumn& column : more) {
    text += '\t';
    text += column.heading;
  }
  text += "\r\n";
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    text += ExactDecimal(i * dt.units, dt.decimals, decimalSeparator);
    for (int channel = 0; channel < kChannelCount; ++channel) {
      if (store.hasData[channel] == 0) continue;
      const int c = store.samples[channel][i] - kCentreSample;
      text += '\t';
      text += ExactDecimal(c * q[channel].units, q[channel].decimals, decimalSeparator);
    }
    for (const TextColumn& column : more) {
      text += '\t';
      text += column.cells.at(static_cast<std::size_t>(i));
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace vexal
