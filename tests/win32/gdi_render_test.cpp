// Renders the picture with the real GDI backend into an in-memory enhanced
// metafile and checks, record by record, that GDI was asked to draw exactly what
// the portable renderer computed: the same calls in the same order, with the
// pens, brushes, colours, positions and texts it named, and every object it
// created deleted again.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/demo_traces.h"
#include "display/display_settings.h"
#include "display/gdi_waveform_renderer.h"
#include "display/waveform_renderer.h"
#include "display/waveform_store.h"
#include "recording_canvas.h"
#include "resource.h"

namespace vexal {
namespace {

using test::DrawCall;
using test::Op;
using test::RecordingCanvas;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kCharWidth = 8;
constexpr int kCharHeight = 16;

DrawCall Call(Op op, int a = 0, int b = 0, int c = 0, int d = 0) {
  DrawCall call{};
  call.op = op;
  call.a = a;
  call.b = b;
  call.c = c;
  call.d = d;
  return call;
}

// Turns the metafile's records back into Canvas calls, checking on the way that
// every created object is deleted right after it is deselected.
class MetafileReader {
 public:
  std::vector<DrawCall> calls;
  int created = 0;
  int deleted = 0;
  std::vector<std::string> problems;
  std::set<DWORD> otherRecords;

  void Read(const ENHMETARECORD& record) {
    const DWORD justDeselected = justDeselected_;
    justDeselected_ = 0;
    switch (record.iType) {
      case EMR_HEADER:
      case EMR_EOF:
        break;
      case EMR_CREATEPEN: {
        const auto& r = reinterpret_cast<const EMRCREATEPEN&>(record);
        if (r.lopn.lopnStyle != PS_SOLID) problems.push_back("pen not PS_SOLID");
        objects_[r.ihPen] = {true, static_cast<int>(r.lopn.lopnWidth.x), r.lopn.lopnColor};
        ++created;
        break;
      }
      case EMR_CREATEBRUSHINDIRECT: {
        const auto& r = reinterpret_cast<const EMRCREATEBRUSHINDIRECT&>(record);
        if (r.lb.lbStyle != BS_SOLID) problems.push_back("brush not BS_SOLID");
        objects_[r.ihBrush] = {false, 0, r.lb.lbColor};
        ++created;
        break;
      }
      case EMR_SELECTOBJECT:
        Select(reinterpret_cast<const EMRSELECTOBJECT&>(record).ihObject);
        break;
      case EMR_DELETEOBJECT: {
        const DWORD handle = reinterpret_cast<const EMRDELETEOBJECT&>(record).ihObject;
        if (handle != justDeselected) problems.push_back("deleted an object not just deselected");
        objects_.erase(handle);
        ++deleted;
        break;
      }
      case EMR_RECTANGLE: {
        // The record keeps the box inclusive-inclusive: Rectangle's right and
        // bottom edges, which it does not paint, are stored one less.
        const RECTL& box = reinterpret_cast<const EMRRECTANGLE&>(record).rclBox;
        calls.push_back(Call(Op::kDrawRectangle, box.left, box.top, box.right + 1, box.bottom + 1));
        break;
      }
      case EMR_MOVETOEX: {
        const POINTL& p = reinterpret_cast<const EMRMOVETOEX&>(record).ptl;
        calls.push_back(Call(Op::kMoveTo, p.x, p.y));
        break;
      }
      case EMR_LINETO: {
        const POINTL& p = reinterpret_cast<const EMRLINETO&>(record).ptl;
        calls.push_back(Call(Op::kLineTo, p.x, p.y));
        break;
      }
      case EMR_SETBKMODE:
        if (reinterpret_cast<const EMRSETBKMODE&>(record).iMode != TRANSPARENT) {
          problems.push_back("background mode not TRANSPARENT");
        }
        calls.push_back(Call(Op::kSetTransparentBackground));
        break;
      case EMR_SETTEXTCOLOR: {
        DrawCall call = Call(Op::kSetTextColour);
        call.colour = reinterpret_cast<const EMRSETTEXTCOLOR&>(record).crColor;
        calls.push_back(call);
        break;
      }
      case EMR_SETTEXTALIGN: {
        DrawCall call = Call(Op::kSetTextAlign);
        call.align = static_cast<TextAlign>(reinterpret_cast<const EMRSETTEXTALIGN&>(record).iMode);
        calls.push_back(call);
        break;
      }
      case EMR_EXTTEXTOUTA:
      case EMR_EXTTEXTOUTW:
        ReadText(record);
        break;
      default:
        otherRecords.insert(record.iType);
        break;
    }
  }

 private:
  struct GdiObject {
    bool isPen;
    int width;
    COLORREF colour;
  };

