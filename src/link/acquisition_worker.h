// One read-out of the interface on a thread of its own.
#pragma once

#include "app/acquisition_request.h"

namespace vexal {

// Starts AcquisitionWorker on a new thread with a copy of the request and returns at once.
void StartAcquisitionWorker(const AcquisitionRequest& request);

}  // namespace vexal
