// The interface's reply as the port hands it out, the port it comes from, and
// the list of the ports present.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "link/line_drain.h"
#include "link/port_list.h"
#include "link/port_name.h"
#include "link/reply_parser.h"

namespace vexal {
namespace {

const std::string kTaken = "Daten \374bernommen.";  // 0xFC, Windows-1252's u umlaut

// Hands out a reply the way a serial port does: each Read delivers at most the
// next scripted chunk (a line pause ends a read early) and a chunk of size 0 is
// a read that times out. After the script the rest of the reply comes as fast as
// it is asked for; after the reply the line stays silent.
class ScriptedSource : public ByteSource {
 public:
  explicit ScriptedSource(std::string reply, std::vector<std::size_t> chunks = {})
      : reply_(std::move(reply)), chunks_(chunks.begin(), chunks.end()) {}

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    ++reads;
    lastRequest = count;
    EXPECT_TRUE(count > 0 && count <= kBlockSize) << count;
    readsAfterSilence += fellSilent;
    std::size_t n = std::min(count, reply_.size());
    if (!chunks_.empty()) {
      n = std::min(n, chunks_.front());
      if ((chunks_.front() -= n) == 0) chunks_.pop_front();
    }
    fellSilent = fellSilent || n == 0;
    std::copy_n(reply_.begin(), n, buffer);
    reply_.erase(0, n);
    return n;
  }

  int reads = 0, readsAfterSilence = 0;
  std::size_t lastRequest = 0;
  bool fellSilent = false;

