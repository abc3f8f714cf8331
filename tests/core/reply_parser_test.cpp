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
// next scripted chunk (a line pause ends a read early) and a chunk of size 0 is
// a read that times out. After the script the rest of the reply comes as fast as
// it is asked for; after the reply the line stays silent.
class ScriptedSource : public ByteSource {
 public:
  explicit ScriptedSource(const std::string& reply, std::vector<std::size_t> chunks = {}) {
    std::size_t offset = 0;
    for (std::size_t size : chunks) {
      chunks_.push_back(reply.substr(offset, size));
      offset += chunks_.back().size();
    }
    if (offset < reply.size()) chunks_.push_back(reply.substr(offset));
  }

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    ++reads;
    lastRequest = count;
    EXPECT_TRUE(count > 0 && count <= kBlockSize) << count;
    readsAfterSilence += fellSilent;
    std::string chunk = chunks_.empty() ? "" : chunks_.front();
    if (!chunks_.empty()) chunks_.pop_front();
    fellSilent = fellSilent || chunk.empty();
    const std::size_t n = std::min(count, chunk.size());
    std::copy_n(chunk.begin(), n, buffer);
    if (n < chunk.size()) chunks_.push_front(chunk.substr(n));
    return n;
  }

  int reads = 0;
  std::size_t lastRequest = 0;
  int readsAfterSilence = 0;
  bool fellSilent = false;

 private:
  std::deque<std::string> chunks_;
};

// 2048 samples drawn in turn from `samples` (three characters each), each
// followed by `separator`, after channel `channel`'s marker and LF.
std::string DataSection(int channel, const std::vector<std::string>& samples,
                        char separator = '\n') {
  std::string section = "Kanal " + std::to_string(channel) + ":\n";
  for (std::size_t j = 0; j < kSamplesPerChannel; ++j) {
    section += samples[j % samples.size()] + separator;
  }
  return section;
}
std::string StatusSection(int channel, const std::string& status) {
  return "Kanal " + std::to_string(channel) + ": " + status + "\n";
}

const std::string kFullReply = DataSection(1, {"128"}) + DataSection(2, {"064", "192"});

TEST(DigitValue, OnlyOneToNineCount) {
  for (int c = 0; c < 256; ++c) {
    EXPECT_EQ(DigitValue(static_cast<std::uint8_t>(c)), c >= '1' && c <= '9' ? c - '0' : 0) << c;
  }
}

TEST(ReplyParser, FullReplyFillsBothChannelsIn257Blocks) {
  ASSERT_EQ(kFullReply[128 * 64 + 17], '\n');  // channel 2's LF, inside block 129
  ScriptedSource source(kFullReply);
  const ReplyResult result = ParseReply(source);
  ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
  EXPECT_TRUE(result.channels[0].complete && result.channels[1].complete);
  EXPECT_EQ(std::count(result.channels[0].samples.begin(), result.channels[0].samples.end(), 128),
            2048);
  EXPECT_EQ(result.channels[1].samples[0], 64);
  EXPECT_EQ(result.channels[1].samples[2047], 192);
  EXPECT_EQ(ComposeSummary(result), "Kanal 1: " + kTaken + "\nKanal 2: " + kTaken);
  // A complete reply is not waited for past its last byte: the last block is
  // asked for only up to the reply's end (16402 = 256 x 64 + 18).
  EXPECT_EQ(source.reads, 257);
  EXPECT_EQ(source.lastRequest, 18u);
  EXPECT_FALSE(source.fellSilent);
}

TEST(ReplyParser, SampleArithmeticIsModulo256AndSeparatorsAreNeverExamined) {
  const std::vector<std::string> digits = {"255", "256", "999", " 42",
                                           "4 2", "abc", "-12", "\xB9\x31\x32"};
  const int values[] = {255, 0, 231, 42, 146, 0, 12, 12};
  for (char separator : {'\n', 'K', '\0'}) {
    ScriptedSource source(DataSection(1, digits, separator) + DataSection(2, {"007"}, separator));
    const ReplyResult result = ParseReply(source);
    ASSERT_EQ(result.outcome, ReplyOutcome::kComplete) << int(separator);
    for (std::size_t j = 0; j < 2 * digits.size(); ++j) {
      EXPECT_EQ(result.channels[0].samples[j], values[j % 8]) << digits[j % 8];
    }
    EXPECT_EQ(result.channels[1].samples[2047], 7);
  }
}

