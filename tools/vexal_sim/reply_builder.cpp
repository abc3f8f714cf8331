#include "reply_builder.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>

namespace vexal_sim {

namespace {

constexpr int kSamples = 2048;
constexpr int kPeriod = 512;  // four periods across the screen
constexpr double kAmplitude = 96.0;

// A value 0 to 255 around the centre line 128 for sample j at the given phase
// (in samples).
int SampleValue(Waveform wave, int j, int phase, std::uint32_t& noiseState) {
  const double t = static_cast<double>((j + phase) % kPeriod) / kPeriod;  // 0 .. 1
  double y = 0.0;                                                         // -1 .. 1
  switch (wave) {
    case Waveform::kSine:
      y = std::sin(2.0 * std::numbers::pi * t);
      break;
    case Waveform::kSquare:
      y = t < 0.5 ? 0.8 : -0.8;
      break;
    case Waveform::kTriangle:
      y = t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t;
      break;
    case Waveform::kRamp:
      y = 2.0 * t - 1.0;
      break;
    case Waveform::kNoise:
      noiseState = noiseState * 1664525u + 1013904223u;
      y = static_cast<double>(noiseState >> 8) / (1u << 24) * 2.0 - 1.0;
      break;
  }
  const long value = std::lround(128.0 + kAmplitude * y);
  return static_cast<int>(value < 0 ? 0 : value > 255 ? 255 : value);
}

void AppendChannel(std::string& reply, int channel, const std::optional<std::string>& status,
                   Waveform wave, int phase, std::uint32_t seed) {
  reply += "Kanal " + std::to_string(channel) + ":";
  if (status) {
    reply += " " + *status + "\n";
    return;
  }
  reply += "\n";
  std::uint32_t noiseState = seed;
  char sample[8];
  for (int j = 0; j < kSamples; ++j) {
    std::snprintf(sample, sizeof sample, "%03d\n", SampleValue(wave, j, phase, noiseState));
    reply += sample;
  }
}

}  // namespace

std::string BuildReply(const Options& options, char command, int liveFrame) {
  if (!options.replayFile.empty()) {
    std::ifstream file(options.replayFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  if (options.garbage) return "?? Befehl unbekannt, Interface neu starten\r\n";

  // The live picture runs on by an eighth of a period for every 'd'.
  const bool live = command == 'd';
  const int phase = live ? (liveFrame * kPeriod / 8) % kPeriod : kPeriod / 4;
  const auto seed = static_cast<std::uint32_t>(live ? 12345 + liveFrame : 777);
  std::string reply;
  reply.reserve(2 * (9 + 4 * kSamples));
  AppendChannel(reply, 1, options.ch1Status, options.wave1, phase, seed);
  AppendChannel(reply, 2, options.ch2Status, options.wave2, phase, seed ^ 0x5a5a5a5au);
  return reply;
}

}  // namespace vexal_sim
