// The interface's reply, in the form the program parses: per channel a
// marker "Kanal n:", then LF and 2048 samples of three decimal digits and a
// separator, or a blank and a status line ending in LF.
#pragma once

#include <string>

#include "options.h"

namespace vexal_sim {

// The reply to `command` ('d' or 'r'). `liveFrame` counts the 'd' commands
// answered so far: the live picture's phase moves on with it, the stored one
// ('r') never changes.
std::string BuildReply(const Options& options, char command, int liveFrame);

}  // namespace vexal_sim
