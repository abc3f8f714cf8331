// The dialog's list of the serial ports present on this PC, built from what
// Windows reports: which ports are there, and for each the item "COMn" followed
// by the device's name where Windows knows one ("COM14 - USB Serial Port").
// The names are Windows' own UTF-16 texts, in any script, kept as they come.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/port_name.h"

namespace vexal {

// COM1 to COM8 have a radio button each in the dialog.
inline constexpr int kPortsWithButtons = 8;

// Takes what Windows reports, in any order. The list shows the ports present
// by their numbers.
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
  // The list's items in order, each with its port's number: the ports present,
  // and first the chosen port, 1 to 256, when it is above COM8 and absent (an
  // adapter unplugged since), as "COM14 (nicht vorhanden)", so that the dialog
  // shows what OK keeps (COM1 to COM8 show it by their buttons).
  std::vector<std::pair<int, std::wstring>> Items(int chosen) const;

 private:
  std::wstring Text(int number) const;

  // Indexed by port number; slot 0 takes whatever names no port.
  std::array<bool, kMaxPortNumber + 1> present_{};
  std::array<std::wstring, kMaxPortNumber + 1> names_;
};

}  // namespace vexal
