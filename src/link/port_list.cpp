#include "link/port_list.h"

namespace vexal {

namespace {

// 14 for "COM14"; 0 for anything else.
int ComPortNumber(std::wstring_view name) {
  if (name.size() < 4 || name.size() > 6 || name.substr(0, 3) != L"COM" || name[3] == L'0')
    return 0;
  int number = 0;
  for (const wchar_t c : name.substr(3)) {
    if (c < L'0' || c > L'9') return 0;
    number = number * 10 + (c - L'0');
  }
  return number <= kMaxPortNumber ? number : 0;
}

// The friendly name without the port that the Ports class appends to it:
// "USB Serial Port (COM14)" gives "USB Serial Port", as the item names the port first.
std::wstring_view DeviceName(std::wstring_view friendlyName, int number) {
  const std::size_t open = friendlyName.rfind(L" (");
  if (open != std::wstring_view::npos && friendlyName.back() == L')' &&
      ComPortNumber(friendlyName.substr(open + 2, friendlyName.size() - open - 3)) == number)
    return friendlyName.substr(0, open);
  return friendlyName;
}

// "COM14" in UTF-16: port names are ASCII.
std::wstring WidePortName(int number) {
  const std::string port = ComPortName(number);
  return std::wstring(port.begin(), port.end());
}

}  // namespace

void PortList::AddPresent(std::wstring_view name) {
  present_[static_cast<std::size_t>(ComPortNumber(name))] = true;
}

void PortList::AddDevice(std::wstring_view portName, std::wstring_view friendlyName) {
  const int number = ComPortNumber(portName);
  std::wstring& name = names_[static_cast<std::size_t>(number)];
  if (number != 0 && name.empty()) name.append(DeviceName(friendlyName, number));
}

std::vector<std::pair<int, std::wstring>> PortList::Items(int chosen) const {
  std::vector<std::pair<int, std::wstring>> items;
  if (chosen > kPortsWithButtons && chosen <= kMaxPortNumber &&
      !present_[static_cast<std::size_t>(chosen)]) {
    items.emplace_back(chosen, WidePortName(chosen) + L" (nicht vorhanden)");
  }
  for (int number = 1; number <= kMaxPortNumber; ++number) {
    if (present_[static_cast<std::size_t>(number)]) items.emplace_back(number, Text(number));
  }
  return items;
}

std::wstring PortList::Text(int number) const {
  std::wstring text = WidePortName(number);
  const std::wstring& name = names_[static_cast<std::size_t>(number)];
  if (!name.empty()) (text += L" - ") += name;
  return text;
}

}  // namespace vexal
