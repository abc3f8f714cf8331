// Renders the picture with the real GDI backend into an in-memory metafile: GDI
// must have been asked for exactly the calls the portable renderer records, with
// the right pens and labels, and every object it created deleted again.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/demo_traces.h"
#include "display/display_settings.h"
#include "display/gdi_waveform_renderer.h"
#include "display/waveform_renderer.h"
#include "display/waveform_store.h"
#include "metafile_reader.h"
#include "resource.h"

namespace vexal {
namespace {

using Text = std::tuple<int, int, std::string>;  // x, y, text

std::vector<Text> TextsOf(const std::vector<test::DrawCall>& calls) {
  std::vector<Text> texts;
  for (const test::DrawCall& call : calls) {
    if (call.op == test::Op::kWriteText) texts.emplace_back(call.a, call.b, call.text);
  }
  return texts;
}

struct Case {
  const char* name;
  int ch1, ch2;  // has-data flags
  std::vector<Text> texts;
};
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class GdiRender : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    store_ = DemonstrationTraces();
    store_.hasData = {GetParam().ch1, GetParam().ch2};
    TheWaveformStore().Replace(store_);
    // Two different label formats, and a timebase text with the byte 0xB5.
    TheScaleLabels() = {{{2, kUnitKilovolt}, {500, kUnitMillivolt}}};
    TheDisplaySettings().timebase = IDM_TB_500US;
  }
  void TearDown() override {
    TheDisplaySettings() = DisplaySettings{};
    TheScaleLabels() = ScaleLabels{};
    TheWaveformStore().Replace(WaveformSnapshot{});
  }

  WaveformSnapshot store_;
};

TEST_P(GdiRender, MetafileHoldsTheRendererCallsWithBalancedObjects) {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);  // in memory
  ASSERT_NE(dc, nullptr);
  WaveformRenderer(dc, 800, 600, 8, 16);
  const test::MetafileContent got = test::ReadMetafile(CloseEnhMetaFile(dc));
  test::RecordingCanvas expected;
  RenderWaveformPicture(expected, {800, 600, 8, 16}, store_, TheScaleLabels(), IDM_TB_500US);

  EXPECT_EQ(test::FirstDifference(expected.calls, got.calls), "");
  EXPECT_EQ(got.problems, std::vector<std::string>{});
  // The black brush, the graticule pen and one pen per drawn trace, all deleted.
  EXPECT_EQ(got.created, 2 + GetParam().ch1 + GetParam().ch2);
  EXPECT_EQ(got.deleted, got.created);

  std::vector<std::pair<int, Colour>> pens, expectedPens = {{1, 0xA00000}};
  for (const test::DrawCall& call : got.calls) {
    if (call.op == test::Op::kSelectNewPen) pens.emplace_back(call.a, call.colour);
  }
  if (GetParam().ch1) expectedPens.emplace_back(2, 0xFFFF00);
  if (GetParam().ch2) expectedPens.emplace_back(2, 0x00FF00);
  EXPECT_EQ(pens, expectedPens);
  // Labels written whole at their rows.
  EXPECT_EQ(TextsOf(got.calls), GetParam().texts);
}

const Text kTimebase{752, 544, "TB: 500 \xB5s / DIV"};

INSTANTIATE_TEST_SUITE_P(
    ChannelsWithData, GdiRender,
    ::testing::Values(
        Case{"None", 0, 0, {kTimebase}},
        Case{"OnlyChannel1", 1, 0, {{48, 544, "CH1: 2 kV / DIV"}, kTimebase}},
        Case{"OnlyChannel2", 0, 1, {{48, 544, "CH2: 500 mV / DIV"}, kTimebase}},
        Case{"Both",
             1,
             1,
             {{48, 528, "CH1: 2 kV / DIV"}, {48, 544, "CH2: 500 mV / DIV"}, kTimebase}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vexal
