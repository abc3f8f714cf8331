// Reading back the text file of the samples: what the writer makes loads, nothing else does.
#include "output/text_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/text_export.h"

namespace vexal {
namespace {

// The pieces as one file, with CR LF line ends if asked.
std::string Join(const std::vector<std::string>& pieces, bool crLf = false) {
  std::string file;
  for (const std::string& piece : pieces)
    for (char c : piece) file += crLf && c == '\n' ? std::string("\r\n") : std::string(1, c);
  return file;
}

// Channel 1 counts up, channel 2 down in steps of 7: every value from 0 to 255 in both.
WaveformSnapshot Distinctive(int ch1, int ch2) {
  WaveformSnapshot store;
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    store.samples[0][i] = static_cast<std::uint8_t>(i % 256);
    store.samples[1][i] = static_cast<std::uint8_t>(255 - (i * 7) % 256);
  }
  store.hasData = {ch1, ch2};
  return store;
}

TEST(TextImport, LoadsWhatTheExportWrites) {
  // Neither flag set gives the same bytes as channel 2 alone, so it loads as channel 2.
  const struct {
    int ch1, ch2;
    TimeStamp stamp;
    std::array<int, kChannelCount> loadedFlags;
  } cases[] = {{1, 1, {12345, 1, 1, 0, 0}, {1, 1}},
               {1, 0, {987, 6, 15, 12, 30}, {1, 0}},
               {0, 1, {2024, 12, 5, 9, 7}, {0, 1}},
               {0, 0, {1, 11, 30, 23, 59}, {0, 1}}};
  for (const auto& c : cases) {
    const WaveformSnapshot store = Distinctive(c.ch1, c.ch2);
    const std::vector<std::string> pieces = TextExportPieces(store, c.stamp);
    for (bool crLf : {false, true}) {
      const std::string text = Join(pieces, crLf);
      EXPECT_LE(text.size(), kMaxTextExportBytes);
      SCOPED_TRACE(testing::Message() << "flags " << c.ch1 << c.ch2 << ", size " << text.size());
      const std::optional<SavedExport> saved = ReadTextExport(text);
      ASSERT_TRUE(saved.has_value());
      WaveformSnapshot loaded = store;
      ApplySavedExport(*saved, loaded);
      EXPECT_EQ(loaded.samples, store.samples);
      EXPECT_EQ(loaded.hasData, c.loadedFlags);
      // The same bytes again, heading included: the stamp came back too.
      EXPECT_EQ(TextExportPieces(loaded, saved->stamp), pieces);
    }
  }
}

TEST(TextImport, RejectsAnythingElse) {
  const std::vector<std::string> two = TextExportPieces(Distinctive(1, 1), {2024, 12, 5, 9, 7});
  const std::vector<std::string> one = TextExportPieces(Distinctive(1, 0), {2024, 12, 5, 9, 7});
  const auto edit = [](auto pieces, std::size_t at, std::string s) {
    pieces[at] = s;
    return Join(pieces);
  };
  // Piece 3 + i is sample line i; line 100 reads "100" in one column.
  const std::size_t line = 3 + 100, end = 3 + kSamplesPerChannel;
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"heading", edit(two, 0, "\nVEXAL-Interface V1.1 - Ausgabe vom 05.12.2024, 09:07\n")},
      {"year 0987", edit(two, 0, "\nVEXAL-Interface V1.0 - Ausgabe vom 05.12.0987, 09:07\n")},
      {"rule", edit(two, 1, std::string(51, '=') + "\n\n")},
      {"channel heading", edit(two, 2, "Kanal 1\t\tKanal 2\n\n")},
      {"line missing", edit(one, line, "")},
      {"extra line", edit(one, line, "100\n100\n")},
      {"256", edit(one, line, "256\n")},
      {"two digits", edit(one, line, "12\n")},
      {"four digits", edit(one, line, "0012\n")},
      {"letter", edit(two, line, "1a0\t\t\t067\n")},
      {"no closing", edit(two, end, "")},
      {"trailing byte", edit(two, end, "\n\n ")},
      {"too long", Join(two) + std::string(kMaxTextExportBytes, '\n')},
      {"lone CR", edit(one, line, "1\r00\n")},
      {"CR at the end", edit(one, end, "\n\n\r")},
      {"two columns in one", edit(one, line, "100\t\t\t067\n")},
  };
  for (const auto& [name, file] : cases) EXPECT_FALSE(ReadTextExport(file).has_value()) << name;
}

}  // namespace
}  // namespace vexal
