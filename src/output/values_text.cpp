#include "output/values_text.h"

#include <cstdint>

#include "scope/channel_names.h"
#include "scope/number_text.h"
#include "scope/sample_scale.h"

namespace vexal {

std::string ValuesText(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId,
                       std::string_view decimalSeparator, const std::vector<TextColumn>& more) {
  std::vector<TextColumn> columns = {ExactColumn("Zeit / s", Numbers(kSamplesPerChannel),
                                                 SecondsPerSample(timebaseId), decimalSeparator)};
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] == 0) continue;
    std::vector<std::int64_t> levels;
    for (const std::uint8_t sample : store.samples[channel])
      levels.push_back(sample - kCentreSample);
    columns.push_back(ExactColumn(ChannelName(channel) + std::string(" / V"), levels,
                                  VoltsPerCount(labels[channel]), decimalSeparator));
  }
  columns.insert(columns.end(), more.begin(), more.end());
  return TabSeparated(columns);
}

}  // namespace vexal