 private:
  std::string reply_;
  std::deque<std::size_t> chunks_;
};

// Channel `channel`'s marker and LF, then 2048 samples drawn in turn from
// `samples` (three characters each), each followed by `separator`.
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

// What the parser made of a reply, in words: the summary of a complete reply, the
// box text of a foreign one, which sections a broken-off one completed.
std::string Verdict(const ReplyResult& r) {
  const bool one = r.channels[0].complete, two = r.channels[1].complete;
  if (r.outcome == ReplyOutcome::kComplete && one && two) return ComposeSummary(r);
  if (r.outcome == ReplyOutcome::kBrokenOff && !two) {
    return one ? "broken off after channel 1" : "broken off";
  }
  if (one || two) return "inconsistent";
  if (r.outcome == ReplyOutcome::kNotAReply) return "foreign: " + ForeignReplyMessage(r);
  return r.outcome == ReplyOutcome::kNoAnswer ? "no answer" : "inconsistent";
}

// Three digits, hundreds first, each step modulo 256, where '1' to '9' count and any other byte
// ('0', blank, letter, sign, 0xB9) counts 0; separators never examined. Ragged
// reads and pauses that end two reads early within one block parse as full blocks do.
TEST(ReplyParser, FullReplyInAnyReadsFillsBothChannels) {
  const std::vector<std::string> digits = {"255", "256", "999", " 42",
                                           "4 2", "abc", "-12", "\xB9\x31\x32"};
  const int values[] = {255, 0, 231, 42, 146, 0, 12, 12};
  std::vector<std::size_t> ragged(1000), lastSplit(256, 64);
  for (std::size_t i = 0; i < ragged.size(); ++i) ragged[i] = 1 + (i * 37) % 64;
  lastSplit.push_back(10);
  // A complete reply is not waited for past its last byte: the last block is asked
  // for only up to the reply's end (16402 = 256 x 64 + 18), also after a short read.
  const struct {
    std::vector<std::size_t> chunks;
    char separator;
    std::pair<int, std::size_t> readsAndLastRequest;  // {0, 0}: not looked at
  } runs[] = {{{}, '\n', {257, 18}},
              {ragged, 'K', {0, 0}},
              {{64, 64, 10, 5, 49, 64}, '\0', {0, 0}},
              {lastSplit, ' ', {258, 8}}};
  for (const auto& [chunks, separator, readsAndLastRequest] : runs) {
    const std::string reply =
        DataSection(1, digits, separator) + DataSection(2, {"064", "192"}, separator);
    ScriptedSource source(reply, chunks);
    const ReplyResult result = ParseReply(source);
    EXPECT_EQ(Verdict(result), "Kanal 1: " + kTaken + "\nKanal 2: " + kTaken);
    for (std::size_t i = 0; i < kSamplesPerChannel; ++i) {
      ASSERT_EQ(result.channels[0].samples[i], values[i % 8]) << digits[i % 8];
      ASSERT_EQ(result.channels[1].samples[i], i % 2 ? 192 : 64) << i;
    }
    EXPECT_FALSE(source.fellSilent);
    if (readsAndLastRequest.first != 0) {
      EXPECT_EQ(std::pair(source.reads, source.lastRequest), readsAndLastRequest);
    }
  }
}

TEST(ReplyParser, StatusLinesForeignTextAndBrokenOffReplies) {
  const std::string data1 = DataSection(1, {"099"}), data2 = DataSection(2, {"099"});
  const std::string full = data1 + data2, stray = "128\n055\n" + full;
  const std::string noData = StatusSection(1, "Keine Daten vorhanden");
  const std::string leer = StatusSection(2, "Leer"), x31 = std::string(31, 'x');
  const std::string long1 =
      StatusSection(1, "Keine Daten vorhanden - Speicher des Interface ist leer");
  const std::string noDataLeer = "Kanal 1: Keine Daten vorhanden\nKanal 2: Leer";
  const std::string cut1 = "Kanal 1: Keine Daten vorhanden - Speiche\nKanal 2: ";
  const struct {
    std::string reply;
    std::vector<std::size_t> chunks;  // see ScriptedSource
    std::string verdict;
    int reads = 0;  // 0: not counted
  } cases[] = {
      // Status lines in either channel; channel 2's starts at 8210, one byte after its marker.
      {noData + data2, {}, "Kanal 1: Keine Daten vorhanden\nKanal 2: " + kTaken},
      {data1 + leer, {}, "Kanal 1: " + kTaken + "\nKanal 2: Leer"},
      // The whole reply in one short read: the end of the last line is known at its
      // LF, or, without one, only when the line falls silent.
      {noData + leer, {noData.size() + leer.size()}, noDataLeer, 1},
      {noData + "Kanal 2: Leer", {noData.size() + 13}, noDataLeer, 2},
      // Channel 2's line runs from position 50 over the block boundary at 64.
      {StatusSection(1, x31) + StatusSection(2, "Messung abgebrochen, bitte") + "tail",
       {64, 3, 61},
       "Kanal 1: " + x31 + "\nKanal 2: Messung abgebrochen, bitte"},
      // Lines are cut to 31 characters but consumed to their LF, channel 1's past the
      // first block, read on from the port.
      {long1 + data2, {}, cut1 + kTaken},
      {long1 + StatusSection(2, "Kanal nicht aktiv, bitte Oszilloskop einschalten"),
       {},
       cut1 + "Kanal nicht aktiv, bitte Oszill"},
      // The separator of the very last sample is never looked at.
      {full.substr(0, 16401), {}, "Kanal 1: " + kTaken + "\nKanal 2: " + kTaken},
      {"", {}, "no answer", 1},
      // The text is every byte of the first read up to a NUL; with nothing visible
      // in it the box still says what went wrong.
      {"Syntax Error\r\n", {}, "foreign: Syntax Error\r\n", 1},
      {std::string("ok\0Kanal 1:\n", 12), {}, "foreign: ok", 1},
      {std::string("\0Kanal 1:\n", 10), {}, "foreign: Interface sendet unbekannte Daten !", 1},
      {"\r\n \n", {}, "foreign: Interface sendet unbekannte Daten !", 2},
      // An adapter's burst of 5 bytes is read on until the marker can be judged, and one of
      // just the marker's 8 on from there; a reply that really ends after 6 bytes is shown as
      // it came.
      {"Kanal 1: Leer\nKanal 2: Leer\n", {5}, "Kanal 1: Leer\nKanal 2: Leer", 2},
      {noData + leer, {8}, noDataLeer, 2},
      {"Kanal ", {}, "foreign: Kanal ", 2},
      // Bytes in front of the marker would put every position out of step.
      {stray, {}, "foreign: " + stray.substr(0, 64), 1},
      // Broken off: only complete sections count.
      {full.substr(0, 8), {}, "broken off"},
      {full.substr(0, 8199), {}, "broken off"},                   // before channel 1's last digit
      {full.substr(0, 8209), {}, "broken off after channel 1"},   // channel 2's marker, no LF
      {full.substr(0, 16400), {}, "broken off after channel 1"},  // before the last digit
      {(noData + data2).substr(0, 20), {}, "broken off"},
      {(noData + data2).substr(0, 31), {}, "broken off after channel 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.verdict) + " from " + std::to_string(c.reply.size()));
    ScriptedSource source(c.reply, c.chunks);
    const ReplyResult result = ParseReply(source);
    EXPECT_EQ(Verdict(result), c.verdict);
    for (const ChannelSection& section : result.channels) {
      const auto& v = section.samples;
      if (section.complete) {
        EXPECT_EQ(std::count(v.begin(), v.end(), 99), section.hasData * 2048);
      }
    }
    EXPECT_EQ(c.reads != 0 ? source.reads : 0, c.reads);
    // One read that times out ends it: nothing is waited for after that.
    EXPECT_EQ(source.readsAfterSilence, 0);
  }
}

// A port driver on a simulated clock: the interface sends a byte every 5 ms for
// `sendsForMs`; a read that finds nothing takes `emptyReadMs` (the 20 ms
// time-out, or 0 for a driver that returns at once).
class SimulatedDriver : public ByteSource, public LineClock {
 public:
  SimulatedDriver(std::int64_t sendsForMs, std::int64_t emptyReadMs)
      : sendsUntil_(kStart + sendsForMs), emptyReadMs_(emptyReadMs) {}
  std::size_t Read(std::uint8_t*, std::size_t) override {
    if (++reads > 10000) {  // spinning: end it, and the test fails on the count
      now = kStart + kDrainLimitMs;
      return 0;
    }
    const bool sends = now < sendsUntil_;
    now += sends ? 5 : emptyReadMs_;
    return sends ? 1 : 0;
  }
  std::int64_t NowMs() override { return now; }
  void Pause(std::uint32_t ms) override { now += ms; }

  static constexpr std::int64_t kStart = 1000;
  std::int64_t now = kStart;
  int reads = 0;

 private:
  std::int64_t sendsUntil_, emptyReadMs_;
};

TEST(DrainLine, WaitsForQuietAfterTheLastByteWithoutSpinning) {
  struct Case {
    std::int64_t sendsForMs, emptyReadMs, endsAfterMs;
    int reads;
  } cases[] = {
      {0, 20, 20, 1},            // a silent line: one read that times out
      {0, 0, 20, 11},            // a driver that returns at once: a pause after each read
      {0, 19, 40, 2},            // a time-out a little short is not yet quiet
      {30, 20, 138, 11},         // a tail until 30 ms, then 100 ms of quiet
      {30, 0, 130, 57},          // the same from a driver that returns at once
      {1000000, 20, 2000, 400},  // an interface that never stops is given up on
  };
  for (const Case& c : cases) {
    SimulatedDriver driver(c.sendsForMs, c.emptyReadMs);
    DrainLine(driver, driver);
    EXPECT_EQ(std::pair(driver.now - SimulatedDriver::kStart, driver.reads),
              std::pair(c.endsAfterMs, c.reads))
        << c.sendsForMs << " " << c.emptyReadMs;
  }
}

TEST(PortName, CommitTakesPortsOneTo256AndIgnoresOthers) {
  EXPECT_EQ(std::pair(PortNumber(), PortName()), std::pair(2, std::string("COM2")));
  // Each commit and the port it leaves.
  const int steps[][2] = {{7, 7},   {0, 7},     {257, 7}, {-1, 7}, {256, 256},
                          {10, 10}, {100, 100}, {99, 99}, {9, 9},  {1, 1}};
  for (const auto& [commit, port] : steps) {
    CommitPortNumber(commit);
    EXPECT_EQ(std::pair(PortNumber(), PortName()), std::pair(port, "COM" + std::to_string(port)));
  }
  CommitPortNumber(2);
}

TEST(PortList, TheChosenPortIfAbsentThenThePortsPresentWithTheDeviceNamesWhereKnown) {
  const wchar_t* devices[][2] = {
      {L"LPT1", L"Druckeranschluss (LPT1)"},
      {L"COM14", L"USB Serial Port (COM14)"},
      {L"COM200", L"Bluetooth-Link (COM201)"},  // a name that ends in another port keeps it
      {L"COM256", L""},
      {L"COM1", L"Kommunikationsanschluss (COM1)"},
      {L"COM14", L"Zweiter Name (COM14)"},
      {L"COM3", L"Последовательный порт (COM3)"},  // names in any script
  };
  // What SERIALCOMM may hold besides ports names none, and devices name no port. A chosen
  // port above COM8 that is absent comes first, to show what OK keeps.
  using Items = std::vector<std::pair<int, std::wstring>>;
  PortList none;
  for (const wchar_t* odd : {L"LPT1", L"\\Device\\Serial0", L"COM0", L"COM257", L"COM014", L"com5",
                             L"COM", L"COM 7", L"COM2x", L"COM99999999999"})
    none.AddPresent(odd);
  for (const auto& [port, name] : devices) none.AddDevice(port, name);
  EXPECT_EQ(none.Items(8), Items{});
  EXPECT_EQ(none.Items(256), (Items{{256, L"COM256 (nicht vorhanden)"}}));

  PortList list;
  for (const wchar_t* present :
       {L"COM200", L"COM3", L"COM0", L"COM14", L"COM9", L"COM1", L"COM256", L"COM14"})
    list.AddPresent(present);
  for (const auto& [port, name] : devices) list.AddDevice(port, name);
  Items expected = {{1, L"COM1 - Kommunikationsanschluss"},
                    {3, L"COM3 - Последовательный порт"},
                    {9, L"COM9"},
                    {14, L"COM14 - USB Serial Port"},
                    {200, L"COM200 - Bluetooth-Link (COM201)"},
                    {256, L"COM256"}};
  for (int chosen : {2, 8, 9, 14, 256}) EXPECT_EQ(list.Items(chosen), expected) << chosen;
  expected.insert(expected.begin(), {10, L"COM10 (nicht vorhanden)"});
  EXPECT_EQ(list.Items(10), expected);
}

}  // namespace
}  // namespace vexal
