#include "link/port_list.h"

namespace vexal {

namespace {

// 14 for "COM14"; 0 for anything else.
int ComPortNumber(std::string_view name) {
  if (name.size() < 4 || name.size() > 6 || name.substr(0, 3) != "COM" || name[3] == '0') return 0;
  int number = 0;
  for (const char c : name.substr(3)) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number <= kMaxPortNumber ? number : 0;
}

// The friendly name without the port that the Ports class appends to it:
// "USB Serial Port (COM14)" gives "USB Serial Port", as the item names the port first.
std::string_view DeviceName(std::string_view friendlyName, int number) {
  const std::size_t open = friendlyName.rfind(" (");
  if (open != std::string_view::npos && friendlyName.back() == ')' &&
      ComPortNumber(friendlyName.substr(open + 2, friendlyName.size() - open - 3)) == number)
    return friendlyName.substr(0, open);
  return friendlyName;
}

}  // namespace

void PortList::AddPresent(std::string_view name) {
  present_[static_cast<std::size_t>(ComPortNumber(name))] = true;
}

void PortList::AddDevice(std::string_view portName, std::string_view friendlyName) {
  const int number = ComPortNumber(portName);
  std::string& name = names_[static_cast<std::size_t>(number)];
  if (number != 0 && name.empty()) name.append(DeviceName(friendlyName, number));
}

std::string PortList::Text(int number) const {
  std::string text = ComPortName(number);
  const std::string& name = names_[static_cast<std::size_t>(number)];
  if (!name.empty()) (text += " - ") += name;
  return text;
}

}  // namespace vexal
