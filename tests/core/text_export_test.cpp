// The text file of the samples, byte for byte.
#include "output/text_export.h"

#include <gtest/gtest.h>

#include <string>

namespace vexal {
namespace {

std::string Join(const std::vector<std::string>& pieces) {
  std::string all;
  for (const std::string& piece : pieces) all += piece;
  return all;
}

// Distinct, recognisable samples: channel 1 counts up, channel 2 counts down,
// with the three-digit edge values planted at known places.
WaveformSnapshot Samples(int ch1, int ch2) {
  WaveformSnapshot store;
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    store.samples[0][i] = static_cast<std::uint8_t>(i % 256);
    store.samples[1][i] = static_cast<std::uint8_t>(255 - (i * 7) % 256);
  }
  store.samples[0][5] = 7;
  store.samples[1][5] = 0;
  store.samples[1][6] = 255;
  store.hasData = {ch1, ch2};
  return store;
}

std::string Three(int v) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", v);
  return text;
}

// Written independently of the formatter: the file as a reader expects it.
std::string Expected(const WaveformSnapshot& s, const std::string& date) {
  std::string out = "\nVEXAL-Interface V1.0 - Ausgabe vom " + date + "\n";
  out += std::string(52, '=') + "\n\n";
  const bool both = s.hasData[0] && s.hasData[1];
  const int single = s.hasData[0] ? 0 : 1;
  out += both ? "Kanal 1\t\tKanal2\n\n" : (single == 0 ? "Kanal 1\n\n" : "Kanal 2\n\n");
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    if (both) {
      out += Three(s.samples[0][i]) + "\t\t\t" + Three(s.samples[1][i]) + "\n";
    } else {
      out += Three(s.samples[single][i]) + "\n";
    }
  }
  return out + "\n\n";
}

const TimeStamp kStamp{2024, 12, 5, 9, 7};

TEST(TextExport, TwoColumnsWhenBothChannelsHaveData) {
  const WaveformSnapshot store = Samples(1, 1);
  const std::vector<std::string> pieces = TextExportPieces(store, kStamp);
  const std::string file = Join(pieces);

  EXPECT_EQ(file, Expected(store, "05.12.2024, 09:07"));
  EXPECT_EQ(file.size(), 54u + 54 + 17 + 2048 * 10 + 2);
  // One piece per heading, rule, channel heading, sample line and the end.
  ASSERT_EQ(pieces.size(), 2048u + 4);
  EXPECT_EQ(pieces[0].size(), 54u);
  EXPECT_EQ(pieces[2], "Kanal 1\t\tKanal2\n\n");
  EXPECT_EQ(pieces[3 + 5], "007\t\t\t000\n");
  EXPECT_EQ(pieces[3 + 6], "006\t\t\t255\n");
  EXPECT_EQ(pieces.back(), "\n\n");
  EXPECT_EQ(file.find('\r'), std::string::npos);
}

TEST(TextExport, OneColumnFollowsTheFlags) {
  struct Case {
    int ch1, ch2;
    const char* heading;
    int column;
  };
  // Without channel 1, channel 2's buffer is written whatever its flag says.
  for (const Case& c :
       {Case{1, 0, "Kanal 1\n\n", 0}, Case{0, 1, "Kanal 2\n\n", 1}, Case{0, 0, "Kanal 2\n\n", 1}}) {
    SCOPED_TRACE(testing::Message() << "flags " << c.ch1 << c.ch2);
    const WaveformSnapshot store = Samples(c.ch1, c.ch2);
    const std::vector<std::string> pieces = TextExportPieces(store, kStamp);
    const std::string file = Join(pieces);

    EXPECT_EQ(file, Expected(store, "05.12.2024, 09:07"));
    EXPECT_EQ(file.size(), 54u + 54 + 9 + 2048 * 4 + 2);
    ASSERT_EQ(pieces.size(), 2048u + 4);
    EXPECT_EQ(pieces[2], c.heading);
    EXPECT_EQ(pieces[3 + 5], c.column == 0 ? "007\n" : "000\n");
    EXPECT_EQ(pieces[3 + 2047], Three(store.samples[c.column][2047]) + "\n");
    EXPECT_EQ(file.find('\r'), std::string::npos);
  }
}

TEST(TextExport, HeadingPadsDateAndTime) {
  WaveformSnapshot store = Samples(1, 1);
  EXPECT_EQ(TextExportPieces(store, TimeStamp{2031, 1, 1, 0, 5})[0],
            "\nVEXAL-Interface V1.0 - Ausgabe vom 01.01.2031, 00:05\n");
  EXPECT_EQ(TextExportPieces(store, TimeStamp{1999, 11, 30, 23, 59})[0],
            "\nVEXAL-Interface V1.0 - Ausgabe vom 30.11.1999, 23:59\n");
  // The year has a width of four, not a zero fill.
  EXPECT_EQ(TextExportPieces(store, TimeStamp{987, 6, 15, 12, 30})[0],
            "\nVEXAL-Interface V1.0 - Ausgabe vom 15.06. 987, 12:30\n");
}

}  // namespace
}  // namespace vexal
