#include "link/acquisition_worker.h"

namespace vexal {

void StartAcquisitionWorker(const AcquisitionRequest&) {
  // The read-out is not built yet.
}

}  // namespace vexal
