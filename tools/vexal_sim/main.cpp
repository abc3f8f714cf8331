// vexal_sim: stands in for the acquisition interface on a pseudo-terminal.
// See the usage text in options.cpp.
#include <signal.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>

#include "options.h"
#include "pseudo_terminal.h"
#include "reply_builder.h"

namespace vexal_sim {

namespace {

volatile sig_atomic_t stopRequested = 0;
void RequestStop(int) {
  stopRequested = 1;
}

// 115200 baud, 8N1: ten bit times a byte.
constexpr long kNanosecondsPerByte = 10L * 1'000'000'000L / 115200;
constexpr std::size_t kChunk = 16;

void AddNanoseconds(timespec& time, long nanoseconds) {
  time.tv_nsec += nanoseconds;
  while (time.tv_nsec >= 1'000'000'000L) {
    time.tv_nsec -= 1'000'000'000L;
    ++time.tv_sec;
  }
}

// Sends at line pace: each chunk leaves when its bytes would have finished on
// a real 115200-baud line, measured from the start, so sleeps do not add up.
void SendPaced(PseudoTerminal& line, const std::string& reply, const Options& options) {
  const std::size_t length = std::min(reply.size(), options.cutAfter.value_or(reply.size()));
  timespec due{};
  clock_gettime(CLOCK_MONOTONIC, &due);
  std::size_t sent = 0;
  while (sent < length && !stopRequested) {
    std::size_t chunk = std::min(kChunk, length - sent);
    if (options.pauseAt && *options.pauseAt > sent && *options.pauseAt < sent + chunk) {
      chunk = *options.pauseAt - sent;
    }
    if (options.pauseAt && *options.pauseAt == sent) {
      AddNanoseconds(due, options.pauseMs * 1'000'000L);
    }
    AddNanoseconds(due, static_cast<long>(chunk) * kNanosecondsPerByte);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) != 0 && !stopRequested) {
    }
    if (!line.Write(reply.data() + sent, chunk)) return;
    sent += chunk;
  }
}

void LogReply(const Options& options, const std::string& reply) {
  if (options.logReplyFile.empty()) return;
  const std::size_t length = std::min(reply.size(), options.cutAfter.value_or(reply.size()));
  std::ofstream(options.logReplyFile, std::ios::binary | std::ios::trunc)
      .write(reply.data(), length);
}

int Run(const Options& options) {
  // A reply file that cannot be read would pass for a silent interface.
  if (!options.replayFile.empty() && !std::ifstream(options.replayFile, std::ios::binary)) {
    std::fprintf(stderr, "vexal_sim: cannot read the reply file %s\n", options.replayFile.c_str());
    return 1;
  }
  auto line = PseudoTerminal::Open(options.linkPath);
  if (!line) {
    std::fprintf(stderr, "vexal_sim: cannot open a pseudo-terminal at %s\n",
                 options.linkPath.c_str());
    return 1;
  }
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  if (options.blocked) line->FillTowardsInterface();
  std::printf("ready %s\n", line->DevicePath().c_str());
  std::fflush(stdout);

  if (options.blocked) {
    const timespec tick{0, 100'000'000L};
    while (!stopRequested) nanosleep(&tick, nullptr);
    return 0;
  }

  int liveFrame = 0;
  int replies = 0;
  while (!stopRequested && (!options.replies || replies < *options.replies)) {
    if (options.watchPid > 0 && kill(options.watchPid, 0) != 0 && errno == ESRCH) break;
    const std::string commands = line->ReadCommands(200);
    for (char command : commands) {
      if ((command != 'd' && command != 'r') || options.silent) continue;
      Options faults = options;
      if (options.firstOnly && replies > 0) {
        faults.cutAfter.reset();
        faults.pauseAt.reset();
        faults.stray = 0;
      }
      // A tail of an earlier reply ("...128\n") in front of this one.
      std::string reply;
      for (std::size_t i = 0; i < faults.stray; ++i) reply += "128\n"[i % 4];
      reply += BuildReply(options, command, liveFrame);
      if (command == 'd') ++liveFrame;
      LogReply(faults, reply);
      SendPaced(*line, reply, faults);
      ++replies;
      std::fprintf(stderr, "vexal_sim: answered '%c' (%zu bytes)\n", command, reply.size());
      // Commands that came in while the reply was on the line are not answered,
      // and bytes the program never took are dropped once it has given up
      // (one read time-out of 10 x 64 + 500 ms and some slack).
      if (!stopRequested) line->DropUnreadAfter(1500);
      break;
    }
  }
  return 0;
}

}  // namespace

}  // namespace vexal_sim

int main(int argc, char** argv) {
  const auto options = vexal_sim::ParseOptions(argc, argv);
  if (!options) return 2;
  return vexal_sim::Run(*options);
}
