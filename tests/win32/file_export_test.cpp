// The two exports through the real save dialog: the text file byte for byte,
// the metafile record by record, the shared file name, cancelling, and files
// that cannot be written.
#include "output/file_export.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

#include "app/demo_traces.h"
#include "dialog_driver.h"
#include "display/display_settings.h"
#include "display/waveform_renderer.h"
#include "display/waveform_store.h"
#include "metafile_reader.h"

namespace vexal {
namespace {

using test::DialogKind;
using test::SeenDialog;
using Names = std::vector<std::string>;

constexpr char kCreateFailed[] = "Fehler beim Anlegen der Datei !";
constexpr char kWriteFailed[] = "Fehler beim Schreiben der Datei !";

std::string ReadAll(const std::string& path) {
  std::ostringstream all;
  all << std::ifstream(path, std::ios::binary).rdbuf();
  return all.str();
}

void WriteAll(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

Names FilesIn(const std::string& folder) {
  Names names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

// Written here independently of the exporter's formatter.
std::string ExpectedTwoColumnFile(const WaveformSnapshot& s, const SYSTEMTIME& t) {
  char line[80];
  std::snprintf(line, sizeof line, "\nVEXAL-Interface V1.0 - Ausgabe vom %02d.%02d.%d, %02d:%02d\n",
                t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute);
  std::string file = line + std::string(52, '=') + "\n\nKanal 1\t\tKanal2\n\n";
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    std::snprintf(line, sizeof line, "%03d\t\t\t%03d\n", s.samples[0][i], s.samples[1][i]);
    file += line;
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
    static int counter = 0;
    GetTempPathA(MAX_PATH, temp_);
    folder_ = std::string(temp_) + "vexal-export-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter);
    CreateDirectoryA(folder_.c_str(), nullptr);
    TheWaveformStore().Replace(DemonstrationTraces());
    TheDisplaySettings() = DisplaySettings{};
    UpdateScaleLabels();
  }
  void TearDown() override {
    SetCurrentDirectoryA(temp_);  // the save dialog made the folder current
    for (const std::string& name : FilesIn(folder_)) {
      SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(Path(name).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }

  // Runs one export with the given answers; fails the test on unforeseen dialogs.
  std::vector<SeenDialog> Export(int kind, const std::vector<test::DialogStep>& steps) {
    std::string failure, transcript;
    std::vector<SeenDialog> seen =
        test::RunWithDialogs([&] { FileExport(owner_, kind); }, steps, &failure);
    for (const SeenDialog& d : seen) transcript += "[" + d.caption + "] " + d.text + "\n";
    EXPECT_EQ(failure, "") << transcript;
    return seen;
  }

  // Exports over an existing file, confirms the replacement, expects our box and
  // the old content unchanged.
  void ExpectRefused(int kind, const std::string& target, const char* box) {
    const std::string old = ReadAll(target);
    const std::vector<SeenDialog> seen = Export(kind, {{DialogKind::kSave, IDOK, target},
                                                       {DialogKind::kMessage, IDYES},
                                                       {DialogKind::kMessage, IDOK}});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].caption, "Vexal");
    EXPECT_EQ(seen[2].text, box);
    EXPECT_TRUE(ReadAll(target) == old) << target << " was changed";
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  static HWND owner_;
  char temp_[MAX_PATH] = "";
  std::string folder_;
};

HWND FileExportTest::owner_ = nullptr;

TEST_F(FileExportTest, TextFileHoldsTheSamplesByteForByte) {
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  Export(kExportText, {{DialogKind::kSave, IDOK, Path("messung")}});
  GetLocalTime(&after);

  // The dialog adds the default extension; the temporary file was renamed onto it.
  EXPECT_EQ(std::string(ExportFileName), Path("messung.txt"));
  EXPECT_EQ(FilesIn(folder_), Names{"messung.txt"});
  const std::string file = ReadAll(Path("messung.txt"));
  const WaveformSnapshot store = TheWaveformStore().Snapshot();
  EXPECT_TRUE(file == ExpectedTwoColumnFile(store, before) ||
              file == ExpectedTwoColumnFile(store, after))
      << file.substr(0, 130);

  // Hand the file and the samples to the independent reader (numpy).
  if (const char* artifacts = std::getenv("VEXAL_OUTPUT_ARTIFACTS")) {
    WriteAll(std::string(artifacts) + "\\export.txt", file);
    std::string raw(store.samples[0].begin(), store.samples[0].end());
    raw.append(store.samples[1].begin(), store.samples[1].end());
    WriteAll(std::string(artifacts) + "\\samples.bin", raw);
  }
}

TEST_F(FileExportTest, OneColumnReplacesAnExistingFileWhole) {
  WaveformSnapshot store = DemonstrationTraces();
  store.hasData = {0, 1};
  store.samples[1][0] = 7;
  TheWaveformStore().Replace(store);
  WriteAll(Path("alt.txt"), "old content that is longer than nothing\n");

  Export(kExportText, {{DialogKind::kSave, IDOK, Path("alt.txt")}, {DialogKind::kMessage, IDYES}});
  const std::string file = ReadAll(Path("alt.txt"));
  ASSERT_EQ(file.size(), 54u + 54 + 9 + 2048 * 4 + 2);
  EXPECT_EQ(file.substr(108, 9 + 4), "Kanal 2\n\n007\n");
  EXPECT_EQ(FilesIn(folder_), Names{"alt.txt"});
}

TEST_F(FileExportTest, CancellingWritesNothing) {
  WriteAll(Path("keep.txt"), "keep");
  for (int kind : {kExportText, kExportMetafile}) {
    EXPECT_EQ(Export(kind, {{DialogKind::kSave, IDCANCEL, Path("neu")}}).size(), 1u);
  }
  Export(kExportText, {{DialogKind::kSave, IDCANCEL, Path("keep.txt")}});
  EXPECT_EQ(FilesIn(folder_), Names{"keep.txt"});
  EXPECT_TRUE(ReadAll(Path("keep.txt")) == "keep") << "the old file was changed";
}

TEST_F(FileExportTest, NameChosenInOneExportIsOfferedByTheOther) {
  const std::string name = Path("beide.txt");
  auto offered = [&](const SeenDialog& save) {
    return save.text == name || save.text == "beide.txt";
  };
  Export(kExportText, {{DialogKind::kSave, IDOK, name}});
  // Accepting the proposal unchanged writes the metafile under the text's name.
  const std::vector<SeenDialog> seen =
      Export(kExportMetafile, {{DialogKind::kSave, IDOK}, {DialogKind::kMessage, IDYES}});
  ASSERT_GE(seen.size(), 1u);
  EXPECT_TRUE(offered(seen[0])) << seen[0].text;
  EXPECT_EQ(ReadAll(name).find(" EMF"), 40u);  // ENHMETAHEADER.dSignature
  // And back: the text export now proposes the same name.
  const std::vector<SeenDialog> back = Export(kExportText, {{DialogKind::kSave, IDCANCEL}});
  ASSERT_EQ(back.size(), 1u);
  EXPECT_TRUE(offered(back[0])) << back[0].text;
}

TEST_F(FileExportTest, ReadOnlyTargetKeepsItsContent) {
  const std::pair<int, const char*> targets[] = {{kExportText, "fest.txt"},
                                                 {kExportMetafile, "fest.emf"}};
  for (const auto& [kind, name] : targets) {
    WriteAll(Path(name), "protected");
    SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectRefused(kind, Path(name), kCreateFailed);
  }
  EXPECT_EQ(FilesIn(folder_), (Names{"fest.emf", "fest.txt"}));  // no temporary file left
}

// A drive with a few kilobytes free (a small file system that the test script
// maps as a Wine drive): the text export fails while writing.
TEST_F(FileExportTest, FullDiskLeavesTheOldFile) {
  const char* drive = std::getenv("VEXAL_FULL_DRIVE");
  if (drive == nullptr) GTEST_SKIP() << "VEXAL_FULL_DRIVE not set (needs a tiny file system)";
  const std::string root = drive;
  WriteAll(root + "\\voll.txt", "old text");
  WriteAll(root + "\\voll.emf", "old picture");
  ExpectRefused(kExportText, root + "\\voll.txt", kWriteFailed);
  ExpectRefused(kExportMetafile, root + "\\voll.emf", kCreateFailed);
  EXPECT_EQ(FilesIn(root), (Names{"voll.emf", "voll.txt"}));  // no temporary file left
}

TEST_F(FileExportTest, MetafileHoldsTheScreenPictureAt800x600) {
  Export(kExportMetafile, {{DialogKind::kSave, IDOK, Path("bild")}});
  ASSERT_EQ(FilesIn(folder_), Names{"bild.emf"});
  HENHMETAFILE metafile = GetEnhMetaFileA(Path("bild.emf").c_str());
  ASSERT_NE(metafile, nullptr);
  const test::MetafileContent got = test::ReadMetafile(metafile);
  EXPECT_EQ(got.description.substr(0, 29), std::wstring(L"Vexal Interface V1.0\0Ausgabe\0", 29));
  // The core renderer's picture of the same store and labels at 800 x 600, with
  // the dialog base units of now.
  const LONG units = GetDialogBaseUnits();
  test::RecordingCanvas expected;
  RenderWaveformPicture(expected, {800, 600, LOWORD(units), HIWORD(units)},
                        TheWaveformStore().Snapshot(), TheScaleLabels(),
                        TheDisplaySettings().timebase);
  EXPECT_EQ(test::FirstDifference(expected.calls, got.calls), "");
  EXPECT_EQ(got.problems, Names{});
  EXPECT_EQ(got.deleted, got.created);
}

}  // namespace
}  // namespace vexal