  void Select(DWORD handle) {
    if ((handle & ENHMETA_STOCK_OBJECT) != 0) {
      // The entry brush of a fresh metafile context is the stock white brush.
      switch (handle & ~ENHMETA_STOCK_OBJECT) {
        case GRAY_BRUSH:
          calls.push_back(Call(Op::kSelectGrayBrush));
          brush_ = handle;
          return;
        case WHITE_BRUSH:
          calls.push_back(Call(Op::kRestoreEntryBrush));
          justDeselected_ = std::exchange(brush_, handle);
          return;
        case BLACK_PEN:
          calls.push_back(Call(Op::kReleasePen));
          justDeselected_ = std::exchange(pen_, handle);
          return;
        default:
          problems.push_back("unexpected stock object " + std::to_string(handle & 0xFF));
          return;
      }
    }
    const auto found = objects_.find(handle);
    if (found == objects_.end()) {
      problems.push_back("selected an object that does not exist");
      return;
    }
    DrawCall call = Call(found->second.isPen ? Op::kSelectNewPen : Op::kSelectNewSolidBrush,
                         found->second.width);
    call.colour = found->second.colour;
    calls.push_back(call);
    (found->second.isPen ? pen_ : brush_) = handle;
  }

  // Wine records TextOutA as Unicode; Windows-1252 turns it back into our bytes.
  void ReadText(const ENHMETARECORD& record) {
    const auto& r = reinterpret_cast<const EMREXTTEXTOUTW&>(record);  // same layout as ...A
    const auto* base = reinterpret_cast<const char*>(&record);
    std::string text;
    if (record.iType == EMR_EXTTEXTOUTA) {
      text.assign(base + r.emrtext.offString, r.emrtext.nChars);
    } else {
      const auto* wide = reinterpret_cast<const wchar_t*>(base + r.emrtext.offString);
      const int count = static_cast<int>(r.emrtext.nChars);
      text.resize(static_cast<std::size_t>(count) * 2);
      const int length = WideCharToMultiByte(1252, 0, wide, count, text.data(),
                                             static_cast<int>(text.size()), nullptr, nullptr);
      text.resize(static_cast<std::size_t>(length));
    }
    DrawCall call = Call(Op::kWriteText, r.emrtext.ptlReference.x, r.emrtext.ptlReference.y);
    call.text = text;
    calls.push_back(call);
  }

  std::map<DWORD, GdiObject> objects_;
  DWORD pen_ = ENHMETA_STOCK_OBJECT | BLACK_PEN;
  DWORD brush_ = ENHMETA_STOCK_OBJECT | WHITE_BRUSH;
  DWORD justDeselected_ = 0;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM reader) {
  reinterpret_cast<MetafileReader*>(reader)->Read(*record);
  return 1;
}

std::string Describe(const DrawCall& call) {
  std::ostringstream out;
  out << "op " << static_cast<int>(call.op) << " (" << call.a << ", " << call.b << ", " << call.c
      << ", " << call.d << ") colour " << std::hex << call.colour << std::dec << " align "
      << static_cast<unsigned>(call.align) << " text \"" << call.text << '"';
  return out.str();
}

bool SameCall(const DrawCall& x, const DrawCall& y) {
  return x.op == y.op && x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d &&
         x.colour == y.colour && x.align == y.align && x.text == y.text;
}

// "" when both lists agree, else where and how they first part.
std::string FirstDifference(const std::vector<DrawCall>& expected,
                            const std::vector<DrawCall>& actual) {
  for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
    if (!SameCall(expected[i], actual[i])) {
      return "call " + std::to_string(i) + ": expected " + Describe(expected[i]) + ", got " +
             Describe(actual[i]);
    }
  }
  if (expected.size() != actual.size()) {
    return "expected " + std::to_string(expected.size()) + " calls, got " +
           std::to_string(actual.size());
  }
  return "";
}

MetafileReader RenderIntoMetafile() {
  MetafileReader reader;
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);  // in memory
  if (dc == nullptr) {
    ADD_FAILURE() << "CreateEnhMetaFileA failed";
    return reader;
  }
  WaveformRenderer(dc, kWidth, kHeight, kCharWidth, kCharHeight);
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  EnumEnhMetaFile(nullptr, metafile, CollectRecord, &reader, nullptr);
  DeleteEnhMetaFile(metafile);
  return reader;
}

struct Text {
  int x, y;
  std::string text;
  bool operator==(const Text&) const = default;
};

void PrintTo(const Text& t, std::ostream* out) {
  *out << '(' << t.x << ", " << t.y << ", \"" << t.text << "\")";
}