TEST(ReplyParser, ShortReadsOnlyMeanThePausedLine) {
  // Ragged reads, some of a single byte, and pauses that end two reads early
  // within one block parse the same as full blocks.
  std::vector<std::size_t> ragged = {64};
  for (std::size_t i = 0, total = 64; total < kFullReply.size(); total += ragged.back(), ++i) {
    ragged.push_back(1 + (i * 37) % 64);
  }
  ScriptedSource steady(kFullReply);
  const ReplyResult expected = ParseReply(steady);
  for (const auto& chunks : {ragged, std::vector<std::size_t>{64, 64, 10, 5, 49, 64}}) {
    ScriptedSource source(kFullReply, chunks);
    const ReplyResult result = ParseReply(source);
    ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
    EXPECT_EQ(result.channels[0].samples, expected.channels[0].samples);
    EXPECT_EQ(result.channels[1].samples, expected.channels[1].samples);
  }
}

TEST(ReplyParser, StatusLinesWhereverTheyStartAndEnd) {
  const std::string noData = "Kanal 1: Keine Daten vorhanden\nKanal 2: ";
  const std::string both = StatusSection(1, "Keine Daten vorhanden") + StatusSection(2, "Leer");
  const std::string long1 =
      StatusSection(1, "Keine Daten vorhanden - Speicher des Interface ist leer");
  const std::string cut1 = "Kanal 1: Keine Daten vorhanden - Speiche\nKanal 2: ";
  const struct {
    std::string reply;
    std::vector<std::size_t> chunks;
    std::string summary;
  } cases[] = {
      {StatusSection(1, "Keine Daten vorhanden") + DataSection(2, {"099"}), {}, noData + kTaken},
      // Channel 2's status starts at position 8210, one byte after its marker.
      {DataSection(1, {"099"}) + StatusSection(2, "Leer"),
       {},
       "Kanal 1: " + kTaken + "\nKanal 2: Leer"},
      // The whole reply in one short read; without its final LF, channel 2's
      // line ends at the last byte received.
      {both, {both.size()}, noData + "Leer"},
      {both.substr(0, both.size() - 1), {both.size() - 1}, noData + "Leer"},
      // Channel 2's line runs from position 50 over the block boundary at 64.
      {StatusSection(1, std::string(31, 'x')) + StatusSection(2, "Messung abgebrochen, bitte") +
           "tail",
       {64, 3, 61},
       "Kanal 1: " + std::string(31, 'x') + "\nKanal 2: Messung abgebrochen, bitte"},
      // Lines are cut to 31 characters but consumed to their LF, channel 1's
      // past the first block, read on from the port.
      {long1 + DataSection(2, {"099"}), {}, cut1 + kTaken},
      {long1 + StatusSection(2, "Kanal nicht aktiv, bitte Oszilloskop einschalten"),
       {},
       cut1 + "Kanal nicht aktiv, bitte Oszill"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.summary);
    ScriptedSource source(c.reply, c.chunks);
    const ReplyResult result = ParseReply(source);
    ASSERT_EQ(result.outcome, ReplyOutcome::kComplete);
    EXPECT_TRUE(result.channels[0].complete && result.channels[1].complete);
    EXPECT_EQ(ComposeSummary(result), c.summary);
    for (const ChannelSection& section : result.channels) {
      const auto& v = section.samples;
      EXPECT_EQ(std::count(v.begin(), v.end(), 99), section.hasData ? 2048 : 0);
    }
    // The end of the last line is known at its LF, or only when the line falls silent.
    if (c.chunks.size() == 1) {
      EXPECT_EQ(source.reads, c.reply.back() == '\n' ? 1 : 2);
    }
    EXPECT_EQ(source.readsAfterSilence, 0);
  }
}

