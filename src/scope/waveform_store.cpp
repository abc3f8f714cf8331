#include "scope/waveform_store.h"

namespace vexal {

WaveformSnapshot WaveformStore::Snapshot() const {
  std::lock_guard lock(mutex_);
  return content_;
}

void WaveformStore::Replace(const WaveformSnapshot& content) {
  std::lock_guard lock(mutex_);
  content_ = content;
}

void WaveformStore::CommitChannel(int channel, const ChannelSamples& samples) {
  std::lock_guard lock(mutex_);
  content_.samples.at(static_cast<std::size_t>(channel)) = samples;
  content_.hasData.at(static_cast<std::size_t>(channel)) = 1;
}

void WaveformStore::MarkWithoutData(int channel) {
  std::lock_guard lock(mutex_);
  content_.hasData.at(static_cast<std::size_t>(channel)) = 0;
}

}  // namespace vexal