std::vector<Text> TextsOf(const std::vector<DrawCall>& calls) {
  std::vector<Text> texts;
  for (const DrawCall& call : calls) {
    if (call.op == Op::kWriteText) texts.push_back({call.a, call.b, call.text});
  }
  return texts;
}

// The calls that follow the first SelectNewPen with the given colour.
std::vector<DrawCall> AfterPen(const std::vector<DrawCall>& calls, Colour colour,
                               std::size_t count) {
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].op == Op::kSelectNewPen && calls[i].colour == colour) {
      const std::size_t end = std::min(calls.size(), i + 1 + count);
      return {calls.begin() + static_cast<std::ptrdiff_t>(i + 1),
              calls.begin() + static_cast<std::ptrdiff_t>(end)};
    }
  }
  return {};
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

TEST_P(GdiRender, MetafileRecordsAreTheRendererCallsWithTheirObjects) {
  const MetafileReader reader = RenderIntoMetafile();
  RecordingCanvas expected;
  RenderWaveformPicture(expected, {kWidth, kHeight, kCharWidth, kCharHeight}, store_,
                        TheScaleLabels(), IDM_TB_500US);

  EXPECT_EQ(FirstDifference(expected.calls, reader.calls), "");
  EXPECT_TRUE(reader.problems.empty()) << reader.problems.front();
  EXPECT_TRUE(reader.otherRecords.empty()) << "unexpected record " << *reader.otherRecords.begin();

  // The black brush, the graticule pen and one pen per drawn trace, all deleted.
  const int traces = GetParam().ch1 + GetParam().ch2;
  EXPECT_EQ(reader.created, 2 + traces);
  EXPECT_EQ(reader.deleted, reader.created);

  std::vector<std::pair<int, Colour>> pens;
  for (const DrawCall& call : reader.calls) {
    if (call.op == Op::kSelectNewPen) pens.emplace_back(call.a, call.colour);
  }
  std::vector<std::pair<int, Colour>> expectedPens = {{1, 0xA00000}};
  if (GetParam().ch1) expectedPens.emplace_back(2, 0xFFFF00);
  if (GetParam().ch2) expectedPens.emplace_back(2, 0x00FF00);
  EXPECT_EQ(pens, expectedPens);
}

TEST_P(GdiRender, FrameGraticuleAndTracesLieWhereThe800x600PictureHasThem) {
  const std::vector<DrawCall> calls = RenderIntoMetafile().calls;
  ASSERT_GE(calls.size(), 5u);
  EXPECT_TRUE(SameCall(calls[1], Call(Op::kDrawRectangle, 20, 20, 780, 580)));
  EXPECT_TRUE(SameCall(calls[3], Call(Op::kDrawRectangle, 40, 40, 760, 560)));

  // The left edge line, then the first minor tick across the centre line.
  const std::vector<DrawCall> grid = AfterPen(calls, 0xA00000, 4);
  ASSERT_EQ(grid.size(), 4u);
  EXPECT_TRUE(SameCall(grid[0], Call(Op::kMoveTo, 40, 560)));
  EXPECT_TRUE(SameCall(grid[1], Call(Op::kLineTo, 40, 40)));
  EXPECT_TRUE(SameCall(grid[2], Call(Op::kMoveTo, 54, 293)));
  EXPECT_TRUE(SameCall(grid[3], Call(Op::kLineTo, 54, 307)));

  // Channel 1 starts 128, 128, 129; channel 2 starts at 255.
  const std::vector<DrawCall> ch1 = AfterPen(calls, 0xFFFF00, 2048);
  const std::vector<DrawCall> ch2 = AfterPen(calls, 0x00FF00, 2048);
  ASSERT_EQ(ch1.size(), GetParam().ch1 ? 2048u : 0u);
  ASSERT_EQ(ch2.size(), GetParam().ch2 ? 2048u : 0u);
  if (GetParam().ch1) {
    EXPECT_TRUE(SameCall(ch1[0], Call(Op::kMoveTo, 40, 300)));
    EXPECT_TRUE(SameCall(ch1[2], Call(Op::kLineTo, 40, 297)));
    EXPECT_EQ(ch1[3].a, 41);
    EXPECT_EQ(ch1[2047].a, 759);
  }
  if (GetParam().ch2) {
    EXPECT_TRUE(SameCall(ch2[0], Call(Op::kMoveTo, 40, 42)));
    EXPECT_EQ(ch2[2047].op, Op::kLineTo);
  }
}

TEST_P(GdiRender, LabelsAreWrittenWholeAtTheirRows) {
  EXPECT_EQ(TextsOf(RenderIntoMetafile().calls), GetParam().texts);
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