TEST(ReplyParser, SilenceAndForeignText) {
  ScriptedSource silent("");
  EXPECT_EQ(ParseReply(silent).outcome, ReplyOutcome::kNoAnswer);
  EXPECT_EQ(silent.reads, 1);

  // The error text is every byte received, the last one included.
  ScriptedSource foreign("Syntax Error\r\n");
  const ReplyResult result = ParseReply(foreign);
  EXPECT_EQ(result.outcome, ReplyOutcome::kNotAReply);
  EXPECT_EQ(result.firstBlockText, "Syntax Error\r\n");
  EXPECT_EQ(foreign.reads, 1);
  EXPECT_EQ(ForeignReplyMessage(result), "Syntax Error\r\n");

  // "Kanal 1:" past a NUL or past the first read does not count.
  ScriptedSource nul(std::string("ok\0Kanal 1:\n", 12));
  EXPECT_EQ(ParseReply(nul).outcome, ReplyOutcome::kNotAReply);
  // Nothing visible to show: the box still says what went wrong.
  for (const std::string& blank : {std::string("\0Kanal 1:\n", 10), std::string("\r\n \n")}) {
    ScriptedSource unreadable(blank);
    const ReplyResult unread = ParseReply(unreadable);
    EXPECT_EQ(unread.outcome, ReplyOutcome::kNotAReply);
    EXPECT_EQ(ForeignReplyMessage(unread), "Interface sendet unbekannte Daten !");
  }
  // An adapter's burst of 5 bytes is read on until the marker can be judged;
  // a reply that really ends after 6 bytes is shown as it came.
  ScriptedSource burst("Kanal 1: Leer\nKanal 2: Leer\n", {5});
  EXPECT_EQ(ParseReply(burst).outcome, ReplyOutcome::kComplete);
  ScriptedSource six("Kanal ");
  const ReplyResult sixResult = ParseReply(six);
  EXPECT_EQ(sixResult.outcome, ReplyOutcome::kNotAReply);
  EXPECT_EQ(sixResult.firstBlockText, "Kanal ");
  EXPECT_EQ(six.reads, 2);
  // Bytes in front of the marker would put every position out of step.
  ScriptedSource stray("128\n055\n" + kFullReply);
  EXPECT_EQ(ParseReply(stray).outcome, ReplyOutcome::kNotAReply);
}

TEST(ReplyParser, BrokenOffReplyCommitsOnlyCompleteSections) {
  const std::string status1 = StatusSection(1, "Keine Daten vorhanden") + DataSection(2, {"012"});
  const struct {
    const char* where;
    const std::string& reply;
    std::size_t length;
    bool channel1Complete;
  } cases[] = {
      {"after the first read", kFullReply, 8, false},
      {"inside channel 1's run", kFullReply, 4000, false},
      {"before the last digit of channel 1", kFullReply, 8199, false},
      {"at the marker", kFullReply, 8205, true},
      {"before channel 2's LF", kFullReply, 8209, true},
      {"inside channel 2's run", kFullReply, 12000, true},
      {"before the last digit of channel 2", kFullReply, 16400, true},
      {"inside channel 1's status line", status1, 20, false},
      {"after channel 1's status line", status1, 31, true},
  };
  for (const auto& c : cases) {
    ScriptedSource source(c.reply.substr(0, c.length));
    const ReplyResult result = ParseReply(source);
    EXPECT_EQ(result.outcome, ReplyOutcome::kBrokenOff) << c.where;
    EXPECT_EQ(result.channels[0].complete, c.channel1Complete) << c.where;
    EXPECT_FALSE(result.channels[1].complete) << c.where;
    // One read that times out ends it: nothing is waited for after that.
    EXPECT_EQ(source.readsAfterSilence, 0) << c.where;
  }
  // The separator of the very last sample is never looked at.
  ScriptedSource lastSeparator(kFullReply.substr(0, 16401));
  EXPECT_EQ(ParseReply(lastSeparator).outcome, ReplyOutcome::kComplete);
}

}  // namespace
}  // namespace vexal
