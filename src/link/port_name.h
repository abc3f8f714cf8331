// The COM port that the next read-out opens: COM1 to COM8, "COM2" at start.
// The port dialog writes it on the window thread; a read-out worker reads it
// when it opens the port, so both go through a lock.
#pragma once

#include <string>

namespace vexal {

inline constexpr int kDefaultPortNumber = 2;

// The committed port number, 1 to 8.
int PortNumber();

// "COM" and the digit of the committed port, the file name the worker opens.
std::string PortName();

// Commits a port chosen in the dialog: PortNumber becomes `number` and the
// digit of PortName is rewritten to match. Numbers outside 1 to 8 are ignored.
void CommitPortNumber(int number);

}  // namespace vexal
