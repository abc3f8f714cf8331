// Printing through the real print dialog to the default printer. The script
// that runs this program checks the page that arrives (run_print_test.sh).
// One case takes the spooler's job folder away, so that the real StartDoc fails;
// another prints to a printer whose port cannot be opened, so that the job is
// only lost at EndDoc.
#include "output/print_renderer.h"

#include <gtest/gtest.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "app/demo_traces.h"
#include "dialog_driver.h"
#include "display/display_settings.h"
#include "display/waveform_store.h"

namespace vexal {
namespace {

using test::DialogKind;
using test::SeenDialog;

// Where the spooler keeps each job until the printer takes it, and where the
// fault case parks that folder.
std::string SpoolFolder() {
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  return std::string(system) + "\\spool\\PRINTERS";
}
std::string ParkedSpoolFolder() {
  return SpoolFolder() + "-parked";
}

class PrintTest : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "Vexal print test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, 640, 480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    TheWaveformStore().Replace(DemonstrationTraces());
    UpdateScaleLabels();
    // A run that died in SpoolerFaultTest left the folder parked.
    MoveFileA(ParkedSpoolFolder().c_str(), SpoolFolder().c_str());
  }
  void TearDown() override { DestroyWindow(owner_); }

  std::vector<SeenDialog> Print(int button) { return Print({{DialogKind::kPrint, button}}); }

  std::vector<SeenDialog> Print(const std::vector<test::DialogStep>& steps) {
    std::string failure;
    std::vector<SeenDialog> seen =
        test::RunWithDialogs([&] { PrintRenderer(owner_); }, steps, &failure);
    std::string transcript;
    for (const SeenDialog& d : seen) transcript += "[" + d.caption + "] " + d.text + "\n";
    EXPECT_EQ(failure, "") << transcript;
    return seen;
  }

  // Prints with OK: one more box follows, the print error, and the window is
  // usable again afterwards.
  void ExpectPrintFailureReported() {
    const std::vector<SeenDialog> seen =
        Print({{DialogKind::kPrint, IDOK}, {DialogKind::kMessage, IDOK}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "Vexal");
    EXPECT_EQ(seen[1].text, "Fehler beim Drucken !");
    EXPECT_TRUE(IsWindowEnabled(owner_));
  }

  HWND owner_ = nullptr;
};

TEST_F(PrintTest, CancelledDialogPrintsNothingAndSaysNothing) {
  EXPECT_EQ(Print(IDCANCEL).size(), 1u);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(PrintTest, PrintsOnePageWithoutComplaint) {
  // Only the print dialog: no "Fehler beim Drucken !" afterwards.
  EXPECT_EQ(Print(IDOK).size(), 1u);
  // The window was disabled while the job was built and is usable again.
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

// Without its job folder the spooler cannot take the document: StartDoc fails
// (ERROR_PATH_NOT_FOUND), for every printer, while the print dialog still works.
class SpoolerFaultTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    parked_ = MoveFileA(SpoolFolder().c_str(), ParkedSpoolFolder().c_str());
    ASSERT_TRUE(parked_) << "spool folder not parked, error " << GetLastError();
  }
  void TearDown() override {
    if (parked_) {
      EXPECT_TRUE(MoveFileA(ParkedSpoolFolder().c_str(), SpoolFolder().c_str()));
    }
    PrintTest::TearDown();
  }

  bool parked_ = false;
};

TEST_F(SpoolerFaultTest, RefusedDocumentIsReportedOnAUsableWindow) {
  ExpectPrintFailureReported();
}

// A second printer with the default printer's driver and settings, whose port
// is a file in a folder that does not exist. The spooler takes the document
// and the page and only fails when it hands the finished job to the port, so
// EndDoc alone reports the lost job. The print dialog offers the default
// printer, so this one is the default for the duration of the test.
constexpr char kUnreachablePrinter[] = "Vexal unreachable";
constexpr char kUnreachablePort[] = "C:\\vexal-no-such-folder\\page.prn";

class LostJobTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    RemoveUnreachablePrinter();  // left by a run that died here
    char name[256] = "";
    DWORD size = sizeof name;
    ASSERT_TRUE(GetDefaultPrinterA(name, &size)) << GetLastError();
    default_ = name;
    HANDLE working = nullptr;
    ASSERT_TRUE(OpenPrinterA(name, &working, nullptr)) << GetLastError();
    DWORD needed = 0;
    GetPrinterA(working, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    const BOOL read = GetPrinterA(working, 2, info.data(), needed, &needed);
    ClosePrinter(working);
    ASSERT_TRUE(read) << GetLastError();
    PRINTER_INFO_2A unreachable = *reinterpret_cast<PRINTER_INFO_2A*>(info.data());
    unreachable.pPrinterName = const_cast<char*>(kUnreachablePrinter);
    unreachable.pShareName = nullptr;
    unreachable.pPortName = const_cast<char*>(kUnreachablePort);
    unreachable.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&unreachable));
    ASSERT_NE(added, nullptr) << GetLastError();
    ClosePrinter(added);
    ASSERT_TRUE(SetDefaultPrinterA(kUnreachablePrinter)) << GetLastError();
  }
  void TearDown() override {
    if (!default_.empty()) {
      EXPECT_TRUE(SetDefaultPrinterA(default_.c_str())) << GetLastError();
    }
    RemoveUnreachablePrinter();
    PrintTest::TearDown();
  }

  static void RemoveUnreachablePrinter() {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterA(const_cast<char*>(kUnreachablePrinter), &printer, &access)) return;
    EXPECT_TRUE(DeletePrinter(printer)) << GetLastError();
    ClosePrinter(printer);
  }

  std::string default_;
};

TEST_F(LostJobTest, JobLostAtTheEndIsReportedOnAUsableWindow) {
  ExpectPrintFailureReported();
}

}  // namespace
}  // namespace vexal
