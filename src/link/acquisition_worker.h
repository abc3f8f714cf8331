// One read-out of the interface on a thread of its own.
#pragma once

#include "link/acquisition_request.h"

namespace vexal {

// Starts AcquisitionWorker on a new thread with a copy of the request and returns at once.
void StartAcquisitionWorker(const AcquisitionRequest& request);

// True while a read-out is under way: the process must then end without
// destroying the shared records that its worker still uses.
bool AcquisitionWorkersRunning();

}  // namespace vexal
