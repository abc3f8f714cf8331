// The two channels' names, as every text of the program writes them (Windows-1252).
#pragma once

namespace vexal {

// "Kanal 1" and "Kanal 2" for channel 0 and 1: in the menus, the measurements and the
// copied values; "" for any other number.
constexpr const char* ChannelName(int channel) {
  return channel == 0 ? "Kanal 1" : channel == 1 ? "Kanal 2" : "";
}

// "CH1" and "CH2", as the scale labels of the picture and the printed page begin; "" for
// any other number.
constexpr const char* ShortChannelName(int channel) {
  return channel == 0 ? "CH1" : channel == 1 ? "CH2" : "";
}

}  // namespace vexal
