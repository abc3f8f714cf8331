#include "link/port_name.h"

#include <mutex>

namespace vexal {

namespace {

struct PortState {
  std::mutex mutex;
  int number = kDefaultPortNumber;
  std::string name = "COM" + std::to_string(kDefaultPortNumber);
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

void CommitPortNumber(int number) {
  if (number < 1 || number > 8) return;
  PortState& state = ThePortState();
  std::lock_guard lock(state.mutex);
  state.number = number;
  state.name[3] = static_cast<char>('0' + number);
}

}  // namespace vexal
