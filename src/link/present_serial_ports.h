// The serial ports present on this PC now, as the port dialog lists them.
#pragma once

#include "link/port_list.h"

namespace vexal {

// Read afresh at every call, so an adapter plugged in meanwhile is there. None
// when Windows lists no port (or the registry cannot be read). Window thread only.
void ReadPresentSerialPorts(PortList& ports);

}  // namespace vexal
