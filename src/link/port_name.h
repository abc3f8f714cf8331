// The COM port that the next read-out opens: COM1 to COM256, "COM2" at start.
// The port dialog writes it on the window thread; a read-out worker reads it
// when it opens the port: one atomic number.
#pragma once

#include <string>

namespace vexal {

inline constexpr int kDefaultPortNumber = 2;
// Windows numbers serial ports from COM1 to COM256.
inline constexpr int kMaxPortNumber = 256;

// The committed port number, 1 to 256.
int PortNumber();

// "COM" and the number of the committed port, e.g. "COM14".
std::string PortName();

// "COM" and `number`, 1 to 256.
std::string ComPortName(int number);

// Commits a port chosen in the dialog: PortNumber becomes `number` and
// PortName follows it. Numbers outside 1 to 256 are ignored.
void CommitPortNumber(int number);

}  // namespace vexal
