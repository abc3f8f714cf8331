#include "link/reply_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

namespace vexal {
namespace {

const std::string kTaken =
    "Daten \xFC"
    "bernommen.";

// Hands out a reply the way a serial port does: each Read delivers at most the
// next scripted chunk (a line pause ends a read early), a chunk of size 0 is a
// read that times out, and after the script the line stays silent.
class ScriptedSource : public ByteSource {
 public:
  ScriptedSource(const std::string& reply, std::vector<std::size_t> chunks) {
    std::size_t offset = 0;
    for (std::size_t size : chunks) {
      size = std::min(size, reply.size() - offset);
      chunks_.push_back(reply.substr(offset, size));
      offset += size;
    }
    if (offset < reply.size()) chunks_.push_back(reply.substr(offset));
  }
  // Delivers the reply in full blocks, as a steady line does.
  explicit ScriptedSource(const std::string& reply)
      : ScriptedSource(reply, std::vector<std::size_t>(reply.size() / kBlockSize + 1, kBlockSize)) {
  }

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    ++reads;
    lastRequest = count;
    EXPECT_GT(count, 0u);
    EXPECT_LE(count, kBlockSize);
    if (fellSilent) ++readsAfterSilence;
    if (chunks_.empty() || chunks_.front().empty()) {
      if (!chunks_.empty()) chunks_.pop_front();
      fellSilent = true;
      return 0;
    }
    std::string& chunk = chunks_.front();
    const std::size_t n = std::min(count, chunk.size());
    std::copy_n(chunk.begin(), n, buffer);
    chunk.erase(0, n);
    if (chunk.empty()) chunks_.pop_front();
    return n;
  }

  int reads = 0;
  std::size_t lastRequest = 0;
  int readsAfterSilence = 0;
  bool fellSilent = false;

