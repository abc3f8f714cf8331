#include "link/port_name.h"

#include <mutex>

namespace vexal {

namespace {

struct PortState {
  std::mutex mutex;
  int number = kDefaultPortNumber;
  std::string name = ComPortName(kDefaultPortNumber);
};

PortState& ThePortState() {
  static PortState state;
  return state;
}

}  // namespace

int PortNumber() {
  PortState& state = ThePortState();
  std::lock_guard lock(state.mutex);
  return state.number;
}

std::string PortName() {
  PortState& state = ThePortState();
  std::lock_guard lock(state.mutex);
  return state.name;
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
  if (number < 1 || number > kMaxPortNumber) return;
  PortState& state = ThePortState();
  std::lock_guard lock(state.mutex);
  state.number = number;
  state.name = ComPortName(number);
}

}  // namespace vexal
