// Command-line options of the device simulator.
#pragma once

#include <optional>
#include <string>

namespace vexal_sim {

enum class Waveform { kSine, kSquare, kTriangle, kRamp, kNoise };

struct Options {
  std::string linkPath;                  // stable symlink to the pty's device
  std::optional<std::string> ch1Status;  // channel 1 without data, this status line
  std::optional<std::string> ch2Status;  // channel 2 without data, this status line
  bool silent = false;                   // never answer
  bool blocked = false;                  // the program's writes find the line full
  bool garbage = false;                  // answer without "Kanal 1:"
  std::optional<std::size_t> cutAfter;   // send only this many bytes of a reply
  std::optional<std::size_t> pauseAt;    // pause before the byte at this position
  int pauseMs = 0;
  std::size_t stray = 0;   // bytes of an earlier reply's tail in front of each reply
  bool firstOnly = false;  // cut, pause and stray bytes in the first reply only
  std::string replayFile;  // send this file's bytes as the reply
  Waveform wave1 = Waveform::kSine;
  Waveform wave2 = Waveform::kTriangle;
  std::string logReplyFile;    // the last reply sent, byte for byte
  std::optional<int> replies;  // end after this many replies
  int watchPid = 0;            // end when this process has ended
};

// Parses argv; on a bad option prints the usage and returns nothing.
std::optional<Options> ParseOptions(int argc, char** argv);

}  // namespace vexal_sim
