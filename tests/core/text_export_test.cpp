// The text file of the samples, byte for byte.
#include "output/text_export.h"

#include <gtest/gtest.h>

#include <string>

namespace vexal {
namespace {

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
    out += both ? Three(s.samples[0][i]) + "\t\t\t" + Three(s.samples[1][i]) + "\n"
                : Three(s.samples[single][i]) + "\n";
  }
  return out + "\n\n";
}

TEST(TextExport, ColumnsFollowTheFlags) {
  // Without channel 1, channel 2's buffer is written whatever its flag says.
  const struct {
    int ch1, ch2;
    std::size_t lineSize;
    const char* sample5;
  } cases[] = {
      {1, 1, 10, "007\t\t\t000\n"}, {1, 0, 4, "007\n"}, {0, 1, 4, "000\n"}, {0, 0, 4, "000\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "flags " << c.ch1 << c.ch2);
    // Distinct samples: channel 1 counts up, channel 2 down, edge values planted.
    WaveformSnapshot store;
    for (int i = 0; i < kSamplesPerChannel; ++i) {
      store.samples[0][i] = static_cast<std::uint8_t>(i % 256);
      store.samples[1][i] = static_cast<std::uint8_t>(255 - (i * 7) % 256);
    }
    store.samples[0][5] = 7;
    store.samples[1][5] = 0;
    store.samples[1][6] = 255;
    store.hasData = {c.ch1, c.ch2};
    // One piece per heading, rule, channel heading, sample line and the end.
    const std::vector<std::string> pieces = TextExportPieces(store, TimeStamp{2024, 12, 5, 9, 7});
    ASSERT_EQ(pieces.size(), 2048u + 4);
    EXPECT_EQ(pieces[3 + 5], c.sample5);
    std::string file;
    for (const std::string& piece : pieces) file += piece;
    EXPECT_EQ(file, Expected(store, "05.12.2024, 09:07"));
    EXPECT_EQ(file.size(), 54 + 54 + (c.ch1 && c.ch2 ? 17 : 9) + 2048 * c.lineSize + 2);
  }
}

TEST(TextExport, HeadingPadsDateAndTime) {
  // The year has a width of four, not a zero fill.
  const std::pair<TimeStamp, const char*> cases[] = {{{2031, 1, 1, 0, 5}, "01.01.2031, 00:05"},
                                                     {{1999, 11, 30, 23, 59}, "30.11.1999, 23:59"},
                                                     {{987, 6, 15, 12, 30}, "15.06. 987, 12:30"}};
  for (const auto& [stamp, date] : cases) {
    EXPECT_EQ(TextExportPieces(WaveformSnapshot{}, stamp)[0],
              std::string("\nVEXAL-Interface V1.0 - Ausgabe vom ") + date + "\n");
  }
}

}  // namespace
}  // namespace vexal
