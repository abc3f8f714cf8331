#include "link/port_name.h"

#include <atomic>

namespace vexal {

namespace {

std::atomic<int> committedPort{kDefaultPortNumber};

}  // namespace

int PortNumber() {
  return committedPort.load();
}

std::string PortName() {
  return ComPortName(committedPort.load());
}

std::string ComPortName(int number) {
  // Ports go up to 256: three digits at most.
  char name[] = "COM000";
  char* digit = name + 3;
  if (number >= 100) *digit++ = static_cast<char>('0' + number / 100);
  if (number >= 10) *digit++ = static_cast<char>('0' + number / 10 % 10);
  *digit++ = static_cast<char>('0' + number % 10);
  return std::string(name, digit);
}

void CommitPortNumber(int number) {
  if (number >= 1 && number <= kMaxPortNumber) committedPort.store(number);
}

}  // namespace vexal
