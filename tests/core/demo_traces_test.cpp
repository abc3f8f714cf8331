#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "app/demo_traces.h"

namespace vexal {
namespace {

TEST(DemoTraces, SineOnChannelOneCosineOnChannelTwo) {
  const WaveformSnapshot t = DemonstrationTraces();
  EXPECT_EQ(t.hasData, (std::array<int, 2>{1, 1}));
  // cos 0 reaches 256 and is held at 255; values truncate, never round.
  const struct {
    std::size_t i;
    int sine, cosine;
  } points[] = {{0, 128, 255}, {1, 128, 255}, {2, 129, 255},    {128, 218, 218}, {256, 255, 128},
                {512, 128, 0}, {768, 0, 127}, {1024, 127, 255}, {2047, 126, 255}};
  for (const auto& p : points) {
    SCOPED_TRACE(p.i);
    EXPECT_EQ(t.samples[0][p.i], p.sine);
    EXPECT_EQ(t.samples[1][p.i], p.cosine);
  }
  for (const ChannelSamples& channel : t.samples) {
    EXPECT_EQ(*std::min_element(channel.begin(), channel.end()), 0);
    EXPECT_EQ(*std::max_element(channel.begin(), channel.end()), 255);
  }
}

}  // namespace
}  // namespace vexal
