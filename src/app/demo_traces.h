// The sine and cosine shown at start, before any instrument has been read.
#pragma once

#include "scope/waveform_store.h"

namespace vexal {

// Channel 1 a sine, channel 2 a cosine, both flags 1. The factor 6.28 (not 2 pi)
// makes the 2048 samples span slightly less than two periods.
WaveformSnapshot DemonstrationTraces();

}  // namespace vexal
