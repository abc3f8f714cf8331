#include "output/values_text.h"

#include <cstdint>

#include "display/number_text.h"
#include "display/sample_scale.h"

namespace vexal {
namespace {

constexpr const char* kColumnHeadings[] = {"\tKanal 1 / V", "\tKanal 2 / V"};

}  // namespace

std::string ValuesText(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId,
                       std::string_view decimalSeparator) {
  const ExactStep dt = SecondsPerSample(timebaseId);
  const ExactStep q[] = {VoltsPerCount(labels[0]), VoltsPerCount(labels[1])};
  std::string text = "Zeit / s";
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] != 0) text += kColumnHeadings[channel];
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
