#include "link/acquisition_request.h"

namespace vexal {

AcquisitionRequest& TheAcquisitionRequest() {
  static AcquisitionRequest request;
  return request;
}

}  // namespace vexal
