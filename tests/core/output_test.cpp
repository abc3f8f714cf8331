// The printed page and the text file of the samples, written and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "output/heading_fit.h"
#include "output/path_folder.h"
#include "output/print_layout.h"
#include "output/text_export.h"
#include "output/text_import.h"
#include "output/values_text.h"
#include "recording_canvas.h"

namespace vexal {
namespace {

using test::Lines;
using test::RecordingCanvas;
using test::Stroke;

// Where a file made to replace another goes: its folder, of any length.
TEST(PathFolder, BeforeTheLastSeparatorAndARootWithItsOwn) {
  const std::wstring deep = L"Z:\\t/" + std::wstring(300, L'x');
  const std::pair<std::wstring, std::wstring> paths[] = {{L"a", L"."},
                                                         {L"C:\\a", L"C:\\"},
                                                         {L"\\a", L"\\"},
                                                         {L"Z:\\t\\x/a", L"Z:\\t\\x"},
                                                         {deep + L"\\a", deep}};
  for (const auto& [path, folder] : paths) EXPECT_EQ(PathFolder(path), folder) << path;
}

// The printed page on 960 x 990 device units with a line height of 20.
RecordingCanvas Print(int ch1, int ch2, bool colour = true, int height = 990,
                      ScaleLabels labels = {{{1, kUnitVolt}, {500, kUnitMillivolt}}}) {
  WaveformSnapshot store;
  store.samples[0] = {0, 1, 128, 255};
  store.hasData = {ch1, ch2};
  RecordingCanvas canvas;
  RenderPrintPage(canvas, PrintPage{960, height, 20, colour}, TimeStamp{2024, 12, 5, 9, 7},
                  {.traces = store, .labels = labels, .timebaseId = 6012});
  return canvas;
}

// Paper has no brushes: the frames stay white. Graticule and traces have pens of their own;
// channel labels switch to a transparent background, the timebase label stays opaque.
TEST(PrintLayout, CallsPerChannelAndPrinter) {
  const Lines head = {
      "align 6",           "text 480 0 VEXAL-Interface V1.0 - Ausgabe vom 05.12.2024, 09:07",
      "align 0",           "pen 5 #000000",
      "rect 0 20 960 475", "rect 20 40 940 455",
      "release",           "pen 3 #000000",
      "88 lines"};
  const Lines tail = {"colour #000000", "align 2", "text 920 435 TB: 100 ms / DIV", "release"};
  const std::pair<std::array<int, 3>, Lines> cases[] = {
      // channel 1, channel 2, colour
      {{1, 1, 1},
       {"release", "pen 5 #00ffff", "2047 lines", "colour #00ffff", "transparent",
        "text 40 415 CH1: 1 V / DIV", "release", "pen 5 #00ff00", "2047 lines", "colour #00ff00",
        "transparent", "text 40 435 CH2: 500 mV / DIV"}},
      {{1, 0, 0},
       {"release", "pen 5 #000000", "2047 lines", "colour #000000", "transparent",
        "text 40 435 CH1: 1 V / DIV"}},
      {{0, 1, 0},
       {"release", "pen 5 #646464", "2047 lines", "colour #646464", "transparent",
        "text 40 435 CH2: 500 mV / DIV"}},
      {{0, 0, 1}, {}},
  };
  for (const auto& [flags, middle] : cases) {
    Lines expected = head;
    expected.insert(expected.end(), middle.begin(), middle.end());
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(Print(flags[0], flags[1], flags[2] != 0).calls, expected);
  }
}

// The graticule's inner steps only, 1 to 49 across and 1 to 39 up (the strokes of steps 1, 5
// and 49, then 1, 5 and 39), ticks 50 units to either side of Ym = 247 and Xm = 480; the trace
// of channel 1's samples.
TEST(PrintLayout, GraticuleInsideTheFrameAndTrace) {
  const RecordingCanvas page = Print(1, 0);
  const std::vector<Stroke>& g = page.Strokes(1);
  const std::pair<std::size_t, Stroke> strokes[] = {
      {0, {38, 197, 38, 297}},  {4, {112, 455, 112, 40}}, {48, {921, 197, 921, 297}},
      {49, {430, 50, 530, 50}}, {53, {20, 91, 940, 91}},  {87, {430, 444, 530, 444}},
  };
  for (const auto& [at, stroke] : strokes) EXPECT_EQ(g.at(at), stroke) << at;
  EXPECT_EQ(page.Strokes(2).at(2), (Stroke{20, 247, 21, 41}));

  // An odd page height changes nothing.
  const RecordingCanvas odd = Print(1, 0, true, 991);
  EXPECT_EQ(std::pair(odd.calls, odd.pens), std::pair(page.calls, page.pens));
}

// A unit code outside 0 to 3 leaves the label out.
TEST(PrintLayout, NoLabelForAnUnknownUnit) {
  for (int unit : {4, -1}) {
    EXPECT_EQ(Print(1, 1, true, 990, {{{7, unit}, {7, unit}}}).Only("text").size(), 2u) << unit;
  }
}

// Arial's advances in thousandths of the height, each glyph rounded to whole device units as
// a printer driver does: the width does not grow quite in step with the height.
int ArialWidth(int height, std::string_view text) {
  int width = 0;
  for (unsigned char c : text) {
    const int advance = std::isupper(c) ? 667 : std::isalnum(c) ? 556 : c == '-' ? 333 : 278;
    width += (height * advance + 500) / 1000;
  }
  return width;
}

// From A4 down to labels, pages exactly as wide as the heading at 10 and 8 pt and as its first
// 40 characters at 6 pt, and one narrower than a letter: the largest height up to 10 pt at which
// the whole heading fits; where none down to 6 pt does, 6 pt and the longest start of the heading
// that fits. The page writes just that, centred.
TEST(PrintLayout, HeadingFitsThePaperWidth) {
  const std::string heading = DatedHeading({2024, 12, 5, 9, 7});
  const auto points = [](int pt, int dpi) {
    return static_cast<int>(std::lround(pt * dpi / 72.0));
  };
  const auto mm = [](int millimetres, int dpi) { return millimetres * dpi * 10 / 254; };
  const auto exact = [&](int pt, int dpi, std::size_t n) {
    return ArialWidth(points(pt, dpi), heading.substr(0, n));
  };
  const struct {
    int width, dpi;  // printable width in device units, dots per inch
    const char* fit;
  } papers[] = {{mm(202, 600), 600, "10 pt"},       {mm(202, 300), 300, "10 pt"},
                {mm(102, 1200), 1200, "10 pt"},     {mm(98, 203), 203, "10 pt"},
                {mm(80, 600), 600, "smaller"},      {mm(58, 300), 300, "smaller"},
                {mm(54, 203), 203, "cut"},          {mm(48, 300), 300, "cut"},
                {mm(46, 600), 600, "cut"},          {mm(1, 300), 300, "cut"},
                {exact(10, 300, 99), 300, "10 pt"}, {exact(8, 600, 99), 600, "smaller"},
                {exact(6, 203, 40), 203, "cut"}};
  for (const auto& [width, dpi, fit] : papers) {
    SCOPED_TRACE(testing::Message() << width << " at " << dpi << " dpi");
    const auto [height, length] = FitHeading(heading, width, dpi, ArialWidth);
    const bool whole = length == heading.size();
    EXPECT_STREQ(height == points(10, dpi) && whole ? "10 pt" : whole ? "smaller" : "cut", fit);
    EXPECT_LE(ArialWidth(height, heading.substr(0, length)), width);
    // Not smaller than it must be: one unit more, or one character more, would overflow.
    if (whole && height < points(10, dpi)) {
      EXPECT_GT(ArialWidth(height + 1, heading), width);
    }
    if (!whole) {
      EXPECT_GT(ArialWidth(height, heading.substr(0, length + 1)), width);
    }
    EXPECT_EQ(height, whole ? std::clamp(height, points(6, dpi), points(10, dpi)) : points(6, dpi));
    RecordingCanvas page;
    RenderPrintPage(page, PrintPage{width, 990, 20, true, length}, {2024, 12, 5, 9, 7},
                    Picture{.timebaseId = 6012});
    EXPECT_EQ(page.Only("text").at(0), "text " + std::to_string(width / 2) + " 0" +
                                           (length ? " " + heading.substr(0, length) : ""));
  }
}

// The pieces as one file, with CR LF line ends if asked.
std::string Join(const std::vector<std::string>& pieces, bool crLf = false) {
  std::string file;
  for (const std::string& piece : pieces)
    for (char c : piece) file += crLf && c == '\n' ? std::string("\r\n") : std::string(1, c);
  return file;
}

// Read from a buffer of exactly the file's size, so that a look past its end shows.
std::optional<SavedExport> Read(const std::string& file) {
  const std::vector<char> exact(file.begin(), file.end());
  return ReadTextExport(std::string_view(exact.data(), exact.size()));
}

// Channel 1 counts up, channel 2 down in steps of 7: every value from 0 to 255 in both.
WaveformSnapshot Distinctive(int ch1, int ch2) {
  WaveformSnapshot store{.hasData = {ch1, ch2}};
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    store.samples[0][i] = static_cast<std::uint8_t>(i);
    store.samples[1][i] = static_cast<std::uint8_t>(255 - i * 7);
  }
  return store;
}

// The first pieces and the last, then read back with LF and CR LF line ends. The year has a
// width of four, not a zero fill. Without channel 1 channel 2 is written whatever its flag, so
// no flag set loads as channel 2 alone.
TEST(TextFile, WrittenAndReadBack) {
  const struct {
    std::array<int, kChannelCount> flags;
    TimeStamp stamp;
    std::string date;     // as the heading writes it
    std::string columns;  // the channel heading and the first sample line
  } cases[] = {
      {{1, 1}, {12345, 1, 1, 0, 0}, "01.01.12345, 00:00", "Kanal 1\t\tKanal2\n\n000\t\t\t255\n"},
      {{1, 0}, {987, 6, 15, 12, 30}, "15.06. 987, 12:30", "Kanal 1\n\n000\n"},
      {{0, 1}, {2024, 12, 5, 9, 7}, "05.12.2024, 09:07", "Kanal 2\n\n255\n"},
      {{0, 0}, {1, 11, 30, 23, 59}, "30.11.   1, 23:59", "Kanal 2\n\n255\n"}};
  for (const auto& c : cases) {
    const WaveformSnapshot store = Distinctive(c.flags[0], c.flags[1]);
    // One piece per heading, rule, channel heading, sample line and the end.
    const std::vector<std::string> pieces = TextExportPieces(store, c.stamp);
    ASSERT_EQ(pieces.size(), 2048u + 4);
    EXPECT_EQ(pieces[0], "\nVEXAL-Interface V1.0 - Ausgabe vom " + c.date + "\n");
    EXPECT_EQ(pieces[1], std::string(52, '=') + "\n\n");
    EXPECT_EQ(pieces[2] + pieces[3], c.columns);
    EXPECT_EQ(pieces.back(), "\n\n");
    for (bool crLf : {false, true}) {
      const std::string text = Join(pieces, crLf);
      SCOPED_TRACE(testing::Message() << "flags " << c.flags[0] << c.flags[1] << " CR " << crLf);
      const std::optional<SavedExport> saved = Read(text);
      ASSERT_TRUE(saved.has_value());
      const std::array<int, 2> flags = c.flags == std::array{0, 0} ? std::array{0, 1} : c.flags;
      // Swapped at first: a channel without a column keeps its samples.
      WaveformSnapshot loaded{.samples = {store.samples[1], store.samples[0]}};
      ApplySavedExport(*saved, loaded);
      EXPECT_EQ(loaded.hasData, flags);
      for (int ch : {0, 1}) {
        EXPECT_EQ(loaded.samples[ch], store.samples[flags[ch] ? ch : 1 - ch]);
      }
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
      {"year  1234", edit(two, 0, "\nVEXAL-Interface V1.0 - Ausgabe vom 05.12. 1234, 09:07\n")},
      {"blank year", edit(two, 0, "\nVEXAL-Interface V1.0 - Ausgabe vom 05.12.    , 09:07\n")},
      {"rule", edit(two, 1, std::string(51, '=') + "\n\n")},
      {"channel heading", edit(two, 2, "Kanal 1\t\tKanal 2\n\n")},
      {"no channel heading", two[0] + two[1] + std::string(2050, '\n')},
      {"line missing", edit(one, line, "")},
      {"empty line", edit(one, line, "\n")},
      {"256", edit(one, line, "256\n")},
      {"two digits", edit(one, line, "12\n")},
      {"blank-padded", edit(one, line, " 99\n")},
      {"letter", edit(two, line, "1a0\t\t\t067\n")},
      {"no closing", edit(two, end, "")},
      {"trailing byte", edit(two, end, "\n\n ")},
      {"too long", Join(two) + std::string(kMaxTextExportBytes, '\n')},
      {"lone CR", edit(one, line, "1\r00\n")},
      {"CR at the end", edit(one, end, "\n\n\r")},
      {"two columns in one", edit(one, line, "100\t\t\t067\n")},
  };
  for (const auto& [name, file] : cases) EXPECT_FALSE(Read(file).has_value()) << name;
}

// Channel 1 [128, 255, 0, ...] at 2 kV, channel 2 [129, 127, 0, ...] at 7 uV: exact decimals at the
// largest and the smallest timebase, in the columns of the channels with data.
TEST(ValuesText, ExactDecimalsOfTheChannelsWithData) {
  WaveformSnapshot store{.samples = {{{128, 255, 0}, {129, 127, 0}}}};
  const ScaleLabels labels = {ScaleLabel{2, kUnitKilovolt}, ScaleLabel{7, kUnitMicrovolt}};
  const struct {
    std::array<int, 2> data;
    int timebase;
    const char* separator;
    std::vector<std::string> lines;  // the heading, samples 0, 1, 2 and 2047
  } cases[] = {
      {{1, 1},
       IDM_TB_50S,
       ",",
       {"Zeit / s\tKanal 1 / V\tKanal 2 / V", "0\t0\t0,00000021875",
        "0,244140625\t7937,5\t-0,00000021875", "0,48828125\t-8000\t-0,000028",
        "499,755859375\t-8000\t-0,000028"}},
      {{0, 1},
       IDM_TB_5US,
       ".",
       {"Zeit / s\tKanal 2 / V", "0\t0.00000021875", "0.0000000244140625\t-0.00000021875",
        "0.000000048828125\t-0.000028", "0.0000499755859375\t-0.000028"}},
      {{0, 0},
       IDM_TB_1MS,
       ",",
       {"Zeit / s", "0", "0,0000048828125", "0,000009765625", "0,0099951171875"}},
  };
  for (const auto& c : cases) {
    store.hasData = c.data;
    const std::string text = ValuesText(store, labels, c.timebase, c.separator);
    const test::Lines lines = test::LinesOf(text);
    ASSERT_EQ(lines.size(), 2049u) << c.lines[0];
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2049) << "LF only after CR";
    EXPECT_EQ((std::vector{lines[0], lines[1], lines[2], lines[3], lines[2048]}), c.lines);
  }
}

}  // namespace
}  // namespace vexal
