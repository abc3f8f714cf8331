#include "output/values_text.h"

#include <cstdint>

#include "scope/channel_names.h"
#include "scope/number_text.h"
#include "scope/sample_scale.h"

namespace vexal {

std::string ValuesText(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId,
                       std::string_view decimalSeparator) {
  const ExactStep dt = SecondsPerSample(timebaseId);
  const ExactStep q[] = {VoltsPerCount(labels[0]), VoltsPerCount(labels[1])};
  std::string text = "Zeit / s";
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] == 0) continue;
    text += '\t';
    text += ChannelName(channel);
    text += " / V";
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
    text += "\r\n";
  }
  return text;
}

}  // namespace vexal
