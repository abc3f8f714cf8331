// The dialog's list of the serial ports present on this PC, built from what
// Windows reports: which ports are there, and for each the item "COMn" followed
// by the device's name where Windows knows one ("COM14 - USB Serial Port").
// The names are Windows' own UTF-16 texts, in any script, kept as they come.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "link/port_name.h"

namespace vexal {

// Takes what Windows reports, in any order. The list shows the ports present
// by their numbers, as Present(1) to Present(256) tell them.
class PortList {
 public:
  // The data of a value under HARDWARE\DEVICEMAP\SERIALCOMM: these decide which
  // ports are listed. Only "COM" and a number from 1 to 256 without leading zeros
  // names a port; anything else there (a device path, "COM0") is passed over.
  void AddPresent(std::wstring_view name);
  // A device of the Ports class as SetupAPI describes it: the port name in its
  // device key ("COM14") and its friendly name ("USB Serial Port (COM14)"). It
  // only lends a listed port its name; a port's first name counts.
  void AddDevice(std::wstring_view portName, std::wstring_view friendlyName);
  bool Present(int number) const { return present_[static_cast<std::size_t>(number)]; }
  std::wstring Text(int number) const;

 private:
  // Indexed by port number; slot 0 takes whatever names no port.
  std::array<bool, kMaxPortNumber + 1> present_{};
  std::array<std::wstring, kMaxPortNumber + 1> names_;
};

}  // namespace vexal
