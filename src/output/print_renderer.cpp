#include "output/print_renderer.h"

namespace vexal {

void PrintRenderer(HWND) {
  // Printing is not built yet.
}

}  // namespace vexal