 private:
  std::deque<std::string> chunks_;
};

// A sample run of 2048 samples drawn in turn from `samples` (three characters
// each), each followed by `separator`.
std::string SampleRun(const std::vector<std::string>& samples, char separator = '\n') {
  std::string run;
  for (int j = 0; j < kSamplesPerChannel; ++j) {
    run += samples[static_cast<std::size_t>(j) % samples.size()];
    run += separator;
  }
  return run;
}

std::string DataSection(int channel, const std::string& run) {
  return "Kanal " + std::to_string(channel) + ":\n" + run;
}
std::string StatusSection(int channel, const std::string& status) {
  return "Kanal " + std::to_string(channel) + ": " + status + "\n";
}

std::string FullReply() {
  return DataSection(1, SampleRun({"128"})) + DataSection(2, SampleRun({"064", "192"}));
}

TEST(DigitValue, OnlyOneToNineCount) {
  for (int c = 0; c < 256; ++c) {
    const int expected = c >= '1' && c <= '9' ? c - '0' : 0;
    EXPECT_EQ(DigitValue(static_cast<std::uint8_t>(c)), expected) << c;
  }
}

TEST(ReplyParser, FullReplyFillsBothChannelsIn257Blocks) {
  const std::string reply = FullReply();
  ASSERT_EQ(reply.size(), 16402u);
  ASSERT_EQ(reply[128 * 64 + 17], '\n');  // channel 2's LF
  ScriptedSource source(reply);
  const ReplyResult result = ParseReply(source);

  ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
  for (const ChannelSection& section : result.channels) {
    EXPECT_TRUE(section.complete);
    EXPECT_TRUE(section.hasData);
  }
  EXPECT_TRUE(std::all_of(result.channels[0].samples.begin(), result.channels[0].samples.end(),
                          [](std::uint8_t v) { return v == 128; }));
  EXPECT_EQ(result.channels[1].samples[0], 64);
  EXPECT_EQ(result.channels[1].samples[1], 192);
  EXPECT_EQ(result.channels[1].samples[2047], 192);
  EXPECT_EQ(ComposeSummary(result), "Kanal 1: " + kTaken + "\nKanal 2: " + kTaken);
  EXPECT_EQ(ComposeSummary(result).size(), 53u);
  // A complete reply is not waited for past its last byte: the last block is
  // asked for only up to the reply's end (16402 = 256 x 64 + 18).
  EXPECT_EQ(source.reads, 257);
  EXPECT_EQ(source.lastRequest, 18u);
  EXPECT_FALSE(source.fellSilent);
}

TEST(ReplyParser, SampleArithmeticIsModulo256) {
  const std::vector<std::string> digits = {"255", "256", "999", " 42",
                                           "4 2", "abc", "-12", "\xB9\x31\x32"};
  const std::vector<int> values = {255, 0, 231, 42, 146, 0, 12, 12};
  ScriptedSource source(DataSection(1, SampleRun(digits)) + DataSection(2, SampleRun({"007"})));
  const ReplyResult result = ParseReply(source);
  ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
  for (std::size_t j = 0; j < 2 * digits.size(); ++j) {
    EXPECT_EQ(result.channels[0].samples[j], values[j % values.size()])
        << digits[j % digits.size()];
  }
  EXPECT_EQ(result.channels[1].samples[2047], 7);
}

TEST(ReplyParser, SeparatorIsNeverExamined) {
  for (char separator : {' ', '\r', '\n', '7', 'K', '\0'}) {
    ScriptedSource source(DataSection(1, SampleRun({"100", "200"}, separator)) +
                          DataSection(2, SampleRun({"033"}, separator)));
    const ReplyResult result = ParseReply(source);
    ASSERT_EQ(result.outcome, ReplyOutcome::kComplete) << int(separator);
    EXPECT_EQ(result.channels[0].samples[2046], 100);
    EXPECT_EQ(result.channels[0].samples[2047], 200);
    EXPECT_EQ(result.channels[1].samples[2047], 33);
  }
}

TEST(ReplyParser, ShortReadsOnlyMeanThePausedLine) {
  // The same reply in ragged reads, some of a single byte, parses the same.
  const std::string reply = FullReply();
  std::vector<std::size_t> chunks = {64};
  for (std::size_t i = 0, total = 64; total < reply.size(); ++i) {
    chunks.push_back(1 + (i * 37) % 64);
    total += chunks.back();
  }
  ScriptedSource ragged(reply, chunks);
  ScriptedSource steady(reply);
  const ReplyResult a = ParseReply(ragged);
  const ReplyResult b = ParseReply(steady);
  ASSERT_EQ(a.outcome, ReplyOutcome::kComplete);
  EXPECT_EQ(a.channels[0].samples, b.channels[0].samples);
  EXPECT_EQ(a.channels[1].samples, b.channels[1].samples);
}

TEST(ReplyParser, StatusOnEitherChannelKeepsTheOtherChannelsData) {
  {
    ScriptedSource source(StatusSection(1, "Keine Daten vorhanden") +
                          DataSection(2, SampleRun({"012"})));
    const ReplyResult result = ParseReply(source);
    ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
    EXPECT_FALSE(result.channels[0].hasData);
    EXPECT_TRUE(result.channels[0].complete);
    EXPECT_TRUE(result.channels[1].hasData);
    EXPECT_EQ(result.channels[1].samples[2047], 12);
    EXPECT_EQ(ComposeSummary(result), "Kanal 1: Keine Daten vorhanden\nKanal 2: " + kTaken);
  }
  {
    // Channel 2's status starts at position 8210, one byte after its marker.
    ScriptedSource source(DataSection(1, SampleRun({"200"})) + StatusSection(2, "Speicher leer"));
    const ReplyResult result = ParseReply(source);
    ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
    EXPECT_TRUE(result.channels[0].hasData);
    EXPECT_FALSE(result.channels[1].hasData);
    EXPECT_TRUE(result.channels[1].complete);
    EXPECT_EQ(ComposeSummary(result), "Kanal 1: " + kTaken + "\nKanal 2: Speicher leer");
  }
}

TEST(ReplyParser, ShortFirstBlockKeepsItsLastByte) {
  // Both channels without data: the whole reply fits one short read.
  const std::string reply =
      StatusSection(1, "Keine Daten vorhanden") + StatusSection(2, "Kein Signal");
  ScriptedSource source(reply, {reply.size()});
  const ReplyResult result = ParseReply(source);
  ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
  EXPECT_EQ(ComposeSummary(result), "Kanal 1: Keine Daten vorhanden\nKanal 2: Kein Signal");
  EXPECT_EQ(source.reads, 1);  // the final LF is not read over

  // Without its final LF, channel 2's line ends at the last byte received.
  const std::string cut = reply.substr(0, reply.size() - 1);
  ScriptedSource cutSource(cut, {cut.size()});
  const ReplyResult cutResult = ParseReply(cutSource);
  ASSERT_EQ(cutResult.outcome, ReplyOutcome::kComplete);
  EXPECT_EQ(cutResult.channels[1].status, "Kein Signal");
  EXPECT_EQ(cutSource.readsAfterSilence, 0);
}

TEST(ReplyParser, PositionsCountFromTheReplyStart) {
  // "Kanal 1:" found at position 2; position 8 is '1', not LF, so a status
  // line starts at position 9.
  ScriptedSource source("ABKanal 1:Leer\nKanal 2: Leer\n");
  const ReplyResult result = ParseReply(source);
  ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
  EXPECT_EQ(result.channels[0].status, ":Leer");
  EXPECT_EQ(result.channels[1].status, "Leer");
}

TEST(ReplyParser, StatusLineStraddlesTwoBlocks) {
  // Channel 2's line runs from position 50 over the block boundary at 64.
  const std::string status2 = "Messung abgebrochen, bitte";
  const std::string reply =
      StatusSection(1, std::string(31, 'x')) + StatusSection(2, status2) + "trailing";
  ASSERT_LT(reply.find(status2), 64u);
  ASSERT_GT(reply.find(status2) + status2.size(), 64u);
  ScriptedSource source(reply, {64, 3, 61});
  const ReplyResult result = ParseReply(source);
  ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
  EXPECT_EQ(result.channels[1].status, status2);
}

TEST(ReplyParser, OverlongStatusLinesAreCutButConsumedToTheirLf) {
  // Channel 1's line runs past the first block; it is read on from the port.
  const std::string long1 = "Keine Daten vorhanden - Speicher des Interface ist leer";
  const std::string long2 = "Kanal nicht aktiv, bitte Oszilloskop einschalten";
  {
    ScriptedSource source(StatusSection(1, long1) + DataSection(2, SampleRun({"099"})));
    const ReplyResult result = ParseReply(source);
    ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
    EXPECT_EQ(result.channels[0].status, long1.substr(0, kMaxStatusLength));
    EXPECT_TRUE(result.channels[1].hasData);
    EXPECT_EQ(result.channels[1].samples[0], 99);
    EXPECT_EQ(result.channels[1].samples[2047], 99);
  }
  {
    ScriptedSource source(StatusSection(1, long1) + StatusSection(2, long2));
    const ReplyResult result = ParseReply(source);
    ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
    EXPECT_EQ(result.channels[1].status, long2.substr(0, kMaxStatusLength));
    EXPECT_EQ(ComposeSummary(result).size(), kMaxSummaryLength);
  }
}

TEST(ReplyParser, SilenceAndForeignText) {
  ScriptedSource silent("");
  EXPECT_EQ(ParseReply(silent).outcome, ReplyOutcome::kNoAnswer);
  EXPECT_EQ(silent.reads, 1);

  // The error text is every byte received, the last one included.
  ScriptedSource foreign("Syntax Error\r\n", {14});
  const ReplyResult result = ParseReply(foreign);
  EXPECT_EQ(result.outcome, ReplyOutcome::kNotAReply);
  EXPECT_EQ(result.firstBlockText, "Syntax Error\r\n");
  EXPECT_EQ(foreign.reads, 1);

  // "Kanal 1:" past a NUL or past the first read does not count.
  ScriptedSource nul(std::string("ok\0Kanal 1:\n", 12));
  EXPECT_EQ(ParseReply(nul).outcome, ReplyOutcome::kNotAReply);
  ScriptedSource split("Kanal 1: Leer\nKanal 2: Leer\n", {5});
  const ReplyResult splitResult = ParseReply(split);
  EXPECT_EQ(splitResult.outcome, ReplyOutcome::kNotAReply);
  EXPECT_EQ(splitResult.firstBlockText, "Kanal");
}

TEST(ReplyParser, BrokenOffReplyCommitsOnlyCompleteSections) {
  const std::string full = FullReply();
  const std::string status1 =
      StatusSection(1, "Keine Daten vorhanden") + DataSection(2, SampleRun({"012"}));
  struct Case {
    const char* where;
    const std::string& reply;
    std::size_t length;
    bool channel1Complete;
  };
  const Case cases[] = {
      {"after the first read", full, 8, false},
      {"inside channel 1's run", full, 4000, false},
      {"before the last digit of channel 1", full, 8199, false},
      {"at the marker", full, 8205, true},
      {"before channel 2's LF", full, 8209, true},
      {"inside channel 2's run", full, 12000, true},
      {"before the last digit of channel 2", full, 16400, true},
      {"inside channel 1's status line", status1, 20, false},
      {"after channel 1's status line", status1, 31, true},
  };
  for (const Case& c : cases) {
    ScriptedSource source(c.reply.substr(0, c.length));
    const ReplyResult result = ParseReply(source);
    EXPECT_EQ(result.outcome, ReplyOutcome::kBrokenOff) << c.where;
    EXPECT_EQ(result.channels[0].complete, c.channel1Complete) << c.where;
    EXPECT_FALSE(result.channels[1].complete) << c.where;
    // One read that times out ends it: nothing is waited for after that.
    EXPECT_EQ(source.readsAfterSilence, 0) << c.where;
  }
  // The separator of the very last sample is never looked at.
  ScriptedSource lastSeparator(full.substr(0, 16401));
  EXPECT_EQ(ParseReply(lastSeparator).outcome, ReplyOutcome::kComplete);
}

TEST(ReplyParser, PauseInsideAReadIsNotAnEnd) {
  // A pause longer than the interval time-out ends reads early, twice in one block.
  const std::string reply = FullReply();
  ScriptedSource source(reply, {64, 64, 10, 5, 49, 64});
  const ReplyResult result = ParseReply(source);
  ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
  EXPECT_EQ(result.channels[1].samples[2047], 192);
}

}  // namespace
}  // namespace vexal
