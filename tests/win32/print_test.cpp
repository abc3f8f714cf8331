// Printing through the real print dialog to the default printer. The script
// that runs this program checks the page that arrives (run_print_test.sh).
#include "output/print_renderer.h"

#include <gtest/gtest.h>

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

  std::vector<SeenDialog> Print(int button) {
    std::string failure;
    std::vector<SeenDialog> seen = test::RunWithDialogs([&] { PrintRenderer(owner_); },
                                                        {{DialogKind::kPrint, button}}, &failure);
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

}  // namespace
}  // namespace vexal
