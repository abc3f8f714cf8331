// The two exports through the real save dialog: the text file byte for byte,
// the metafile record by record, the shared file name, cancelling, and files
// that cannot be written.
#include "output/file_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/demo_traces.h"
#include "dialog_driver.h"
#include "display/display_settings.h"
#include "display/waveform_renderer.h"
#include "display/waveform_store.h"
#include "recording_canvas.h"

namespace vexal {
namespace {

using test::DialogKind;
using test::DialogStep;
using test::SeenDialog;

constexpr char kCreateFailed[] = "Fehler beim Anlegen der Datei !";
constexpr char kWriteFailed[] = "Fehler beim Schreiben der Datei !";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void WriteAll(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (lstrcmpA(entry.cFileName, ".") != 0 && lstrcmpA(entry.cFileName, "..") != 0) {
      names.push_back(entry.cFileName);
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

void RemoveFolder(const std::string& folder) {
  for (const std::string& name : FilesIn(folder)) {
    const std::string path = folder + "\\" + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

// Our own rendering of a sample line, independent of the exporter's formatter.
std::string Digits(int value) {
  return std::string{static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
                     static_cast<char>('0' + value % 10)};
}

std::string ExpectedTwoColumnFile(const WaveformSnapshot& s, const SYSTEMTIME& t) {
  char heading[80];
  std::snprintf(heading, sizeof heading,
                "\nVEXAL-Interface V1.0 - Ausgabe vom %02d.%02d.%d, %02d:%02d\n", t.wDay, t.wMonth,
                t.wYear, t.wHour, t.wMinute);
  std::string file = heading + std::string(52, '=') + "\n\nKanal 1\t\tKanal2\n\n";
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    file += Digits(s.samples[0][i]) + "\t\t\t" + Digits(s.samples[1][i]) + "\n";
  }
  return file + "\n\n";
}

class FileExportTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    owner_ = CreateWindowExA(0, "STATIC", "Vexal export test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, 640, 480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  static void TearDownTestSuite() { DestroyWindow(owner_); }

  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    folder_ = std::string(temp) + "vexal-export-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter);
    CreateDirectoryA(folder_.c_str(), nullptr);
    TheWaveformStore().Replace(DemonstrationTraces());
    TheDisplaySettings() = DisplaySettings{};
    UpdateScaleLabels();
  }
  void TearDown() override {
    // The save dialog makes the chosen folder current; let go of it.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
    RemoveFolder(folder_);
  }

  // Runs one export with the given answers; fails the test on unforeseen dialogs.
  std::vector<SeenDialog> Export(int kind, const std::vector<DialogStep>& steps) {
    std::string failure;
    std::vector<SeenDialog> seen =
        test::RunWithDialogs([&] { FileExport(owner_, kind); }, steps, &failure);
    std::string transcript;
    for (const SeenDialog& d : seen) transcript += "[" + d.caption + "] " + d.text + "\n";
    EXPECT_EQ(failure, "") << transcript;
    return seen;
  }

  // Exports over an existing file, confirms the replacement and expects our box.
  void ExpectRefused(int kind, const std::string& target, const char* box) {
    const std::vector<SeenDialog> seen = Export(kind, {{DialogKind::kSave, IDOK, target},
                                                       {DialogKind::kMessage, IDYES},
                                                       {DialogKind::kMessage, IDOK}});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].caption, "Vexal");
    EXPECT_EQ(seen[2].text, box);
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  static HWND owner_;
  std::string folder_;
};

HWND FileExportTest::owner_ = nullptr;

TEST_F(FileExportTest, TextFileHoldsTheSamplesByteForByte) {
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  Export(kExportText, {{DialogKind::kSave, IDOK, Path("messung")}});
  GetLocalTime(&after);

  // The dialog adds the default extension to a name typed without one.
  EXPECT_EQ(std::string(ExportFileName), Path("messung.txt"));
  const std::string file = ReadAll(Path("messung.txt"));
  const WaveformSnapshot store = TheWaveformStore().Snapshot();
  const std::string early = ExpectedTwoColumnFile(store, before);
  const std::string late = ExpectedTwoColumnFile(store, after);
  EXPECT_TRUE(file == early || file == late) << file.substr(0, 130);
  EXPECT_EQ(file.size(), 54u + 54 + 17 + 2048 * 10 + 2);
  // Only the target is left: the temporary file was renamed onto it.
  EXPECT_EQ(FilesIn(folder_), std::vector<std::string>{"messung.txt"});

  // Hand the file and the samples to the independent reader (numpy).
  if (const char* artifacts = std::getenv("VEXAL_OUTPUT_ARTIFACTS")) {
    const std::string dir = artifacts;
    WriteAll(dir + "\\export.txt", file);
    std::string raw(store.samples[0].begin(), store.samples[0].end());
    raw.append(store.samples[1].begin(), store.samples[1].end());
    WriteAll(dir + "\\samples.bin", raw);
  }
}

TEST_F(FileExportTest, OneColumnAndOverwrite) {
  WaveformSnapshot store = DemonstrationTraces();
  store.hasData = {0, 1};
  store.samples[1][0] = 7;
  TheWaveformStore().Replace(store);
  WriteAll(Path("alt.txt"), "old content that is longer than nothing\n");

  // An existing file: the dialog asks, and the answer yes replaces it whole.
  const std::vector<SeenDialog> seen = Export(
      kExportText, {{DialogKind::kSave, IDOK, Path("alt.txt")}, {DialogKind::kMessage, IDYES}});
  ASSERT_EQ(seen.size(), 2u);
  const std::string file = ReadAll(Path("alt.txt"));
  ASSERT_EQ(file.size(), 54u + 54 + 9 + 2048 * 4 + 2);
  EXPECT_EQ(file.substr(108, 9 + 4), "Kanal 2\n\n007\n");
  EXPECT_EQ(FilesIn(folder_), std::vector<std::string>{"alt.txt"});
}

TEST_F(FileExportTest, CancellingWritesNothing) {
  WriteAll(Path("keep.txt"), "keep");
  for (int kind : {kExportText, kExportMetafile}) {
    const std::vector<SeenDialog> seen = Export(kind, {{DialogKind::kSave, IDCANCEL, Path("neu")}});
    EXPECT_EQ(seen.size(), 1u);  // no message box either
  }
  Export(kExportText, {{DialogKind::kSave, IDCANCEL, Path("keep.txt")}});
  EXPECT_EQ(FilesIn(folder_), std::vector<std::string>{"keep.txt"});
  EXPECT_TRUE(ReadAll(Path("keep.txt")) == "keep") << "the old file was changed";
}

TEST_F(FileExportTest, NameChosenInOneExportIsOfferedByTheOther) {
  Export(kExportText, {{DialogKind::kSave, IDOK, Path("beide.txt")}});
  // Accepting the proposal unchanged writes the metafile under the text's name.
  const std::vector<SeenDialog> seen =
      Export(kExportMetafile, {{DialogKind::kSave, IDOK}, {DialogKind::kMessage, IDYES}});
  ASSERT_GE(seen.size(), 1u);
  const std::string offered = seen[0].text;
  EXPECT_TRUE(offered == Path("beide.txt") || offered == "beide.txt") << offered;
  const std::string content = ReadAll(Path("beide.txt"));
  ASSERT_GE(content.size(), 44u);
  EXPECT_EQ(content.substr(40, 4), " EMF");  // ENHMETAHEADER.dSignature

  // And back: the text export now proposes the same name.
  const std::vector<SeenDialog> back = Export(kExportText, {{DialogKind::kSave, IDCANCEL}});
  ASSERT_EQ(back.size(), 1u);
  EXPECT_TRUE(back[0].text == Path("beide.txt") || back[0].text == "beide.txt") << back[0].text;
}

TEST_F(FileExportTest, ReadOnlyTargetKeepsItsContent) {
  for (int kind : {kExportText, kExportMetafile}) {
    SCOPED_TRACE(kind);
    const std::string name = kind == kExportText ? "fest.txt" : "fest.emf";
    WriteAll(Path(name), "protected");
    SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectRefused(kind, Path(name), kCreateFailed);
    EXPECT_TRUE(ReadAll(Path(name)) == "protected") << "the old file was changed";
  }
  // No temporary file is left behind.
  EXPECT_EQ(FilesIn(folder_), (std::vector<std::string>{"fest.emf", "fest.txt"}));
}

// A drive with a few kilobytes free (a small file system mapped as a Wine
// drive by the test script): the export fails while writing.
TEST_F(FileExportTest, FullDiskLeavesTheOldFile) {
  const char* drive = std::getenv("VEXAL_FULL_DRIVE");
  if (drive == nullptr) GTEST_SKIP() << "VEXAL_FULL_DRIVE not set (needs a tiny file system)";
  const std::string root = drive;
  const std::string text = root + "\\voll.txt";
  const std::string picture = root + "\\voll.emf";
  WriteAll(text, "old text");
  WriteAll(picture, "old picture");

  ExpectRefused(kExportText, text, kWriteFailed);
  EXPECT_TRUE(ReadAll(text) == "old text") << "the old file was changed";
  ExpectRefused(kExportMetafile, picture, kCreateFailed);
  EXPECT_TRUE(ReadAll(picture) == "old picture") << "the old file was changed";
  // No temporary file is left to fill the drive.
  EXPECT_EQ(FilesIn(root), (std::vector<std::string>{"voll.emf", "voll.txt"}));
}

// ---- The metafile, record by record -------------------------------------

std::string Describe(const test::DrawCall& c) {
  using test::Op;
  char line[160];
  switch (c.op) {
    case Op::kDrawRectangle:
      // A metafile keeps a rectangle's box inclusive: right and bottom one less.
      std::snprintf(line, sizeof line, "rect %d %d %d %d", c.a, c.b, c.c - 1, c.d - 1);
      break;
    case Op::kMoveTo:
      std::snprintf(line, sizeof line, "move %d %d", c.a, c.b);
      break;
    case Op::kLineTo:
      std::snprintf(line, sizeof line, "line %d %d", c.a, c.b);
      break;
    case Op::kSelectNewPen:
      std::snprintf(line, sizeof line, "pen %d %06x", c.a, c.colour);
      break;
    case Op::kSelectNewSolidBrush:
      std::snprintf(line, sizeof line, "brush %06x", c.colour);
      break;
    case Op::kSetTextColour:
      std::snprintf(line, sizeof line, "textcolour %06x", c.colour);
      break;
    case Op::kSetTextAlign:
      std::snprintf(line, sizeof line, "align %u", static_cast<unsigned>(c.align));
      break;
    case Op::kSetTransparentBackground:
      std::snprintf(line, sizeof line, "bkmode %d", TRANSPARENT);
      break;
    case Op::kWriteText:
      std::snprintf(line, sizeof line, "text %d %d %s", c.a, c.b, c.text.c_str());
      break;
    default:
      return {};
  }
  return line;
}

struct MetafileRecords {
  std::vector<std::string> drawing;
  std::wstring description;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) {
  auto* out = reinterpret_cast<MetafileRecords*>(param);
  char line[160] = "";
  switch (record->iType) {
    case EMR_HEADER: {
      const auto* header = reinterpret_cast<const ENHMETAHEADER*>(record);
      if (header->nDescription > 0) {
        out->description.assign(reinterpret_cast<const wchar_t*>(
                                    reinterpret_cast<const char*>(record) + header->offDescription),
                                header->nDescription);
      }
      return 1;
    }
    case EMR_RECTANGLE: {
      const RECTL& r = reinterpret_cast<const EMRRECTANGLE*>(record)->rclBox;
      std::snprintf(line, sizeof line, "rect %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
      break;
    }
    case EMR_MOVETOEX: {
      const POINTL& p = reinterpret_cast<const EMRMOVETOEX*>(record)->ptl;
      std::snprintf(line, sizeof line, "move %ld %ld", p.x, p.y);
      break;
    }
    case EMR_LINETO: {
      const POINTL& p = reinterpret_cast<const EMRLINETO*>(record)->ptl;
      std::snprintf(line, sizeof line, "line %ld %ld", p.x, p.y);
      break;
    }
    case EMR_CREATEPEN: {
      const LOGPEN& pen = reinterpret_cast<const EMRCREATEPEN*>(record)->lopn;
      std::snprintf(line, sizeof line, "pen %ld %06lx", pen.lopnWidth.x, pen.lopnColor);
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      const LOGBRUSH32& brush = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(record)->lb;
      std::snprintf(line, sizeof line, "brush %06lx", brush.lbColor);
      break;
    }
    case EMR_SETTEXTCOLOR:
      std::snprintf(line, sizeof line, "textcolour %06lx",
                    reinterpret_cast<const EMRSETTEXTCOLOR*>(record)->crColor);
      break;
    case EMR_SETTEXTALIGN:
      std::snprintf(line, sizeof line, "align %lu",
                    reinterpret_cast<const EMRSETTEXTALIGN*>(record)->iMode);
      break;
    case EMR_SETBKMODE:
      std::snprintf(line, sizeof line, "bkmode %lu",
                    reinterpret_cast<const EMRSETBKMODE*>(record)->iMode);
      break;
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW: {
      const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
      const char* chars = reinterpret_cast<const char*>(record) + text->emrtext.offString;
      std::string bytes;
      if (record->iType == EMR_EXTTEXTOUTW) {
        char converted[256] = "";
        WideCharToMultiByte(1252, 0, reinterpret_cast<const wchar_t*>(chars),
                            static_cast<int>(text->emrtext.nChars), converted, sizeof converted - 1,
                            nullptr, nullptr);
        bytes = converted;
      } else {
        bytes.assign(chars, text->emrtext.nChars);
      }
      std::snprintf(line, sizeof line, "text %ld %ld %s", text->emrtext.ptlReference.x,
                    text->emrtext.ptlReference.y, bytes.c_str());
      break;
    }
    default:
      return 1;
  }
  out->drawing.push_back(line);
  return 1;
}

TEST_F(FileExportTest, MetafileHoldsTheScreenPictureAt800x600) {
  // Channel 2's "2V" at x5 and a fast timebase: labels of the last paint.
  TheDisplaySettings().ch2VoltsPerDiv = IDM_CH2_2V;
  TheDisplaySettings().ch2Gain5 = 1;
  TheDisplaySettings().timebase = IDM_TB_500US;
  UpdateScaleLabels();
  Export(kExportMetafile, {{DialogKind::kSave, IDOK, Path("bild")}});
  ASSERT_EQ(FilesIn(folder_), std::vector<std::string>{"bild.emf"});

  HENHMETAFILE metafile = GetEnhMetaFileA(Path("bild.emf").c_str());
  ASSERT_NE(metafile, nullptr);
  MetafileRecords records;
  EnumEnhMetaFile(nullptr, metafile, CollectRecord, &records, nullptr);
  DeleteEnhMetaFile(metafile);

  const std::wstring description(L"Vexal Interface V1.0\0Ausgabe\0", 29);
  EXPECT_EQ(records.description.substr(0, 29), description);

  // What the picture must hold, from the same store and labels through the
  // core renderer, at 800 x 600 with the dialog base units of now.
  const LONG units = GetDialogBaseUnits();
  test::RecordingCanvas expected;
  RenderWaveformPicture(expected, {800, 600, LOWORD(units), HIWORD(units)},
                        TheWaveformStore().Snapshot(), TheScaleLabels(),
                        TheDisplaySettings().timebase);
  std::vector<std::string> wanted;
  for (const test::DrawCall& call : expected.calls) {
    if (std::string d = Describe(call); !d.empty()) wanted.push_back(d);
  }
  EXPECT_EQ(records.drawing, wanted);

  // And in absolute numbers: frame, plot area, a grid line, the traces' ends, labels.
  auto has = [&](const std::string& line) {
    return std::find(records.drawing.begin(), records.drawing.end(), line) != records.drawing.end();
  };
  EXPECT_TRUE(has("rect 20 20 779 579"));
  EXPECT_TRUE(has("rect 40 40 759 559"));
  EXPECT_TRUE(has("move 112 560"));
  EXPECT_TRUE(has("move 54 293"));
  EXPECT_TRUE(has("pen 2 ffff00"));
  EXPECT_TRUE(has("pen 2 00ff00"));
  // Each trace: MoveTo at the left edge, then 2047 LineTo ending one step short of R.
  for (const char* pen : {"pen 2 ffff00", "pen 2 00ff00"}) {
    const auto at = std::find(records.drawing.begin(), records.drawing.end(), pen);
    ASSERT_LT(at + 2048, records.drawing.end());
    EXPECT_EQ(at[1].rfind("move 40 ", 0), 0u) << at[1];
    EXPECT_EQ(at[2048].rfind("line 759 ", 0), 0u) << at[2048];
  }
  const int cw = LOWORD(units), ch = HIWORD(units);
  EXPECT_TRUE(has("text " + std::to_string(40 + cw) + " " + std::to_string(560 - 2 * ch) +
                  " CH1:   1 V / DIV"));
  EXPECT_TRUE(has("text " + std::to_string(40 + cw) + " " + std::to_string(560 - ch) +
                  " CH2: 400 mV / DIV"));
  EXPECT_TRUE(has("text " + std::to_string(760 - cw) + " " + std::to_string(560 - ch) +
                  " TB: 500 \xB5s / DIV"));
}

}  // namespace
}  // namespace vexal
