// The samples of both channels and their has-data flags, shared by the window
// thread (paint, export, print) and the read-out workers.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

namespace vexal {

inline constexpr int kSamplesPerChannel = 2048;
inline constexpr int kChannelCount = 2;
// The sample on the centre line: a level of 0 V, from which levels are counted.
inline constexpr int kCentreSample = 128;

using ChannelSamples = std::array<std::uint8_t, kSamplesPerChannel>;

// A consistent copy of the store. Index 0 is channel 1, index 1 channel 2.
struct WaveformSnapshot {
  std::array<ChannelSamples, kChannelCount> samples{};
  std::array<int, kChannelCount> hasData{};  // 0 or 1
};

inline bool AnyChannel(const WaveformSnapshot& store) {
  return store.hasData[0] != 0 || store.hasData[1] != 0;
}
inline bool BothChannels(const WaveformSnapshot& store) {
  return store.hasData[0] != 0 && store.hasData[1] != 0;
}

// Every access takes the lock, so readers never see a half-written channel:
// a read-out commits a channel only once its section of the reply is complete.
class WaveformStore {
 public:
  WaveformSnapshot Snapshot() const;
  void Replace(const WaveformSnapshot& content);
  // New samples for one channel (0 or 1); its flag becomes 1.
  void CommitChannel(int channel, const ChannelSamples& samples);
  // The interface holds no data for this channel: flag 0, the old samples stay.
  void MarkWithoutData(int channel);
  // Changes the content under the lock, all at once.
  template <typename Change>
  void Modify(Change change) {
    std::lock_guard lock(mutex_);
    change(content_);
  }

 private:
  mutable std::mutex mutex_;
  WaveformSnapshot content_;
};

}  // namespace vexal
