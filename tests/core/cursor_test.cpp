// The time cursors: how mouse and keys move them, what they read, how picture and page show them.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "display/cursor_layer.h"
#include "display/plot_geometry.h"
#include "display/waveform_renderer.h"
#include "output/print_layout.h"
#include "recording_canvas.h"
#include "scope/cursor_readout.h"
#include "scope/cursors.h"

namespace vexal {
namespace {

using test::Lines;
using test::RecordingCanvas;
using State = std::tuple<bool, int, int, int>;  // shown, A, B, active

// Each step on the cursors of the step before: 't' toggles, 'p' presses at a sample, 'g' takes
// hold of A's line with the pointer over a sample, 'd' drags the pointer there; '<', '>' (with
// Shift for 1), 'H', 'E' and 'T' are Left, Right, Home, End and Tab.
TEST(Cursors, MouseAndKeysMoveTheActiveCursor) {
  using enum CursorKey;
  const std::map<char, CursorKey> keys = {
      {'<', kLeft}, {'>', kRight}, {'H', kHome}, {'E', kEnd}, {'T', kTab}};
  const std::tuple<char, int, State> steps[] = {
      {'>', 0, {false, 512, 1536, kCursorA}},  // hidden: no key moves them
      {'t', 0, {true, 512, 1536, kCursorA}},     {'p', 1024, {true, 1024, 1536, kCursorA}},  // tie
      {'p', 1281, {true, 1024, 1281, kCursorB}}, {'d', -5, {true, 1024, 0, kCursorB}},
      {'d', 5000, {true, 1024, 2047, kCursorB}}, {'<', 0, {true, 1024, 2046, kCursorB}},
      {'p', 1535, {true, 1024, 1535, kCursorB}},  // a tie moves the active one
      {'g', 1030, {true, 1024, 1535, kCursorA}}, {'d', 1030, {true, 1024, 1535, kCursorA}},
      {'d', 1040, {true, 1034, 1535, kCursorA}}, {'>', 1, {true, 1098, 1535, kCursorA}},
      {'H', 0, {true, 0, 1535, kCursorA}},       {'<', 0, {true, 0, 1535, kCursorA}},
      {'T', 0, {true, 0, 1535, kCursorB}},       {'E', 0, {true, 0, 2047, kCursorB}},
      {'<', 1, {true, 0, 1983, kCursorB}},       {'T', 1, {true, 0, 1983, kCursorA}},
      {'t', 0, {false, 0, 1983, kCursorA}},      {'t', 0, {true, 0, 1983, kCursorA}},
  };
  Cursors cursors;
  CursorDrag drag;
  for (const auto& [action, value, after] : steps) {
    const bool shown = cursors.shown;
    if (action == 't') ToggleCursors(cursors);
    if (action == 'p' || action == 'g')
      drag = PressCursor(cursors, value, action == 'g' ? kCursorA : kNoCursor);
    if (action == 'd') DragCursor(cursors, drag, value);
    if (keys.contains(action)) {
      EXPECT_EQ(CursorKeyDown(cursors, keys.at(action), value), shown);
    }
    EXPECT_EQ(State(cursors.shown, cursors.sample[0], cursors.sample[1], cursors.active), after)
        << action << " " << value;
  }
}

// At each width, every sample: a press on the line of cursor A there (B, far off, active), with
// and without a move of 0 pixels after it, leaves A where it was; and at every x where a sample
// is drawn, the sample the pointer takes there is drawn at x.
TEST(Cursors, PressAndDrawingAgreeAtEveryWidth) {
  for (int width : {360, 720, 944, 2047, 2048, 2500}) {
    const PlotArea area{40, 40, 40 + width, 560};
    std::set<int> drawn;
    for (int s = 0; s < kSamplesPerChannel; ++s) {
      Cursors cursors{true, {s, s < 1024 ? 2047 : 0}, kCursorB};
      const int x = TraceX(area, s);
      drawn.insert(x);
      const CursorDrag drag =
          PressCursor(cursors, SampleAtX(area, x), CursorLineAt(cursors, area, x, 300, 3));
      const int pressed = cursors.sample[kCursorA];
      DragCursor(cursors, drag, SampleAtX(area, x));
      ASSERT_EQ(std::pair(pressed, cursors.sample[kCursorA]), std::pair(s, s)) << width;
    }
    for (int x = area.left; x < area.right; ++x) {
      if (drawn.contains(x)) {
        ASSERT_EQ(TraceX(area, SampleAtX(area, x)), x) << width;
      }
    }
  }
  // Nothing left of the plot or in one without width, the last sample right of it; where a
  // plot wider than 2048 draws none, the nearer (the left one at equal distances). Cases:
  // width, x - left, sample.
  const std::tuple<int, int, int> cases[] = {{720, -1, 0}, {0, 5, 0},    {720, 721, 2047},
                                             {4096, 1, 0}, {3000, 3, 2}, {6000, 3, 1},
                                             {6000, 4, 2}, {1, 1, 2047}};
  for (const auto& [width, dx, sample] : cases) {
    EXPECT_EQ(SampleAtX({40, 40, 40 + width, 560}, 40 + dx), sample) << width << " " << dx;
  }
  // The pointer takes hold of a line within 3 pixels, in the plot area, the active one first.
  const PlotArea area{40, 40, 2088, 560};  // sample i at x = 40 + i
  const std::tuple<bool, int, int, int> points[] = {
      {false, 552, 300, kNoCursor}, {true, 557, 300, kCursorB},  {true, 551, 300, kCursorB},
      {true, 549, 300, kCursorA},   {true, 548, 300, kNoCursor}, {true, 552, 561, kNoCursor}};
  for (const auto& [shown, x, y, cursor] : points) {
    EXPECT_EQ(CursorLineAt({shown, {512, 514}, kCursorB}, area, x, y, 3), cursor) << x << " " << y;
  }
  const std::tuple<int, int, bool> edges[] = {{40, 40, true},   {2088, 560, true},
                                              {39, 300, false}, {2089, 300, false},
                                              {552, 39, false}, {552, 561, false}};
  for (const auto& [x, y, in] : edges) EXPECT_EQ(InPlotArea(area, x, y), in) << x << " " << y;
}

// Channel 1 at 1 V / DIV +1 and -1 counts (31.25 mV: a half), channel 2 at 200 mV +127, -128.
WaveformSnapshot CursorStore(int a, int b, int ch2) {
  WaveformSnapshot store;
  store.samples[0][a] = 129;
  store.samples[0][b] = 127;
  store.samples[1][a] = 255;
  store.samples[1][b] = 0;
  store.hasData = {1, ch2};
  return store;
}
const ScaleLabels kCursorLabels = {ScaleLabel{1, kUnitVolt}, ScaleLabel{200, kUnitMillivolt}};

TEST(CursorReadout, TimesDifferencesAndValues) {
  const std::pair<std::array<int, 4>, Lines> cases[] = {
      // A, B, timebase, channel 2 with data
      {{1523, 520, IDM_TB_100MS, 0},
       {"A: 744 ms   B: 254 ms   B-A: -490 ms   1/|B-A|: 2,04 Hz",
        "CH1: A 31,3 mV   B -31,3 mV   B-A -62,5 mV"}},
      {{700, 700, IDM_TB_100MS, 0},
       {"A: 342 ms   B: 342 ms   B-A: 0 s   1/|B-A|: -", "CH1: A -31,3 mV   B -31,3 mV   B-A 0 V"}},
      // Exact halves: 64 and 192 steps of 4.8828125 us.
      {{192, 64, IDM_TB_1MS, 0},
       {"A: 938 \xB5s   B: 313 \xB5s   B-A: -625 \xB5s   1/|B-A|: 1,60 kHz",
        "CH1: A 31,3 mV   B -31,3 mV   B-A -62,5 mV"}},
  };
  for (const auto& [in, lines] : cases) {
    const auto [a, b, timebase, ch2] = in;
    Lines got;
    for (const ReadoutLine& line :
         CursorReadout({true, {a, b}}, CursorStore(a, b, ch2), kCursorLabels, timebase)) {
      got.push_back(line.forms.front());
    }
    EXPECT_EQ(got, lines) << a << " " << b;
  }
  // A sample at the top code reads "> ", at the bottom "< "; B-A "> " with B at the top or A at
  // the bottom, "< " the other way round, "?" with both ends clipped alike. Channel 1 at 1 V.
  const std::pair<std::array<int, 2>, std::string> clipped[] = {
      {{255, 128}, "CH1: A > 3,97 V   B 0 V   B-A < -3,97 V"},
      {{0, 255}, "CH1: A < -4,00 V   B > 3,97 V   B-A > 7,97 V"},
      {{128, 0}, "CH1: A 0 V   B < -4,00 V   B-A < -4,00 V"},
      {{255, 255}, "CH1: A > 3,97 V   B > 3,97 V   B-A ?"},
      {{0, 0}, "CH1: A < -4,00 V   B < -4,00 V   B-A ?"},
  };
  for (const auto& [ab, line] : clipped) {
    WaveformSnapshot store;
    store.samples[0][0] = static_cast<std::uint8_t>(ab[0]);
    store.samples[0][1] = static_cast<std::uint8_t>(ab[1]);
    store.hasData = {1, 0};
    const auto readout = CursorReadout({true, {0, 1}}, store, kCursorLabels, IDM_TB_100MS);
    EXPECT_EQ(readout.at(1).forms.front(), line);
  }
  // The dialog's rows: a channel without data has "-" in each cell.
  EXPECT_EQ(
      CursorTable({true, {1523, 520}}, CursorStore(1523, 520, 0), kCursorLabels, IDM_TB_100MS),
      "Cursor\tA\tB\tB-A\r\nZeit\t744 ms\t254 ms\t-490 ms\r\n"
      "Kanal 1\t31,3 mV\t-31,3 mV\t-62,5 mV\r\nKanal 2\t-\t-\t-\r\n1/|B-A|\t\t\t2,04 Hz\r\n");
  const std::string rows =
      CursorTable({true, {1, 2}}, CursorStore(1, 2, 1), kCursorLabels, IDM_TB_100MS);
  EXPECT_EQ(rows.substr(rows.find("Kanal 2"), 38), "Kanal 2\t> 794 mV\t< -800 mV\t< -1,59 V\r\n");
}

// Hidden cursors add no call: the picture's and the page's own tests pass them hidden and
// expect the calls as they were. Shown: the lines after the labels (on the screen the active
// one solid), the letters over the plot area, the read-out below its top edge.
TEST(CursorLayer, LinesLettersAndReadOutOnScreen) {
  const Cursors cursors{true, {1024, 2047}, kCursorA};
  const WaveformSnapshot store = CursorStore(1024, 2047, 1);
  RecordingCanvas canvas;
  RenderWaveformPicture(canvas, {800, 600, 8, 16},
                        {store, kCursorLabels, IDM_TB_100MS, cursors, 96, true});
  EXPECT_EQ(canvas.Strokes(3).at(0), (test::Stroke{400, 40, 400, 560}));  // A, solid
  EXPECT_EQ(canvas.Strokes(3).at(1), (test::Stroke{759, 40, 759, 43}));   // B: 3 pixels, 3 apart
  const Lines calls(canvas.calls.end() - 15, canvas.calls.end());
  EXPECT_EQ(calls,
            (Lines{"pen 1 #ffff00", "88 lines", "release", "transparent", "colour #ffff00",
                   "align 6", "text 400 24 A", "text 759 24 B", "align 0", "colour #ffff00",
                   "text 48 48 A: 500 ms   B: 1,00 s   B-A: 500 ms   1/|B-A|: 2,00 Hz",
                   "colour #00ffff", "text 48 64 CH1: A 31,3 mV   B -31,3 mV   B-A -62,5 mV",
                   "colour #00ff00", "text 48 80 CH2: A > 794 mV   B < -800 mV   B-A < -1,59 V"}));
  // A narrower picture shortens each line to the longest form that fits (8 pixels a
  // character): 1/|B-A| goes first, then the times of A and B; a channel keeps only B-A.
  const std::pair<int, Lines> widths[] = {
      {528, {"A: 500 ms   B: 1,00 s   B-A: 500 ms   1/|B-A|: 2,00 Hz", "CH1: A", "CH2: A"}},
      {527, {"A: 500 ms   B: 1,00 s   B-A: 500 ms", "CH1: A", "CH2: A"}},
      {431, {"A: 500 ms   B: 1,00 s   B-A: 500 ms", "CH1: B-A -62,5 mV", "CH2: B-A < -1,59 V"}},
      {375, {"B-A: 500 ms", "CH1: B-A -62,5 mV", "CH2: B-A < -1,59 V"}},
      {239, {"B-A: 500 ms", "CH1: B-A -62,5 mV"}},
      {183, {}},
  };
  for (const auto& [width, texts] : widths) {
    RecordingCanvas narrow;
    RenderWaveformPicture(narrow, {width, 600, 8, 16},
                          {store, kCursorLabels, IDM_TB_100MS, cursors});
    const Lines written = narrow.Only("text");
    Lines readout;
    for (auto text = written.begin() + 5; text != written.end(); ++text) {
      const std::string line = text->substr(text->find(' ', 8) + 1);  // past "text 48 y "
      readout.push_back(line.starts_with("CH") && line[5] == 'A' ? line.substr(0, 6) : line);
    }
    EXPECT_EQ(readout, texts) << width;
  }
  // The read-out stops above the scale labels: 150 pixels leave room for one line above two
  // rows of them, for two above one row.
  for (int ch2 : {1, 0}) {
    RecordingCanvas low;
    RenderWaveformPicture(low, {800, 150, 8, 16},
                          {CursorStore(1024, 2047, ch2), kCursorLabels, IDM_TB_100MS, cursors});
    EXPECT_EQ(low.Only("text").size(), 6u) << ch2;  // scale labels, letters, read-out
  }
}

// Dark dotted lines on paper, black on a monochrome printer, the channels in their print colours.
TEST(CursorLayer, PrintedPage) {
  for (bool colour : {true, false}) {
    RecordingCanvas page;
    const WaveformSnapshot store = CursorStore(512, 1536, 1);
    RenderPrintPage(page, PrintPage{960, 990, 20, colour}, {2024, 12, 5, 9, 7},
                    {store, kCursorLabels, IDM_TB_100MS, {true, {512, 1536}}});
    const Lines calls(page.calls.end() - 15, page.calls.end());
    const std::string line = colour ? " #a00000" : " #000000", ch1 = colour ? " #00ffff" : line,
                      ch2 = colour ? " #00ff00" : " #646464";
    EXPECT_EQ(calls,
              (Lines{"pen 5" + line, "70 lines", "release", "transparent", "colour" + line,
                     "align 6", "text 250 20 A", "text 710 20 B", "align 0", "colour" + line,
                     "text 40 50 A: 250 ms   B: 750 ms   B-A: 500 ms   1/|B-A|: 2,00 Hz",
                     "colour" + ch1, "text 40 70 CH1: A 31,3 mV   B -31,3 mV   B-A -62,5 mV",
                     "colour" + ch2, "text 40 90 CH2: A > 794 mV   B < -800 mV   B-A < -1,59 V"}))
        << colour;
  }
  // On this low page one read-out line fits above two rows of scale labels, two above one row:
  // seven texts either way (heading, scale labels, letters, read-out).
  for (int ch2 : {1, 0}) {
    RecordingCanvas low;
    RenderPrintPage(
        low, PrintPage{960, 300, 20, true}, {2024, 12, 5, 9, 7},
        {CursorStore(512, 1536, ch2), kCursorLabels, IDM_TB_100MS, {true, {512, 1536}}});
    EXPECT_EQ(low.Only("text").size(), 7u) << ch2;
  }
}

}  // namespace
}  // namespace vexal
