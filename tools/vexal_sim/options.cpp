#include "options.h"

#include <getopt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vexal_sim {

namespace {

constexpr char kDefaultStatus[] = "Keine Daten vorhanden";
// Longer than the 31 characters the program keeps, and long enough that
// channel 1's line runs past the first 64-byte block.
constexpr char kLongStatus[] = "Keine Daten vorhanden - der Speicher des Interface ist leer";

constexpr char kUsage[] =
    "usage: vexal_sim --link PATH [options]\n"
    "Stands in for the acquisition interface on a pseudo-terminal. PATH becomes a\n"
    "symlink to the pty; map a Wine COM port to it. Answers 'd' (live picture, its\n"
    "phase moves on with every 'd') and 'r' (stored picture) at 115200 baud 8N1\n"
    "pace (86.8 us a byte, sent in 16-byte chunks). Other bytes are ignored.\n"
    "\n"
    "  --link PATH           symlink to create (removed again on exit)\n"
    "  --ch1-status[=TEXT]   channel 1 has no data: status line TEXT\n"
    "  --ch2-status[=TEXT]   channel 2 has no data (default TEXT\n"
    "                        \"Keine Daten vorhanden\")\n"
    "  --no-data             both channels without data (a reply under 64 bytes)\n"
    "  --long-status         both channels without data, with a status line of\n"
    "                        59 characters\n"
    "  --silent              never answer\n"
    "  --blocked             fill the line towards the interface and read\n"
    "                        nothing, so the program cannot send its command\n"
    "                        (a port waiting for a handshake that never comes)\n"
    "  --garbage             answer with a line that lacks \"Kanal 1:\"\n"
    "  --cut-after N         send only the first N bytes of each reply\n"
    "  --pause-at N          pause before byte N of each reply ...\n"
    "  --pause-ms M          ... for M milliseconds (default 100)\n"
    "  --stray N             send N bytes of an earlier reply's tail first\n"
    "  --first-only          cut, pause and stray bytes in the first reply only\n"
    "  --replay FILE         send FILE's bytes as the reply\n"
    "  --wave1 W, --wave2 W  sine, square, triangle, ramp or noise\n"
    "                        (defaults: sine on channel 1, triangle on channel 2)\n"
    "  --log-reply FILE      write each reply, as sent, to FILE (overwritten)\n"
    "  --replies N           end after N replies\n"
    "  --watch-pid PID       end when process PID has ended\n"
    "  --help                this text\n"
    "Prints \"ready <pty>\" on stdout once PATH exists. Ends on SIGINT/SIGTERM.\n";

std::optional<Waveform> ParseWaveform(const char* name) {
  struct Entry {
    const char* name;
    Waveform wave;
  };
  static constexpr Entry kEntries[] = {{"sine", Waveform::kSine},
                                       {"square", Waveform::kSquare},
                                       {"triangle", Waveform::kTriangle},
                                       {"ramp", Waveform::kRamp},
                                       {"noise", Waveform::kNoise}};
  for (const Entry& entry : kEntries) {
    if (std::strcmp(name, entry.name) == 0) return entry.wave;
  }
  return std::nullopt;
}

std::optional<std::size_t> ParseCount(const char* text) {
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || value < 0) return std::nullopt;
  return static_cast<std::size_t>(value);
}

// Stores a parsed option value; false (a usage error) when it did not parse.
template <typename Parsed, typename Target>
bool Assign(const std::optional<Parsed>& parsed, Target& target) {
  if (!parsed) return false;
  target = static_cast<Target>(*parsed);
  return true;
}

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv) {
  enum {
    kLink = 1000,
    kCh1Status,
    kCh2Status,
    kNoData,
    kLong,
    kSilent,
    kBlocked,
    kGarbage,
    kCut,
    kPauseAt,
    kPauseMs,
    kStray,
    kFirstOnly,
    kReplay,
    kWave1,
    kWave2,
    kLog,
    kReplies,
    kWatch,
    kHelp
  };
  static const option kLongOptions[] = {{"link", required_argument, nullptr, kLink},
                                        {"ch1-status", optional_argument, nullptr, kCh1Status},
                                        {"ch2-status", optional_argument, nullptr, kCh2Status},
                                        {"no-data", no_argument, nullptr, kNoData},
                                        {"long-status", no_argument, nullptr, kLong},
                                        {"silent", no_argument, nullptr, kSilent},
                                        {"blocked", no_argument, nullptr, kBlocked},
                                        {"garbage", no_argument, nullptr, kGarbage},
                                        {"cut-after", required_argument, nullptr, kCut},
                                        {"pause-at", required_argument, nullptr, kPauseAt},
                                        {"pause-ms", required_argument, nullptr, kPauseMs},
                                        {"stray", required_argument, nullptr, kStray},
                                        {"first-only", no_argument, nullptr, kFirstOnly},
                                        {"replay", required_argument, nullptr, kReplay},
                                        {"wave1", required_argument, nullptr, kWave1},
                                        {"wave2", required_argument, nullptr, kWave2},
                                        {"log-reply", required_argument, nullptr, kLog},
                                        {"replies", required_argument, nullptr, kReplies},
                                        {"watch-pid", required_argument, nullptr, kWatch},
                                        {"help", no_argument, nullptr, kHelp},
                                        {nullptr, 0, nullptr, 0}};

  Options options;
  options.pauseMs = 100;
  bool ok = true;
  int option;
  while (ok && (option = getopt_long(argc, argv, "", kLongOptions, nullptr)) != -1) {
    switch (option) {
      case kLink:
        options.linkPath = optarg;
        break;
      case kCh1Status:
        options.ch1Status = optarg ? optarg : kDefaultStatus;
        break;
      case kCh2Status:
        options.ch2Status = optarg ? optarg : kDefaultStatus;
        break;
      case kNoData:
        options.ch1Status = options.ch2Status = kDefaultStatus;
        break;
      case kLong:
        options.ch1Status = options.ch2Status = kLongStatus;
        break;
      case kSilent:
        options.silent = true;
        break;
      case kBlocked:
        options.blocked = true;
        break;
      case kGarbage:
        options.garbage = true;
        break;
      case kCut:
        ok = (options.cutAfter = ParseCount(optarg)).has_value();
        break;
      case kPauseAt:
        ok = (options.pauseAt = ParseCount(optarg)).has_value();
        break;
      case kPauseMs:
        ok = Assign(ParseCount(optarg), options.pauseMs);
        break;
      case kStray:
        ok = Assign(ParseCount(optarg), options.stray);
        break;
      case kFirstOnly:
        options.firstOnly = true;
        break;
      case kReplay:
        options.replayFile = optarg;
        break;
      case kWave1:
        ok = Assign(ParseWaveform(optarg), options.wave1);
        break;
      case kWave2:
        ok = Assign(ParseWaveform(optarg), options.wave2);
        break;
      case kLog:
        options.logReplyFile = optarg;
        break;
      case kReplies:
        ok = Assign(ParseCount(optarg), options.replies);
        break;
      case kWatch: {
        const auto pid = ParseCount(optarg);
        ok = pid.has_value() && *pid > 0;
        if (ok) options.watchPid = static_cast<int>(*pid);
        break;
      }
      case kHelp:
        std::fputs(kUsage, stdout);
        std::exit(0);
      default:
        ok = false;
        break;
    }
  }
  if (!ok || optind != argc || options.linkPath.empty()) {
    std::fputs(kUsage, stderr);
    return std::nullopt;
  }
  return options;
}

}  // namespace vexal_sim
