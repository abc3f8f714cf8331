// Printing through the real print dialog to the default printer. The script
// that runs this program checks the page that arrives (run_print_test.sh).
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

class PrintTest : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "Vexal print test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, 640, 480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    TheWaveformStore().Replace(DemonstrationTraces());
    UpdateScaleLabels();
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

// A second printer, driven like the default one, whose port is a file in a
// folder that does not exist: the spooler cannot open the job's output, so
// StartDoc fails, as it does for a port that went away.
constexpr char kBrokenPrinter[] = "Vexal unreachable";
constexpr char kBrokenPort[] = "C:\\vexal-no-such-folder\\page.prn";

class FailedPrintTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    char name[256] = "";
    DWORD size = sizeof name;
    ASSERT_TRUE(GetDefaultPrinterA(name, &size)) << GetLastError();
    HANDLE working = nullptr;
    ASSERT_TRUE(OpenPrinterA(name, &working, nullptr)) << GetLastError();
    DWORD needed = 0;
    GetPrinterA(working, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    ASSERT_TRUE(GetPrinterA(working, 2, info.data(), needed, &needed)) << GetLastError();
    ClosePrinter(working);
    PRINTER_INFO_2A broken = *reinterpret_cast<PRINTER_INFO_2A*>(info.data());
    broken.pPrinterName = const_cast<char*>(kBrokenPrinter);
    broken.pShareName = nullptr;
    broken.pPortName = const_cast<char*>(kBrokenPort);
    broken.pDevMode = nullptr;
    broken.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    printer_ = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&broken));
    ASSERT_NE(printer_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (printer_) {
      DeletePrinter(printer_);
      ClosePrinter(printer_);
    }
    PrintTest::TearDown();
  }

  HANDLE printer_ = nullptr;
};

TEST_F(FailedPrintTest, RefusedJobIsReportedAndTheWindowIsUsableAgain) {
  const std::vector<SeenDialog> seen =
      Print({{DialogKind::kPrint, IDOK, {}, kBrokenPrinter}, {DialogKind::kMessage, IDOK}});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].caption, "Vexal");
  EXPECT_EQ(seen[1].text, "Fehler beim Drucken !");
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

}  // namespace
}  // namespace vexal
namespace vexal { namespace {
TEST_F(FailedPrintTest, ProbeXX) {
  HDC dc = CreateDCA(nullptr, kBrokenPrinter, nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  DOCINFOA d{}; d.cbSize = sizeof d; d.lpszDocName = "probe";
  SetLastError(0);
  int a = StartDocA(dc, &d); DWORD ea = GetLastError();
  int b = StartPage(dc); DWORD eb = GetLastError();
  int c = EndPage(dc); DWORD ec = GetLastError();
  SetLastError(0);
  int e = EndDoc(dc); DWORD ee = GetLastError();
  printf("PROBE %d/%lu %d/%lu %d/%lu %d/%lu\n", a, ea, b, eb, c, ec, e, ee);
  DeleteDC(dc);
}
}}
