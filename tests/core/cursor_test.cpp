// The time cursors: how mouse and keys move them, what they read, how picture and page show them.
#include <gtest/gtest.h>

#include <array>
#include <map>
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

// Each step on the cursors of the step before: 't' toggles, 'p' presses at a sample, 'd' drags
// there; '<', '>' (with Shift for 1), 'H', 'E' and 'T' are Left, Right, Home, End and Tab.
TEST(Cursors, MouseAndKeysMoveTheActiveCursor) {
  using enum CursorKey;
  const std::map<char, CursorKey> keys = {
      {'<', kLeft}, {'>', kRight}, {'H', kHome}, {'E', kEnd}, {'T', kTab}};
  const std::tuple<char, int, State> steps[] = {
      {'>', 0, {false, 512, 1536, kCursorA}},  // hidden: no key moves them
      {'t', 0, {true, 512, 1536, kCursorA}},     {'p', 1024, {true, 1024, 1536, kCursorA}},  // tie
      {'p', 1281, {true, 1024, 1281, kCursorB}}, {'d', -5, {true, 1024, 0, kCursorB}},
      {'d', 5000, {true, 1024, 2047, kCursorB}}, {'<', 0, {true, 1024, 2046, kCursorB}},
      {'>', 1, {true, 1024, 2047, kCursorB}},    {'<', 1, {true, 1024, 1983, kCursorB}},
      {'H', 0, {true, 1024, 0, kCursorB}},       {'<', 0, {true, 1024, 0, kCursorB}},
      {'T', 0, {true, 1024, 0, kCursorA}},       {'E', 0, {true, 2047, 0, kCursorA}},
      {'<', 1, {true, 1983, 0, kCursorA}},       {'T', 1, {true, 1983, 0, kCursorB}},
      {'t', 0, {false, 1983, 0, kCursorA}},      {'t', 0, {true, 1983, 0, kCursorA}},
  };
  Cursors cursors;
  for (const auto& [action, value, after] : steps) {
    const bool shown = cursors.shown;
    if (action == 't') ToggleCursors(cursors);
    if (action == 'p') PressCursor(cursors, value);
    if (action == 'd') DragCursor(cursors, value);
    if (keys.contains(action)) {
      EXPECT_EQ(CursorKeyDown(cursors, keys.at(action), value), shown);
    }
    EXPECT_EQ(State(cursors.shown, cursors.sample[0], cursors.sample[1], cursors.active), after)
        << action << " " << value;
  }
}

// i = round((x - left) * 2048 / width), halves up, clamped; nothing to the left or in an
// area without width. Cases: width, x - left, sample.
TEST(Cursors, SampleUnderThePointerAtSeveralWidths) {
  const std::tuple<int, int, int> cases[] = {
      {720, 1, 3},  {720, 360, 1024}, {720, 720, 2047}, {720, -1, 0}, {2048, 777, 777},
      {4096, 1, 1}, {4096, 3, 2},     {4096, 2, 1},     {3, 1, 683},  {0, 5, 0}};
  for (const auto& [width, dx, sample] : cases) {
    const PlotArea area{40, 40, 40 + width, 560};
    EXPECT_EQ(SampleAtX(area, 40 + dx), sample) << width << " " << dx;
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
      got.push_back(line.text);
    }
    EXPECT_EQ(got, lines) << a << " " << b;
  }
  // The dialog's rows: a channel without data has "-" in each cell.
  EXPECT_EQ(
      CursorTable({true, {1523, 520}}, CursorStore(1523, 520, 0), kCursorLabels, IDM_TB_100MS),
      "Cursor\tA\tB\tB-A\r\nZeit\t744 ms\t254 ms\t-490 ms\r\n"
      "Kanal 1\t31,3 mV\t-31,3 mV\t-62,5 mV\r\nKanal 2\t-\t-\t-\r\n1/|B-A|\t\t\t2,04 Hz\r\n");
}

// Hidden cursors add no call: the picture's and the page's own tests pass them hidden and
// expect the calls as they were. Shown: the dotted lines after the labels, the letters
// over the plot area, the read-out below its top edge.
TEST(CursorLayer, LinesLettersAndReadOutOnScreen) {
  const Cursors cursors{true, {1024, 2047}, kCursorA};
  const WaveformSnapshot store = CursorStore(1024, 2047, 1);
  RecordingCanvas canvas;
  RenderWaveformPicture(canvas, {800, 600, 8, 16}, {store, kCursorLabels, IDM_TB_100MS, cursors});
  EXPECT_EQ(canvas.Strokes(3).front(), (test::Stroke{400, 40, 400, 43}));  // 3 pixels, 3 apart
  const Lines calls(canvas.calls.end() - 15, canvas.calls.end());
  EXPECT_EQ(calls, (Lines{"pen 1 #ffff00", "174 lines", "release", "transparent", "colour #ffff00",
                          "align 6", "text 400 24 A", "text 759 24 B", "align 0", "colour #ffff00",
                          "text 48 48 A: 500 ms   B: 1,00 s   B-A: 500 ms   1/|B-A|: 2,00 Hz",
                          "colour #00ffff", "text 48 64 CH1: A 31,3 mV   B -31,3 mV   B-A -62,5 mV",
                          "colour #00ff00", "text 48 80 CH2: A 794 mV   B -800 mV   B-A -1,59 V"}));
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
    EXPECT_EQ(calls, (Lines{"pen 5" + line, "70 lines", "release", "transparent", "colour" + line,
                            "align 6", "text 250 20 A", "text 710 20 B", "align 0", "colour" + line,
                            "text 40 50 A: 250 ms   B: 750 ms   B-A: 500 ms   1/|B-A|: 2,00 Hz",
                            "colour" + ch1, "text 40 70 CH1: A 31,3 mV   B -31,3 mV   B-A -62,5 mV",
                            "colour" + ch2, "text 40 90 CH2: A 794 mV   B -800 mV   B-A -1,59 V"}))
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
